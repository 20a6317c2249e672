#include <gtest/gtest.h>

#include <QAccessible>
#include <QImage>
#include <QWidget>

#include "tests/support/window_driver.h"
#include "toolkit/KivButton.h"
#include "toolkit/platform/ViewWidget.h"

namespace velt {
namespace {

using test::RecordingView;
using test::WindowDriver;

const Size kSize{40, 20};
const Image kNormal = Image::filled(kSize, Color::fromRgb8(10, 10, 10));
const Image kOver = Image::filled(kSize, Color::fromRgb8(40, 40, 40));
const Image kDown = Image::filled(kSize, kAccentColor);
const Image kDisable = Image::filled(kSize, Color::fromRgb8(90, 90, 90));

enum class Step { Enter, Leave, Down, Up, Disable, Enable, Select, Unselect };

void apply(KivButton& button, Step step) {
  MouseEvent e;
  switch (step) {
    case Step::Enter:
      button.mouseEntered(e);
      break;
    case Step::Leave:
      button.mouseExited(e);
      break;
    case Step::Down:
      button.mouseDown(e);
      break;
    case Step::Up:
      button.mouseUp(e);
      break;
    case Step::Disable:
      button.setEnable(false);
      break;
    case Step::Enable:
      button.setEnable(true);
      break;
    case Step::Select:
      button.setSelected(true);
      break;
    case Step::Unselect:
      button.setSelected(false);
      break;
  }
}

struct StateCase {
  const char* name;
  std::vector<Step> steps;
  bool hasOver = true;
  bool hasDown = true;
  int32_t state;       // m_MouseState afterwards
  const Image* shown;  // picture drawn afterwards, nullptr for none
  size_t commands;     // OnCmd calls the parent got
};

void PrintTo(const StateCase& c, std::ostream* os) {
  *os << c.name;
}

class ButtonStates : public testing::TestWithParam<StateCase> {};

TEST_P(ButtonStates, FollowTheTable) {
  const StateCase& c = GetParam();
  RecordingView parent;
  KivButton button;
  button.initView(&parent, 5, {0, 0, kSize.width, kSize.height});
  button.setImages(kNormal, c.hasOver ? kOver : Image(), c.hasDown ? kDown : Image(), kDisable);
  for (Step s : c.steps) apply(button, s);

  EXPECT_EQ(button.mouseState(), c.state);
  Image shown = button.currentImage();
  if (c.shown)
    EXPECT_TRUE(shown.samePixels(*c.shown));
  else
    EXPECT_TRUE(shown.isNull());
  EXPECT_EQ(parent.commands.size(), c.commands);
  for (int32_t id : parent.commands) EXPECT_EQ(id, 5);
}

using S = Step;
INSTANTIATE_TEST_SUITE_P(
    KivButton, ButtonStates,
    testing::Values(
        StateCase{"fresh", {}, true, true, 0, &kNormal, 0},
        StateCase{"hovered", {S::Enter}, true, true, 1, &kOver, 0},
        StateCase{"left", {S::Enter, S::Leave}, true, true, 0, &kNormal, 0},
        StateCase{"pressed", {S::Enter, S::Down}, true, true, 2, &kDown, 0},
        StateCase{"clicked", {S::Enter, S::Down, S::Up}, true, true, 0, &kNormal, 1},
        StateCase{"up without down", {S::Up}, true, true, 0, &kNormal, 1},
        StateCase{"disabled ignores",
                  {S::Disable, S::Enter, S::Down, S::Up},
                  true,
                  true,
                  0,
                  &kDisable,
                  0},
        StateCase{"reenabled shows old state",
                  {S::Enter, S::Disable, S::Leave, S::Enable},
                  true,
                  true,
                  1,
                  &kOver,
                  0},
        StateCase{
            "disabled keeps state", {S::Enter, S::Down, S::Disable}, true, true, 2, &kDisable, 0},
        StateCase{"reenabled then clicked",
                  {S::Disable, S::Up, S::Enable, S::Down, S::Up},
                  true,
                  true,
                  0,
                  &kNormal,
                  1},
        StateCase{"selected", {S::Select}, true, true, 0, &kDown, 0},
        StateCase{"selected and hovered", {S::Select, S::Enter}, true, true, 1, &kDown, 0},
        StateCase{"selected without down", {S::Select}, true, false, 0, &kNormal, 0},
        StateCase{
            "selected hovered without down", {S::Select, S::Enter}, true, false, 1, &kOver, 0},
        StateCase{"unselected", {S::Select, S::Unselect}, true, true, 0, &kNormal, 0},
        StateCase{"hover without over image", {S::Enter}, false, true, 1, nullptr, 0},
        StateCase{
            "hover without over then leave", {S::Enter, S::Leave}, false, true, 0, &kNormal, 0},
        StateCase{"pressed without down image", {S::Down}, true, false, 2, nullptr, 0}),
    [](const testing::TestParamInfo<StateCase>& info) {
      std::string name = info.param.name;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(KivButton, CaptionColours) {
  EXPECT_EQ(buttonCaptionColor(false, true), Color::gray(150 / 255.0));
  EXPECT_EQ(buttonCaptionColor(true, true), Color::fromRgb8(179, 211, 53));
  EXPECT_EQ(buttonCaptionColor(true, false), (Color{1, 1, 1, 1}));
}

TEST(KivButton, NeverTakesKeyboardFocus) {
  KivButton button;
  button.initView(nullptr, 1, {0, 0, 10, 10});
  EXPECT_FALSE(button.acceptsFirstResponder());
  EXPECT_FALSE(button.becomeFirstResponder());
}

// Through Qt's dispatch: enter, press, leave with the button held, release elsewhere.
TEST(KivButton, CommandOnReleaseWhereverThePointerIs) {
  RecordingView root;
  WindowDriver driver(root);
  KivButton button;
  button.initView(&root, 9, {20, 20, kSize.width, kSize.height});
  button.setImages(kNormal, kOver, kDown, kDisable);
  root.addSubview(&button);

  driver.move({30, 30});
  EXPECT_EQ(button.mouseState(), 1);
  driver.press({30, 30});
  EXPECT_EQ(button.mouseState(), 2);
  driver.drag({150, 120});
  driver.release({150, 120});
  EXPECT_EQ(root.commands, std::vector<int32_t>{9});
}

TEST(KivButton, PaintsItsPictureAndCaption) {
  RecordingView root;
  WindowDriver driver(root);
  KivButton button;
  button.initView(&root, 3, {20, 20, 80, 20});
  button.setImages(Image::filled({80, 20}, Color::fromRgb8(10, 10, 10)), {}, {}, {});
  button.setCaption("Apply");
  button.setSelected(true);  // caption in the accent colour; no down image: normal picture
  root.addSubview(&button);

  QImage shot = widgetOf(button)->grab().toImage();
  ASSERT_EQ(shot.size(), QSize(80, 20));
  int accent = 0, background = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      QRgb p = shot.pixel(x, y);
      if (p == qRgb(10, 10, 10)) ++background;
      // Anti-aliased caption pixels lie between the background and the accent.
      if (qGreen(p) > 150 && qRed(p) > 120 && qBlue(p) < 80) ++accent;
    }
  EXPECT_GT(background, 1000);
  EXPECT_GT(accent, 10);
  // The caption starts 10 points in and sits 5 points up: nothing left of it.
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < 9; ++x) EXPECT_EQ(shot.pixel(x, y), qRgb(10, 10, 10));
}

TEST(KivButton, AccessibleAsAButtonNamedByItsCaption) {
  KivButton button;
  button.initView(nullptr, 3, {0, 0, 80, 20});
  button.setCaption("Apply");
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(button));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Button);
  EXPECT_EQ(a->text(QAccessible::Name), "Apply");
  button.setAccessibleName("Apply settings");
  EXPECT_EQ(a->text(QAccessible::Name), "Apply settings");
  button.setEnable(false);
  EXPECT_TRUE(a->state().disabled);
}

// A dialog closed by its own button: the parent destroys the button from inside OnCmd.
class ClosingParent : public KivImageView {
 public:
  void OnCmd(int32_t id) override {
    closedBy = id;
    button.reset();
  }
  std::unique_ptr<KivButton> button = std::make_unique<KivButton>();
  int32_t closedBy = 0;
};

TEST(KivButton, ParentMayDestroyTheButtonFromItsCommand) {
  ClosingParent root;
  WindowDriver driver(root);
  root.button->initView(&root, 4, {20, 20, 40, 20});
  root.addSubview(root.button.get());
  driver.click({30, 30});
  EXPECT_EQ(root.closedBy, 4);
  EXPECT_EQ(root.button, nullptr);
  processPendingEvents();  // the detached widget goes now
  driver.click({30, 30});  // reaches the parent's own widget without harm
  EXPECT_TRUE(root.subviews().empty());
}

// A checkable control reports its check state.
class Checkable : public KivImageView {
 public:
  AccessibleRole accessibleRole() const override { return AccessibleRole::CheckBox; }
  std::optional<bool> accessibleChecked() const override { return checked; }
  std::string accessibleValue() const override { return checked ? "1" : "0"; }
  bool checked = false;
};

TEST(Accessibility, CheckStateAndValueComeFromTheView) {
  Checkable box;
  box.initView(nullptr, 1, {0, 0, 10, 10});
  box.setAccessibleName("Angle snapping");
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(box));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::CheckBox);
  EXPECT_EQ(a->text(QAccessible::Name), "Angle snapping");
  EXPECT_TRUE(a->state().checkable);
  EXPECT_FALSE(a->state().checked);
  box.checked = true;
  EXPECT_TRUE(a->state().checked);
  EXPECT_EQ(a->text(QAccessible::Value), "1");
}

}  // namespace
}  // namespace velt
