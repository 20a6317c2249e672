#include "toolkit/gallery/GalleryView.h"

#include "toolkit/gallery/gallery_images.h"
#include "toolkit/layout/gallery_layout.h"

namespace velt {

std::vector<GallerySectionFactory>& gallerySectionFactories() {
  static std::vector<GallerySectionFactory> factories;
  return factories;
}

GalleryView::GalleryView() {
  Rect bounds{0, 0, kGallerySize.width, kGallerySize.height};
  initView(nullptr, kGalleryBackgroundId, bounds);
  setBkImage(GalleryImage(0, kGalleryBackgroundId, bounds));
  setAccessibleName("Control gallery");
  for (const GallerySectionFactory& factory : gallerySectionFactories()) {
    sections_.push_back(factory());
    sections_.back()->build(*this);
  }
}

}  // namespace velt
