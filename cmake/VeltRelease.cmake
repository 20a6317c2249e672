# What a release of the suite is called, from the top CMakeLists.txt: the version
# (project(VERSION)), its release date, and the programs' desktop entry IDs, reverse
# DNS of the support site's domain (support.corvel.com). The programs get them from a
# generated header (target velt_release, "velt_release.h"); packaging/ names its files
# after them.
set(VELT_APP_ID_PREFIX com.corvel)
set(VELT_VELTPLUS_ID ${VELT_APP_ID_PREFIX}.VELTPLUS)
set(VELT_VELTUPDATE_ID ${VELT_APP_ID_PREFIX}.VELTUpdate)

configure_file(${PROJECT_SOURCE_DIR}/cmake/release.h.in
               ${PROJECT_BINARY_DIR}/generated/velt_release.h @ONLY)
add_library(velt_release INTERFACE)
target_include_directories(velt_release INTERFACE ${PROJECT_BINARY_DIR}/generated)
