// The macro page and its event list: recording with the manual clock and synthetic key
// events, the name list, the context menu, the delay field and the scroll range.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "device/commands.h"
#include "device/profile_image.h"
#include "model/limits.h"
#include "tests/config_app/config_app_test_support.h"
#include "tests/support/window_driver.h"
#include "tests/toolkit/render_support.h"
#include "toolkit/keyboard_grab.h"
#include "toolkit/layout/dialog_layout.h"
#include "toolkit/layout/main_layout.h"

namespace velt::test {
namespace {

using namespace std::chrono_literals;

struct Row {
  int type, action, state, delay;
  bool operator==(const Row&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Row& r) {
  return out << "(" << r.type << ", " << r.action << ", " << r.state << ", " << r.delay << ")";
}

std::vector<Row> rowsOf(const Macro* macro) {
  std::vector<Row> rows;
  if (!macro) return rows;
  for (const EventItem& item : macro->eventItems())
    rows.push_back(
        {item.eventType(), item.eventAction(), item.state(), static_cast<int>(item.delay())});
  return rows;
}

constexpr int kA = 0, kB = 11, kShift = 56, kControl = 59, kCommand = 55, kCapsLock = 57;

class MacroPage : public MainViewFixture {
 protected:
  void SetUp() override {
    MainViewFixture::SetUp();
    useNoMouse();
    start();
    view->OnCmd(4);  // the macro page's tab
  }
  MacroSettingView& page() { return view->macroSettingView(); }
  KivMacroCtrl& events() { return page().eventList(); }
  Macro* current() { return events().curMacro(); }
  // A new macro, named and current, as the name list's entry field makes it.
  void createMacro(const std::string& name) {
    page().OnCmd(102);
    ASSERT_TRUE(page().nameList().isEntryOpen());
    page().nameList().textField()->setText(name);
    page().nameList().editInput();
    ASSERT_NE(current(), nullptr);
  }
  QWidget* keyTarget() { return widgetOf(page()); }
  void press(Qt::Key key) { QTest::keyPress(keyTarget(), key); }
  void release(Qt::Key key) { QTest::keyRelease(keyTarget(), key); }
  void repeat(Qt::Key key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, {}, true);
    QApplication::sendEvent(keyTarget(), &down);
  }
  void wait(std::chrono::milliseconds time) { timers.clock().advance(time); }
  void record(std::function<void()> keys) {
    page().OnCmd(106);
    keys();
    page().OnCmd(107);
  }
};

TEST_F(MacroPage, RecordsPressesAndReleasesWithDelaysOnlyWhenAsked) {
  createMacro("Fire");
  page().delayBox().check(true);
  record([&] {
    wait(100ms);
    press(Qt::Key_A);
    wait(500ms);
    release(Qt::Key_A);
  });
  EXPECT_EQ(rowsOf(current()), (std::vector<Row>{{1, kA, 0, 100}, {1, kA, 1, 500}}));

  page().delayBox().check(false);
  record([&] {
    press(Qt::Key_A);
    wait(300ms);
    release(Qt::Key_A);
  });
  EXPECT_EQ(rowsOf(current()), (std::vector<Row>{{1, kA, 0, 0}, {1, kA, 1, 0}}))
      << "Start clears the macro; without the box every delay is 0";
}

TEST_F(MacroPage, AHeldKeyRepeatingRecordsOnePressAndHoldRecordingKeepsPressesOnly) {
  createMacro("Run");
  record([&] {
    press(Qt::Key_A);
    repeat(Qt::Key_A);
    press(Qt::Key_A);  // the held code again, without the repeat flag
    release(Qt::Key_A);
  });
  EXPECT_EQ(rowsOf(current()), (std::vector<Row>{{1, kA, 0, 0}, {1, kA, 1, 0}}));

  page().holdBox().check(true);
  record([&] {
    press(Qt::Key_A);
    release(Qt::Key_A);
    press(Qt::Key_B);
    release(Qt::Key_B);
  });
  EXPECT_EQ(rowsOf(current()), (std::vector<Row>{{1, kA, 0, 0}, {1, kB, 0, 0}}));
}

TEST_F(MacroPage, ModifiersAloneAndAroundKeysGiveAPressAndAReleaseEach) {
  createMacro("Mods");
  record([&] {
    press(Qt::Key_Shift);
    press(Qt::Key_A);
    release(Qt::Key_A);
    release(Qt::Key_Shift);
    for (Qt::Key alone : {Qt::Key_Control, Qt::Key_Meta, Qt::Key_CapsLock}) {
      press(alone);
      release(alone);
    }
  });
  EXPECT_EQ(rowsOf(current()), (std::vector<Row>{{1, kShift, 0, 0},
                                                 {1, kA, 0, 0},
                                                 {1, kA, 1, 0},
                                                 {1, kShift, 1, 0},
                                                 {1, kControl, 0, 0},
                                                 {1, kControl, 1, 0},
                                                 {1, kCommand, 0, 0},
                                                 {1, kCommand, 1, 0},
                                                 {1, kCapsLock, 0, 0},
                                                 {1, kCapsLock, 1, 0}}));
}

TEST_F(MacroPage, TheTwoBoxesExcludeEachOtherAndHoldStillWhileRecording) {
  click(page().delayBox());
  EXPECT_TRUE(page().delayBox().isCheck());
  click(page().holdBox());
  EXPECT_TRUE(page().holdBox().isCheck());
  EXPECT_FALSE(page().delayBox().isCheck());
  click(page().delayBox());
  EXPECT_FALSE(page().holdBox().isCheck());

  createMacro("Locked");
  page().OnCmd(106);
  EXPECT_TRUE(page().stopButton().isHidden() == false && page().startButton().isHidden());
  click(page().holdBox());
  EXPECT_FALSE(page().holdBox().isCheck()) << "a disabled box does not change";
  EXPECT_TRUE(page().delayBox().isCheck());
  page().OnCmd(107);
  EXPECT_TRUE(page().holdBox().isEnabled());
}

TEST_F(MacroPage, SelectingAHoldMacroChecksHoldAndAnotherMacroUnchecksIt) {
  MacroData hold(20, "Hold");
  hold.addEvent(1, kA, 0, 0);
  page().addMacro(hold);
  MacroData tap(21, "Tap");
  tap.addEvent(1, kA, 0, 0);
  tap.addEvent(1, kA, 1, 0);
  page().addMacro(tap);
  page().delayBox().check(true);

  page().nameList().getItem(20)->m_bSelected = true;
  page().nameList().getItem(21)->m_bSelected = false;
  page().subMsg(KivListBox::kListSelChanged, 20);
  EXPECT_TRUE(page().holdBox().isCheck());
  EXPECT_FALSE(page().delayBox().isCheck());

  page().delayBox().check(true);
  page().subMsg(KivListBox::kListSelChanged, 21);
  EXPECT_FALSE(page().holdBox().isCheck());
  EXPECT_TRUE(page().delayBox().isCheck()) << "left as it was";
}

TEST_F(MacroPage, DeletingTheLastMacroLeavesNoneAndItsButtonsFallBack) {
  createMacro("Only");
  record([&] {
    press(Qt::Key_A);
    release(Qt::Key_A);
  });
  int32_t id = current()->nID();
  MouseSettingView& buttons = view->mouseSettingView();
  buttons.loadMacroList();
  buttons.functionMenu(1).subMsg(0, id);
  ASSERT_EQ(buttons.functionMenu(1).caption(), "Only");

  whenDialogRuns(kDeleteMacroDialog, clickButton(134));
  page().OnCmd(103);
  EXPECT_TRUE(page().nameList().boxItems().empty());
  EXPECT_EQ(page().nameList().getSelItem(), nullptr);
  EXPECT_EQ(current(), nullptr);
  EXPECT_FALSE(page().macroData(id).has_value());
  EXPECT_EQ(buttons.functionMenu(1).caption(), "Right click");
  EXPECT_EQ(view->curProfile().key2().keyMappingTable(), 1);

  page().keyMessage(kA, 0);  // nothing current: nothing recorded, nothing breaks
}

TEST_F(MacroPage, NewAndDeleteAreRefusedWhileRecording) {
  createMacro("Busy");
  page().OnCmd(106);
  page().OnCmd(102);
  page().OnCmd(103);
  EXPECT_FALSE(page().nameList().isEntryOpen());
  EXPECT_EQ(alerts(), (std::vector<std::string>{"Please stop recording", "Please stop recording"}));
  EXPECT_EQ(page().nameList().boxItems().size(), 1u);
  page().OnCmd(107);
}

TEST_F(MacroPage, RecordingStopsAtTheEventLimitWithAMessage) {
  createMacro("Long");
  page().OnCmd(106);
  for (int64_t i = 0; i + 1 < kMaxMacroEvents; ++i) events().addItem(1, kA, i % 2, 0);
  press(Qt::Key_B);  // the last event that fits
  EXPECT_TRUE(page().isRecording());
  release(Qt::Key_B);
  EXPECT_FALSE(page().isRecording());
  EXPECT_EQ(current()->eventItems().size(), static_cast<size_t>(kMaxMacroEvents));
  ASSERT_EQ(alerts().size(), 1u);
  EXPECT_NE(alerts()[0].find("2000 events"), std::string::npos) << alerts()[0];
}

// Answers every grab as told and records what the page asked.
class ScriptedGrabber : public KeyboardGrabber {
 public:
  explicit ScriptedGrabber(KeyboardGrab answer, std::vector<std::string>& calls)
      : answer_(answer), calls_(calls) {}
  KeyboardGrab grab(KivImageView&) override {
    calls_.push_back("grab");
    return answer_;
  }
  void release(KivImageView&) override { calls_.push_back("release"); }

 private:
  KeyboardGrab answer_;
  std::vector<std::string>& calls_;
};

class MacroPageGrab : public MacroPage {
 protected:
  void answerGrabs(KeyboardGrab answer) {
    grabs.clear();
    setKeyboardGrabber(std::make_unique<ScriptedGrabber>(answer, grabs));
  }
  void TearDown() override {
    setKeyboardGrabber(nullptr);
    MacroPage::TearDown();
  }
  std::vector<std::string> grabs;
};

using Calls = std::vector<std::string>;

// The desktop's keys are the recording's from Start until Stop, another page, OK or
// Cancel; coming back to the page while it still records takes them again.
TEST_F(MacroPageGrab, TheKeyboardIsHeldFromStartUntilStopAnotherPageOkOrCancel) {
  const struct {
    const char* what;
    std::function<void()> end;
    bool backToThePage;
  } ends[] = {
      {"Stop", [&] { page().OnCmd(107); }, false},
      {"another page", [&] { view->OnCmd(1); }, true},
      {"OK", [&] { view->OnCmd(kMainOK.id); }, false},
      {"Cancel", [&] { view->OnCmd(kMainCancel.id); }, false},
  };
  createMacro("Keys");
  for (const auto& end : ends) {
    answerGrabs(KeyboardGrab::Taken);
    page().OnCmd(106);
    EXPECT_EQ(grabs, (Calls{"grab"})) << end.what;
    end.end();
    EXPECT_EQ(grabs, (Calls{"grab", "release"})) << end.what;
    if (end.backToThePage) {
      view->OnCmd(4);
      EXPECT_EQ(grabs, (Calls{"grab", "release", "grab"})) << end.what << ", then back";
    }
    page().OnCmd(107);
    EXPECT_EQ(grabs.back(), "release") << end.what;
  }
}

// Closed to the tray while recording, the window lets the keys go (the desktop ends the
// grab with the window anyway) and takes them again when it is shown; a page that does
// not record takes nothing on showing.
TEST_F(MacroPageGrab, ARecordingTakesTheKeysAgainWhenItsWindowIsShownAgain) {
  createMacro("Keys");
  answerGrabs(KeyboardGrab::Taken);
  page().OnCmd(106);
  view->windowHidden();
  view->windowShown();
  EXPECT_EQ(grabs, (Calls{"grab", "release", "grab"}));
  page().OnCmd(107);
  view->windowHidden();
  view->windowShown();
  EXPECT_EQ(grabs, (Calls{"grab", "release", "grab", "release"}));
  page().OnCmd(106);
  view->OnCmd(1);  // recording, on another page
  view->windowShown();
  EXPECT_EQ(grabs.back(), "release") << "the Buttons page takes no keys";
}

// Where the compositor keeps its shortcuts the first recording says so, once: not again
// on the next recording nor on coming back to the page. Elsewhere nothing is said.
TEST_F(MacroPageGrab, WithoutTheCompositorsShortcutsTheFirstRecordingSaysSoOnce) {
  createMacro("Keys");
  for (KeyboardGrab answer : {KeyboardGrab::Taken, KeyboardGrab::Unavailable}) {
    answerGrabs(answer);
    record([] {});
    EXPECT_TRUE(alerts().empty()) << static_cast<int>(answer);
  }
  answerGrabs(KeyboardGrab::ShortcutsNotOffered);
  record([&] { press(Qt::Key_A); });
  EXPECT_EQ(alerts(), (std::vector<std::string>{kShortcutsNotKeptText}));
  EXPECT_EQ(rowsOf(current()).size(), 1u) << "the recording goes on after the message";
  EXPECT_EQ(grabs, (Calls{"grab"})) << "nothing to let go";
  page().OnCmd(106);
  view->OnCmd(1);
  view->OnCmd(4);
  page().OnCmd(107);
  EXPECT_EQ(alerts().size(), 1u);
}

TEST_F(MacroPage, ControlsHaveTheNamesAPersonReads) {
  std::pair<KivImageView*, const char*> names[] = {{&page().nameList(), "Macros"},
                                                   {&events(), "Macro events"},
                                                   {&page().newButton(), "New macro"},
                                                   {&page().deleteButton(), "Delete macro"},
                                                   {&page().delayBox(), "Record delays"},
                                                   {&page().holdBox(), "Record presses only"},
                                                   {&page().startButton(), "Start recording"},
                                                   {&page().stopButton(), "Stop recording"}};
  for (const auto& [control, name] : names) EXPECT_EQ(control->accessibleName(), name);
  createMacro("Read");
  EXPECT_EQ(page().nameList().textField()->accessibleName(), "New macro name");
  events().addItem(1, kA, 0, 250);
  events().addItem(16, 242, 1, 0);
  std::vector<AccessibleRow> rows = events().accessibleRows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, "A press, 250 ms");
  EXPECT_EQ(rows[1].name, "Right button up, 0 ms");
  EXPECT_TRUE(rows[1].selected);
}

// The event list on its own, in a window, with the shared scroll pictures.
class EventList : public ::testing::Test {
 protected:
  void SetUp() override {
    parent.initView(nullptr, 0, {0, 0, 400, 300});
    list.initView(&parent, 101, {0, 0, 300, 180});
    parent.addSubview(&list);
    list.initMenu();
    Image track = Image::blank({12, 600}), piece = Image::blank({12, 12});
    list.setScrollImage(track, piece, piece, piece, piece, piece, piece);
    list.setCurMacro(16, "Test");
  }
  void add(Row r) {
    list.addItem(static_cast<uint64_t>(r.type), static_cast<uint64_t>(r.action),
                 static_cast<uint64_t>(r.state), static_cast<uint64_t>(r.delay));
  }
  void select(size_t index) {
    const ItemRect& r = list.curMacro()->eventItems()[index].rect();
    list.curMacro()->OnLBtDown({r.x + 5, r.y + 5});
  }
  void chooseFromMenu(int32_t submenu, int32_t item) { list.subMsg(submenu, item); }
  RecordingView parent;
  KivMacroCtrl list;
};

// Pixels drawn at all in the rectangle (bottom left).
int inkIn(const QImage& image, const Rect& r) {
  int count = 0;
  for (int y = static_cast<int>(r.y); y < static_cast<int>(r.maxY()); ++y)
    for (int x = static_cast<int>(r.x); x < static_cast<int>(r.maxX()); ++x)
      if (qAlpha(pixelAt(image, x, y)) > 0) ++count;
  return count;
}

TEST_F(EventList, DrawsKeyRowsWithMarkersAndMouseRowsWithADash) {
  add({1, 0, 0, 250});
  add({16, 242, 1, 0});
  QImage picture = render(list);
  const ItemRect key = list.curMacro()->eventItems()[0].rect();
  const ItemRect mouse = list.curMacro()->eventItems()[1].rect();
  const QRgb normal = qRgb(190, 190, 190), selected = qRgb(179, 211, 53);
  auto area = [](const ItemRect& r, double from, double width) {
    return Rect{r.x + 2 + from, r.y, width, r.height};
  };
  EXPECT_GT(inkIn(picture, area(key, 15, 30)), 10) << "A";
  EXPECT_GT(pixelsNear(picture, area(key, 15, 30), normal), 0) << "A, unselected";
  EXPECT_EQ(pixelsNear(picture, area(key, 15, 30), selected), 0);
  EXPECT_GT(inkIn(picture, area(key, 120, 50)), 20) << "250 ms";
  EXPECT_GT(inkIn(picture, area(key, 0, 11)), 8) << "the V marker";
  EXPECT_GT(pixelsNear(picture, area(mouse, 15, 90), selected), 5) << "Right button up";
  const double m = (static_cast<int>(mouse.y) + static_cast<int>(mouse.y + mouse.height)) / 2;
  EXPECT_GT(inkIn(picture, {mouse.x + 2, m - 1, 11, 3}), 8) << "the dash";
  EXPECT_EQ(inkIn(picture, {mouse.x + 2, mouse.y, 11, m - 2 - mouse.y}), 0) << "a dash, no marker";
}

TEST_F(EventList, MouseEventsGoAfterTheSelectedRowAndClickAddsDownThenUp) {
  add({1, 0, 0, 0});
  add({1, 1, 0, 0});
  add({1, 2, 0, 0});
  select(1);
  chooseFromMenu(7, 10);  // Left button, Click
  EXPECT_EQ(rowsOf(list.curMacro()),
            (std::vector<Row>{
                {1, 0, 0, 0}, {1, 1, 0, 0}, {16, 241, 0, 0}, {16, 241, 1, 0}, {1, 2, 0, 0}}));
  EXPECT_TRUE(list.curMacro()->eventItems()[3].selected());
  chooseFromMenu(27, 28);  // Scroll wheel, Down
  EXPECT_EQ(rowsOf(list.curMacro())[4], (Row{16, 152, 0, 0}));
  chooseFromMenu(19, 21);  // Forward button, Up
  EXPECT_EQ(rowsOf(list.curMacro())[5], (Row{16, 177, 1, 0}));
}

TEST_F(EventList, TheDelayFieldSetsTheSelectedRowsDelayOnlyToAPositiveNumber) {
  add({1, 0, 0, 40});
  add({1, 0, 1, 40});
  select(0);
  struct Case {
    const char* typed;
    uint32_t delay;
  } cases[] = {{"300", 300}, {"0", 300}, {"abc", 300}, {"-5", 300}, {" 75 ms", 75}};
  for (const Case& c : cases) {
    list.subMsg(list.menu()->menuID(), KivMacroCtrl::kInsertDelay);
    ASSERT_TRUE(list.isDelayFieldOpen());
    list.delayField()->setText(c.typed);
    list.mouseDown({});  // a click into the list commits the field
    EXPECT_FALSE(list.isDelayFieldOpen());
    EXPECT_EQ(list.curMacro()->eventItems()[0].delay(), c.delay) << c.typed;
  }
  EXPECT_EQ(list.curMacro()->eventItems()[1].delay(), 40u);
}

TEST_F(EventList, TheScrollRangeFollowsTheRowsAndMenuIdsNeverMeetMessageCodes) {
  ASSERT_NE(list.scroll(), nullptr);
  EXPECT_EQ(list.scroll()->minValue(), 10);
  EXPECT_EQ(list.scroll()->maxValue(), 11);
  for (int i = 0; i < 20; ++i) add({1, i, 0, 0});
  EXPECT_EQ(list.scroll()->minValue(), 10);
  EXPECT_EQ(list.scroll()->maxValue(), 19);
  EXPECT_EQ(list.scroll()->getCurValue(), 19);
  EXPECT_GE(list.menu()->menuID(), 1000) << "the manual clock starts at tick 0";
}

TEST_F(EventList, TheContextMenuOpensOnlyWhileNotRecording) {
  const KivMenu& menu = *list.menu();
  ASSERT_EQ(menu.getMenuCount(), 6);
  EXPECT_EQ(menu.menuItems()[2].m_strCaption, "Insert mouse event");
  list.setRecord(true);
  list.rightMouseDown({});
  EXPECT_FALSE(menu.isOpen());
  list.setRecord(false);
  list.rightMouseDown({});
  EXPECT_TRUE(menu.isOpen());
  list.menu()->hideMenu();
}

TEST_F(EventList, RecordBeforeMovesTheSelectionUpAndAsksThePageToRecord) {
  add({1, 0, 0, 0});
  add({1, 1, 0, 0});
  select(1);
  list.subMsg(list.menu()->menuID(), KivMacroCtrl::kRecordBefore);
  EXPECT_EQ(list.insertMode(), Macro::kInsertAfterSelection);
  EXPECT_EQ(parent.messages, (std::vector<std::pair<int32_t, int32_t>>{{116, 1}}));
  add({1, 2, 0, 0});
  EXPECT_EQ(rowsOf(list.curMacro())[1], (Row{1, 2, 0, 0})) << "before the selected row";

  list.deleteItem(16);
  EXPECT_EQ(list.curMacro(), nullptr);
  add({1, 3, 0, 0});  // ignored without a current macro
  EXPECT_EQ(list.getMacroData(16), std::nullopt);
}

// From the keyboard to the mouse: a macro recorded on the page, bound to a button on the
// button page and applied lands in the slot as the saved profile file describes it.
TEST_F(MainViewFixture, ARecordedMacroBoundToAButtonReachesTheMouseAsSaved) {
  useEmulatedMouse();
  VELTView& v = start();
  click(v.pageTab(3));
  MacroSettingView& macros = v.macroSettingView();
  macros.OnCmd(102);
  macros.nameList().textField()->setText("Shift A");
  macros.nameList().editInput();
  macros.delayBox().check(true);
  QWidget* keys = widgetOf(macros);
  macros.OnCmd(106);
  timers.clock().advance(std::chrono::milliseconds(200));
  QTest::keyPress(keys, Qt::Key_Shift);
  timers.clock().advance(std::chrono::milliseconds(50));
  QTest::keyPress(keys, Qt::Key_A);
  timers.clock().advance(std::chrono::milliseconds(100));
  QTest::keyRelease(keys, Qt::Key_A);
  QTest::keyRelease(keys, Qt::Key_Shift);
  macros.OnCmd(107);
  const int32_t id = macros.eventList().curMacro()->nID();

  click(v.pageTab(0));
  v.mouseSettingView().functionMenu(3).subMsg(0, id);
  click(v.applyButton());
  ASSERT_TRUE(alerts().empty()) << alerts()[0];

  Profile fromFile;
  ASSERT_TRUE(fromFile.read(profileFile(1)));
  EXPECT_EQ(fromFile.key4().keyMappingTable(), kMacroFunction);
  EXPECT_EQ(fromFile.key4().keyMacro(), id);
  const MacroData& saved = fromFile.macroData4();
  EXPECT_EQ(saved.macroName(), "Shift A");
  EXPECT_EQ(saved.events(),
            (std::vector<MacroEvent>{
                {1, kShift, 0, 200}, {1, kA, 0, 50}, {1, kA, 1, 100}, {1, kShift, 1, 0}}));
  fromFile.setProfileID(v.curProfile().profileID());
  PROFILE_T meant{}, stored{};
  fromFile.toPROFILE_T(meant);
  std::array<uint8_t, kProfileImageSize> meantImage{}, storedImage{};
  Convert_pf_to_buffer(meant, meantImage);
  ASSERT_EQ(Read_profile(v.curProfile().profileID(), stored, storedImage), kResultSuccess);
  EXPECT_EQ(storedImage, meantImage);

  MacroLibrary library;
  library.setMacroPath(macroFolder());
  ASSERT_TRUE(library.readMacroItems());
  ASSERT_EQ(library.macros().size(), 1u);
  EXPECT_EQ(library.macros()[0]->toMacroData(), saved) << "the library file holds it too";
}

}  // namespace
}  // namespace velt::test
