// The check box, static and progress section and the colour section: check boxes that
// fill the progress bars and report in the static, four zone colour buttons, mode buttons
// and colour shift driving a running LED preview.
#include <array>
#include <string>

#include "toolkit/KivButton.h"
#include "toolkit/KivCbnColorButton.h"
#include "toolkit/KivCheckBox.h"
#include "toolkit/KivMouseStatic.h"
#include "toolkit/KivProgressCtrl.h"
#include "toolkit/KivStatic.h"
#include "toolkit/gallery/GallerySection.h"
#include "toolkit/gallery/gallery_images.h"
#include "toolkit/image_access.h"
#include "toolkit/layout/gallery_colour_layout.h"
#include "toolkit/place_control.h"

namespace velt {

namespace {

constexpr int32_t kMouseImageId = 98;
constexpr int32_t kColorPanelImageId = 124;

class ColourSection : public GallerySection {
 public:
  void build(KivImageView& page) override {
    buildChecks(page);
    buildColour(page);
  }

  void OnCmd(int32_t id) override {
    if (id == kGalleryColorShiftCheck.id) {
      m_StaticMouse.setColorShift(m_CheckColorShift.isCheck());
    } else if (id >= kGalleryModeLayouts[0].id && id <= kGalleryModeLayouts.back().id) {
      selectMode(id - kGalleryModeLayouts[0].id + 1);
    } else if (id >= kGalleryZoneColourLayouts[0].id && id <= kGalleryZoneColourLayouts.back().id) {
      pickZoneColour(id);
    } else {
      showChecks();
    }
  }

 private:
  void buildChecks(KivImageView& page) {
    for (size_t i = 0; i < m_Check.size(); ++i) {
      placeControl(*this, m_Check[i], kGalleryCheckLayouts[i], page);
      setStatePictures(m_Check[i], GalleryImage, kGalleryCheckLayouts[i]);
    }
    m_Check.back().enable(false);
    placeControl(*this, m_Static, kGalleryStatic, page);
    m_Static.setTextColor(Color::gray(190 / 255.0));
    m_Static.setFont(systemFont(11));
    for (KivProgressCtrl* bar : {&m_ProgressHorizontal, &m_ProgressVertical}) {
      const ControlLayout& layout =
          bar == &m_ProgressVertical ? kGalleryVerticalBar : kGalleryHorizontalBar;
      placeControl(*this, *bar, layout, page);
      bar->setImages(GalleryImage(0, layout.id, layout.frame),
                     GalleryImage(2, layout.id, layout.frame));
      bar->setMinMaxValue(0, 10);
    }
    m_ProgressVertical.setVertical(true);
    showChecks();
  }

  void buildColour(KivImageView& page) {
    placeControl(*this, m_StaticMouse, {kMouseImageId, kGalleryMousePreview, "LED preview"}, page);
    m_StaticMouse.setBkImage(GetImage(0, kMouseImageId, kGalleryMousePreview));
    const Image panel = GetImage(0, kColorPanelImageId, {});
    for (size_t i = 0; i < m_CbnZone.size(); ++i) {
      const ControlLayout& layout = kGalleryZoneColourLayouts[i];
      placeControl(*this, m_CbnZone[i], layout, page);
      const StatePictures pictures = statePictures(GalleryImage, layout);
      m_CbnZone[i].setImages(pictures.normal, pictures.over, pictures.down, pictures.disable,
                             panel);
    }
    for (size_t i = 0; i < m_BnMode.size(); ++i) {
      placeControl(*this, m_BnMode[i], kGalleryModeLayouts[i], page);
      setStatePictures(m_BnMode[i], GalleryImage, kGalleryModeLayouts[i]);
    }
    placeControl(*this, m_CheckColorShift, kGalleryColorShiftCheck, page);
    setStatePictures(m_CheckColorShift, GalleryImage, kGalleryColorShiftCheck);
    selectMode(4);
  }

  // The bars and the static follow how many boxes are checked.
  void showChecks() {
    int checked = 0;
    for (const KivCheckBox& box : m_Check) checked += box.isCheck() ? 1 : 0;
    m_ProgressHorizontal.setCurValue(checked * 10 / 3);
    m_ProgressVertical.setCurValue(checked * 10 / 3);
    m_Static.setCurText(std::to_string(checked) + " of 3 checked");
  }

  void selectMode(int32_t mode) {
    for (size_t i = 0; i < m_BnMode.size(); ++i)
      m_BnMode[i].setSelected(static_cast<int32_t>(i) + 1 == mode);
    m_StaticMouse.setMode(mode);
  }

  void pickZoneColour(int32_t id) {
    const size_t zone = static_cast<size_t>(id - kGalleryZoneColourLayouts[0].id);
    const std::optional<Color>& color = m_CbnZone[zone].color();
    if (!color) return;
    m_StaticMouse.setZoneColor(kLedZoneBits[zone], *color);
  }

  std::array<KivCheckBox, kGalleryCheckLayouts.size()> m_Check;
  KivStatic m_Static;
  KivProgressCtrl m_ProgressHorizontal;
  KivProgressCtrl m_ProgressVertical;
  KivMouseStatic m_StaticMouse;
  std::array<KivCbnColorButton, kGalleryZoneColourLayouts.size()> m_CbnZone;
  std::array<KivButton, kGalleryModeLayouts.size()> m_BnMode;
  KivCheckBox m_CheckColorShift;
};

const RegisterGallerySection kSection{[] { return std::make_unique<ColourSection>(); }};

}  // namespace

}  // namespace velt
