// What screen readers and interface robots read through Qt's accessibility layer: states,
// values, descriptions, the changes announced, and the actions they may take.
#include <gtest/gtest.h>

#include <QLineEdit>

#include <QAccessible>

#include <memory>
#include <vector>

#include "tests/support/window_driver.h"
#include "tests/toolkit/control_test_support.h"
#include "toolkit/KivButton.h"
#include "toolkit/KivCheckBox.h"
#include "toolkit/KivComboxButton.h"
#include "toolkit/KivEdit.h"
#include "toolkit/KivListBox.h"
#include "toolkit/KivProgressCtrl.h"
#include "toolkit/KivScrollCtrl.h"
#include "toolkit/KivSliderCtrl.h"
#include "toolkit/KivSliderCtrl3D.h"
#include "toolkit/KivStatic.h"
#include "toolkit/KivWindow.h"
#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/qt_accessibility.h"
#include "toolkit/platform/qt_windows.h"

namespace velt {
namespace {

QAccessibleInterface* accessibleOf(const KivImageView& view) {
  return QAccessible::queryAccessibleInterface(widgetOf(view));
}

// One announcement as a screen reader gets it.
struct Heard {
  QAccessible::Event type;
  QAccessibleInterface* target;
  QAccessible::State changed;  // state changes
  QVariant value;              // value changes
};

// Listens as a screen reader would and keeps what is announced.
class Announcements {
 public:
  Announcements() {
    setAccessibilityRecorder([this](QAccessibleEvent& event) { record(&event); });
  }
  ~Announcements() { setAccessibilityRecorder({}); }
  // The announcements of one kind about one interface, in order.
  std::vector<Heard> of(QAccessible::Event type, QAccessibleInterface* target) const {
    std::vector<Heard> found;
    for (const Heard& h : heard)
      if (h.type == type && h.target == target) found.push_back(h);
    return found;
  }

  std::vector<Heard> heard;

 private:
  void record(QAccessibleEvent* event) {
    Heard h{event->type(), event->accessibleInterface(), {}, {}};
    if (event->type() == QAccessible::StateChanged)
      h.changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
    if (event->type() == QAccessible::ValueChanged)
      h.value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
    heard.push_back(h);
  }
};

TEST(Accessibility, ACheckBoxReportsAndAnnouncesItsCheckedState) {
  KivCheckBox box;
  box.initView(nullptr, 61, {0, 0, 16, 16});
  QAccessibleInterface* a = accessibleOf(box);
  ASSERT_NE(a, nullptr);
  Announcements heard;
  EXPECT_TRUE(a->state().checkable);
  EXPECT_FALSE(a->state().checked);
  box.check(true);
  EXPECT_TRUE(a->state().checked);
  box.mouseUp({});
  EXPECT_FALSE(a->state().checked);
  const std::vector<Heard> changes = heard.of(QAccessible::StateChanged, a);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_TRUE(changes[0].changed.checked);
  EXPECT_TRUE(changes[1].changed.checked);
  EXPECT_FALSE(changes[1].changed.disabled) << "only what changed";
  box.enable(false);
  ASSERT_EQ(heard.of(QAccessible::StateChanged, a).size(), 3u);
  EXPECT_TRUE(heard.of(QAccessible::StateChanged, a)[2].changed.disabled);
}

// A latched button (a tab) reads as selected and checked; a plain one as neither.
TEST(Accessibility, ALatchedButtonReadsSelectedAndIsAnnounced) {
  KivButton tab;
  tab.initView(nullptr, 2, {0, 0, 80, 30});
  QAccessibleInterface* a = accessibleOf(tab);
  Announcements heard;
  EXPECT_FALSE(a->state().selected);
  EXPECT_FALSE(a->state().checked);
  tab.setSelected(true);
  EXPECT_TRUE(a->state().selected);
  EXPECT_TRUE(a->state().checked);
  tab.setSelected(true);  // no change, nothing to say
  tab.setSelected(false);
  const std::vector<Heard> changes = heard.of(QAccessible::StateChanged, a);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_TRUE(changes[0].changed.selected && changes[0].changed.checked);
  EXPECT_FALSE(a->state().selected);
}

// Each value control: its number and range, and a new value announced with it.
TEST(Accessibility, ValueControlsGiveTheirNumberAndRange) {
  KivSliderCtrl slider;
  slider.initView(nullptr, 40, {0, 0, 200, 20});
  slider.setMinMaxValue(1, 11, 1);
  KivScrollCtrl scroll;
  scroll.initView(nullptr, 121, {0, 0, 16, 120});
  scroll.setMinMaxValue(0, 40);
  KivProgressCtrl progress;
  progress.initView(nullptr, 70, {0, 0, 200, 10});
  progress.setMinMaxValue(0, 100);

  Announcements heard;
  slider.setCurValue(7, false);
  scroll.setCurValue(12);
  progress.setCurValue(55);
  struct Case {
    KivImageView* view;
    double value, minimum, maximum;
  };
  for (const Case& c :
       {Case{&slider, 7, 1, 11}, Case{&scroll, 12, 0, 40}, Case{&progress, 55, 0, 100}}) {
    QAccessibleInterface* a = accessibleOf(*c.view);
    QAccessibleValueInterface* value = a->valueInterface();
    ASSERT_NE(value, nullptr) << c.view->viewID();
    EXPECT_EQ(value->currentValue().toDouble(), c.value) << c.view->viewID();
    EXPECT_EQ(value->minimumValue().toDouble(), c.minimum) << c.view->viewID();
    EXPECT_EQ(value->maximumValue().toDouble(), c.maximum) << c.view->viewID();
    const std::vector<Heard> changes = heard.of(QAccessible::ValueChanged, a);
    ASSERT_FALSE(changes.empty()) << c.view->viewID();
    EXPECT_EQ(changes.back().value.toDouble(), c.value) << c.view->viewID();
  }
  KivButton button;
  button.initView(nullptr, 3, {0, 0, 10, 10});
  EXPECT_EQ(accessibleOf(button)->valueInterface(), nullptr) << "not a value control";
}

// The three-thumb slider: each thumb a slider of its own, with its value.
TEST(Accessibility, EachThumbOfTheThreeThumbSliderIsASlider) {
  Announcements heard;
  KivSliderCtrl3D slider;
  slider.initView(nullptr, 44, {0, 0, 300, 40});
  slider.setMinMaxValue(0, 30, 1);
  slider.setCurValue1(3, false);
  slider.setCurValue2(10, false);
  QAccessibleInterface* a = accessibleOf(slider);
  ASSERT_EQ(a->childCount(), 3);
  heard.heard.clear();
  slider.setCurValue3(25, false);
  const double expected[] = {3, 10, 25};
  for (int i = 0; i < 3; ++i) {
    QAccessibleInterface* thumb = a->child(i);
    EXPECT_EQ(thumb->role(), QAccessible::Slider);
    EXPECT_EQ(thumb->text(QAccessible::Name), QString("Thumb %1").arg(i + 1));
    ASSERT_NE(thumb->valueInterface(), nullptr);
    EXPECT_EQ(thumb->valueInterface()->currentValue().toDouble(), expected[i]);
    EXPECT_EQ(thumb->valueInterface()->maximumValue().toDouble(), 30);
  }
  ASSERT_EQ(heard.of(QAccessible::ValueChanged, a->child(2)).size(), 1u);
  EXPECT_TRUE(heard.of(QAccessible::ValueChanged, a->child(0)).empty());
}

TEST(Accessibility, ListRowSelectionIsAnnouncedOnTheRows) {
  Announcements heard;
  KivListBox box;
  box.initView(nullptr, 55, {0, 0, 120, 95});
  box.addItem("Fire");
  box.addItem("Walk");
  QAccessibleInterface* a = accessibleOf(box);
  heard.heard.clear();
  box.mouseUp(test::at(20, 80));  // selects "Fire"
  for (int row : {0, 1}) {
    const std::vector<Heard> changes = heard.of(QAccessible::StateChanged, a->child(row));
    ASSERT_EQ(changes.size(), 1u) << row;
    EXPECT_TRUE(changes[0].changed.selected) << row;
  }
}

TEST(Accessibility, LabelsReadTheirTextAndViewsTheirDescription) {
  KivStatic label;
  label.initView(nullptr, 90, {0, 0, 60, 16});
  label.setCurText("1.07");
  QAccessibleInterface* a = accessibleOf(label);
  EXPECT_EQ(a->role(), QAccessible::StaticText);
  EXPECT_EQ(a->text(QAccessible::Name), "1.07");
  EXPECT_EQ(a->text(QAccessible::Value), "1.07");
  // A named label still reads its text through the text interface, as a label's.
  label.setAccessibleName("Firmware version");
  ASSERT_NE(a->textInterface(), nullptr);
  EXPECT_EQ(a->textInterface()->text(0, a->textInterface()->characterCount()), "1.07");
  EXPECT_EQ(a->text(QAccessible::Name), "Firmware version");

  Announcements heard;
  label.setAccessibleDescription("Firmware version of the mouse");
  EXPECT_EQ(a->text(QAccessible::Description), "Firmware version of the mouse");
  EXPECT_EQ(heard.of(QAccessible::DescriptionChanged, a).size(), 1u);
}

// A dialog's window is named by its headline and describes itself with its wording.
TEST(Accessibility, AWindowCarriesANameAndADescription) {
  test::RecordingView root;
  test::WindowDriver driver(root, {300, 120});
  driver.window().setTitle("VELTPLUS");
  QAccessibleInterface* w = QAccessible::queryAccessibleInterface(widgetOf(driver.window()));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->role(), QAccessible::Window);
  EXPECT_EQ(w->text(QAccessible::Name), "VELTPLUS") << "the title until named";
  driver.window().setAccessibleName("Reset to default?");
  driver.window().setAccessibleDescription(
      "Reset to default? All five profiles return to their factory settings.");
  EXPECT_EQ(w->text(QAccessible::Name), "Reset to default?");
  EXPECT_EQ(w->text(QAccessible::Description),
            "Reset to default? All five profiles return to their factory settings.");
}

// What a robot does through the action interface is what a click does.
TEST(Accessibility, PressAndToggleActionsClickTheControl) {
  test::RecordingView root;
  test::WindowDriver driver(root, {200, 100});
  KivButton apply;
  apply.initView(&root, 5, {10, 10, 60, 20});
  root.addSubview(&apply);
  KivCheckBox box;
  box.initView(&root, 6, {100, 10, 16, 16});
  root.addSubview(&box);

  QAccessibleActionInterface* press = accessibleOf(apply)->actionInterface();
  ASSERT_NE(press, nullptr);
  EXPECT_TRUE(press->actionNames().contains(QAccessibleActionInterface::pressAction()));
  press->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(root.commands, std::vector<int32_t>{5});

  QAccessibleActionInterface* toggle = accessibleOf(box)->actionInterface();
  toggle->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(box.isCheck());
  EXPECT_EQ(root.commands, (std::vector<int32_t>{5, 6}));

  apply.enable(false);
  EXPECT_FALSE(press->actionNames().contains(QAccessibleActionInterface::pressAction()));
  press->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(root.commands.size(), 2u) << "a disabled button is not pressed";
}

}  // namespace
// A text field's platform line edit, where a screen reader lands, carries the field's name.
TEST(Accessibility, ATextFieldsLineEditCarriesItsName) {
  KivEdit field;
  field.initView(nullptr, 0, {0, 0, 60, 20});
  field.setAccessibleName("Red");
  QLineEdit* edit = widgetOf(field)->findChild<QLineEdit*>();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->accessibleName(), "Red");
}

// Every interface under `root` (itself included) that is named `name`.
std::vector<QAccessibleInterface*> namedUnder(QAccessibleInterface* root, const QString& name) {
  std::vector<QAccessibleInterface*> found;
  if (!root) return found;
  if (root->text(QAccessible::Name) == name) found.push_back(root);
  for (int i = 0; i < root->childCount(); ++i)
    for (QAccessibleInterface* inner : namedUnder(root->child(i), name)) found.push_back(inner);
  return found;
}

// A text field reads once, as its platform line edit (where the caret, the editing and
// the focus are): the view around it is a nameless filler.
TEST(Accessibility, ATextFieldReadsOnceThroughItsLineEdit) {
  test::RecordingView page;
  page.initView(nullptr, 0, {0, 0, 200, 100});
  KivEdit field;
  field.initView(&page, 0, {10, 10, 60, 20});
  page.addSubview(&field);
  field.setText("209");
  field.setAccessibleName("Red");
  field.setAccessibleDescription("Red of the colour, 0 to 255");

  std::vector<QAccessibleInterface*> red = namedUnder(accessibleOf(page), "Red");
  ASSERT_EQ(red.size(), 1u) << "the field appears once";
  EXPECT_NE(qobject_cast<QLineEdit*>(red[0]->object()), nullptr);
  EXPECT_EQ(red[0]->role(), QAccessible::EditableText);
  EXPECT_EQ(red[0]->text(QAccessible::Description), "Red of the colour, 0 to 255");
  ASSERT_NE(red[0]->textInterface(), nullptr);
  EXPECT_EQ(red[0]->textInterface()->text(0, red[0]->textInterface()->characterCount()), "209");

  QAccessibleInterface* around = accessibleOf(field);
  EXPECT_EQ(around->role(), QAccessible::Client);
  EXPECT_TRUE(around->text(QAccessible::Name).isEmpty());
  EXPECT_EQ(around->textInterface(), nullptr);
  EXPECT_EQ(around->child(0), red[0]);

  field.setAccessibleName("Green");
  EXPECT_EQ(namedUnder(accessibleOf(page), "Green").size(), 1u) << "renamed where it is read";
}

// A drop-down button's name says what it sets, its text what it is set to; a new
// caption is announced as a value change carrying it.
TEST(Accessibility, ADropDownButtonReadsItsCaption) {
  KivComboxButton combo;
  combo.initView(nullptr, 4, {0, 0, 120, 20});
  combo.setAccessibleName("Button 4");
  combo.insertItem(3, "Forward");
  combo.insertItem(4, "Back");
  combo.setCurItemID(3);
  QAccessibleInterface* a = accessibleOf(combo);
  auto shown = [a] {
    QAccessibleTextInterface* text = a->textInterface();
    return text ? text->text(0, text->characterCount()) : QString("<no text>");
  };
  EXPECT_EQ(a->role(), QAccessible::ComboBox);
  EXPECT_EQ(a->text(QAccessible::Name), "Button 4");
  EXPECT_EQ(shown(), "Forward");

  Announcements heard;
  combo.setButtonFunction("F5", 7, 96);
  EXPECT_EQ(shown(), "F5");
  std::vector<Heard> changes = heard.of(QAccessible::ValueChanged, a);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].value.toString(), "F5");
  EXPECT_EQ(a->text(QAccessible::Name), "Button 4") << "the name stays";
}

}  // namespace velt
