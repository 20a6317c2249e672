#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

#include "tests/support/window_driver.h"
#include "tests/toolkit/control_test_support.h"
#include "toolkit/KivCbnColorButton.h"
#include "toolkit/KivComboxButton.h"
#include "toolkit/KivMenu.h"
#include "toolkit/UiServices.h"
#include "toolkit/color_panel_layout.h"
#include "toolkit/platform/ViewWidget.h"
#include "toolkit/popup_placement.h"

namespace velt {
namespace {

using test::at;
using test::RecordingView;
using test::WindowDriver;

QWindow* handleOf(const KivWindow& window) {
  return widgetOf(window)->windowHandle();
}

// A point of the screen (y up) in a window's Qt coordinates.
QPoint inWindow(const KivWindow& window, Point screen) {
  return widgetOf(window)->mapFromGlobal(
      QPoint(static_cast<int>(screen.x), static_cast<int>(screenHeight() - screen.y)));
}

Point centreOnScreen(const KivMenu& menu, int row) {
  const Rect& r = menu.menuItems()[static_cast<size_t>(row)].m_rcItem;
  const Rect frame = menu.window()->frame();
  return {frame.x + r.x + r.width / 2, frame.y + r.y + r.height / 2};
}

struct PlacementCase {
  const char* what;
  Rect wanted, opener, placed;
};

TEST(PopupPlacement, FlipsToTheOpenersOtherSideOrSlidesOntoTheScreen) {
  const Rect screen{0, 0, 800, 600};
  const PlacementCase cases[] = {
      {"fits: stays", {100, 300, 100, 68}, {100, 368, 100, 20}, {100, 300, 100, 68}},
      {"under a button at the bottom: on the button's top edge",
       {100, -58, 100, 68},
       {100, 10, 100, 20},
       {100, 30, 100, 68}},
      {"a submenu at the right edge: on the menu's left, overlapping it as much",
       {795, 132, 50, 88},
       {700, 200, 100, 20},
       {655, 132, 50, 88}},
      {"a context menu in the bottom-right corner: up and left of the point",
       {790, -48, 120, 68},
       {790, 20, 0, 0},
       {670, 20, 120, 68}},
      {"no room on the other side either: slides in",
       {-20, 590, 100, 50},
       {0, 0, 800, 600},
       {0, 550, 100, 50}},
      {"wider than the screen: its left edge on the screen's",
       {10, 10, 900, 50},
       {10, 60, 0, 0},
       {0, 10, 900, 50}},
  };
  for (const PlacementCase& c : cases)
    EXPECT_EQ(keepPopupOnScreen(c.wanted, c.opener, screen), c.placed) << c.what;
}

// A drop-down button 100 x 20 at (30, 40) in a shown window; its third item has a submenu.
struct PopupMenus : testing::Test {
  PopupMenus() : driver(page, {300, 200}) {
    combo.initView(&page, 12, {30, 40, 100, 20});
    page.addSubview(&combo);
    combo.insertItem(1, "Left click");
    combo.insertItem(2, "Right click");
    combo.insertItem(3, "Keys");
    combo.insertSubItem(31, 3, "A");
  }
  KivMenu& openMenu() {
    driver.click({60, 50});
    EXPECT_TRUE(combo.menu()->isOpen());
    return *combo.menu();
  }
  RecordingView page;
  WindowDriver driver;
  KivComboxButton combo;
};

// The menu is a pop-up of the button's window, its submenu a pop-up of the menu's: what
// a Wayland compositor needs to place them as xdg pop-ups, relative to their parents.
TEST_F(PopupMenus, MenusArePopupsOfTheWindowTheyOpenedFrom) {
  KivMenu& menu = openMenu();
  QWindow* menuWindow = handleOf(*menu.window());
  ASSERT_NE(menuWindow, nullptr);
  EXPECT_EQ(menuWindow->type(), Qt::Popup);
  EXPECT_EQ(menuWindow->transientParent(), driver.handle());

  QTest::mouseMove(menuWindow, inWindow(*menu.window(), centreOnScreen(menu, 2)));
  KivMenu* sub = menu.findSubMenu(3);
  ASSERT_NE(sub, nullptr);
  ASSERT_TRUE(sub->isOpen());
  QWindow* subWindow = handleOf(*sub->window());
  EXPECT_EQ(subWindow->type(), Qt::Popup);
  EXPECT_EQ(subWindow->transientParent(), menuWindow);
  // Beside the menu at the row, overlapping it by 5 points.
  EXPECT_EQ(sub->window()->frame().x, menu.window()->frame().maxX() - 5);
}

// The open submenu gets the pointer (Qt's pop-up grab); over its menu the menu hovers
// again, and a click there chooses.
TEST_F(PopupMenus, ThePointerBackOnTheMenuReachesIt) {
  KivMenu& menu = openMenu();
  QTest::mouseMove(handleOf(*menu.window()), inWindow(*menu.window(), centreOnScreen(menu, 2)));
  KivMenu* sub = menu.findSubMenu(3);
  ASSERT_TRUE(sub && sub->isOpen());
  QWindow* subWindow = handleOf(*sub->window());

  const QPoint firstRow = inWindow(*sub->window(), centreOnScreen(menu, 0));
  QTest::mouseMove(subWindow, firstRow);
  EXPECT_EQ(menu.highlighted(), 0);
  EXPECT_FALSE(sub->isOpen()) << "a row without submenu closes the submenu";
  QTest::mouseClick(subWindow, Qt::LeftButton, {}, firstRow);
  EXPECT_EQ(page.messages, (test::Messages{{12, 1}}));
  EXPECT_FALSE(menu.isOpen());
}

TEST_F(PopupMenus, APressOutsideEveryPopupClosesThemAll) {
  KivMenu& menu = openMenu();
  QTest::mouseMove(handleOf(*menu.window()), inWindow(*menu.window(), centreOnScreen(menu, 2)));
  KivMenu* sub = menu.findSubMenu(3);
  ASSERT_TRUE(sub && sub->isOpen());
  const Point elsewhere = page.convertToScreen({250, 150});
  QTest::mousePress(handleOf(*sub->window()), Qt::LeftButton, {},
                    inWindow(*sub->window(), elsewhere));
  EXPECT_FALSE(sub->isOpen());
  EXPECT_FALSE(menu.isOpen());
  EXPECT_TRUE(page.messages.empty());
  QTest::mouseRelease(driver.handle(), Qt::LeftButton, {}, driver.toQt({250, 150}));
  // Opens again on the next click.
  openMenu();
}

TEST_F(PopupMenus, EscapeClosesTheMenu) {
  KivMenu& menu = openMenu();
  QTest::keyClick(handleOf(*menu.window()), Qt::Key_Escape);
  EXPECT_FALSE(menu.isOpen());
}

// Open menus are under the program in the accessibility tree, as windows are: Qt leaves
// pop-ups out of it.
TEST_F(PopupMenus, AnOpenMenuIsAChildOfTheProgramForScreenReaders) {
  QAccessibleInterface* program = QAccessible::queryAccessibleInterface(qApp);
  ASSERT_NE(program, nullptr);
  const int closed = program->childCount();
  KivMenu& menu = openMenu();
  ASSERT_EQ(program->childCount(), closed + 1);
  QAccessibleInterface* popup = program->child(closed);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->object(), widgetOf(*menu.window()));
  EXPECT_EQ(program->indexOfChild(popup), closed);
  menu.hideMenu();
  EXPECT_EQ(program->childCount(), closed);
}

// A window at the bottom of the screen: the menu cannot hang under its button.
TEST(PopupMenu, OpensAboveAButtonAtTheBottomOfTheScreen) {
  RecordingView page;
  KivWindow window({0, 0, 300, 100});
  page.initView(nullptr, 0, {0, 0, 300, 100});
  window.setContentView(&page);
  window.orderFront();
  KivComboxButton combo;
  combo.initView(&page, 12, {30, 10, 100, 20});
  page.addSubview(&combo);
  for (int32_t id = 1; id <= 3; ++id) combo.insertItem(id, "Item");
  combo.mouseUp(at(5, 5));
  ASSERT_TRUE(combo.menu()->isOpen());
  const Point origin = combo.convertToScreen({0, 0});
  EXPECT_EQ(combo.menu()->window()->frame(), (Rect{origin.x, origin.y + 20, 100, 68}));
  combo.hideMenu();
}

const Image kPalettePicture =
    Image::filled({kColorPanelWidth, kColorPanelHeight}, Color::fromRgb8(16, 16, 18));

struct Palette : testing::Test {
  Palette() : driver(page, {200, 150}) {
    button.initView(&page, 85, {20, 100, 30, 20});
    button.setImages(Image::filled({30, 20}, Color::fromRgb8(10, 10, 10)), {}, {}, {},
                     kPalettePicture);
    page.addSubview(&button);
  }
  KivWindow& open() {
    driver.click({30, 110});
    EXPECT_TRUE(button.panel()->isShowing());
    return *button.panel()->window();
  }
  void pressThroughPalette(Point inPage) {
    KivWindow& palette = *button.panel()->window();
    QTest::mousePress(handleOf(palette), Qt::LeftButton, {},
                      inWindow(palette, page.convertToScreen(inPage)));
    QTest::mouseRelease(driver.handle(), Qt::LeftButton, {}, driver.toQt(inPage));
  }
  RecordingView page;
  WindowDriver driver;
  KivCbnColorButton button;
};

TEST_F(Palette, IsAPopupOfItsButtonsWindowThatAPressOutsideCloses) {
  KivWindow& palette = open();
  EXPECT_EQ(handleOf(palette)->type(), Qt::Popup);
  EXPECT_EQ(handleOf(palette)->transientParent(), driver.handle());
  pressThroughPalette({150, 20});
  EXPECT_FALSE(button.panel()->isShowing());
  EXPECT_FALSE(palette.isVisible());
  EXPECT_TRUE(page.commands.empty());
  open();
}

// Its button's second click closes the palette; the press does not reach the button to
// open it again.
TEST_F(Palette, APressOnItsButtonClosesIt) {
  open();
  pressThroughPalette({30, 110});
  EXPECT_FALSE(button.panel()->isShowing());
  EXPECT_FALSE(button.panel()->window()->isVisible());
}

// A dialog belongs to the window it opened over, so that the desktop stacks (and may
// centre) it there.
TEST(DialogWindow, IsTransientForTheWindowItOpensOver) {
  RecordingView page;
  WindowDriver driver(page);
  driver.window().makeKeyAndOrderFront();
  KivWindow dialog({40, 40, 120, 80});
  dialog.setModal(true);
  dialog.makeKeyAndOrderFront();
  ASSERT_NE(handleOf(dialog), nullptr);
  EXPECT_EQ(handleOf(dialog)->transientParent(), driver.handle());
  dialog.orderOut();

  KivWindow plain({40, 40, 120, 80});
  plain.orderFront();
  EXPECT_EQ(handleOf(plain)->transientParent(), nullptr) << "a window of its own";
}

// Alerts and file panels belong to the program's window that is in front when they open:
// each is transient for it, for the desktop to centre and stack it there.
TEST(DialogWindow, AlertsAndFilePanelsAreTransientForTheWindowInFront) {
  RecordingView page;
  WindowDriver driver(page);
  driver.window().makeKeyAndOrderFront();
  KivWindow popView({40, 40, 120, 80});
  popView.setModal(true);
  auto services = makeQtUiServices();
  const struct {
    const char* what;
    std::function<void()> open;
  } panels[] = {
      {"alert", [&] { services->alert("VELTPLUS", "Please stop recording"); }},
      {"open panel", [&] { (void)services->openPanel("Import"); }},
      {"save panel", [&] { (void)services->savePanel("Export", "profile.plist"); }},
  };
  for (KivWindow* front : {&driver.window(), &popView}) {
    front->makeKeyAndOrderFront();
    for (const auto& panel : panels) {
      QWindow* parent = nullptr;
      bool shown = false;
      QTimer poll;
      QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!dialog) return;
        shown = true;
        parent = dialog->windowHandle() ? dialog->windowHandle()->transientParent() : nullptr;
        dialog->reject();
      });
      poll.start(10);
      panel.open();
      poll.stop();
      ASSERT_TRUE(shown) << panel.what;
      EXPECT_EQ(parent, handleOf(*front)) << panel.what;
    }
  }
  popView.orderOut();
}

// The move starts with a movement with the button held: a press and release in place,
// and movements after it, leave the window where it is.
TEST(WindowDrag, AClickInPlaceDoesNotMoveTheWindow) {
  KivImageView root;
  WindowDriver driver(root);
  const Rect before = driver.window().frame();
  driver.move({20, 20});
  driver.press({20, 20});
  driver.release({20, 20});
  driver.move({60, 40});
  EXPECT_EQ(driver.window().frame(), before);
  driver.press({60, 40});
  driver.drag({70, 40});
  // The window followed the pointer, so the pointer is back at (60, 40) in it.
  driver.release({60, 40});
  EXPECT_EQ(driver.window().frame().x, before.x + 10);
}

}  // namespace
}  // namespace velt
