// Every control that reports to its parent may be destroyed by the parent from inside
// that report (a page that drops a control, a dialog that closes on a choice made in it):
// the control must not touch itself afterwards. Run under AddressSanitizer, a use after
// the destruction fails here.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/window_driver.h"
#include "toolkit/ColorPanel.h"
#include "toolkit/KivButton.h"
#include "toolkit/KivCbnColorButton.h"
#include "toolkit/KivCheckBox.h"
#include "toolkit/KivComboxButton.h"
#include "toolkit/KivEdit.h"
#include "toolkit/KivListBox.h"
#include "toolkit/KivMenu.h"
#include "toolkit/KivScrollCtrl.h"
#include "toolkit/KivSliderCtrl.h"
#include "toolkit/KivSliderCtrl3D.h"

namespace velt {
namespace {

// A page whose handler for any report runs `close`, once it is armed (controls report
// while they are being set up, too).
class ClosingPage : public KivImageView {
 public:
  void OnCmd(int32_t id) override { heard(id); }
  void subMsg(int32_t id, int32_t) override { heard(id); }

  bool armed = false;
  std::function<void()> close;
  std::vector<int32_t> reports;

 private:
  void heard(int32_t id) {
    if (!armed) return;
    reports.push_back(id);
    if (close) std::exchange(close, nullptr)();
  }
};

// Synthetic mouse events on one window, in its coordinates with y up; none once the
// window is gone (closed by a report).
class Surface {
 public:
  explicit Surface(KivWindow& window)
      : handle_(widgetOf(window)->windowHandle()), height_(window.frame().height) {}
  Surface(QWindow* handle, double height) : handle_(handle), height_(height) {}

  void move(Point p) {
    if (handle_) QTest::mouseMove(handle_, toQt(p));
  }
  void press(Point p) {
    if (handle_) QTest::mousePress(handle_, Qt::LeftButton, {}, toQt(p));
  }
  void release(Point p) {
    if (handle_) QTest::mouseRelease(handle_, Qt::LeftButton, {}, toQt(p));
  }
  void click(Point p) {
    move(p);
    press(p);
    release(p);
  }

 private:
  QPoint toQt(Point p) const {
    return QPoint(static_cast<int>(p.x), static_cast<int>(height_ - p.y));
  }
  QPointer<QWindow> handle_;
  double height_;
};

// The open pop-up window of a menu or palette.
Surface popUp(KivWindow& window) {
  QWidget* widget = widgetOf(window);
  EXPECT_TRUE(QTest::qWaitForWindowExposed(widget));
  return Surface(widget->windowHandle(), window.frame().height);
}

// A point inside a menu row, in the menu window's coordinates.
Point inRow(const KivMenu& menu, size_t row) {
  const Rect& r = menu.menuItems().at(row).m_rcItem;
  return {r.x + 20, r.y + 10};
}

Image grey(Size size, double level) {
  return Image::filled(size, Color::gray(level));
}

struct Case {
  const char* name;
  // Builds the control as a subview of the page, which is 300 x 200 at the window's origin.
  std::function<std::unique_ptr<KivImageView>(KivImageView& page)> make;
  // Makes it report through Qt's own dispatch. The control (and the page's window) may be
  // gone once an event that reports has been sent.
  std::function<void(KivImageView& control, Surface& page)> report;
  int32_t reportedAs;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

template <typename Control>
std::unique_ptr<KivImageView> placed(KivImageView& page, int32_t id, Rect frame,
                                     const std::function<void(Control&)>& setUp = {}) {
  auto control = std::make_unique<Control>();
  control->initView(&page, id, frame);
  if (setUp) setUp(*control);
  page.addSubview(control.get());
  return control;
}

// Set-ups shared by several cases.
void scrollBar0To10(KivScrollCtrl& bar) {
  bar.setImage(grey({12, 120}, 0.1), grey({12, 20}, 0.4), grey({12, 20}, 0.6), grey({12, 12}, 0.5),
               grey({12, 12}, 0.6), grey({12, 12}, 0.5), grey({12, 12}, 0.6));
  bar.setMinMaxValue(0, 10);
}
void rowA(KivListBox& box) {
  box.addItem("a");
}
void rowsAB(KivListBox& box) {
  box.addItem("a");
  box.addItem("b");
}

const Case kCases[] = {
    {"Button",
     [](KivImageView& page) {
       return placed<KivButton>(page, 4, {20, 20, 40, 20});
     },
     [](KivImageView&, Surface& s) {
       s.click({30, 30});
     },
     4},
    {"CheckBox",
     [](KivImageView& page) {
       return placed<KivCheckBox>(page, 5, {20, 20, 20, 20});
     },
     [](KivImageView&, Surface& s) {
       s.click({30, 30});
     },
     5},
    {"SliderPressed",
     [](KivImageView& page) {
       return placed<KivSliderCtrl>(page, 6, {20, 40, 176, 20}, [](KivSliderCtrl& slider) {
         slider.setImages({}, grey({10, 14}, 0.5), {}, {});
         slider.setMinMaxValue(200, 1400, 200);
         slider.setCurValue(200, false);
       });
     },
     [](KivImageView&, Surface& s) {
       s.move({120, 50});
       s.press({120, 50});  // reports the value under the pointer
       s.move({160, 50});
       s.release({160, 50});
     },
     6},
    {"ThreeThumbSliderDragged",
     [](KivImageView& page) {
       return placed<KivSliderCtrl3D>(page, 7, {20, 40, 200, 40}, [](KivSliderCtrl3D& slider) {
         slider.setImages(grey({200, 40}, 0.1), grey({10, 12}, 0.4), grey({10, 12}, 0.5),
                          grey({10, 16}, 0.6));
         slider.setMinMaxValue(0, 100, 1);
         slider.setCurValue1(10, false);
         slider.setCurValue2(50, false);
         slider.setCurValue3(90, false);
       });
     },
     [](KivImageView& control, Surface& s) {
       Rect thumb = static_cast<KivSliderCtrl3D&>(control).getSliderRect(2);
       Point grip{20 + thumb.x + thumb.width / 2, 40 + thumb.y + thumb.height / 2};
       s.move(grip);
       s.press(grip);
       s.move({grip.x + 40, grip.y});  // a drag with the button held
       s.release({grip.x + 40, grip.y});
     },
     7},
    {"ScrollBarTrackPressed",
     [](KivImageView& page) {
       lastValue = -1;
       return placed<KivScrollCtrl>(page, 8, {20, 10, 12, 120}, scrollBar0To10);
     },
     [](KivImageView&, Surface& s) {
       s.click({26, 70});
     },
     8},
    {"ScrollBarNextButtonReleased",
     [](KivImageView& page) {
       return placed<KivScrollCtrl>(page, 9, {20, 10, 12, 120}, scrollBar0To10);
     },
     [](KivImageView& control, Surface& s) {
       Rect next = static_cast<KivScrollCtrl&>(control).nextButtonRect();
       s.click({20 + next.x + next.width / 2, 10 + next.y + next.height / 2});
     },
     9},
    {"ListBoxRowClicked",
     [](KivImageView& page) {
       return placed<KivListBox>(page, 55, {20, 20, 120, 95}, rowsAB);
     },
     [](KivImageView& control, Surface& s) {
       const Rect& row = static_cast<KivListBox&>(control).boxItems().front().m_rcItem;
       s.click({20 + row.x + 10, 20 + row.y + 5});
     },
     KivListBox::kListSelChanged},
    {"ListBoxNameCommittedByReturn",
     [](KivImageView& page) {
       return placed<KivListBox>(page, 55, {20, 20, 120, 95}, rowA);
     },
     [](KivImageView& control, Surface&) {
       auto& box = static_cast<KivListBox&>(control);
       box.addItem();  // opens the name field
       auto* edit = widgetOf(*box.textField())->findChild<QLineEdit*>();
       ASSERT_NE(edit, nullptr);
       QTest::keyClicks(edit, "Macro");
       QTest::keyClick(edit, Qt::Key_Return);
     },
     KivListBox::kListSelChanged},
    {"ListBoxNameCommittedByAPress",
     [](KivImageView& page) {
       return placed<KivListBox>(page, 55, {20, 20, 120, 95}, rowA);
     },
     [](KivImageView& control, Surface& s) {
       auto& box = static_cast<KivListBox&>(control);
       box.addItem();
       box.textField()->setText("Macro");
       s.click({30, 22});  // a press in the box commits the open name
     },
     KivListBox::kListSelChanged},
    {"ListBoxItemDeleted",
     [](KivImageView& page) {
       return placed<KivListBox>(page, 55, {20, 20, 120, 95}, rowsAB);
     },
     [](KivImageView& control, Surface&) { static_cast<KivListBox&>(control).deleteCurItem(); },
     KivListBox::kListItemDeleting},
    {"MenuItemChosen",
     [](KivImageView& page) {
       auto menu = std::make_unique<KivMenu>();
       menu->initMenu(&page, 3, 120);
       menu->addMenuItem(1, "One", false, true, false);
       menu->addMenuItem(2, "Two", false, true, false);
       return std::unique_ptr<KivImageView>(std::move(menu));
     },
     [](KivImageView& control, Surface&) {
       auto& menu = static_cast<KivMenu&>(control);
       menu.popMenu({200, 300}, KivMenu::kBottomLeft);
       Surface s = popUp(*menu.window());
       s.click(inRow(menu, 1));
     },
     3},
    {"DropDownItemChosen",
     [](KivImageView& page) {
       return placed<KivComboxButton>(page, 12, {10, 40, 100, 20}, [](KivComboxButton& combo) {
         combo.insertItem(1, "Left click");
         combo.insertItem(2, "Right click");
       });
     },
     [](KivImageView& control, Surface& s) {
       auto& combo = static_cast<KivComboxButton&>(control);
       s.click({60, 50});  // opens the menu
       KivMenu& menu = *combo.menu();
       ASSERT_TRUE(menu.isOpen());
       Surface inMenu = popUp(*menu.window());
       inMenu.click(inRow(menu, 1));
     },
     12},
    {"DropDownSubmenuItemChosen",
     [](KivImageView& page) {
       return placed<KivComboxButton>(page, 12, {10, 40, 100, 20}, [](KivComboxButton& combo) {
         combo.insertItem(1, "Left click");
         combo.insertItem(3, "Keys");
         combo.insertSubItem(31, 3, "A");
       });
     },
     [](KivImageView& control, Surface& s) {
       auto& combo = static_cast<KivComboxButton&>(control);
       s.click({60, 50});
       KivMenu& menu = *combo.menu();
       Surface inMenu = popUp(*menu.window());
       inMenu.move(inRow(menu, 1));  // hovering "Keys" opens its submenu
       KivMenu& sub = *menu.getSubMenu(3);
       ASSERT_TRUE(sub.isOpen());
       Surface inSub = popUp(*sub.window());
       inSub.click(inRow(sub, 0));
     },
     12},
    {"ColourPicked",
     [](KivImageView& page) {
       return placed<KivCbnColorButton>(page, 85, {20, 100, 30, 20}, [](KivCbnColorButton& button) {
         button.setImages(grey({30, 20}, 0.1), {}, {}, {}, grey({102, 82}, 0.2));
       });
     },
     [](KivImageView& control, Surface& s) {
       auto& button = static_cast<KivCbnColorButton&>(control);
       s.click({30, 110});  // opens the palette
       ColorPanel& panel = *button.panel();
       ASSERT_TRUE(panel.window()->isVisible());
       Surface inPanel = popUp(*panel.window());
       // Square 12 lies at x 42..61, 42..61 pixels down from the top.
       inPanel.click({50, panel.window()->frame().height - 50});
     },
     85},
};

// Who goes from inside the report: the control alone, or the whole dialog (window, page
// and control).
enum class Closes { Control, Dialog };

struct Dialog {
  ClosingPage page;
  test::WindowDriver driver{page, {300, 200}};
  std::unique_ptr<KivImageView> control;
};

void collectDeferredDeletes() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  processPendingEvents();
}

class DestroyedInItsReport : public testing::TestWithParam<std::tuple<Case, Closes>> {};

TEST_P(DestroyedInItsReport, TouchesNothingAfterwards) {
  const auto& [c, closes] = GetParam();
  auto dialog = std::make_unique<Dialog>();
  ClosingPage* page = &dialog->page;
  dialog->control = c.make(*page);
  std::vector<int32_t> reports;
  bool closed = false;
  page->close = [&] {
    reports = page->reports;
    closed = true;
    if (closes == Closes::Control)
      dialog->control.reset();
    else
      dialog.reset();
  };
  page->armed = true;
  const Rect frame = dialog->control->frame();
  Surface surface(dialog->driver.window());
  c.report(*dialog->control, surface);
  if (!closed) reports = page->reports;

  EXPECT_TRUE(closed);
  EXPECT_EQ(reports, std::vector<int32_t>{c.reportedAs});
  collectDeferredDeletes();
  if (closes == Closes::Dialog) {
    EXPECT_EQ(dialog, nullptr);
    return;
  }
  // The page lives on without the control, and takes a click where it was.
  EXPECT_EQ(dialog->control, nullptr);
  EXPECT_TRUE(page->subviews().empty());
  surface.click({frame.x + frame.width / 2, frame.y + frame.height / 2});
  collectDeferredDeletes();
  EXPECT_EQ(page->reports, std::vector<int32_t>{c.reportedAs});
}

std::string caseName(const testing::TestParamInfo<std::tuple<Case, Closes>>& info) {
  return std::string(std::get<0>(info.param).name) +
         (std::get<1>(info.param) == Closes::Control ? "_Control" : "_Dialog");
}

INSTANTIATE_TEST_SUITE_P(EveryControl, DestroyedInItsReport,
                         testing::Combine(testing::ValuesIn(kCases),
                                          testing::Values(Closes::Control, Closes::Dialog)),
                         caseName);

}  // namespace
}  // namespace velt
