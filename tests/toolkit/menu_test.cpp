#include <gtest/gtest.h>

#include <QAccessible>

#include <algorithm>

#include "tests/support/window_driver.h"
#include "tests/toolkit/control_test_support.h"
#include "tests/toolkit/render_support.h"
#include "toolkit/KivComboxButton.h"
#include "toolkit/KivMenu.h"
#include "toolkit/platform/ViewWidget.h"

namespace velt {
namespace {

using test::at;
using test::Messages;
using test::RecordingView;
using test::WindowDriver;

Point centreOf(const MenuItem& item) {
  return {item.m_rcItem.x + item.m_rcItem.width / 2, item.m_rcItem.y + item.m_rcItem.height / 2};
}

// A menu 120 wide: "Left" (1), "Right" (2, disabled), "Keys" (3) with submenu 31, 32.
struct Menu : testing::Test {
  Menu() {
    menu.initMenu(&parent, 7, 120);
    menu.addMenuItem(1, "Left", false, true, false);
    menu.addMenuItem(2, "Right", false, false, false);
    menu.addMenuItem(3, "Keys", false, true, false);
    menu.addSubMenuItem(31, 3, "A", false, true);
    menu.addSubMenuItem(32, 3, "B", false, true);
  }
  const MenuItem& row(int i) { return menu.menuItems()[i]; }
  RecordingView parent;
  KivMenu menu;
};

TEST_F(Menu, ThreeRowsAreSixtyEightHigh) {
  menu.popMenu({200, 300}, KivMenu::kBottomLeft);
  EXPECT_EQ(menu.window()->frame(), (Rect{200, 300, 120, 68}));
  EXPECT_EQ(menu.bounds(), (Rect{0, 0, 120, 68}));
  const double ys[] = {44, 24, 4};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(row(i).m_rcItem, (Rect{1, ys[i], 105, 20})) << i;
  EXPECT_TRUE(menu.isOpen());
  EXPECT_EQ(menu.highlighted(), -1);
}

// A row without the arrow's columns at its right end.
Rect caption(const MenuItem& item) {
  return {item.m_rcItem.x, item.m_rcItem.y, item.m_rcItem.width - 12, item.m_rcItem.height};
}

TEST_F(Menu, DrawsOutlineRowsArrowAndTheHighlightedCaption) {
  menu.popMenu({200, 300}, 0);
  menu.mouseMoved(at(centreOf(row(0))));
  const QImage shot = test::render(menu);
  const QRgb accent = qRgb(179, 211, 53), grey = qRgb(170, 170, 170), black = qRgb(0, 0, 0);
  EXPECT_EQ(test::pixelAt(shot, 0, 30), accent) << "outline";
  EXPECT_EQ(test::pixelAt(shot, 119, 30), accent);
  EXPECT_EQ(test::pixelAt(shot, 60, 0), accent);
  EXPECT_EQ(test::pixelAt(shot, 60, 67), accent);
  EXPECT_EQ(test::pixelAt(shot, 3, 30), black) << "background";
  // Row 0 highlighted: its caption in the accent; the others in grey.
  EXPECT_GT(test::pixelsNear(shot, caption(row(0)), accent), 5);
  EXPECT_EQ(test::pixelsNear(shot, caption(row(0)), grey), 0);
  EXPECT_GT(test::pixelsNear(shot, caption(row(2)), grey), 5);
  EXPECT_EQ(test::pixelsNear(shot, caption(row(2)), accent), 0);
  // Row 2 has a submenu: the arrow's upright at right - 10, from y + 5 to y + height - 5.
  const Rect keys = row(2).m_rcItem;
  const int arrowX = static_cast<int>(keys.maxX()) - 10;
  EXPECT_NE(test::pixelAt(shot, arrowX, static_cast<int>(keys.y) + 10), black);
  EXPECT_EQ(test::pixelAt(shot, arrowX, static_cast<int>(row(0).m_rcItem.y) + 10), black)
      << "no arrow on a row without submenu";
}

TEST_F(Menu, AnchorsPlaceTheGivenCorner) {
  struct Case {
    int32_t anchor;
    Point at;
  };
  const Case cases[] = {{0, {200, 300}}, {1, {80, 300}}, {2, {200, 232}}, {3, {80, 232}}};
  for (const Case& c : cases) {
    menu.popMenu({200, 300}, c.anchor);
    EXPECT_EQ(menu.window()->frame().origin(), c.at) << c.anchor;
  }
  menu.popMenu({10, 10}, 7);  // unknown anchor: the frame stays
  EXPECT_EQ(menu.window()->frame().origin(), (Point{80, 232}));
}

TEST_F(Menu, AddingTheSameIdTwiceKeepsTheFirst) {
  menu.addMenuItem(1, "Other", false, true, false);
  EXPECT_EQ(menu.getMenuCount(), 3);
  EXPECT_EQ(menu.getMenuItem(1)->m_strCaption, "Left");
  EXPECT_EQ(menu.getMenuItem(32)->m_strCaption, "B");  // found in the submenu
  EXPECT_EQ(menu.getMenuItem(99), nullptr);
  EXPECT_TRUE(row(2).m_bExistChild);
  menu.addSubMenuItem(40, 99, "Orphan", false, true);  // no item 99: nothing
  EXPECT_EQ(menu.getMenuItem(40), nullptr);
  EXPECT_EQ(menu.findSubMenu(99), nullptr);
}

TEST_F(Menu, ChoosingAnEnabledItemReportsAndCloses) {
  menu.popMenu({200, 300}, 0);
  menu.mouseMoved(at(centreOf(row(0))));
  EXPECT_EQ(menu.highlighted(), 0);
  menu.mouseDown(at(centreOf(row(0))));
  menu.mouseUp(at(centreOf(row(0))));
  EXPECT_EQ(parent.messages, (Messages{{7, 1}}));
  EXPECT_FALSE(menu.isOpen());
  EXPECT_EQ(menu.lastHit(), 1);
}

TEST_F(Menu, ReleaseOnADisabledItemClosesSilently) {
  menu.popMenu({200, 300}, 0);
  menu.mouseUp(at(centreOf(row(1))));
  EXPECT_TRUE(parent.messages.empty());
  EXPECT_FALSE(menu.isOpen());
}

TEST_F(Menu, ReleaseOutsideEveryRowDoesNothing) {
  menu.popMenu({200, 300}, 0);
  menu.mouseUp(at({60, 66}));
  EXPECT_TRUE(parent.messages.empty());
  EXPECT_TRUE(menu.isOpen());
  EXPECT_EQ(menu.lastHit(), -1);
}

TEST_F(Menu, HoverOpensTheSubmenuBesideItsRow) {
  menu.popMenu({200, 300}, 0);
  menu.mouseMoved(at(centreOf(row(2))));
  KivMenu* sub = menu.findSubMenu(3);
  ASSERT_NE(sub, nullptr);
  EXPECT_TRUE(sub->isOpen());
  EXPECT_EQ(sub->menuID(), 3);
  EXPECT_EQ(sub->parentMenu(), &menu);
  // Two rows: 48 high; its top at the row's top (300 + 4 + 20), 5 points over the menu.
  EXPECT_EQ(sub->window()->frame(), (Rect{315, 276, 50, 48}));
  // A release on the row with a submenu reports nothing and keeps the menus open.
  menu.mouseUp(at(centreOf(row(2))));
  EXPECT_TRUE(parent.messages.empty());
  EXPECT_TRUE(sub->isOpen());
  // A row without submenu closes it.
  menu.mouseMoved(at(centreOf(row(0))));
  EXPECT_FALSE(sub->isOpen());
  EXPECT_TRUE(menu.isOpen());
}

TEST_F(Menu, DisabledRowWithSubmenuDoesNotOpenIt) {
  menu.setMenuItemEnable(3, false);
  menu.popMenu({200, 300}, 0);
  menu.mouseMoved(at(centreOf(row(2))));
  EXPECT_FALSE(menu.findSubMenu(3)->isOpen());
  EXPECT_EQ(menu.highlighted(), 2);
}

TEST_F(Menu, ChoiceInASubmenuReportsWithItsIdAndClosesAll) {
  menu.popMenu({200, 300}, 0);
  menu.mouseMoved(at(centreOf(row(2))));
  KivMenu* sub = menu.findSubMenu(3);
  sub->mouseUp(at(centreOf(sub->menuItems()[1])));
  EXPECT_EQ(parent.messages, (Messages{{3, 32}}));
  EXPECT_FALSE(sub->isOpen());
  EXPECT_FALSE(menu.isOpen());
}

TEST_F(Menu, RemovingRowsRelaysOutAndEmptyHides) {
  menu.popMenu({200, 300}, 0);
  menu.removeMenuItem(2);
  EXPECT_EQ(menu.getMenuCount(), 2);
  EXPECT_EQ(menu.window()->frame().height, 48);
  EXPECT_EQ(row(1).m_uID, 3);
  EXPECT_EQ(row(1).m_rcItem.y, 4);
  menu.removeMenus();
  EXPECT_EQ(menu.getMenuCount(), 0);
  EXPECT_FALSE(menu.isOpen());
}

TEST_F(Menu, HideMenuWindowsClosesEveryMenu) {
  RecordingView other;
  auto second = std::make_unique<KivMenu>();
  second->initMenu(&other, 8, 60);
  second->addMenuItem(5, "Five", false, true, false);
  menu.popMenu({200, 300}, 0);
  menu.mouseMoved(at(centreOf(row(2))));
  second->popMenu({10, 300}, 0);
  KivMenu::hideMenuWindows();
  EXPECT_FALSE(menu.isOpen());
  EXPECT_FALSE(menu.findSubMenu(3)->isOpen());
  EXPECT_FALSE(second->isOpen());
  // A menu that goes takes its window out of the list.
  KivWindow* gone = second->window();
  second.reset();
  EXPECT_EQ(std::count(g_menuWindows.begin(), g_menuWindows.end(), gone), 0);
  KivMenu::hideMenuWindows();
}

TEST_F(Menu, AccessibleAsAMenuWithTheHighlightedItem) {
  menu.popMenu({200, 300}, 0);
  menu.mouseMoved(at(centreOf(row(0))));
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(menu));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::PopupMenu);
  EXPECT_EQ(a->text(QAccessible::Value), "Left");
}

TEST_F(Menu, ItemsAreAccessibleAsMenuItems) {
  menu.popMenu({200, 300}, 0);
  menu.mouseMoved(at(centreOf(row(0))));
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(menu));
  ASSERT_NE(a, nullptr);
  ASSERT_EQ(a->childCount(), 3);
  const char* names[] = {"Left", "Right", "Keys"};
  for (int i = 0; i < 3; ++i) {
    QAccessibleInterface* item = a->child(i);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->role(), QAccessible::MenuItem);
    EXPECT_EQ(item->text(QAccessible::Name), names[i]);
    EXPECT_EQ(item->parent(), a);
    EXPECT_EQ(a->indexOfChild(item), i);
    EXPECT_EQ(item->state().selected, i == 0) << "only the highlighted row";
    EXPECT_EQ(item->state().disabled, i == 1);
    EXPECT_EQ(item->state().hasPopup, i == 2);
    EXPECT_EQ(a->child(i), item) << "asked again, the same interface";
  }
  // The row's place on the screen: 120 - 15 wide, 20 high, its top 4 points down.
  QRect first = a->child(0)->rect();
  EXPECT_EQ(first.size(), QSize(105, 20));
  EXPECT_EQ(first.topLeft(), widgetOf(menu)->mapToGlobal(QPoint(1, 4)));
  EXPECT_EQ(a->childAt(first.center().x(), first.center().y()), a->child(0));

  EXPECT_FALSE(a->child(0)->state().invisible);
  menu.hideMenu();
  EXPECT_TRUE(a->child(0)->state().invisible) << "the menu is closed";

  QAccessibleInterface* keys = a->child(2);
  menu.removeMenuItem(3);
  EXPECT_EQ(a->childCount(), 2);
  EXPECT_FALSE(keys->isValid()) << "a removed row is no longer there";
  EXPECT_EQ(a->child(2), nullptr);
}

// A drop-down button 100 x 20 at (30, 40) on a page.
struct Combo : testing::Test {
  Combo() : driver(page, {300, 200}) {
    combo.initView(&page, 12, {30, 40, 100, 20});
    page.addSubview(&combo);
    combo.insertItem(1, "Left click");
    combo.insertItem(2, "Right click");
    combo.insertItem(3, "Keys");
    combo.insertSubItem(31, 3, "A");
  }
  void choose(int32_t id) { combo.subMsg(0, id); }
  RecordingView page;
  WindowDriver driver;
  KivComboxButton combo;
};

TEST_F(Combo, MenuTakesTheButtonsWidthAndIdZero) {
  ASSERT_NE(combo.menu(), nullptr);
  EXPECT_EQ(combo.menu()->menuID(), 0);
  EXPECT_EQ(combo.menu()->window()->frame().width, 100);
  combo.insertItem(1, "Again");
  EXPECT_EQ(combo.menu()->getMenuCount(), 3);
  EXPECT_EQ(combo.getMenuItemString(1), "Left click");
  EXPECT_EQ(combo.getMenuItemString(9), std::nullopt);
  EXPECT_TRUE(combo.isExistItem(31));
  EXPECT_FALSE(combo.isExistItem(9));
}

TEST_F(Combo, SetCurItemId) {
  combo.setCurItemID(2);
  EXPECT_EQ(combo.caption(), "Right click");
  EXPECT_EQ(combo.getCurItemID(), 2);
  combo.setCurItemID(9);
  EXPECT_EQ(combo.caption(), "Right click");
  EXPECT_EQ(combo.getCurItemID(), 2);
}

TEST_F(Combo, ForwardsTheChoiceAndTakesItsCaption) {
  choose(2);
  EXPECT_EQ(page.messages, (Messages{{12, 2}}));
  EXPECT_EQ(combo.caption(), "Right click");
  EXPECT_EQ(combo.getCurItemID(), 2);
  choose(9);  // not in the menu
  EXPECT_EQ(page.messages.size(), 1u);
}

TEST_F(Combo, DoneFalseLeavesOneChoiceToThePage) {
  combo.setCurItemID(1);
  combo.setDone(false);
  choose(2);
  EXPECT_EQ(page.messages, (Messages{{12, 2}}));
  EXPECT_EQ(combo.caption(), "Left click");
  EXPECT_EQ(combo.getCurItemID(), 1);
  EXPECT_TRUE(combo.done());
  choose(2);
  EXPECT_EQ(combo.caption(), "Right click");
}

TEST_F(Combo, SubmenuChoiceGoesOnWithTheButtonsId) {
  combo.menu()->popMenu({200, 300}, 0);
  combo.menu()->mouseMoved(at(centreOf(combo.menu()->menuItems()[2])));
  KivMenu* sub = combo.menu()->findSubMenu(3);
  ASSERT_NE(sub, nullptr);
  sub->mouseUp(at(centreOf(sub->menuItems()[0])));
  EXPECT_EQ(page.messages, (Messages{{12, 31}}));
  EXPECT_EQ(combo.caption(), "A");
}

TEST_F(Combo, ButtonFunctionAndRemovingLists) {
  combo.setButtonFunction("Macro 7", 77, 5);
  EXPECT_EQ(combo.caption(), "Macro 7");
  EXPECT_EQ(combo.getCurItemID(), 77);
  EXPECT_EQ(combo.getButtonFunction(), 5);
  combo.removeItemList(3);  // the submenu: emptied, its item disabled
  EXPECT_EQ(combo.menu()->findSubMenu(3)->getMenuCount(), 0);
  EXPECT_FALSE(combo.menu()->getMenuItem(3)->m_bEnable);
  combo.insertSubItem(32, 3, "B");  // enables it again
  EXPECT_TRUE(combo.menu()->getMenuItem(3)->m_bEnable);
  combo.removeItemList(0);
  EXPECT_EQ(combo.menu()->getMenuCount(), 0);
  EXPECT_EQ(combo.getCurItemID(), -1);
  EXPECT_EQ(combo.caption(), "");
}

TEST_F(Combo, ReleaseOpensTheMenuUnderOrAboveTheButton) {
  Point origin = combo.convertToScreen({0, 0});
  driver.click({60, 50});
  ASSERT_TRUE(combo.menu()->isOpen());
  // Three rows, 68 high, hanging from the button's bottom edge.
  EXPECT_EQ(combo.menu()->window()->frame(), (Rect{origin.x, origin.y - 68, 100, 68}));
  combo.hideMenu();
  EXPECT_FALSE(combo.menu()->isOpen());
  combo.setPopMenuUp(true);
  driver.click({60, 50});
  // Standing on the top edge, one point over it.
  EXPECT_EQ(combo.menu()->window()->frame(), (Rect{origin.x, origin.y + 19, 100, 68}));
  combo.hideMenu();
  combo.setEnable(false);
  driver.click({60, 50});
  EXPECT_FALSE(combo.menu()->isOpen());
}

// Through Qt's dispatch on the menu's own window: hover highlights, a click chooses.
TEST_F(Combo, ClickInTheOpenMenuWindowChooses) {
  driver.click({60, 50});
  KivMenu* menu = combo.menu();
  ASSERT_TRUE(menu->isOpen());
  QWindow* window = widgetOf(*menu->window())->windowHandle();
  ASSERT_NE(window, nullptr);
  const Rect& row = menu->menuItems()[1].m_rcItem;  // "Right click", y 24
  QPoint inQt(static_cast<int>(row.x + 20), static_cast<int>(68 - (row.y + 10)));
  QTest::mouseMove(window, inQt);
  EXPECT_EQ(menu->highlighted(), 1);
  QTest::mouseClick(window, Qt::LeftButton, {}, inQt);
  EXPECT_EQ(page.messages, (Messages{{12, 2}}));
  EXPECT_EQ(combo.caption(), "Right click");
  EXPECT_FALSE(menu->isOpen());
}

TEST(KivComboxButton, DrawsItsPictureThenItsCaption) {
  const Image normal = Image::filled({100, 20}, Color::fromRgb8(10, 10, 10));
  const Image over = Image::filled({100, 20}, Color::fromRgb8(20, 20, 20));
  const Image down = Image::filled({100, 20}, Color::fromRgb8(30, 30, 30));
  const Image disable = Image::filled({100, 20}, Color::fromRgb8(40, 40, 40));
  enum Step { Enter, Press, Select, Disable, HideCaption };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    const Image* shown;
    bool caption;
  };
  const Case cases[] = {
      {"normal", {}, &normal, true},
      {"over", {Enter}, &over, true},
      {"pressed", {Enter, Press}, &down, true},
      {"selected", {Select}, &down, true},
      {"disabled and selected", {Select, Disable}, &disable, true},
      {"caption hidden", {HideCaption}, &normal, false},
  };
  const QRgb white = qRgb(255, 255, 255);
  for (const Case& c : cases) {
    RecordingView page;
    KivComboxButton combo;
    combo.initView(&page, 12, {0, 0, 100, 20});
    combo.setImages(normal, over, down, disable);
    combo.insertItem(1, "Left click");
    combo.setCurItemID(1);
    for (Step step : c.steps) {
      if (step == Enter) combo.mouseEntered(at(5, 5));
      if (step == Press) combo.mouseDown(at(5, 5));
      if (step == Select) combo.select(true);
      if (step == Disable) combo.enable(false);
      if (step == HideCaption) combo.showWindowCaption(false);
    }
    const QImage shot = test::render(combo);
    const Color expected = c.shown->pixel(0, 0);
    EXPECT_EQ(test::pixelAt(shot, 2, 2),
              qRgb(toByte(expected.red), toByte(expected.green), toByte(expected.blue)))
        << c.name;
    // The caption in white from (10, 6): nothing of it left of x = 10.
    EXPECT_EQ(test::pixelsNear(shot, {10, 0, 90, 20}, white) > 5, c.caption) << c.name;
    EXPECT_EQ(test::pixelsNear(shot, {0, 0, 9, 20}, white), 0) << c.name;
  }
}

TEST_F(Combo, SelectedLookAndAccessibility) {
  combo.select(true);
  EXPECT_TRUE(combo.selected());
  combo.setCurItemID(1);
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widgetOf(combo));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::ComboBox);
  EXPECT_EQ(a->text(QAccessible::Value), "Left click");
}

}  // namespace
}  // namespace velt
