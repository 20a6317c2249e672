// The buttons section: plain buttons, three tabs with radio behaviour kept by the section,
// a disabled button and one with a caption of its own.
#include <array>

#include "toolkit/KivButton.h"
#include "toolkit/gallery/GallerySection.h"
#include "toolkit/gallery/gallery_images.h"
#include "toolkit/layout/gallery_layout.h"
#include "toolkit/place_control.h"

namespace velt {

namespace {

class ButtonsSection : public GallerySection {
 public:
  void build(KivImageView& page) override {
    for (size_t i = 0; i < m_Bn.size(); ++i) {
      const ControlLayout& layout = kGalleryButtonLayouts[i];
      KivButton& button = m_Bn[i];
      placeControl(*this, button, layout, page);
      setStatePictures(button, GalleryImage, layout);
    }
    button(kGalleryFirstTab).setSelected(true);
    button(kGalleryDisabledButton).setEnable(false);
    button(kGalleryCaptionButton).setCaption("Caption");
    button(kGalleryCaptionButton).setAccessibleName({});
  }

  void OnCmd(int32_t id) override {
    if (id < kGalleryFirstTab || id > kGalleryLastTab) return;
    for (int32_t tab = kGalleryFirstTab; tab <= kGalleryLastTab; ++tab)
      button(tab).setSelected(tab == id);
  }

 private:
  KivButton& button(int32_t id) { return m_Bn[id - kGalleryButtonLayouts[0].id]; }

  std::array<KivButton, kGalleryButtonLayouts.size()> m_Bn;
};

const RegisterGallerySection kSection{[] { return std::make_unique<ButtonsSection>(); }};

}  // namespace

}  // namespace velt
