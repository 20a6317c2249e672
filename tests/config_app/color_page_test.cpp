// The lighting page in the main window: profiles shown and stored, the switches, zones,
// palette, modes and colour shift, the red, green and blue fields with their poll, and
// the preview.
#include <gtest/gtest.h>

#include "tests/config_app/config_app_test_support.h"
#include "toolkit/led_animation.h"

namespace velt::test {
namespace {

constexpr int kZones = 4;

RgbaColor rgb8(int r, int g, int b) {
  return {r / 255.0, g / 255.0, b / 255.0, 1.0};
}

// The bytes the mouse gets for a colour.
struct Rgb {
  int red, green, blue;
  bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << c.red << ", " << c.green << ", " << c.blue;
}

Rgb bytesOf(const RgbaColor& c) {
  const auto byte = [](double component) {
    return static_cast<int>(static_cast<float>(component * 255.0));
  };
  return {byte(c.red), byte(c.green), byte(c.blue)};
}

class ColorPage : public MainViewFixture {
 protected:
  void SetUp() override {
    MainViewFixture::SetUp();
    useNoMouse();
    start();
    profile.initProfile();
  }
  ColorSettingView& page() { return view->colorSettingView(); }
  ColorSettingView& showPage() {
    click(view->pageTab(2));
    return page();
  }
  void pollFields() { advanceTimers(ColorSettingView::kFieldPollInterval); }
  std::array<std::string, 3> fieldTexts() {
    return {page().redField().text(), page().greenField().text(), page().blueField().text()};
  }
  Profile stored() {
    Profile p;
    p.initProfile();
    page().getUIData(p);
    return p;
  }
  Profile profile;
};

TEST_F(ColorPage, PerZoneEffectsShowTheZonesCheckedAndLitByTheirBits) {
  profile.setLEDEffects(19);  // zone selection with the scroll wheel and the DPI indicator
  page().setUIData(profile);
  EXPECT_TRUE(page().ledSelectButton().selected());
  EXPECT_FALSE(page().ledOnButton().selected());
  EXPECT_FALSE(page().ledOffButton().selected());
  const bool lit[kZones] = {true, true, false, false};
  const int32_t bits[kZones] = {1, 2, 4, 8};
  for (int zone = 0; zone < kZones; ++zone) {
    EXPECT_FALSE(page().zoneCheck(zone).isHidden()) << zone;
    EXPECT_FALSE(page().zoneColorButton(zone).isHidden()) << zone;
    EXPECT_EQ(page().zoneCheck(zone).isCheck(), lit[zone]) << zone;
    EXPECT_EQ(page().preview().isLit(bits[zone]), lit[zone]) << zone;
  }
  EXPECT_EQ(stored().ledEffects(), 19u);

  // Choosing zone selection again starts from no zone at all.
  showPage();
  click(page().ledSelectButton());
  for (int zone = 0; zone < kZones; ++zone) {
    EXPECT_FALSE(page().zoneCheck(zone).isCheck()) << zone;
    EXPECT_FALSE(page().preview().isLit(bits[zone])) << zone;
  }
  click(page().zoneCheck(3));
  EXPECT_TRUE(page().preview().isLit(8));
  EXPECT_EQ(stored().ledEffects(), 24u);
}

TEST_F(ColorPage, EffectsNeitherOnOffNorZonesSelectNoSwitchAndStoreOff) {
  profile.setLEDEffects(5);
  page().setUIData(profile);
  for (KivButton* b : {&page().ledOnButton(), &page().ledOffButton(), &page().ledSelectButton()})
    EXPECT_FALSE(b->selected());
  for (int zone = 0; zone < kZones; ++zone) EXPECT_TRUE(page().zoneCheck(zone).isHidden());
  EXPECT_EQ(stored().ledEffects(), 0u);

  for (uint32_t effects : {0u, 15u}) {
    profile.setLEDEffects(effects);
    page().setUIData(profile);
    EXPECT_EQ(page().ledOnButton().selected(), effects == 15);
    EXPECT_EQ(page().ledOffButton().selected(), effects == 0);
    EXPECT_EQ(stored().ledEffects(), effects);
  }
}

TEST_F(ColorPage, ColourShiftWithBlinkingDisablesThePaletteAndFieldsAndStoresBack) {
  profile.setLEDMode(18);
  page().setUIData(profile);
  EXPECT_TRUE(page().colorShiftButton().selected());
  EXPECT_FALSE(page().solidColorButton().selected());
  EXPECT_TRUE(page().modeButton(2).selected());
  EXPECT_EQ(page().preview().getMode(), 2);
  EXPECT_TRUE(page().preview().IsColorShift());
  for (int i = 0; i < 20; ++i) EXPECT_FALSE(page().paletteButton(i).isEnabled()) << i;
  EXPECT_FALSE(page().redField().isEditable());
  EXPECT_EQ(stored().ledMode(), 18u);

  // A palette click is impossible; per-zone colours stay usable.
  showPage();
  const std::array<std::string, 3> before = fieldTexts();
  click(page().paletteButton(0));
  EXPECT_EQ(fieldTexts(), before);
  click(page().ledSelectButton());
  KivCbnColorButton& logo = page().zoneColorButton(3);
  click(logo);  // opens its palette
  logo.subMsg(logo.viewID(), 2);
  ASSERT_TRUE(logo.color());
  EXPECT_EQ(page().preview().savedColor(8), *logo.color());

  click(page().solidColorButton());
  EXPECT_TRUE(page().paletteButton(0).isEnabled());
  EXPECT_TRUE(page().redField().isEditable());
  click(page().modeButton(4));
  EXPECT_EQ(stored().ledMode(), 4u);
  EXPECT_EQ(page().preview().getMode(), 4);
  EXPECT_NE(page().preview().timerMode(), nullptr) << "breathing animates";
}

TEST_F(ColorPage, PaletteColoursAreExactAndNamedByTheirValues) {
  showPage();
  struct Case {
    int index;
    int red, green, blue;
  } cases[] = {{0, 209, 41, 43}, {4, 252, 255, 0}, {12, 77, 124, 255}, {19, 245, 47, 44}};
  for (const Case& c : cases) {
    KivButton& swatch = page().paletteButton(c.index);
    EXPECT_EQ(swatch.viewID(), 65 + c.index);
    EXPECT_EQ(swatch.accessibleName(), "Colour " + std::to_string(c.red) + ", " +
                                           std::to_string(c.green) + ", " + std::to_string(c.blue));
    click(swatch);
    EXPECT_EQ(fieldTexts(),
              (std::array<std::string, 3>{std::to_string(c.red), std::to_string(c.green),
                                          std::to_string(c.blue)}));
    const Profile p = stored();
    EXPECT_EQ(bytesOf(p.dpiButtonsColor()), (Rgb{c.red, c.green, c.blue})) << c.index;
  }
}

TEST_F(ColorPage, TheFieldPollReadsTheLastThreeCharactersAndCapsAt255) {
  showPage();
  page().redField().setText("1234");
  page().greenField().setText("300");
  page().blueField().setText("abc");
  pollFields();
  EXPECT_EQ(fieldTexts(), (std::array<std::string, 3>{"234", "255", "0"}));
  EXPECT_EQ(bytesOf(stored().scrollWheelColor()), (Rgb{234, 255, 0}));

  // Hidden, the page polls nothing.
  click(view->pageTab(1));
  page().redField().setText("12");
  pollFields();
  EXPECT_EQ(page().redField().text(), "12");
  EXPECT_EQ(bytesOf(stored().scrollWheelColor()), (Rgb{234, 255, 0}));
}

TEST_F(ColorPage, BehindAnotherPageOrInAHiddenWindowThePreviewAndPollDoNothing) {
  showPage();
  click(page().modeButton(4));  // breathing
  click(page().colorShiftButton());
  const auto still = [&] {
    const LedAnimationState before = ledAnimationState();
    const Color colour = page().preview().currentColor(1);
    page().redField().setText("12");
    advanceTimers(std::chrono::seconds(2));
    EXPECT_EQ(ledAnimationState().time, before.time);
    EXPECT_EQ(ledAnimationState().clRed, before.clRed);
    EXPECT_EQ(page().preview().currentColor(1), colour);
    EXPECT_EQ(page().redField().text(), "12") << "not polled";
  };
  click(view->pageTab(0));
  still();
  click(view->pageTab(2));
  window->orderOut();
  still();

  window->orderFront();
  const int32_t time = ledAnimationState().time;
  advanceTimers(std::chrono::seconds(1));
  EXPECT_NE(ledAnimationState().time, time) << "shown again, it animates";
}

TEST_F(ColorPage, PerZoneColoursOfAProfileSurviveTheFieldPoll) {
  profile.setLEDEffects(31);
  profile.setScrollWheelColor(rgb8(10, 20, 30));
  profile.setDpiIndicotorColor(rgb8(40, 50, 60));
  profile.setDpiButtonsColor(rgb8(70, 80, 90));
  profile.setLogoTypeColor(rgb8(100, 110, 120));
  page().setUIData(profile);
  showPage();
  pollFields();
  pollFields();
  const Profile p = stored();
  EXPECT_EQ(bytesOf(p.scrollWheelColor()), (Rgb{10, 20, 30}));
  EXPECT_EQ(bytesOf(p.dpiIndicotorColor()), (Rgb{40, 50, 60}));
  EXPECT_EQ(bytesOf(p.dpiButtonsColor()), (Rgb{70, 80, 90}));
  EXPECT_EQ(bytesOf(p.logoTypeColor()), (Rgb{100, 110, 120}));
  EXPECT_EQ(fieldTexts(), (std::array<std::string, 3>{"100", "110", "120"}));

  // What the user types still applies to every zone.
  page().greenField().setText("7");
  pollFields();
  EXPECT_EQ(bytesOf(stored().scrollWheelColor()), (Rgb{100, 7, 120}));
}

TEST_F(ColorPage, ControlsCarryTheNamesAPersonReads) {
  std::vector<std::string> names;
  for (KivImageView* control : page().subviews())
    if (control->viewID() < 65 || control->viewID() > 84)
      names.push_back(control->accessibleName());
  EXPECT_EQ(names, (std::vector<std::string>{"LED on",
                                             "LED off",
                                             "Select zones",
                                             "Scroll wheel",
                                             "DPI indicator",
                                             "DPI buttons",
                                             "Logo",
                                             "Colour shift",
                                             "Fixed colour",
                                             "Solid",
                                             "Blinking",
                                             "Pulsating",
                                             "Breathing",
                                             "Scroll wheel colour",
                                             "DPI indicator colour",
                                             "DPI buttons colour",
                                             "Logo colour",
                                             "Red",
                                             "Green",
                                             "Blue",
                                             "Lighting preview"}));
}

}  // namespace
}  // namespace velt::test
