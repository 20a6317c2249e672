// The sensor page in the main window: loading and storing a profile, the linked DPI
// axes, the lift-off test and save and the surface analysis, on the emulated mouse and,
// where only the page's side matters, on a recording one.
#include <gtest/gtest.h>

#include "device/commands.h"
#include "device/result_codes.h"
#include "device/surface_level.h"
#include "emulator/state_dir.h"
#include "model/profile_apply.h"
#include "tests/config_app/config_app_test_support.h"
#include "tests/support/recording_mouse.h"
#include "toolkit/layout/dialog_layout.h"

namespace velt::test {
namespace {

struct Dpi {
  int32_t v1, v2, v3;
  bool operator==(const Dpi&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Dpi& d) {
  return out << d.v1 << "/" << d.v2 << "/" << d.v3;
}

Dpi valuesOf(const KivSliderCtrl3D& s) {
  return {s.getCurValue1(), s.getCurValue2(), s.getCurValue3()};
}

class SensorPage : public MainViewFixture {
 protected:
  SensorView& page() { return view->sensorView(); }
  // The page shown, as the user opens it.
  SensorView& showPage() {
    start();
    click(view->pageTab(1));
    return page();
  }
  MouseState mouse() {
    std::string error;
    std::unique_ptr<StateDir> dir = StateDir::open(mouseDir(), error);
    MouseState state;
    EXPECT_TRUE(dir && dir->transact([&](MouseState& s) {
      state = s;
      return true;
    })) << error;
    return state;
  }
};

TEST_F(SensorPage, AProfileLoadsInOrderAndLinkedAxesEndAtTheYValues) {
  useNoMouse();
  start();
  Profile p;
  p.initProfile();
  p.setDPIXaxis1(100);  // below the range: shown and stored as 200
  p.setDPIXaxis2(800);
  p.setDPIXaxis3(9000);
  p.setDPIYaxis1(1000);
  p.setDPIYaxis2(2000);
  p.setDPIYaxis3(3000);
  p.setPointerSpeed(7);
  p.setLiftDistance(20);
  p.setQualityAnalyzer(4);
  p.setIsEnableRefinedmode(1);

  p.setIsEnableXPSeparate(0);
  page().setUIData(p);
  EXPECT_EQ(valuesOf(page().xSlider()), (Dpi{1000, 2000, 3000}));
  EXPECT_EQ(valuesOf(page().ySlider()), (Dpi{1000, 2000, 3000}));

  p.setIsEnableXPSeparate(1);
  page().setUIData(p);
  EXPECT_EQ(valuesOf(page().xSlider()), (Dpi{200, 800, 8200}));
  EXPECT_EQ(valuesOf(page().ySlider()), (Dpi{1000, 2000, 3000}));
  EXPECT_EQ(page().qualityBar().getCurValue(), 4);
  EXPECT_EQ(page().surfacePicture().imageItem(), 4);
  Profile stored;
  stored.initProfile();
  page().getUIData(stored);
  EXPECT_EQ(stored.DPIXaxis1(), 200);
  EXPECT_EQ(stored.DPIXaxis3(), 8200);
  EXPECT_EQ(stored.DPIYaxis2(), 2000);
  EXPECT_EQ(stored.pointerSpeed(), 7);
  EXPECT_EQ(stored.liftDistance(), 20);
  EXPECT_EQ(stored.qualityAnalyzer(), 4);
  EXPECT_EQ(stored.isEnableXPSeparate(), 1);
  EXPECT_EQ(stored.isEnableRefinedmode(), 1);
}

TEST_F(SensorPage, LinkedAxesMoveTogetherAndSeparatingCopiesXIntoYOnce) {
  useNoMouse();
  SensorView& s = showPage();
  s.ySlider().setCurValue2(5000, true);  // as a drag reports it
  EXPECT_EQ(valuesOf(s.xSlider()), valuesOf(s.ySlider()));
  EXPECT_EQ(s.xSlider().getCurValue2(), 5000);

  click(s.separateXYCheck());
  ASSERT_TRUE(s.separateXYCheck().isCheck());
  s.xSlider().setCurValue1(400, true);
  EXPECT_EQ(s.ySlider().getCurValue1(), 2000) << "separated, Y stays";

  click(s.separateXYCheck());  // linked again: nothing copied until the next change
  EXPECT_EQ(s.xSlider().getCurValue1(), 400);
  EXPECT_EQ(s.ySlider().getCurValue1(), 2000);
  s.ySlider().setCurValue3(7000, true);
  EXPECT_EQ(valuesOf(s.xSlider()), (Dpi{2000, 5000, 7000}));

  s.xSlider().setCurValue1(600, true);
  click(s.separateXYCheck());  // separating copies X into Y
  EXPECT_EQ(valuesOf(s.ySlider()), (Dpi{600, 5000, 7000}));
}

TEST_F(SensorPage, LiftOffTestAndSaveSendTheDistanceWithin6To31AtOnce) {
  useEmulatedMouse();
  SensorView& s = showPage();
  struct Case {
    int32_t slider;
    uint8_t sent;
  } cases[] = {{1, 6}, {12, 12}, {32, 31}};
  for (const Case& c : cases) {
    s.liftDistanceSlider().setCurValue(c.slider, false);
    click(s.liftTestButton());
    EXPECT_EQ(mouse().testedLiftDistance, c.sent) << c.slider;
    click(s.liftSaveButton());
    EXPECT_EQ(mouse().savedLiftDistance, c.sent) << c.slider;
  }
  EXPECT_TRUE(alerts().empty());
}

TEST_F(SensorPage, AFailingLiftOffCommandIsAlertedAndNoMouseIsSilent) {
  useEmulatedMouse();
  SensorView& s = showPage();
  // The mouse again, now losing the next two commands on the way.
  ScopedEnv faults("VELT_EMULATE_FAULTS", "drop-set=1,drop-set=2");
  useEmulatedMouse();
  click(s.liftTestButton());
  click(s.liftSaveButton());
  EXPECT_EQ(alerts(),
            (std::vector<std::string>{"lift distance test failed", "lift distance save failed"}));

  useNoMouse();
  click(s.liftTestButton());
  click(s.liftSaveButton());
  EXPECT_EQ(alerts().size(), 2u) << "no mouse, no message";
}

TEST_F(SensorPage, AConfirmedAnalysisShowsTheMousesLevel) {
  useEmulatedMouse();
  showPage();
  whenDialogsRun(analysisAnswers(timers));
  click(page().analyzeButton());
  EXPECT_TRUE(mouse().surfaceAnalyzed);
  uint8_t value = 0;
  ASSERT_EQ(Get_surface_analyzer_result(value), kResultSuccess);
  const int level = surfaceLevel(value);
  ASSERT_GT(level, 0);
  EXPECT_EQ(page().qualityBar().getCurValue(), level);
  EXPECT_EQ(page().surfacePicture().imageItem(), level);
  Profile stored;
  stored.initProfile();
  page().getUIData(stored);
  EXPECT_EQ(stored.qualityAnalyzer(), level);
}

TEST_F(SensorPage, ACancelledAnalysisReadsNothingAndLeavesTheBarEmpty) {
  useEmulatedMouse();
  showPage();
  Profile p;
  p.initProfile();
  p.setQualityAnalyzer(3);
  page().setUIData(p);
  // Cancelled at the last step: the mouse has a result, and it is not read.
  whenDialogsRun(analysisAnswers(timers, kAnalysisDoneDialog));
  click(page().analyzeButton());
  EXPECT_TRUE(mouse().surfaceAnalyzed);
  EXPECT_EQ(page().qualityBar().getCurValue(), 0);
  EXPECT_EQ(page().surfacePicture().imageItem(), 3) << "the picture keeps its level";
}

// An analysis that measured nothing (the start could not be sent, the result could not
// be read, or there was no mouse at one end) is said, and the page keeps the level it
// had instead of showing a level 0 it never read.
enum class AnalysisFault { kStartLost, kResultLost, kNoMouse, kGoneBeforeTheResult };
struct AnalysisCase {
  AnalysisFault fault;
  const char* alert;
  bool started;  // the countdown ran
};

class FailedAnalysis : public SensorPage, public ::testing::WithParamInterface<AnalysisCase> {};

TEST_P(FailedAnalysis, IsSaidAndKeepsThePreviousLevel) {
  const AnalysisFault fault = GetParam().fault;
  if (fault == AnalysisFault::kNoMouse)
    useNoMouse();
  else
    useEmulatedMouse();
  showPage();
  Profile p;
  p.initProfile();
  p.setQualityAnalyzer(4);
  page().setUIData(p);
  // From here on the mouse drops the first transfer it is sent, or the first reply.
  const auto dropFirst = [&](const char* fault) {
    ScopedEnv drop{"VELT_EMULATE_FAULTS", fault};
    useEmulatedMouse();
  };
  std::vector<int32_t> steps;
  std::vector<DialogStep> answers{{kAnalysisStartDialog, [&](PopView& d) {
                                     steps.push_back(d.popType());
                                     if (fault == AnalysisFault::kStartLost)
                                       dropFirst("drop-set=1");
                                     clickDialogButton(d, kAnalysisStartDialog + 1);
                                   }}};
  if (GetParam().started) {
    answers.push_back(
        {kAnalysisRunDialog, [&](PopView& d) { steps.push_back(d.popType()); }});  // runs out
    answers.push_back({kAnalysisDoneDialog, [&](PopView& d) {
                         steps.push_back(d.popType());
                         // Before the result is read, the mouse goes or starts dropping replies.
                         if (fault == AnalysisFault::kGoneBeforeTheResult) useNoMouse();
                         if (fault == AnalysisFault::kResultLost) dropFirst("drop-get=1");
                         clickDialogButton(d, kAnalysisDoneDialog + 1);
                       }});
  }
  whenDialogsRun(std::move(answers));
  click(page().analyzeButton());
  EXPECT_EQ(steps.size(), GetParam().started ? 3u : 1u);
  EXPECT_EQ(page().qualityBar().getCurValue(), 4);
  EXPECT_EQ(page().surfacePicture().imageItem(), 4);
  EXPECT_EQ(alerts(), std::vector<std::string>{GetParam().alert});
}

INSTANTIATE_TEST_SUITE_P(
    SensorPage, FailedAnalysis,
    ::testing::Values(
        AnalysisCase{AnalysisFault::kStartLost, "surface analysis start failed", false},
        AnalysisCase{AnalysisFault::kResultLost, "surface analysis result failed", true},
        AnalysisCase{AnalysisFault::kNoMouse, kMouseNotFoundMessage, false},
        AnalysisCase{AnalysisFault::kGoneBeforeTheResult, kMouseNotFoundMessage, true}));

// The page on a recording mouse; the main view has none.
class SensorPageOnARecordingMouse : public SensorPage {
 protected:
  SensorView& showPageOnTheRecorder() {
    useNoMouse();
    SensorView& s = showPage();
    s.setMouse(recorder);
    return s;
  }
  RecordingMouse recorder;
};

using Calls = std::vector<RecordingMouse::Call>;

TEST_F(SensorPageOnARecordingMouse, LiftOffTestAndSaveSendTheSlidersDistance) {
  SensorView& s = showPageOnTheRecorder();
  for (int32_t distance : {1, 12, 32}) {
    s.liftDistanceSlider().setCurValue(distance, false);
    recorder.calls.clear();
    click(s.liftTestButton());
    click(s.liftSaveButton());
    EXPECT_EQ(
        recorder.calls,
        (Calls{
            {"open", {}}, {"testLiftOff", {distance}}, {"open", {}}, {"saveLiftOff", {distance}}}));
  }
  EXPECT_TRUE(alerts().empty());
}

TEST_F(SensorPageOnARecordingMouse, ARefusedLiftOffCommandIsAlertedAndNoMouseGetsNone) {
  SensorView& s = showPageOnTheRecorder();
  s.liftDistanceSlider().setCurValue(20, false);
  recorder.liftOffTaken = false;
  click(s.liftTestButton());
  click(s.liftSaveButton());
  EXPECT_EQ(alerts(),
            (std::vector<std::string>{"lift distance test failed", "lift distance save failed"}));

  recorder.opens = false;
  recorder.calls.clear();
  click(s.liftTestButton());
  click(s.liftSaveButton());
  EXPECT_EQ(recorder.names(), (std::vector<std::string>{"open", "open"})) << "nothing sent";
  EXPECT_EQ(alerts().size(), 2u) << "no mouse, no message";
}

// What the page asks of the mouse during an analysis and what it shows of the answers,
// from a level of 4. A cancelled analysis empties the bar and reads nothing.
struct AnalysisScript {
  const char* name;
  bool opens = true;
  bool starts = true;
  std::optional<int32_t> level = {};
  int32_t cancelOn = 0;  // the dialog cancelled, 0 for none
  std::vector<std::string> calls = {};
  std::vector<std::string> alerts = {};
  int32_t bar = 0;
  int32_t picture = 0;
};

void PrintTo(const AnalysisScript& script, std::ostream* out) {
  *out << script.name;
}

const std::vector<std::string> kStartAndRead = {"open", "startSurfaceAnalysis", "open",
                                                "surfaceLevel"};
const std::vector<std::string> kStartOnly = {"open", "startSurfaceAnalysis"};

class AnalysisOnARecordingMouse : public SensorPageOnARecordingMouse,
                                  public ::testing::WithParamInterface<AnalysisScript> {
 protected:
  // Clicks the analyse button and answers each dialog: the one of type `cancelOn`
  // cancelled, the others confirmed, the countdown left to run.
  void analyse(int32_t cancelOn, bool startTaken) {
    whenDialogsRun(analysisAnswers(timers, cancelOn, startTaken));
    click(page().analyzeButton());
  }
};

TEST_P(AnalysisOnARecordingMouse, AsksTheMouseAndShowsWhatItAnswered) {
  const AnalysisScript& script = GetParam();
  showPageOnTheRecorder();
  Profile p;
  p.initProfile();
  p.setQualityAnalyzer(4);
  page().setUIData(p);
  recorder.opens = script.opens;
  recorder.analysisStarts = script.starts;
  recorder.level = script.level;
  recorder.calls.clear();
  analyse(script.cancelOn, script.opens && script.starts);
  EXPECT_EQ(recorder.names(), script.calls);
  EXPECT_EQ(alerts(), script.alerts);
  EXPECT_EQ(page().qualityBar().getCurValue(), script.bar);
  EXPECT_EQ(page().surfacePicture().imageItem(), script.picture);
  EXPECT_EQ(page().surfacePicture().accessibleDescription(),
            "level " + std::to_string(script.picture));
  Profile stored;
  stored.initProfile();
  page().getUIData(stored);
  EXPECT_EQ(stored.qualityAnalyzer(), script.bar);
}

INSTANTIATE_TEST_SUITE_P(
    SensorPage, AnalysisOnARecordingMouse,
    ::testing::Values(
        AnalysisScript{
            .name = "Level7", .level = 7, .calls = kStartAndRead, .bar = 7, .picture = 7},
        AnalysisScript{
            .name = "Level10", .level = 10, .calls = kStartAndRead, .bar = 10, .picture = 10},
        AnalysisScript{.name = "AMeasuredLevel0IsShown", .level = 0, .calls = kStartAndRead},
        AnalysisScript{.name = "ResultUnreadable",
                       .calls = kStartAndRead,
                       .alerts = {"surface analysis result failed"},
                       .bar = 4,
                       .picture = 4},
        AnalysisScript{.name = "StartRefused",
                       .starts = false,
                       .level = 7,
                       .calls = {"open", "startSurfaceAnalysis", "open"},
                       .alerts = {"surface analysis start failed"},
                       .bar = 4,
                       .picture = 4},
        AnalysisScript{.name = "NoMouse",
                       .opens = false,
                       .level = 7,
                       .calls = {"open", "open"},
                       .alerts = {kMouseNotFoundMessage},
                       .bar = 4,
                       .picture = 4},
        AnalysisScript{.name = "CancelledBeforeTheStart",
                       .level = 7,
                       .cancelOn = kAnalysisStartDialog,
                       .picture = 4},
        AnalysisScript{.name = "CancelledDuringTheCountdown",
                       .level = 7,
                       .cancelOn = kAnalysisRunDialog,
                       .calls = kStartOnly,
                       .picture = 4},
        AnalysisScript{.name = "CancelledWhenDone",
                       .level = 7,
                       .cancelOn = kAnalysisDoneDialog,
                       .calls = kStartOnly,
                       .picture = 4}),
    [](const ::testing::TestParamInfo<AnalysisScript>& info) { return info.param.name; });

TEST_F(SensorPage, ControlsCarryTheNamesAPersonReads) {
  useNoMouse();
  SensorView& s = showPage();
  std::vector<std::string> names;
  for (KivImageView* control : s.subviews()) names.push_back(control->accessibleName());
  EXPECT_EQ(names, (std::vector<std::string>{"Separate X and Y", "Refined mode", "DPI X", "DPI Y",
                                             "Pointer speed", "Lift-off distance",
                                             "Surface quality", "Surface level", "Analyze surface",
                                             "Lift-off test", "Save lift-off distance"}));
}

}  // namespace
}  // namespace velt::test
