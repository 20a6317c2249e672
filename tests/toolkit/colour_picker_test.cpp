#include <gtest/gtest.h>

#include <QAccessible>

#include "tests/support/window_driver.h"
#include "toolkit/KivCbnColorButton.h"
#include "toolkit/color_panel_layout.h"
#include "toolkit/platform/ViewWidget.h"

namespace velt {
namespace {

using test::RecordingView;

const Image kPanelPicture =
    Image::filled({kColorPanelWidth, kColorPanelHeight}, Color::fromRgb8(16, 16, 18));

MouseEvent at(double x, double y) {
  MouseEvent e;
  e.location = {x, y};
  return e;
}

// Records, at each OnCmd, the colour the button holds by then.
class ColourReadingParent : public KivImageView {
 public:
  void OnCmd(int32_t id) override {
    commands.push_back(id);
    for (KivCbnColorButton* b : buttons)
      if (b->viewID() == id) colours.push_back(b->color());
  }
  std::vector<KivCbnColorButton*> buttons;
  std::vector<int32_t> commands;
  std::vector<std::optional<Color>> colours;
};

void setUpButton(KivCbnColorButton& button, KivImageView& parent, int32_t id, double x) {
  button.initView(&parent, id, {x, 10, 30, 20});
  button.setImages(Image::filled({30, 20}, Color::fromRgb8(10, 10, 10)), {}, {}, {}, kPanelPicture);
}

void click(KivImageView& view, Point p = {5, 5}) {
  view.mouseDown(at(p.x, p.y));
  view.mouseUp(at(p.x, p.y));
}

TEST(ColorPanel, StartsHiddenInAHiddenWindowWithoutSquares) {
  RecordingView parent;
  KivCbnColorButton button;
  setUpButton(button, parent, 85, 0);
  ColorPanel& panel = *button.panel();
  EXPECT_FALSE(panel.isShowing());
  EXPECT_FALSE(panel.window()->isVisible());
  EXPECT_EQ(panel.parent(), &button);
  EXPECT_EQ(panel.viewID(), 85);
  EXPECT_TRUE(panel.buttons().empty());
  EXPECT_EQ(panel.colorInIndex(0), (Color{0, 0, 0, 1}));
}

TEST(ColorPanel, PopsUpWithItsTopLeftCornerAtThePoint) {
  RecordingView parent;
  KivCbnColorButton button;
  setUpButton(button, parent, 85, 0);
  ColorPanel& panel = *button.panel();
  panel.popPanel({300, 400});
  EXPECT_TRUE(panel.isShowing());
  EXPECT_TRUE(panel.window()->isVisible());
  EXPECT_EQ(panel.window()->frame(),
            (Rect{300, 400 - kColorPanelHeight, kColorPanelWidth, kColorPanelHeight}));
  EXPECT_EQ(panel.bounds(), (Rect{0, 0, kColorPanelWidth, kColorPanelHeight}));
  ASSERT_EQ(panel.buttons().size(), 20u);
  panel.hidePanel();
  EXPECT_FALSE(panel.isShowing());
  EXPECT_FALSE(panel.window()->isVisible());
}

TEST(ColorPanel, SquaresAreMeasuredFromTheBottomLeft) {
  RecordingView parent;
  KivCbnColorButton button;
  setUpButton(button, parent, 85, 0);
  ColorPanel& panel = *button.panel();
  panel.popPanel({0, 500});
  EXPECT_EQ(panel.logicRect(1, 1, 21, 21), (Rect{1, 61, 20, 20}));
  EXPECT_EQ(panel.buttons()[0].rect(), (Rect{1, 61, 20, 20}));
  EXPECT_EQ(panel.buttons()[19].rect(), (Rect{82, 1, 19, 19}));
  EXPECT_EQ(panel.buttons()[0].color(), Color::fromRgb8(210, 42, 44));
}

TEST(ColorPanel, ColourOutsideTheSquaresIsOpaqueBlack) {
  RecordingView parent;
  KivCbnColorButton button;
  setUpButton(button, parent, 85, 0);
  button.panel()->popPanel({0, 500});
  const ColorPanel& panel = *button.panel();
  EXPECT_EQ(panel.colorInIndex(-1), (Color{0, 0, 0, 1}));
  EXPECT_EQ(panel.colorInIndex(20), (Color{0, 0, 0, 1}));
  EXPECT_EQ(panel.colorInIndex(9), Color::fromRgb8(99, 255, 255));
  EXPECT_EQ(panel.colorInIndex(14), panel.colorInIndex(9));
}

struct HitCase {
  const char* where;
  Point point;  // in the panel's coordinates
  int picked;   // -1 for none
};

class PanelHits : public testing::TestWithParam<HitCase> {};

TEST_P(PanelHits, ReleasePicksTheSquareUnderIt) {
  const HitCase& c = GetParam();
  RecordingView parent;
  KivCbnColorButton button;
  setUpButton(button, parent, 86, 0);
  ColorPanel& panel = *button.panel();
  panel.popPanel({0, 500});
  panel.mouseDown(at(c.point.x, c.point.y));
  panel.mouseUp(at(c.point.x, c.point.y));
  if (c.picked < 0) {
    EXPECT_TRUE(parent.commands.empty());
    EXPECT_FALSE(button.color().has_value());
    EXPECT_TRUE(panel.isShowing()) << "a miss leaves the palette open";
  } else {
    EXPECT_EQ(parent.commands, std::vector<int32_t>{86});
    EXPECT_EQ(button.color(), panel.colorInIndex(c.picked));
    EXPECT_FALSE(panel.isShowing()) << "a pick closes the palette";
  }
}

INSTANTIATE_TEST_SUITE_P(ColorPanel, PanelHits,
                         testing::Values(HitCase{"square 0 first pixel", {1, 81}, 0},
                                         HitCase{"square 0 bottom right edge", {21, 61}, 0},
                                         HitCase{"gap between 0 and 1", {21.5, 70}, -1},
                                         HitCase{"square 1 left edge", {22, 70}, 1},
                                         HitCase{"left margin", {0.5, 70}, -1},
                                         HitCase{"gap between rows 0 and 1", {50, 60.5}, -1},
                                         HitCase{"square 7 middle", {50, 50}, 7},
                                         HitCase{"square 19 last pixel", {101, 1}, 19},
                                         HitCase{"right margin", {101.5, 1}, -1},
                                         HitCase{"bottom margin", {90, 0.5}, -1}),
                         [](const testing::TestParamInfo<HitCase>& info) {
                           std::string name = info.param.where;
                           for (char& ch : name)
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

TEST(KivCbnColorButton, ColourIsUpdatedBeforeItsCommand) {
  ColourReadingParent parent;
  KivCbnColorButton button;
  parent.buttons = {&button};
  setUpButton(button, parent, 87, 0);
  EXPECT_FALSE(button.color().has_value());
  click(button);
  ASSERT_TRUE(button.panel()->isShowing());
  button.panel()->subMsg(87, 0);  // nothing happens: the panel's own fallback only logs
  EXPECT_TRUE(parent.commands.empty());
  button.subMsg(87, 4);
  ASSERT_EQ(parent.colours.size(), 1u);
  EXPECT_EQ(parent.colours[0], Color::fromRgb8(252, 255, 0));
}

TEST(KivCbnColorButton, ClickTogglesThePaletteAndAPickClosesIt) {
  RecordingView parent;
  KivCbnColorButton button;
  setUpButton(button, parent, 85, 0);
  ColorPanel& panel = *button.panel();
  click(button);
  EXPECT_TRUE(panel.isShowing());
  EXPECT_EQ(button.mouseState(), 0);
  click(button);
  EXPECT_FALSE(panel.isShowing()) << "a second click closes it";
  click(button);
  click(panel, {10, 70});
  EXPECT_FALSE(panel.isShowing());
  click(button);
  EXPECT_TRUE(panel.isShowing()) << "and the next click opens it again";
  EXPECT_EQ(parent.commands, std::vector<int32_t>{85}) << "only the pick reports";
}

TEST(KivCbnColorButton, TwoButtonsHaveTheirOwnPalettes) {
  ColourReadingParent parent;
  KivCbnColorButton first;
  KivCbnColorButton second;
  parent.buttons = {&first, &second};
  setUpButton(first, parent, 85, 0);
  setUpButton(second, parent, 88, 40);
  EXPECT_NE(first.panel(), second.panel());
  click(first);
  click(second);
  click(*second.panel(), {30, 70});  // square 1
  click(*first.panel(), {90, 10});   // square 19
  EXPECT_EQ(parent.commands, (std::vector<int32_t>{88, 85}));
  EXPECT_EQ(second.color(), Color::fromRgb8(246, 115, 77));
  EXPECT_EQ(first.color(), Color::fromRgb8(245, 47, 44));
}

TEST(KivCbnColorButton, DisabledButtonIgnoresTheMouse) {
  RecordingView parent;
  KivCbnColorButton button;
  setUpButton(button, parent, 85, 0);
  button.enable(false);
  button.mouseEntered({});
  EXPECT_EQ(button.mouseState(), 0);
  click(button);
  EXPECT_FALSE(button.panel()->isShowing());
  button.enable(true);
  click(button);
  EXPECT_TRUE(button.panel()->isShowing());
}

TEST(KivCbnColorButton, PicturesFollowTheMouseButNotTheSelection) {
  RecordingView parent;
  KivCbnColorButton button;
  button.initView(&parent, 85, {0, 0, 30, 20});
  const Image normal = Image::filled({30, 20}, Color::fromRgb8(10, 10, 10));
  const Image over = Image::filled({30, 20}, Color::fromRgb8(40, 40, 40));
  const Image down = Image::filled({30, 20}, kAccentColor);
  const Image disable = Image::filled({30, 20}, Color::fromRgb8(90, 90, 90));
  button.setImages(normal, over, down, disable, kPanelPicture);
  EXPECT_TRUE(button.panel()->bkImage().samePixels(kPanelPicture));
  button.setSelected(true);
  EXPECT_TRUE(button.selected());
  EXPECT_TRUE(button.currentImage().samePixels(normal));
  button.mouseEntered({});
  EXPECT_TRUE(button.currentImage().samePixels(over));
  button.mouseDown({});
  EXPECT_TRUE(button.currentImage().samePixels(down));
  button.enable(false);
  EXPECT_TRUE(button.currentImage().samePixels(disable));
  button.enable(true);
  button.setImages(normal, {}, {}, {}, kPanelPicture);
  EXPECT_TRUE(button.currentImage().samePixels(normal)) << "normal when no other applies";
}

TEST(KivCbnColorButton, AccessibleAsAButtonWithThePickedColour) {
  RecordingView parent;
  KivCbnColorButton button;
  setUpButton(button, parent, 85, 0);
  button.setAccessibleName("Scroll wheel colour");
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(button));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Button);
  EXPECT_EQ(a->text(QAccessible::Name), "Scroll wheel colour");
  EXPECT_EQ(a->text(QAccessible::Value), "");
  click(button);
  button.subMsg(85, 0);
  EXPECT_EQ(a->text(QAccessible::Value), "#D22A2C");
}

TEST(ColorPanel, AccessibleAsAListOfColours) {
  RecordingView parent;
  KivCbnColorButton button;
  setUpButton(button, parent, 85, 0);
  button.panel()->setAccessibleName("Colour palette");
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(*button.panel()));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::List);
  EXPECT_EQ(a->text(QAccessible::Name), "Colour palette");
  EXPECT_EQ(a->childCount(), 0) << "no squares before the first pop-up";
  click(button);
  ASSERT_EQ(a->childCount(), 20);
  QAccessibleInterface* square = a->child(12);
  ASSERT_NE(square, nullptr);
  EXPECT_EQ(square->role(), QAccessible::ListItem);
  EXPECT_EQ(square->text(QAccessible::Name), "#4D7CFF");
  EXPECT_EQ(a->child(9)->text(QAccessible::Name), a->child(14)->text(QAccessible::Name));
  EXPECT_EQ(square->rect().size(), QSize(19, 19));
}

// Through Qt: the palette opens beneath the button on the screen, and a click in its own
// window reaches the square.
TEST(KivCbnColorButton, PaletteWindowTakesTheClick) {
  RecordingView root;
  test::WindowDriver driver(root, {200, 150});
  KivCbnColorButton button;
  setUpButton(button, root, 85, 20);
  root.addSubview(&button);
  driver.click({30, 15});
  ColorPanel& panel = *button.panel();
  ASSERT_TRUE(panel.window()->isVisible());
  const Point corner = button.convertToScreen({0, 0});
  EXPECT_EQ(panel.window()->frame().x, corner.x);
  EXPECT_EQ(panel.window()->frame().maxY(), corner.y);
  QWidget* panelWindow = widgetOf(*panel.window());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(panelWindow));
  // Square 12 lies at x 42..61, 42..61 pixels down from the top.
  QTest::mouseClick(panelWindow->windowHandle(), Qt::LeftButton, {}, QPoint(50, 50));
  EXPECT_EQ(root.commands, std::vector<int32_t>{85});
  EXPECT_EQ(button.color(), Color::fromRgb8(77, 124, 255));
  EXPECT_FALSE(panel.window()->isVisible());
}

}  // namespace
}  // namespace velt
