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

namespace velt {

namespace {

constexpr int32_t kMouseImageId = 98;
constexpr int32_t kColorPanelImageId = 124;

template <typename Control>
void setFourImages(Control& control, const ControlLayout& layout) {
  control.setImages(
      GalleryImage(0, layout.id, layout.frame), GalleryImage(1, layout.id, layout.frame),
      GalleryImage(2, layout.id, layout.frame), GalleryImage(3, layout.id, layout.frame));
}

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
      addLabelled(page, m_Check[i], kGalleryCheckLayouts[i]);
      setFourImages(m_Check[i], kGalleryCheckLayouts[i]);
    }
    m_Check.back().enable(false);
    addLabelled(page, m_Static, kGalleryStatic);
    m_Static.setTextColor(Color::gray(190 / 255.0));
    m_Static.setFont(systemFont(11));
    for (KivProgressCtrl* bar : {&m_ProgressHorizontal, &m_ProgressVertical}) {
      const ControlLayout& layout =
          bar == &m_ProgressVertical ? kGalleryVerticalBar : kGalleryHorizontalBar;
      addLabelled(page, *bar, layout);
      bar->setImages(GalleryImage(0, layout.id, layout.frame),
                     GalleryImage(2, layout.id, layout.frame));
      bar->setMinMaxValue(0, 10);
    }
    m_ProgressVertical.setVertical(true);
    showChecks();
  }

  void buildColour(KivImageView& page) {
    m_StaticMouse.initView(this, kMouseImageId, kGalleryMousePreview);
    m_StaticMouse.setBkImage(GetImage(0, kMouseImageId, kGalleryMousePreview));
    m_StaticMouse.setAccessibleName("LED preview");
    page.addSubview(&m_StaticMouse);
    const Image panel = GetImage(0, kColorPanelImageId, {});
    for (size_t i = 0; i < m_CbnZone.size(); ++i) {
      const ControlLayout& layout = kGalleryZoneColourLayouts[i];
      addLabelled(page, m_CbnZone[i], layout);
      m_CbnZone[i].setImages(GalleryImage(0, layout.id, layout.frame),
                             GalleryImage(1, layout.id, layout.frame),
                             GalleryImage(2, layout.id, layout.frame),
                             GalleryImage(3, layout.id, layout.frame), panel);
    }
    for (size_t i = 0; i < m_BnMode.size(); ++i) {
      addLabelled(page, m_BnMode[i], kGalleryModeLayouts[i]);
      setFourImages(m_BnMode[i], kGalleryModeLayouts[i]);
    }
    addLabelled(page, m_CheckColorShift, kGalleryColorShiftCheck);
    setFourImages(m_CheckColorShift, kGalleryColorShiftCheck);
    selectMode(4);
  }

  void addLabelled(KivImageView& page, KivImageView& control, const ControlLayout& layout) {
    control.initView(this, layout.id, layout.frame);
    control.setAccessibleName(layout.wording);
    page.addSubview(&control);
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
