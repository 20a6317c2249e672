#include <QAccessibleWidget>

#include <optional>

#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/qt_accessibility.h"
#include "toolkit/platform/qt_convert.h"

namespace velt {

namespace {

QAccessible::Role toQRole(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::Button:
      return QAccessible::Button;
    case AccessibleRole::CheckBox:
      return QAccessible::CheckBox;
    case AccessibleRole::Slider:
      return QAccessible::Slider;
    case AccessibleRole::ScrollBar:
      return QAccessible::ScrollBar;
    case AccessibleRole::List:
      return QAccessible::List;
    case AccessibleRole::ListItem:
      return QAccessible::ListItem;
    case AccessibleRole::Menu:
      return QAccessible::PopupMenu;
    case AccessibleRole::MenuItem:
      return QAccessible::MenuItem;
    case AccessibleRole::ComboBox:
      return QAccessible::ComboBox;
    case AccessibleRole::StaticText:
      return QAccessible::StaticText;
    case AccessibleRole::Graphic:
      return QAccessible::Graphic;
    case AccessibleRole::ProgressBar:
      return QAccessible::ProgressBar;
    case AccessibleRole::EditableText:
      return QAccessible::EditableText;
    case AccessibleRole::Pane:
      break;
  }
  return QAccessible::Pane;
}

// Reads role, name and value from the view each time they are asked for.
class AccessibleView : public QAccessibleWidget {
 public:
  explicit AccessibleView(ViewWidget* widget)
      : QAccessibleWidget(widget, QAccessible::Pane), widget_(widget) {}

  QAccessible::Role role() const override {
    const KivImageView* view = widget_->view();
    return view ? toQRole(view->accessibleRole()) : QAccessible::Pane;
  }
  QString text(QAccessible::Text t) const override {
    const KivImageView* view = widget_->view();
    if (view && t == QAccessible::Name) return qt::toQString(view->accessibleName());
    if (view && t == QAccessible::Value) return qt::toQString(view->accessibleValue());
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    const KivImageView* view = widget_->view();
    if (!view) return s;
    s.disabled = !view->isEnabled();
    if (std::optional<bool> checked = view->accessibleChecked()) {
      s.checkable = true;
      s.checked = *checked;
    }
    return s;
  }

 private:
  ViewWidget* widget_;
};

QAccessibleInterface* viewAccessibleFactory(const QString&, QObject* object) {
  if (auto* widget = dynamic_cast<ViewWidget*>(object)) return new AccessibleView(widget);
  return nullptr;
}

}  // namespace

void installAccessibilityFactory() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(viewAccessibleFactory);
}

}  // namespace velt
