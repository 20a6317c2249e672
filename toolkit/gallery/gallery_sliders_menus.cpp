// The sliders and scroll bar, the drop-down buttons with their menus, and the list box.
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
    Image thumb = GetImage(0, kSliderThumbId, {}), disable = GetImage(0, kSliderDisableId, {});
    KivSliderCtrl* sliders[] = {&m_Slider, &m_SliderDisabled};
    const Rect frames[] = {kGallerySliderFrame, kGalleryDisabledSliderFrame};
    const int32_t ids[] = {kGallerySliderId, kGalleryDisabledSliderId};
    for (int i = 0; i < 2; ++i) {
      sliders[i]->initView(this, ids[i], frames[i]);
      sliders[i]->setImages(GalleryImage(0, ids[i], frames[i]), thumb, thumb, disable);
      sliders[i]->setMinMaxValue(200, 1400, 200);
      sliders[i]->setCurValue(800, false);
      page.addSubview(sliders[i]);
    }
    m_Slider.setAccessibleName("Pointer speed");
    m_SliderDisabled.setAccessibleName("Lift-off distance");
    m_SliderDisabled.enable(false);

    m_Slider3D.initView(this, kGallerySlider3DId, kGallerySlider3DFrame);
    m_Slider3D.setImages(GalleryImage(0, kGallerySlider3DId, kGallerySlider3DFrame),
                         GetImage(0, kSlider1Id, {}), GetImage(0, kSlider2Id, {}),
                         GetImage(0, kSlider3Id, {}));
    m_Slider3D.setMinMaxValue(400, 4000, 100);
    m_Slider3D.setCurValue1(800, false);
    m_Slider3D.setCurValue2(1600, false);
    m_Slider3D.setCurValue3(3200, false);
    m_Slider3D.setAccessibleName("DPI levels");
    page.addSubview(&m_Slider3D);

    ScrollPictures p;
    m_Scroll.initView(this, kGalleryScrollId, kGalleryScrollFrame);
    m_Scroll.setImage(p.track, p.thumb, p.thumbOver, p.last, p.lastOver, p.next, p.nextOver);
    m_Scroll.setMinMaxValue(0, 10);
    m_Scroll.setCurValue(3);
    m_Scroll.setAccessibleName("Scroll bar");
    page.addSubview(&m_Scroll);
  }

  void buildCombos(KivImageView& page) {
    KivComboxButton* combos[] = {&m_CbnDown, &m_CbnUp};
    const Rect frames[] = {kGalleryComboFrame, kGalleryComboUpFrame};
    const int32_t ids[] = {kGalleryComboId, kGalleryComboUpId};
    for (int i = 0; i < 2; ++i) {
      KivComboxButton& combo = *combos[i];
      combo.initView(this, ids[i], frames[i]);
      combo.setImages(GalleryImage(0, ids[i], frames[i]), GalleryImage(1, ids[i], frames[i]),
                      GalleryImage(2, ids[i], frames[i]), GalleryImage(3, ids[i], frames[i]));
      combo.insertItem(1, "Left click");
      combo.insertItem(2, "Right click");
      combo.insertItem(3, "Middle click");
      combo.insertItem(4, "Keys");
      combo.insertSubItem(41, 4, "Copy");
      combo.insertSubItem(42, 4, "Paste");
      combo.setSubMenuWidth(4, 90);
      combo.setCurItemID(1);
      page.addSubview(&combo);
    }
    m_CbnDown.setAccessibleName("Button 1");
    m_CbnUp.setAccessibleName("Button 2");
    m_CbnUp.setPopMenuUp(true);
  }

  void buildListBox(KivImageView& page) {
    m_ListBox.initView(this, kGalleryListBoxId, kGalleryListBoxFrame);
    ScrollPictures p;
    m_ListBox.setScrollImage(p.track, p.thumb, p.thumbOver, p.last, p.lastOver, p.next, p.nextOver);
    for (const char* name : {"Macro", "Reload", "Sprint", "Crouch"}) m_ListBox.addItem(name);
    m_ListBox.setAccessibleName("Macros");
    page.addSubview(&m_ListBox);
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
