// The sliders and scroll bar, the drop-down buttons with their menus, and the list box.
#include <utility>

#include "toolkit/KivComboxButton.h"
#include "toolkit/KivListBox.h"
#include "toolkit/KivScrollCtrl.h"
#include "toolkit/KivSliderCtrl.h"
#include "toolkit/KivSliderCtrl3D.h"
#include "toolkit/gallery/GallerySection.h"
#include "toolkit/gallery/gallery_images.h"
#include "toolkit/image_access.h"
#include "toolkit/layout/gallery_controls_layout.h"
#include "toolkit/layout/slider_scroll_layout.h"
#include "toolkit/place_control.h"

namespace velt {

namespace {

struct ScrollPictures {
  Image track = GetImage(0, kScrollTrackId, {});
  Image thumb = GetImage(0, kScrollThumbId, kScrollThumbPiece);
  Image thumbOver = GetImage(1, kScrollThumbId, kScrollThumbPiece);
  Image last = GetImage(0, kScrollLastId, kScrollLastPiece);
  Image lastOver = GetImage(1, kScrollLastId, kScrollLastPiece);
  Image next = GetImage(0, kScrollNextId, kScrollNextPiece);
  Image nextOver = GetImage(1, kScrollNextId, kScrollNextPiece);
};

class SlidersMenusSection : public GallerySection {
 public:
  void build(KivImageView& page) override {
    buildSliders(page);
    buildCombos(page);
    buildListBox(page);
  }

 private:
  void buildSliders(KivImageView& page) {
    const Image thumb = GetImage(0, kSliderThumbId, {});
    const Image disable = GetImage(0, kSliderDisableId, {});
    for (auto [slider, layout] : {std::pair{&m_Slider, kGallerySlider},
                                  std::pair{&m_SliderDisabled, kGalleryDisabledSlider}}) {
      placeControl(*this, *slider, layout, page);
      slider->setImages(GalleryImage(0, layout.id, layout.frame), thumb, thumb, disable);
      slider->setMinMaxValue(200, 1400, 200);
      slider->setCurValue(800, false);
    }
    m_SliderDisabled.enable(false);

    placeControl(*this, m_Slider3D, kGallerySlider3D, page);
    m_Slider3D.setImages(GalleryImage(0, kGallerySlider3D.id, kGallerySlider3D.frame),
                         GetImage(0, kSlider1Id, {}), GetImage(0, kSlider2Id, {}),
                         GetImage(0, kSlider3Id, {}));
    m_Slider3D.setMinMaxValue(400, 4000, 100);
    m_Slider3D.setCurValue1(800, false);
    m_Slider3D.setCurValue2(1600, false);
    m_Slider3D.setCurValue3(3200, false);

    ScrollPictures p;
    placeControl(*this, m_Scroll, kGalleryScroll, page);
    m_Scroll.setImage(p.track, p.thumb, p.thumbOver, p.last, p.lastOver, p.next, p.nextOver);
    m_Scroll.setMinMaxValue(0, 10);
    m_Scroll.setCurValue(3);
  }

  void buildCombos(KivImageView& page) {
    for (auto [combo, layout] :
         {std::pair{&m_CbnDown, kGalleryCombo}, std::pair{&m_CbnUp, kGalleryComboUp}}) {
      placeControl(*this, *combo, layout, page);
      setStatePictures(*combo, GalleryImage, layout);
      combo->insertItem(1, "Left click");
      combo->insertItem(2, "Right click");
      combo->insertItem(3, "Middle click");
      combo->insertItem(4, "Keys");
      combo->insertSubItem(41, 4, "Copy");
      combo->insertSubItem(42, 4, "Paste");
      combo->setSubMenuWidth(4, 90);
      combo->setCurItemID(1);
    }
    m_CbnUp.setPopMenuUp(true);
  }

  void buildListBox(KivImageView& page) {
    placeControl(*this, m_ListBox, kGalleryMacroList, page);
    ScrollPictures p;
    m_ListBox.setScrollImage(p.track, p.thumb, p.thumbOver, p.last, p.lastOver, p.next, p.nextOver);
    for (const char* name : {"Macro", "Reload", "Sprint", "Crouch"}) m_ListBox.addItem(name);
  }

  KivSliderCtrl m_Slider;
  KivSliderCtrl m_SliderDisabled;
  KivSliderCtrl3D m_Slider3D;
  KivScrollCtrl m_Scroll;
  KivComboxButton m_CbnDown;
  KivComboxButton m_CbnUp;
  KivListBox m_ListBox;
};

const RegisterGallerySection kSection{[] { return std::make_unique<SlidersMenusSection>(); }};

}  // namespace

}  // namespace velt
