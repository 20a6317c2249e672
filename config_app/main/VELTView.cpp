#include "config_app/main/VELTView.h"

#include <filesystem>

#include "base/file_writer.h"
#include "base/log.h"
#include "config_app/host_settings/HostPointerSettings.h"
#include "model/folders.h"
#include "model/profile_load.h"
#include "toolkit/KivMenu.h"
#include "toolkit/KivWindow.h"
#include "toolkit/UiServices.h"
#include "toolkit/image_access.h"
#include "toolkit/layout/main_layout.h"
#include "toolkit/place_control.h"

namespace velt {

namespace {

constexpr int32_t kMainBackgroundId = 0;
constexpr std::array<int32_t, VELTView::kProfiles> kPageIds = {22, 45, 57, 99, 108};
constexpr std::array<const char*, 5> kProfileMenuItems = {
    "Rename", "Save current settings", "Export profile", "Import profile", "Disable/Enable"};
constexpr std::array<const char*, 11> kLanguages = {"English",  "German",  "Spanish",   "French",
                                                    "Japanese", "Chinese", "Koream",    "Russian",
                                                    "Hindi",    "Arabic",  "Portuguese"};

}  // namespace

VELTView::VELTView(std::unique_ptr<HostPointerSettings> hostSettings, VeltMouse& mouse)
    : pages_{&m_viewMouseSetting, &m_viewSensor, &m_viewColorSetting, &m_viewMacroSetting,
             &m_viewSupport},
      pageTabs_{&m_BnMouseSetting, &m_BnSensorPerformance, &m_BnColorSettings, &m_BnMacroSettings,
                &m_BnSupport},
      profileTabs_{&m_BnProfile1, &m_BnProfile2, &m_BnProfile3, &m_BnProfile4, &m_BnProfile5},
      profileMenus_{&m_CbnProfile1, &m_CbnProfile2, &m_CbnProfile3, &m_CbnProfile4, &m_CbnProfile5},
      m_hostSettings(std::move(hostSettings)),
      m_mouse(mouse) {
  m_viewSensor.setMouse(mouse);
  m_viewSupport.setMouse(mouse);
}

VELTView::~VELTView() {
  m_Timer.stop();
}

void VELTView::initWithFrame(const Rect& rect) {
  KivImageView::initWithFrame(rect);
  m_bWrittingData = false;
  std::error_code error;
  std::filesystem::create_directories(profileFolder(), error);
  removeStaleTempFiles(profileFolder(), isProfileFileName);
  initProfiles();
  m_curProfile = &m_Profiles[0];
  initCtrls();
  // The support page has tried to open the mouse: one it may not open is said at start.
  if (!m_mouse.isOpen() && m_mouse.isAttached())
    m_startupNotices.push_back(m_mouse.noAccessMessage());
  // The profiles' macros join the library first, so that the button page, loaded next,
  // offers them.
  resetProfileMacro();
  setUIData();
}

void VELTView::initProfiles() {
  m_Profiles.initProfiles(profileFolder());
  for (int i = 0; i < kProfiles; ++i) {
    // A file that is there but cannot be read is moved aside, never saved over.
    ProfileLoadResult loaded = loadProfile(profile(i));
    if (loaded.needsTelling()) m_startupNotices.push_back(loaded.message());
  }
}

void VELTView::reportStartupProblems() {
  if (m_startupNotices.empty()) return;
  std::string message;
  for (const std::string& notice : m_startupNotices)
    message += (message.empty() ? "" : "\n\n") + notice;
  m_startupNotices.clear();
  alert(message);
}

void VELTView::awakeFromNib() {
  m_Timer.start(kPollInterval, [this] { updateProfileID(); });
}

void VELTView::initCtrls() {
  setBkImage(GetImage(0, kMainBackgroundId, bounds()));
  initPages();
  initTabs();
  initBottomRow();
}

void VELTView::initPages() {
  for (size_t i = 0; i < pages_.size(); ++i) {
    KivImageView& page = *pages_[i];
    page.initView(this, kPageIds[i], kMainPageFrame);
    // Only the first page shows at start: each sheet is decoded when first drawn.
    page.setBkImage(
        Image::deferred(page.bounds().size(), [id = kPageIds[i]] { return GetImage(0, id, {}); }));
    page.setAccessibleName(kMainPageTabs[i].wording);
    page.setHidden(i != 0);
    addSubview(&page);
  }
  m_viewMacroSetting.initCtrls();
  m_viewMacroSetting.setOnMacroDeleted([this] {
    m_viewMouseSetting.getUIData(*m_curProfile);
    m_viewMouseSetting.setUIData(*m_curProfile);
  });
  for (std::string& notice : m_viewMacroSetting.readLocalData())
    m_startupNotices.push_back(std::move(notice));
  m_viewMouseSetting.initCtrls(&m_viewMacroSetting);
  m_viewSensor.initCtrls();
  m_viewColorSetting.initCtrls();
  // The support page reads the firmware version: the mouse is first opened here.
  m_viewSupport.initCtrls();
}

void VELTView::initTabs() {
  for (size_t i = 0; i < pageTabs_.size(); ++i)
    placeWithPictures(*this, *pageTabs_[i], kMainPageTabs[i], GetImage);
  m_BnMouseSetting.setSelected(true);
  for (int i = 0; i < kProfiles; ++i) {
    // Captions and enabled states follow the profiles in setUIData.
    placeWithPictures(*this, profileTab(i), {kFirstProfileTabId + i, profileTabFrame(i), ""},
                      GetImage);
    KivComboxButton& menu = profileMenu(i);
    const std::string menuName = "Profile menu " + std::to_string(i + 1);
    placeWithPictures(*this, menu, {kFirstProfileMenuId + i, profileMenuFrame(i), menuName.c_str()},
                      GetImage);
    menu.showWindowCaption(false);
    menu.setMenuWidth(kProfileMenuWidthInMenu);
    for (size_t item = 0; item < kProfileMenuItems.size(); ++item)
      menu.insertItem(static_cast<int32_t>(item + 1), kProfileMenuItems[item]);
  }
}

void VELTView::initBottomRow() {
  placeWithPictures(*this, m_BnResettoDefault, kMainReset, GetImage);
  placeWithPictures(*this, m_BnOK, kMainOK, GetImage);
  placeWithPictures(*this, m_BnApply, kMainApply, GetImage);
  placeWithPictures(*this, m_BnCancel, kMainCancel, GetImage);
  placeWithPictures(*this, m_CbnLanguage, kMainLanguage, GetImage);
  m_CbnLanguage.setPopMenuUp(true);
  m_CbnLanguage.setMenuWidth(static_cast<int32_t>(kMainLanguage.frame.width));
  for (size_t i = 0; i < kLanguages.size(); ++i)
    m_CbnLanguage.insertItem(static_cast<int32_t>(i + 1), kLanguages[i]);
  m_CbnLanguage.setCurItemID(1);
  m_StaticFirmVer.initView(this, kMainVersionId, kMainVersionFrame);
  m_StaticFirmVer.setFont(systemFont(11));
  m_StaticFirmVer.setCurText(kApplicationVersion);
  m_StaticFirmVer.setAccessibleName("Version");
  addSubview(&m_StaticFirmVer);
}

void VELTView::hidePages() {
  m_viewMacroSetting.pageHidden();
  for (KivImageView* page : pages_) page->setHidden(true);
}

void VELTView::resetSettingTabState() {
  for (KivButton* tab : pageTabs_) tab->setSelected(false);
}

void VELTView::reSelectedProfile() {
  for (KivButton* tab : profileTabs_) tab->setSelected(false);
}

void VELTView::showPage(int index) {
  KivImageView& shown = page(index);
  if (!shown.isHidden()) return;
  hidePages();
  resetSettingTabState();
  if (index == 0) m_viewMouseSetting.loadMacroList();
  shown.setHidden(false);
  pageTab(index).setSelected(true);
  if (index == 3) m_viewMacroSetting.pageShown();
  if (index == 4) m_viewSupport.updateFirmVersion();
}

void VELTView::windowHidden() {
  m_viewMacroSetting.pageHidden();
}

void VELTView::windowShown() {
  if (!m_viewMacroSetting.isHidden()) m_viewMacroSetting.pageShown();
}

void VELTView::OnCmd(int32_t id) {
  logf("button %d click", id);
  if (id >= 1 && id <= 5) {
    showPage(id - 1);
  } else if (id >= kFirstProfileTabId && id < kFirstProfileTabId + kProfiles) {
    clickProfile(id - kFirstProfileTabId);
  } else if (id == kMainReset.id) {
    resetToDefault();
  } else if (id == kMainOK.id) {
    applay();
    m_viewMacroSetting.pageHidden();
    uiServices().hideApplication();
  } else if (id == kMainApply.id) {
    applay();
  } else if (id == kMainCancel.id) {
    m_viewMacroSetting.pageHidden();
    uiServices().hideApplication();
  }
}

void VELTView::getUIData() {
  m_viewMouseSetting.getUIData(*m_curProfile);
  m_viewSensor.getUIData(*m_curProfile);
  m_viewColorSetting.getUIData(*m_curProfile);
}

void VELTView::setUIData() {
  m_viewMouseSetting.setUIData(*m_curProfile);
  m_viewSensor.setUIData(*m_curProfile);
  m_viewColorSetting.setUIData(*m_curProfile);
  for (int i = 0; i < kProfiles; ++i) {
    profileTab(i).setCaption(profile(i).profileName());
    // An imported profile may come disabled: the tabs and OK and Apply follow.
    profileTab(i).setEnable(profile(i).enable() != 0);
  }
  followCurrentProfileEnable();
}

void VELTView::clickProfile(int index) {
  getUIData();
  // The page shown stays shown, and so does its tab's highlight.
  resetSettingTabState();
  for (int i = 0; i < kProfiles; ++i)
    if (!page(i).isHidden()) pageTab(i).setSelected(true);
  reSelectedProfile();
  profileTab(index).setSelected(true);
  m_curProfile = &profile(index);
  setUIData();
}

void VELTView::followCurrentProfileEnable() {
  bool enabled = m_curProfile->enable() != 0;
  m_BnApply.setEnable(enabled);
  m_BnOK.setEnable(enabled);
}

void VELTView::mouseDown(const MouseEvent&) {
  m_viewMouseSetting.hideMenu();
  KivMenu::hideMenuWindows();
  // The press goes on to the window, which the drag band lets the user move.
  passEvent();
}

void VELTView::mouseMoved(const MouseEvent& event) {
  if (!m_MainWindow) return;
  bool inBand = event.locationInWindow.y > kMainDragBandBottom;
  if (inBand != m_MainWindow->isMovableByWindowBackground())
    m_MainWindow->setMovableByWindowBackground(inBand);
}

void VELTView::alert(const std::string& message) {
  uiServices().alert("VELTPLUS", message);
}

}  // namespace velt
