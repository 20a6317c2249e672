#include <sys/wait.h>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "tests/support/log_capture.h"
#include "tests/support/screen_ratio.h"
#include "tests/support/scripted_host.h"
#include "tests/support/window_driver.h"
#include "tests/updater/flow_fixture.h"
#include "toolkit/UiServices.h"
#include "toolkit/layout/updater_layout.h"
#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/qt_convert.h"
#include "updater/UpdaterView.h"
#include "updater/updater_images.h"

namespace velt {
namespace {

using Build = void (UpdaterView::*)();

enum Kind { kOk, kCancel, kClose, kVersion, kMouse, kPackage, kProgress, kText };
struct Expected {
  int32_t id;
  Kind kind;
  Rect rect;
};
constexpr Rect kCloseRect = {348, 156, 27, 23};
constexpr Rect kVersionRect = {265, 159, 42, 15};

struct DialogCase {
  int32_t number;
  Build build;
  std::vector<Expected> controls;
};

const std::vector<DialogCase>& dialogCases() {
  static const std::vector<DialogCase> cases = {
      {1,
       &UpdaterView::InitDlg1_FileIncorrect,
       {{1, kOk, {317, 5, 56, 24}},
        {2, kClose, kCloseRect},
        {3, kVersion, kVersionRect},
        {48, kText, {14, 94, 348, 30}},
        {49, kText, {14, 62, 348, 30}}}},
      {2,
       &UpdaterView::InitDlg2_NotFindDevice,
       {{5, kOk, {317, 5, 56, 24}},
        {6, kClose, kCloseRect},
        {7, kVersion, kVersionRect},
        {50, kText, {14, 62, 348, 78}}}},
      {3,
       &UpdaterView::InitDlg3_FWUpToDate,
       {{9, kOk, {317, 5, 56, 24}},
        {11, kClose, kCloseRect},
        {12, kVersion, kVersionRect},
        {10, kMouse, {244, 105, 27, 12}}}},
      {4,
       &UpdaterView::InitDlg4_FWNewer,
       {{14, kOk, {256, 5, 55, 23}},
        {15, kCancel, {318, 5, 55, 23}},
        {18, kClose, kCloseRect},
        {19, kVersion, kVersionRect},
        {16, kMouse, {283, 104, 26, 12}},
        {17, kPackage, {264, 89, 28, 11}}}},
      {5,
       &UpdaterView::InitDlg5_UpdateToFWVersion,
       {{21, kOk, {256, 5, 55, 23}},
        {22, kCancel, {318, 5, 55, 23}},
        {25, kClose, kCloseRect},
        {26, kVersion, kVersionRect},
        {23, kMouse, {113, 89, 26, 11}},
        {24, kPackage, {221, 89, 24, 11}}}},
      {6,
       &UpdaterView::InitDlg6_EncounterProblem,
       {{28, kOk, {316, 4, 58, 26}},
        {29, kClose, kCloseRect},
        {30, kVersion, kVersionRect},
        {51, kText, {14, 46, 348, 78}}}},
      {7,
       &UpdaterView::InitDlg7_UpdateRoot,
       {{32, kClose, kCloseRect}, {33, kVersion, kVersionRect}}},
      {9,
       &UpdaterView::InitDlg9_UpdateSuccess,
       {{39, kOk, {316, 4, 58, 26}},
        {41, kClose, kCloseRect},
        {42, kVersion, kVersionRect},
        {40, kMouse, {171, 89, 30, 11}}}},
      {10,
       &UpdaterView::InitDlg10_UpdateFirmware,
       {{44, kProgress, {22, 57, 334, 17}}, {46, kVersion, kVersionRect}}},
  };
  return cases;
}

class UpdaterWindowTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    auto services = std::make_unique<ScriptedUiServices>();
    ui = services.get();
    setUiServices(std::move(services));
    makeView();
  }
  void TearDown() override {
    gate().open();  // a worker held in its pause ends with the view
    view.reset();
    driver.reset();
    processPendingEvents();
    setUiServices(nullptr);
    FlowTest::TearDown();
  }
  void makeView() {
    driver.reset();
    view = std::make_unique<UpdaterView>(package(), [this] { ++quits; });
    driver = std::make_unique<test::WindowDriver>(*view, kUpdaterSize);
    view->setWindow(&driver->window());
  }
  // Delivers the worker's reports until `shown` holds, at most kMostWaited of real time;
  // a failure names `what` was waited for.
  static constexpr std::chrono::seconds kMostWaited{60};
  ::testing::AssertionResult deliverUntil(const std::function<bool()>& shown,
                                          const std::string& what) {
    const auto until = std::chrono::steady_clock::now() + kMostWaited;
    for (;;) {
      processPendingEvents();
      if (shown()) return ::testing::AssertionSuccess();
      if (std::chrono::steady_clock::now() >= until) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return ::testing::AssertionFailure()
           << "not shown within " << kMostWaited.count() << " s: " << what;
  }
  // Delivers the worker's reports until the view shows `dialog`.
  ::testing::AssertionResult waitForDialog(int32_t dialog) {
    ::testing::AssertionResult shown =
        deliverUntil([this, dialog] { return view->dialogShown() == dialog; },
                     "dialog " + std::to_string(dialog));
    if (!shown) shown << " (the view shows dialog " << view->dialogShown() << ")";
    return shown;
  }
  KivImageView* control(int32_t id) {
    for (KivImageView* child : view->subviews())
      if (child->viewID() == id) return child;
    return nullptr;
  }
  void click(KivButton* button) {
    ASSERT_NE(button, nullptr);
    const Rect r = button->frame();
    driver->click({r.x + r.width / 2, r.y + r.height / 2});
  }

  ScriptedUiServices* ui = nullptr;
  int quits = 0;
  std::unique_ptr<UpdaterView> view;
  std::unique_ptr<test::WindowDriver> driver;
};

TEST_F(UpdaterWindowTest, EachDialogsControlsRectanglesAndNames) {
  for (const DialogCase& dialog : dialogCases()) {
    ((*view).*dialog.build)();
    EXPECT_EQ(view->dialogShown(), dialog.number);
    EXPECT_EQ(view->subviews().size(), dialog.controls.size()) << dialog.number;
    ASSERT_FALSE(view->bkImage().isNull()) << dialog.number;
    EXPECT_EQ(view->bkImage().size(), kUpdaterSize);
    for (const Expected& expected : dialog.controls) {
      KivImageView* found = control(expected.id);
      ASSERT_NE(found, nullptr) << dialog.number << " " << expected.id;
      EXPECT_EQ(found->frame(), expected.rect) << expected.id;
      EXPECT_FALSE(found->isHidden()) << expected.id;
      const char* names[] = {"OK", "Cancel", "Close"};
      if (expected.kind <= kClose) {
        EXPECT_EQ(found->accessibleRole(), AccessibleRole::Button);
        EXPECT_EQ(found->accessibleName(), names[expected.kind]) << expected.id;
        EXPECT_FALSE(static_cast<KivButton*>(found)->currentImage().isNull()) << expected.id;
      }
      if (expected.kind == kVersion) {
        EXPECT_EQ(found->accessibleValue(), "V1.05");
      }
      if (expected.kind == kProgress) {
        EXPECT_EQ(found->accessibleRole(), AccessibleRole::ProgressBar);
      }
    }
  }
}

// On a screen at scale 1.5 or 2 every dialog shows its sheet drawn for that scale, one to
// one, where its controls leave it to be seen, and not its 1x pixels scaled up.
TEST_F(UpdaterWindowTest, OnAScaledScreenEachDialogShowsItsSheetDrawnForThatScale) {
  QWidget& widget = *widgetOf(*view);
  for (const DialogCase& dialog : dialogCases()) {
    ((*view).*dialog.build)();
    for (double ratio : {1.5, 2.0}) {
      const QImage shown = test::renderAtRatio(widget, ratio);
      const QImage drawn = *qt::qImage(view->bkImage(), ratio);
      const QImage scaledUp =
          qt::qImage(view->bkImage())
              ->scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      EXPECT_GT(test::shareShownAsDrawn(shown, drawn, scaledUp, drawn.rect(), {0, 0}), 0.6)
          << "dialog " << dialog.number << " at " << ratio;
    }
  }
}

TEST_F(UpdaterWindowTest, ImageLookup) {
  test::LogCapture log;
  EXPECT_TRUE(updaterImage(0, 35, {0, 0, 10, 10}).isNull());
  EXPECT_EQ(log.lines, std::vector<std::string>{"getNSImage is nil 35"});
  // A background is the whole Normal sheet; the progress bar's states 1 and 2 are the
  // Hover sheet, which no Push sheet stands behind.
  EXPECT_EQ(updaterImage(2, 20, {}).size(), kUpdaterSize);
  const Rect bar = {22, 57, 334, 17};
  EXPECT_TRUE(updaterImage(2, 44, bar).samePixels(updaterImage(1, 44, bar)));
  EXPECT_FALSE(updaterImage(0, 44, bar).samePixels(updaterImage(1, 44, bar)));
  // Every sheet of the table is there.
  ImageManager store(updaterImageTable());
  store.initImages();
  for (const ImageFamily& family : updaterImageTable()) {
    for (int32_t state = 0; state < 3; ++state) {
      EXPECT_FALSE(store.getImage(state, family.firstId, {0, 0, 10, 10}).isNull())
          << family.firstId << " " << state;
    }
  }
  EXPECT_EQ(log.lines.size(), 1u);
}

TEST_F(UpdaterWindowTest, TheProgressBarShowsItsValueAnd101AsFull) {
  view->InitDlg10_UpdateFirmware();
  KivProgressCtrl* bar = view->progressBar();
  ASSERT_NE(bar, nullptr);
  const struct {
    int32_t value;
    double width;
  } cases[] = {{0, 0}, {2, 6}, {50, 167}, {100, 334}, {101, 334}};
  for (const auto& c : cases) {
    bar->setCurValue(c.value);
    Image piece = bar->getProgressImage(bar->getCurPoint());
    EXPECT_EQ(piece.isNull() ? 0 : piece.size().width, c.width) << c.value;
    EXPECT_EQ(bar->accessibleValue(), std::to_string(c.value));
  }
}

TEST_F(UpdaterWindowTest, ButtonDispatch) {
  const struct {
    int32_t id;
    int quits;
  } cases[] = {{1, 1},  {5, 1},  {9, 1},  {28, 1}, {39, 1}, {2, 1},  {6, 1},  {11, 1}, {15, 1},
               {18, 1}, {22, 1}, {25, 1}, {29, 1}, {32, 1}, {41, 1}, {35, 0}, {44, 0}, {3, 0}};
  for (const auto& c : cases) {
    quits = 0;
    view->OnCmd(c.id);
    EXPECT_EQ(quits, c.quits) << c.id;
  }
  // OK on dialog 6 quits even after the update was offered.
  UpdateStep offer;
  offer.dialog = UpdateDialog::kUpdateOffered;
  view->showDialog(offer);
  ASSERT_TRUE(waitForDialog(5));
  EXPECT_EQ(view->dlgType(), 5);
  UpdateStep problem;
  problem.dialog = UpdateDialog::kEncounterProblem;
  view->showDialog(problem);
  ASSERT_TRUE(waitForDialog(6));
  quits = 0;
  click(view->okButton());
  EXPECT_EQ(quits, 1);
  EXPECT_EQ(view->dialogShown(), 6);
}

TEST_F(UpdaterWindowTest, AWholeUpdateInTheWindow) {
  writePackage(47, 10 * 1024);
  view->showSearching();
  EXPECT_NE(view->accessibleValue().find("Looking for the mouse"), std::string::npos);
  view->startUpdateProcessing();
  ASSERT_TRUE(waitForDialog(5));
  EXPECT_EQ(view->mouseVersionLabel()->accessibleValue(), "0.46");
  EXPECT_EQ(view->packageVersionLabel()->accessibleValue(), "0.47");
  EXPECT_EQ(view->accessibleName(), "VELTUpdate");
  EXPECT_NE(view->accessibleValue().find("Update firmware"), std::string::npos);
  EXPECT_EQ(view->accessibleDescription(), view->accessibleValue()) << "the wording describes it";
  EXPECT_NE(view->accessibleValue().find("Update from 0.46 to version 0.47"), std::string::npos)
      << "the versions are read where the picture shows them: " << view->accessibleValue();
  click(view->okButton());
  EXPECT_EQ(view->dialogShown(), 10);
  EXPECT_TRUE(view->subviews().size() == 2 && view->progressBar());
  ASSERT_TRUE(waitForDialog(9));
  EXPECT_EQ(view->mouseVersionLabel()->accessibleValue(), "0.47");
  EXPECT_EQ(storedState(mouse()).firmwareVersion, 47);
  click(view->okButton());
  EXPECT_EQ(quits, 1);
}

TEST_F(UpdaterWindowTest, TheLongSearchAlertsOnce) {
  writePackage(47, 1024);
  sendMouseToBootloader("bl-appear-after=5");
  useMouse();
  view->startUpdateProcessing();
  ASSERT_TRUE(waitForDialog(9));
  const ScriptedUiServices::Call alert = {
      "alert", "VELTPLUS Firmware Updates",
      "Software is trying to find the bootloader device, this may take several minutes"};
  EXPECT_EQ(ui->calls, std::vector<ScriptedUiServices::Call>{alert});
}

// Quitting during a transfer: the program's quit is asked for at once, the window goes
// away while the worker is between blocks, and the next run finds the mouse in its
// bootloader and sends the firmware again.
TEST_F(UpdaterWindowTest, QuittingDuringATransferLeavesTheMouseForTheNextRun) {
  writePackage(47, 3 * 1024);
  sendMouseToBootloader("bl-appear-after=2");
  useMouse();
  // The worker is held in its pause after the start, before the first block, until the
  // window is closed.
  onLog = [this](const std::string& line) {
    if (line == "Send_bl_start success") gate().close();
  };
  view->startUpdateProcessing();
  ASSERT_TRUE(waitForDialog(10));
  ASSERT_TRUE(gate().waitForASleeper(kMostWaited))
      << "the worker did not reach its pause after the start within " << kMostWaited.count()
      << " s";
  ASSERT_TRUE(deliverUntil([this] { return view->progressBar()->getCurValue() == 2; },
                           "the progress 2 of the start"));
  view->clickClose();
  EXPECT_EQ(quits, 1);
  gate().open();  // the worker wakes to the stop
  view.reset();
  processPendingEvents();  // reports still queued find no view
  EXPECT_EQ(storedState(mouse()).mode, MouseMode::kBootloader);
  onLog = nullptr;  // the worker has ended: nothing logs meanwhile

  RecordingFrontEnd next;
  UpdateFlow flow(package(), next);
  flow.UpdateProcessing();
  EXPECT_EQ(next.dialogs(), (std::vector<int32_t>{10, 7, 9}));
  EXPECT_EQ(storedState(mouse()).firmwareVersion, 47);
}

// The dialogs of what went wrong show the flow's problem as a sentence, dialog 1 the
// package folder too, wrapped within their rectangles and read by screen readers.
TEST_F(UpdaterWindowTest, TheProblemDialogsSayWhatWentWrong) {
  const struct {
    const char* what;
    std::function<void()> prepare;
    int32_t dialog;
    std::string problem;
    bool namesFolder;
  } cases[] = {
      {"no package", [] {}, 1, "There is no package here: no fwconfig.plist.", true},
      {"an empty firmware", [this] { writePackage(47, 0); }, 1,
       "The firmware file fw.bin is empty.", true},
      {"a version the mouse cannot report",
       [this] {
         std::string error;
         ASSERT_TRUE(writeFirmwarePackage(package(), 70000, "fw", emulatedFirmwareImage(47, 99),
                                          false, error));
       },
       1, "\"Version\" 70000 in fwconfig.plist is outside 1..65535, what the mouse reports.", true},
      {"a mouse attached but not openable",
       [this] {
         writePackage(47, 2048);
         auto host = std::make_unique<testing::ScriptedHost>();
         host->state()->devices = {testing::veltInfo(0x1301, 1, "/dev/hidraw7")};
         host->state()->unopenable = {"/dev/hidraw7"};
         Close_device();
         setHidHost(std::move(host));
       },
       2,
       "The VELT mouse is attached but cannot be opened; install the VELT package, or for a "
       "source build the udev rule packaging/70-velt.rules, then plug the mouse in again.",
       false},
      {"a firmware the mouse did not take",
       [this] {
         std::string error;
         ASSERT_TRUE(writeFirmwarePackage(package(), 47, "fw", std::vector<uint8_t>(3000, 0x11),
                                          false, error));
         sendMouseToBootloader("bl-appear-after=1");
         useMouse();
       },
       6,
       "The firmware was sent, but the mouse restarted running firmware 0.46, not the package's "
       "0.47.",
       false},
  };
  const char* shots = std::getenv("VELT_UPDATER_SHOTS");  // a folder to keep the pictures in
  for (const auto& c : cases) {
    std::filesystem::remove_all(package());
    std::filesystem::remove_all(mouse());
    useMouse();
    c.prepare();
    makeView();
    ::testing::internal::CaptureStderr();  // the device layer names the node it cannot open
    view->startUpdateProcessing();
    ASSERT_TRUE(waitForDialog(c.dialog)) << c.what;
    ::testing::internal::GetCapturedStderr();
    ASSERT_NE(view->problemText(), nullptr) << c.what;
    EXPECT_EQ(view->problemText()->text(), c.problem) << c.what;
    EXPECT_EQ(view->problemText()->accessibleRole(), AccessibleRole::StaticText);
    EXPECT_NE(view->accessibleValue().find(c.problem), std::string::npos)
        << view->accessibleValue();
    const Rect area = view->problemText()->frame();
    std::string drawn;
    for (const std::string& line : view->problemText()->lines()) {
      EXPECT_LE(measureText(line, updaterTextFont()).width, area.width) << line;
      drawn += (drawn.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(drawn, c.problem) << c.what << ": the whole problem fits";
    if (c.namesFolder) {
      ASSERT_NE(view->folderText(), nullptr);
      EXPECT_EQ(view->folderText()->text(), package());
      // The folder between the first line and the problem, as the picture shows them.
      const std::string wording = view->accessibleValue();
      EXPECT_LT(wording.find("package in " + package()), wording.find(c.problem)) << wording;
      EXPECT_NE(wording.find("--package DIR"), std::string::npos) << wording;
    }
    const QImage shot = widgetOf(driver->window())->grab().toImage();
    // The problem's text is drawn: its first line's box holds more than the background.
    const int top = static_cast<int>(kUpdaterSize.height - (area.y + area.height));
    bool drawnText = false;
    for (int x = static_cast<int>(area.x); x < static_cast<int>(area.x + 100) && !drawnText; ++x)
      for (int y = top + 2; y < top + 12 && !drawnText; ++y)
        drawnText = qGray(shot.pixel(x, y)) > 120;
    EXPECT_TRUE(drawnText) << c.what;
    if (shots)
      shot.save(QString::fromStdString(std::string(shots) + "/dialog" + std::to_string(c.dialog) +
                                       "-" + c.what + ".png"));
  }
}

// Each line as full as it can be, broken at a space, or after a "/" within a path; the
// last line allowed ends in an ellipsis when text is left over.
TEST(UpdaterTextBlock, WrapsAtSpacesThenAfterSlashesAndElidesTheLastLine) {
  const Font font = updaterTextFont();
  const double width = measureText("the firmware file is", font).width + 1;
  const auto fits = [&](const std::string& text) { return measureText(text, font).width <= width; };
  const std::string sentence = "the firmware file is empty and cannot be sent to the mouse";
  const std::string path = "/usr/share/velt/firmware/packages/current";
  const struct {
    std::string text;
    size_t maxLines;
    const char* joint;  // what the text has where a line ends
    char unit;          // what the text is broken into: words, path steps, characters
    bool elided;
  } cases[] = {
      {"", 3, " ", ' ', false},       {"short", 3, " ", ' ', false},
      {sentence, 9, " ", ' ', false}, {path, 9, "", '/', false},
      {sentence, 2, " ", ' ', true},  {std::string(60, 'x'), 9, "", 0, false},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> lines = wrapLines(c.text, width, font, c.maxLines);
    std::string joined;
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_TRUE(fits(lines[i])) << lines[i];
      joined += (i == 0 ? "" : c.joint) + lines[i];
      if (i + 1 == lines.size() || c.elided) continue;
      // Not one more unit of the next line would have fitted.
      const std::string& next = lines[i + 1];
      const size_t end = c.unit == ' ' ? next.find(' ') : c.unit == '/' ? next.find('/') + 1 : 1;
      EXPECT_FALSE(fits(lines[i] + c.joint + next.substr(0, end))) << lines[i] << " | " << next;
      if (c.unit == '/') {
        EXPECT_EQ(lines[i].back(), '/') << lines[i];
      }
    }
    if (c.elided) {
      EXPECT_EQ(lines.size(), c.maxLines);
      EXPECT_TRUE(lines.back().ends_with("\u2026")) << lines.back();
    } else {
      EXPECT_EQ(joined, c.text);
    }
  }
}

TEST_F(UpdaterWindowTest, PointerOverTheViewMakesTheWindowDraggable) {
  view->InitDlg5_UpdateToFWVersion();
  driver->window().setMovableByWindowBackground(false);
  MouseEvent event;
  event.location = {100, 50};
  view->mouseMoved(event);
  EXPECT_TRUE(driver->window().isMovableByWindowBackground());
  event.location = {100, 0};
  view->mouseMoved(event);
  EXPECT_FALSE(driver->window().isMovableByWindowBackground());
}

// The program's options, answered before any window opens.
TEST(VeltUpdateProgram, Options) {
  test::TempFolder dir;
  const struct {
    const char* args;
    int status;
    const char* out;
  } cases[] = {
      {"--version", 0, "VELTUpdate V1.05\n"},
      {"--help", 0, "usage: VELTUpdate [--emulate DIR] [--package DIR]"},
      {"--frob", 2, ""},
      {"--package", 2, ""},
      {"--emulate", 2, ""},
  };
  for (const auto& c : cases) {
    const std::string out = dir.path() + "/out.txt";
    // Bounded: a program that opened its window instead would never end by itself.
    const std::string line = std::string("timeout -k 5 60 '" VELTUPDATE_BINARY "' ") + c.args +
                             " </dev/null >'" + out + "' 2>/dev/null";
    const int status = std::system(line.c_str());
    const int exited = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    EXPECT_NE(exited, 124) << "VELTUpdate " << c.args << " did not end within 60 s";
    EXPECT_EQ(exited, c.status) << c.args;
    EXPECT_EQ(test::readBytes(out).find(c.out), 0u) << c.args;
  }
}

}  // namespace
}  // namespace velt
