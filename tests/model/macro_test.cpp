#include "model/Macro.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "model/MacroView.h"
#include "model/limits.h"
#include "model/plist_file.h"
#include "tests/support/temp_folder.h"

namespace velt {
namespace {

struct RecordingView : MacroView {
  void subMsg(int32_t code, int32_t value) override { messages.emplace_back(code, value); }
  std::vector<std::pair<int32_t, int32_t>> messages;
};

class MacroEditor : public testing::Test {
 protected:
  // Rows of the macro as (ID, selected) pairs.
  std::vector<std::pair<int32_t, int>> rows() const {
    std::vector<std::pair<int32_t, int>> out;
    for (const EventItem& i : macro.eventItems()) out.emplace_back(i.nID(), i.selected());
    return out;
  }
  void addRows(int count, int height = 300) {
    macro.initMacro(&view, 16, "M", {0, 0, 200, static_cast<double>(height)});
    for (int i = 0; i < count; ++i) macro.addItem(1, i, 0, 10, Macro::kAppend);
    view.messages.clear();
  }
  void select(size_t index) {
    const ItemRect& r = macro.eventItems()[index].rect();
    ASSERT_TRUE(macro.OnLBtDown({r.x + 1, r.y + 1}));
  }

  RecordingView view;
  Macro macro;
};

TEST_F(MacroEditor, AppendNumbersRowsAndSelectsTheNewOne) {
  macro.initMacro(&view, 16, "M", {0, 0, 200, 300});
  for (int i = 0; i < 3; ++i) macro.addItem(1, 4, 0, 0, Macro::kAppend);
  EXPECT_EQ(rows(), (std::vector<std::pair<int32_t, int>>{{1, 0}, {2, 0}, {3, 1}}));
  EXPECT_EQ(view.messages,
            (std::vector<std::pair<int32_t, int32_t>>{{115, 0}, {115, 1}, {115, 2}}));
  macro.addItem(1, 4, 0, 0, 7);  // unknown mode: nothing added, 115 still sent
  EXPECT_EQ(macro.eventItems().size(), 3u);
  EXPECT_EQ(view.messages.back(), std::make_pair(115, 2));
}

TEST_F(MacroEditor, InsertAfterSelection) {
  struct Case {
    int selected;  // -1: none
    std::vector<std::pair<int32_t, int>> expected;
  };
  const Case cases[] = {{1, {{1, 0}, {2, 0}, {4, 1}, {3, 0}}},
                        {2, {{1, 0}, {2, 0}, {3, 0}, {4, 1}}},
                        {-1, {{4, 1}, {1, 0}, {2, 0}, {3, 0}}}};
  for (const Case& c : cases) {
    addRows(3);
    macro.resetItemState();
    if (c.selected >= 0) select(static_cast<size_t>(c.selected));
    macro.addItem(16, 241, 0, 0, Macro::kInsertAfterSelection);
    EXPECT_EQ(rows(), c.expected) << c.selected;
  }
  macro.initMacro(&view, 16, "M", {0, 0, 200, 300});
  macro.addItem(1, 4, 0, 0, Macro::kInsertAfterSelection);  // empty list: appended
  EXPECT_EQ(rows(), (std::vector<std::pair<int32_t, int>>{{1, 1}}));
}

TEST_F(MacroEditor, LayoutAndOverflow) {
  macro.initMacro(&view, 16, "M", {0, 0, 200, 100});
  for (int i = 0; i < 6; ++i) macro.addItem(1, 4, 0, 0, Macro::kAppend);
  const double ys[] = {77, 59, 41, 23, 5, -13};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(macro.eventItems()[i].rect(), (ItemRect{4, ys[i], 198, 18})) << i;
  }
  EXPECT_EQ(view.messages.back(), std::make_pair(115, 5));
  EXPECT_EQ(view.messages[view.messages.size() - 2], std::make_pair(110, 5));
  int overflows = 0;
  for (const auto& m : view.messages) overflows += m.first == 110;
  EXPECT_EQ(overflows, 1);  // only the sixth row overflows
}

TEST_F(MacroEditor, HitTestIncludesEdges) {
  addRows(3);
  const ItemRect last = macro.eventItems()[2].rect();
  select(0);
  EXPECT_FALSE(macro.OnLBtDown({last.x + 5, last.y - 1}));
  EXPECT_EQ(macro.getSelItem()->nID(), 1);  // unchanged
  const ItemRect r = macro.eventItems()[1].rect();
  EXPECT_TRUE(macro.OnLBtUp({r.x + r.width, r.y}));  // the shared edge: the first row wins
  EXPECT_EQ(rows(), (std::vector<std::pair<int32_t, int>>{{1, 0}, {2, 1}, {3, 0}}));
}

TEST_F(MacroEditor, SelectionMovesUpAndOffTheTop) {
  addRows(3);
  macro.selMoveUp();
  EXPECT_EQ(macro.getSelItem()->nID(), 2);
  select(0);
  macro.selMoveUp();
  EXPECT_EQ(macro.getSelItem(), nullptr);
}

TEST_F(MacroEditor, DeleteRemovesTheSelectedRowAndClosesTheGap) {
  addRows(4);
  const ItemRect second = macro.eventItems()[1].rect();
  select(1);
  macro.deleteSelItem();
  EXPECT_EQ(rows(), (std::vector<std::pair<int32_t, int>>{{1, 0}, {3, 1}, {4, 0}}));
  EXPECT_EQ(macro.eventItems()[1].rect(), second);
  EXPECT_EQ(view.messages.back(), std::make_pair(114, 3));
  select(2);
  macro.deleteSelItem();  // the last row: the new last row is selected
  EXPECT_EQ(rows(), (std::vector<std::pair<int32_t, int>>{{1, 0}, {3, 1}}));
  macro.resetItemState();
  macro.deleteSelItem();  // nothing selected: nothing happens
  EXPECT_EQ(macro.eventItems().size(), 2u);
  EXPECT_EQ(macro.getNewItemID(), 4);
  macro.removeItems();
  EXPECT_EQ(macro.getNewItemID(), 1);
}

TEST_F(MacroEditor, NewItemIdFollowsTheHighestKept) {
  addRows(7);
  for (int index : {5, 4, 3, 2, 1}) {
    select(static_cast<size_t>(index));
    macro.deleteSelItem();
  }
  EXPECT_EQ(rows(), (std::vector<std::pair<int32_t, int>>{{1, 0}, {7, 1}}));
  EXPECT_EQ(macro.getNewItemID(), 8);
}

TEST_F(MacroEditor, ScrollPutsTheChosenRowAtTheBottom) {
  addRows(10, 100);  // 5 whole rows fit
  macro.moveto(7);
  const ItemRect& row7 = macro.eventItems()[7].rect();
  EXPECT_EQ(row7.y + row7.height, 0);
  macro.moveto(0);  // clamped to the first hidden row, 20 above the bottom
  const ItemRect& row5 = macro.eventItems()[5].rect();
  EXPECT_EQ(row5.y + row5.height, 20);
  macro.moveto(99);  // clamped to the last row
  EXPECT_EQ(macro.eventItems()[9].rect().y + 18, 0);
  addRows(3, 100);  // all rows fit: no scrolling
  const double y = macro.eventItems()[0].rect().y;
  macro.moveto(2);
  EXPECT_EQ(macro.eventItems()[0].rect().y, y);
}

// A library macro filled from a profile's copy or from its file ends as appending its
// events one by one would: same rows, and the view's last word is 115 with the last
// index, after 110 when the rows overflow.
TEST_F(MacroEditor, BulkAppendEndsAsAppendingOneByOne) {
  MacroData data(16, "M");
  for (int i = 0; i < 8; ++i) data.addEvent(1, i, i % 2, 5 * i);
  data.addEvent(0, 0, 0, 0);  // an empty event is dropped
  RecordingView oneByOneView;
  Macro oneByOne;
  oneByOne.initMacro(&oneByOneView, 16, "M", {0, 0, 200, 100});
  for (const MacroEvent& e : data.events()) {
    if (e.eventType() != 0) {
      oneByOne.addItem(e.eventType(), e.eventAction(), e.state(), e.delay(), Macro::kAppend);
    }
  }
  test::TempFolder folder;
  ASSERT_TRUE(oneByOne.save(folder.file("m.macro")));

  for (const bool fromFile : {false, true}) {
    view.messages.clear();
    macro.initMacro(&view, 0, "", {0, 0, 200, 100});
    if (fromFile) {
      ASSERT_TRUE(macro.read(folder.file("m.macro")));
    } else {
      macro.appendEvents(data);
    }
    ASSERT_EQ(macro.eventItems().size(), oneByOne.eventItems().size()) << fromFile;
    for (size_t i = 0; i < macro.eventItems().size(); ++i) {
      const EventItem& got = macro.eventItems()[i];
      const EventItem& want = oneByOne.eventItems()[i];
      EXPECT_EQ(got.nID(), want.nID()) << fromFile << i;
      EXPECT_EQ(got.selected(), want.selected()) << fromFile << i;
      EXPECT_EQ(got.rect(), want.rect()) << fromFile << i;
      EXPECT_EQ(got.event(), want.event()) << fromFile << i;
    }
    ASSERT_FALSE(view.messages.empty()) << fromFile;
    EXPECT_EQ(view.messages.back(), oneByOneView.messages.back()) << fromFile;
    EXPECT_EQ(view.messages.back(), std::make_pair(115, 7)) << fromFile;
    EXPECT_NE(std::find(view.messages.begin(), view.messages.end(), std::make_pair(110, 7)),
              view.messages.end())
        << fromFile;
  }
}

TEST(EventItem, DisplayTexts) {
  EventItem item;
  item.setEventType(kMouseEventType);
  item.setEventAction(151);
  item.setState(1);
  EXPECT_EQ(item.mouseEventString(), "Scroll wheel up");
  item.setEventAction(178);
  EXPECT_EQ(item.eventString(), "Back button up");
  item.setEventAction(243);
  EXPECT_EQ(item.mouseEventString(), "");
  item.setEventType(kKeyEventType);
  item.setEventAction(0);
  EXPECT_EQ(item.eventString(), "A");
  item.setDelay(120);
  EXPECT_EQ(item.delayString(), "120 ms");
}

TEST(MacroFile, RoundTripAndKeys) {
  test::TempFolder folder;
  Macro saved;
  saved.initMacro(nullptr, 17, "Paste", {0, 0, 200, 100});
  saved.addItem(1, 9, 0, 0, Macro::kAppend);
  saved.addItem(1, 9, 1, 4294967295u, Macro::kAppend);
  ASSERT_TRUE(saved.save(folder.file("Paste.macro")));
  TextDict dict;
  ASSERT_TRUE(readTextDict(folder.file("Paste.macro"), dict));
  EXPECT_EQ(dict.at("evnetCount"), "2");
  EXPECT_EQ(dict.at("eventID_1"), "2");
  EXPECT_EQ(dict.at("eventDelay_1"), "-1");
  EXPECT_EQ(dict.size(), 3u + 2u * 5u);
  Macro read;
  read.initMacro(nullptr, 0, "", {0, 0, 200, 100});
  ASSERT_TRUE(read.read(folder.file("Paste.macro")));
  EXPECT_EQ(read.toMacroData(), saved.toMacroData());
  EXPECT_EQ(read.eventItems()[1].nID(), 2);
  EXPECT_EQ(read.eventItems()[1].rect(), saved.eventItems()[1].rect());

  test::writeBytes(folder.file("other.macro"),
                   toXmlPlist({{"macroName", "X"}, {"eventCount", "2"}, {"eventType_0", "1"}}));
  ASSERT_TRUE(read.read(folder.file("other.macro")));
  EXPECT_EQ(read.strName(), "X");
  EXPECT_EQ(read.eventItems().size(), 2u);  // "eventCount" is not the key
  EXPECT_FALSE(read.read(folder.file("missing.macro")));
  EXPECT_EQ(read.strName(), "X");
}

// Written whole, a macro of eight times the event limit would make a file too large to
// read at all.
TEST(MacroFile, LongMacroIsWrittenUpToTheLimitAndReadsBack) {
  test::TempFolder folder;
  MacroData data(16, "Long");
  for (int64_t i = 0; i < 8 * kMaxMacroEvents; ++i) data.addEvent(1, 4, i % 2, i);
  Macro saved;
  saved.initMacro(nullptr, 16, "Long", {0, 0, 200, 100});
  saved.appendEvents(data);
  ASSERT_TRUE(saved.save(folder.file("m.macro")));
  Macro read;
  read.initMacro(nullptr, 0, "", {0, 0, 200, 100});
  ASSERT_TRUE(read.read(folder.file("m.macro")));
  EXPECT_EQ(read.strName(), "Long");
  ASSERT_EQ(read.eventItems().size(), static_cast<size_t>(kMaxMacroEvents));
  EXPECT_EQ(read.eventItems().back().event(), data.eventAtIndex(kMaxMacroEvents - 1));
}

TEST(MacroFile, EventCountIsBounded) {
  test::TempFolder folder;
  for (const char* count : {"2147483647", "-5"}) {
    test::writeBytes(folder.file("m.macro"), toXmlPlist({{"evnetCount", count}}));
    Macro m;
    ASSERT_TRUE(m.read(folder.file("m.macro")));
    EXPECT_LE(m.eventItems().size(), static_cast<size_t>(kMaxMacroEvents)) << count;
  }
}

}  // namespace
}  // namespace velt
