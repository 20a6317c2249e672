#include <gtest/gtest.h>

#include <QAccessible>

#include "tests/support/window_driver.h"
#include "tests/toolkit/render_support.h"
#include "toolkit/KivCheckBox.h"
#include "toolkit/platform/ViewWidget.h"

namespace velt {
namespace {

using test::RecordingView;

const Size kSize{16, 16};
const Image kNormal = Image::filled(kSize, Color::fromRgb8(10, 10, 10));
const Image kOver = Image::filled(kSize, Color::fromRgb8(40, 40, 40));
const Image kDown = Image::filled(kSize, kAccentColor);
const Image kDisable = Image::filled(kSize, Color::fromRgb8(90, 90, 90));

enum class Step { Enter, Leave, Down, Up, Disable, Enable, Check, Uncheck };

void apply(KivCheckBox& box, Step step) {
  MouseEvent e;
  switch (step) {
    case Step::Enter:
      box.mouseEntered(e);
      break;
    case Step::Leave:
      box.mouseExited(e);
      break;
    case Step::Down:
      box.mouseDown(e);
      break;
    case Step::Up:
      box.mouseUp(e);
      break;
    case Step::Disable:
      box.enable(false);
      break;
    case Step::Enable:
      box.enable(true);
      break;
    case Step::Check:
      box.check(true);
      break;
    case Step::Uncheck:
      box.check(false);
      break;
  }
}

struct StateCase {
  const char* name;
  std::vector<Step> steps;
  bool hasOver;
  bool hasDown;
  int32_t state;
  bool checked;
  const Image* shown;  // nullptr for none
  size_t commands;
};

class CheckBoxStates : public testing::TestWithParam<StateCase> {};

TEST_P(CheckBoxStates, FollowTheTable) {
  const StateCase& c = GetParam();
  RecordingView parent;
  KivCheckBox box;
  box.initView(&parent, 61, {0, 0, kSize.width, kSize.height});
  box.setImages(kNormal, c.hasOver ? kOver : Image(), c.hasDown ? kDown : Image(), kDisable);
  for (Step s : c.steps) apply(box, s);

  EXPECT_EQ(box.mouseState(), c.state);
  EXPECT_EQ(box.isCheck(), c.checked);
  const Image shown = box.currentImage();
  if (c.shown)
    EXPECT_TRUE(shown.samePixels(*c.shown));
  else
    EXPECT_TRUE(shown.isNull());
  EXPECT_EQ(parent.commands, std::vector<int32_t>(c.commands, 61));
}

using S = Step;
INSTANTIATE_TEST_SUITE_P(
    KivCheckBox, CheckBoxStates,
    testing::Values(
        StateCase{"fresh", {}, true, true, 0, false, &kNormal, 0},
        StateCase{"hovered", {S::Enter}, true, true, 1, false, &kOver, 0},
        StateCase{"left", {S::Enter, S::Leave}, true, true, 0, false, &kNormal, 0},
        StateCase{"pressed", {S::Enter, S::Down}, true, true, 2, false, &kDown, 0},
        StateCase{"clicked", {S::Enter, S::Down, S::Up}, true, true, 0, true, &kDown, 1},
        StateCase{
            "clicked twice", {S::Down, S::Up, S::Down, S::Up}, true, true, 0, false, &kNormal, 2},
        StateCase{"checked and hovered", {S::Check, S::Enter}, true, true, 1, true, &kDown, 0},
        StateCase{"checked without down", {S::Check}, true, false, 0, true, &kNormal, 0},
        StateCase{
            "checked hovered without down", {S::Check, S::Enter}, true, false, 1, true, &kOver, 0},
        StateCase{"hovered without over", {S::Enter}, false, true, 1, false, nullptr, 0},
        StateCase{"pressed without down", {S::Down}, true, false, 2, false, nullptr, 0},
        StateCase{"unchecked", {S::Check, S::Uncheck}, true, true, 0, false, &kNormal, 0},
        StateCase{"disabled", {S::Disable}, true, true, 0, false, &kDisable, 0},
        StateCase{"disabled still clicks",
                  {S::Disable, S::Enter, S::Down, S::Up},
                  true,
                  true,
                  0,
                  true,
                  &kDisable,
                  1},
        StateCase{"disabled still hovers",
                  {S::Disable, S::Enter, S::Enable},
                  true,
                  true,
                  1,
                  false,
                  &kOver,
                  0},
        StateCase{"disabled checked then enabled",
                  {S::Disable, S::Down, S::Up, S::Enable},
                  true,
                  true,
                  0,
                  true,
                  &kDown,
                  1}),
    [](const testing::TestParamInfo<StateCase>& info) {
      std::string name = info.param.name;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

// The parent reads the new state from inside OnCmd.
class StateReadingParent : public KivImageView {
 public:
  void OnCmd(int32_t) override { seen.push_back(box->isCheck()); }
  KivCheckBox* box = nullptr;
  std::vector<bool> seen;
};

TEST(KivCheckBox, IsToggledBeforeItsCommand) {
  StateReadingParent parent;
  KivCheckBox box;
  parent.box = &box;
  box.initView(&parent, 62, {0, 0, 16, 16});
  box.mouseDown({});
  box.mouseUp({});
  box.mouseDown({});
  box.mouseUp({});
  EXPECT_EQ(parent.seen, (std::vector<bool>{true, false}));
}

TEST(KivCheckBox, CheckRedrawsOnlyOnAChange) {
  test::Counted<KivCheckBox> box;
  box.initView(nullptr, 63, {0, 0, 16, 16});
  const int before = box.counts().redraws;
  box.check(false);
  EXPECT_EQ(box.counts().redraws, before);
  box.check(true);
  EXPECT_EQ(box.counts().redraws, before + 1);
  box.check(true);
  EXPECT_EQ(box.counts().redraws, before + 1);
}

TEST(KivCheckBox, DrawsTheCheckedPicture) {
  KivCheckBox box;
  box.initView(nullptr, 64, {0, 0, kSize.width, kSize.height});
  box.setImages(kNormal, kOver, kDown, kDisable);
  EXPECT_EQ(test::pixelAt(test::render(box), 8, 8), qRgb(10, 10, 10));
  box.check(true);
  EXPECT_EQ(test::pixelAt(test::render(box), 8, 8), qRgb(179, 211, 53));
}

TEST(KivCheckBox, AccessibleAsACheckBoxWithItsState) {
  KivCheckBox box;
  box.initView(nullptr, 61, {0, 0, 16, 16});
  box.setAccessibleName("Scroll wheel");
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(box));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::CheckBox);
  EXPECT_EQ(a->text(QAccessible::Name), "Scroll wheel");
  EXPECT_EQ(a->text(QAccessible::Value), "unchecked");
  box.mouseUp({});
  EXPECT_EQ(a->text(QAccessible::Value), "checked");
  box.enable(false);
  EXPECT_TRUE(a->state().disabled);
}

}  // namespace
}  // namespace velt
