#include <gtest/gtest.h>

#include <QAccessible>

#include "tests/support/window_driver.h"
#include "tests/toolkit/control_test_support.h"
#include "tests/toolkit/render_support.h"
#include "toolkit/KivListBox.h"
#include "toolkit/platform/ViewWidget.h"

namespace velt {
namespace {

using test::at;
using test::Messages;
using test::RecordingView;
using test::WindowDriver;

// A 120 x 95 list: five rows fit (5 + 18 * 5 = 95), the sixth overflows.
struct ListBox : testing::Test {
  ListBox() { box.initView(&parent, 55, {0, 0, 120, 95}); }
  void addScrollBar() {
    box.setScrollImage(Image::filled({12, 95}, Color::gray(0.1)),
                       Image::filled({12, 20}, Color::gray(0.4)), {},
                       Image::filled({12, 12}, Color::gray(0.5)), {},
                       Image::filled({12, 12}, Color::gray(0.6)), {});
  }
  std::vector<std::string> names() const {
    std::vector<std::string> result;
    for (const BoxItem& item : box.boxItems()) result.push_back(item.m_strText);
    return result;
  }
  RecordingView parent;
  KivListBox box;
};

TEST_F(ListBox, NewIdsStartAtSixteenAndFollowTheHighest) {
  EXPECT_EQ(box.getNewItemID(), 16);
  box.addItem("a");
  EXPECT_EQ(box.boxItems().back().m_nID, 16);
  box.addItem("b");
  EXPECT_EQ(box.boxItems().back().m_nID, 17);
  box.addItem("c", 40);
  EXPECT_EQ(box.getNewItemID(), 41);
  box.removeItems();
  box.addItem("low", 3);  // below 16: the next is still 16
  EXPECT_EQ(box.getNewItemID(), 16);
  box.addItem("top", INT32_MAX);  // no overflow: the lowest free ID from 16
  EXPECT_EQ(box.getNewItemID(), 16);
}

TEST_F(ListBox, AddingSelectsTheNewRowAndReportsIt) {
  box.addItem("Macro");
  box.addItem("Other", 30);
  EXPECT_EQ(parent.messages, (Messages{{101, 16}, {101, 30}}));
  EXPECT_FALSE(box.boxItems()[0].m_bSelected);
  EXPECT_TRUE(box.boxItems()[1].m_bSelected);
  EXPECT_EQ(box.getSelItem()->m_nID, 30);
  EXPECT_EQ(box.getItem(16)->m_strText, "Macro");
  EXPECT_EQ(box.getItem(99), nullptr);
}

TEST_F(ListBox, UniqueNames) {
  struct Case {
    std::vector<std::string> rows;
    std::string added;
    std::string result;
  };
  const Case cases[] = {
      {{}, "Macro", "Macro"},
      {{"Macro"}, "Macro", "Macro1"},
      {{"Macro", "Macro1"}, "Macro", "Macro11"},
      {{"macro"}, "Macro", "Macro"},  // names differ by case
      // A single pass would give "Macro1" again here; the name must differ from all.
      {{"Macro1", "Macro"}, "Macro", "Macro11"},
  };
  for (const Case& c : cases) {
    KivListBox list;
    list.initView(nullptr, 1, {0, 0, 120, 95});
    for (const std::string& row : c.rows) list.addItem(row);
    list.addDifferentItem(c.added);
    EXPECT_EQ(list.boxItems().back().m_strText, c.result) << c.added;
  }
}

TEST_F(ListBox, RowLayout) {
  box.addItem("a");
  box.addItem("b");
  EXPECT_EQ(box.boxItems()[0].m_rcItem, (Rect{4, 72, 118, 18}));
  EXPECT_EQ(box.boxItems()[1].m_rcItem, (Rect{4, 54, 118, 18}));
  EXPECT_EQ(box.getNewItemRect(), (Rect{2, 36, 116, 18}));
  box.removeItems();
  EXPECT_EQ(box.getNewItemRect(), (Rect{3, 77, 115, 18}));
}

TEST_F(ListBox, DeletingSelectsTheNextRow) {
  struct Case {
    const char* name;
    int rows;
    int32_t selectedId;
    Messages reports;
    int32_t nowSelected;  // 0 for none
  };
  const Case cases[] = {
      {"middle", 3, 17, {{102, 17}, {101, 18}}, 18},
      {"last", 3, 18, {{102, 18}, {101, 17}}, 17},
      {"only", 1, 16, {{102, 16}, {101, 0}}, 0},
  };
  for (const Case& c : cases) {
    RecordingView p;
    KivListBox list;
    list.initView(&p, 1, {0, 0, 120, 95});
    for (int i = 0; i < c.rows; ++i) list.addItem("row");
    list.resetItemState();
    list.getItem(c.selectedId)->m_bSelected = true;
    p.messages.clear();
    list.deleteCurItem();
    EXPECT_EQ(p.messages, c.reports) << c.name;
    EXPECT_EQ(list.getItem(c.selectedId), nullptr) << c.name;
    BoxItem* sel = list.getSelItem();
    EXPECT_EQ(sel ? sel->m_nID : 0, c.nowSelected) << c.name;
  }
}

TEST_F(ListBox, DeleteWithoutSelectionAndSilentRemovals) {
  box.addItem("a");
  box.addItem("b");
  box.resetItemState();
  parent.messages.clear();
  box.deleteCurItem();
  box.deleteItem(16);
  EXPECT_EQ(box.boxItems().size(), 1u);
  box.removeItems();
  EXPECT_TRUE(box.boxItems().empty());
  EXPECT_TRUE(parent.messages.empty());
}

TEST_F(ListBox, ClickSelectsTheRowUnderThePointer) {
  box.addItem("a");
  box.addItem("b");
  parent.messages.clear();
  box.mouseDown(at({20, 80}));
  EXPECT_EQ(box.getSelItem()->m_nID, 16);
  EXPECT_TRUE(parent.messages.empty());
  box.mouseUp(at({20, 80}));
  EXPECT_EQ(parent.messages, (Messages{{101, 16}}));
  box.mouseDown(at({20, 20}));  // below the rows: nothing changes
  box.mouseUp(at({20, 20}));
  EXPECT_EQ(box.getSelItem()->m_nID, 16);
  EXPECT_EQ(parent.messages.size(), 1u);
}

TEST_F(ListBox, ScrollBarAppearsWhenRowsOverflow) {
  addScrollBar();
  KivScrollCtrl* bar = box.scroll();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->viewID(), 100);
  EXPECT_EQ(bar->frame(), (Rect{108, 0, 12, 95}));
  EXPECT_TRUE(bar->isHidden());
  EXPECT_EQ(bar->minValue(), 5);
  EXPECT_EQ(bar->maxValue(), 6);
  for (int i = 0; i < 5; ++i) box.addItem("row");
  EXPECT_TRUE(bar->isHidden());
  box.addItem("sixth");
  EXPECT_FALSE(bar->isHidden());
  EXPECT_EQ(bar->maxValue(), 6);
  EXPECT_EQ(bar->getCurValue(), 5);
  // Scrolled so that the new last row is shown, 8 points short of the bottom.
  EXPECT_EQ(box.boxItems()[5].m_rcItem.y, -8);
  box.addItem("seventh");
  EXPECT_EQ(box.boxItems()[6].m_rcItem.y, 0);
  EXPECT_EQ(box.boxItems()[0].m_rcItem.y, 72 + 36);
  // The bar's reports scroll the rows; positions outside the rows are ignored.
  box.subMsg(100, 5);
  EXPECT_EQ(box.boxItems()[5].m_rcItem.y, -8);
  box.subMsg(100, 2);
  EXPECT_EQ(box.boxItems()[5].m_rcItem.y, -8);
  box.removeItems();
  box.addItem("one");
  EXPECT_TRUE(bar->isHidden());
}

TEST_F(ListBox, InlineEntryAddsAUniqueName) {
  WindowDriver driver(parent, {200, 150});
  box.setFrame({10, 10, 120, 95});
  parent.addSubview(&box);
  box.addItem("Macro");
  EXPECT_FALSE(box.editInput());  // nothing open
  box.addItem();
  ASSERT_NE(box.textField(), nullptr);
  EXPECT_TRUE(box.isEntryOpen());
  EXPECT_EQ(box.textField()->frame(), box.getNewItemRect());
  box.textField()->setText("Macro");
  parent.messages.clear();
  box.addItem();  // a second call commits
  EXPECT_FALSE(box.isEntryOpen());
  EXPECT_EQ(box.boxItems().back().m_strText, "Macro1");
  EXPECT_EQ(parent.messages, (Messages{{101, 17}}));
  EXPECT_EQ(box.textField()->text(), "");
  // An empty entry adds nothing; a press commits it.
  box.addItem();
  box.mouseDown(at({20, 80}));
  EXPECT_FALSE(box.isEntryOpen());
  EXPECT_EQ(box.boxItems().size(), 2u);
  EXPECT_EQ(box.getSelItem()->m_nID, 17);  // the press only closed the entry
}

TEST_F(ListBox, ReturnInTheFieldCommits) {
  WindowDriver driver(parent, {200, 150});
  box.setFrame({10, 10, 120, 95});
  parent.addSubview(&box);
  box.addItem();
  QWidget* field = widgetOf(*box.textField());
  ASSERT_NE(field, nullptr);
  QTest::keyClicks(field->focusProxy() ? field->focusProxy() : field, "Fire");
  QTest::keyClick(field->focusProxy() ? field->focusProxy() : field, Qt::Key_Return);
  ASSERT_EQ(box.boxItems().size(), 1u);
  EXPECT_EQ(box.boxItems()[0].m_strText, "Fire");
  EXPECT_FALSE(box.isEntryOpen());
}

TEST_F(ListBox, DrawsTheSelectedRowInTheAccent) {
  box.setBkImage(Image::filled({120, 95}, Color::fromRgb8(0, 0, 0)));
  box.addItem("Fire");
  box.addItem("Walk");
  box.mouseUp(at(20, 80));  // "Fire"
  const QImage shot = test::render(box);
  const QRgb accent = qRgb(179, 211, 53), grey = qRgb(190, 190, 190);
  const Rect fire = box.boxItems()[0].m_rcItem, walk = box.boxItems()[1].m_rcItem;
  EXPECT_GT(test::pixelsNear(shot, fire, accent), 5);
  EXPECT_EQ(test::pixelsNear(shot, fire, grey), 0);
  EXPECT_GT(test::pixelsNear(shot, walk, grey), 5);
  EXPECT_EQ(test::pixelsNear(shot, walk, accent), 0);
  // The text starts 10 points into its row.
  for (int y = static_cast<int>(fire.y); y < static_cast<int>(fire.maxY()); ++y)
    for (int x = 0; x < static_cast<int>(fire.x) + 9; ++x)
      EXPECT_EQ(test::pixelAt(shot, x, y), qRgb(0, 0, 0)) << x << "," << y;
}

TEST_F(ListBox, AccessibleAsAListWithTheSelectedName) {
  box.addItem("Fire");
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(box));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::List);
  EXPECT_EQ(a->text(QAccessible::Value), "Fire");
}

TEST_F(ListBox, RowsAreAccessibleAsListItems) {
  box.addItem("Fire");
  box.addItem("Walk");
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(box));
  ASSERT_NE(a, nullptr);
  ASSERT_EQ(a->childCount(), 2);
  QAccessibleInterface* fire = a->child(0);
  QAccessibleInterface* walk = a->child(1);
  ASSERT_NE(fire, nullptr);
  ASSERT_NE(walk, nullptr);
  EXPECT_EQ(fire->role(), QAccessible::ListItem);
  EXPECT_EQ(fire->text(QAccessible::Name), "Fire");
  EXPECT_EQ(walk->text(QAccessible::Name), "Walk");
  EXPECT_FALSE(fire->state().selected);
  EXPECT_TRUE(walk->state().selected);
  // Row 0 lies 23 points under the top of the 95-high box: its top is 5 points down.
  EXPECT_EQ(fire->rect(), QRect(widgetOf(box)->mapToGlobal(QPoint(4, 5)), QSize(118, 18)));

  box.mouseUp(at(20, 80));  // selects "Fire"
  EXPECT_TRUE(fire->state().selected);
  EXPECT_FALSE(walk->state().selected);
}

}  // namespace
}  // namespace velt
