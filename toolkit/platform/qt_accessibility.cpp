#include <QAccessibleWidget>

#include <optional>
#include <vector>

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

class AccessibleView;

// One row a view draws itself (a menu item, a list row). It has no object of its own; its
// view's interface creates it on demand, registers it and deletes it.
class AccessibleRowItem : public QAccessibleInterface {
 public:
  AccessibleRowItem(const AccessibleView* view, int index) : view_(view), index_(index) {}

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;

  const AccessibleView* view() const { return view_; }
  int index() const { return index_; }

 private:
  std::optional<AccessibleRow> row() const;

  const AccessibleView* view_;
  int index_;
};

// Reads role, name and value from the view each time they are asked for; the rows a view
// draws itself follow its child widgets as children.
class AccessibleView : public QAccessibleWidget {
 public:
  explicit AccessibleView(ViewWidget* widget)
      : QAccessibleWidget(widget, QAccessible::Pane), widget_(widget) {}
  ~AccessibleView() override {
    for (QAccessible::Id id : rowIds_)
      if (id) QAccessible::deleteAccessibleInterface(id);
  }

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

  int childCount() const override { return QAccessibleWidget::childCount() + rowCount(); }
  QAccessibleInterface* child(int index) const override {
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets) return QAccessibleWidget::child(index);
    return rowItem(index - widgets);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (const auto* item = dynamic_cast<const AccessibleRowItem*>(child))
      return item->view() == this && item->index() < rowCount()
                 ? QAccessibleWidget::childCount() + item->index()
                 : -1;
    return QAccessibleWidget::indexOfChild(child);
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    if (QAccessibleInterface* found = QAccessibleWidget::childAt(x, y)) return found;
    const KivImageView* view = widget_->view();
    if (!view) return nullptr;
    const std::vector<AccessibleRow> rows = view->accessibleRows();
    for (size_t i = 0; i < rows.size(); ++i)
      if (screenRect(rows[i]).contains(x, y)) return rowItem(static_cast<int>(i));
    return nullptr;
  }

  std::optional<AccessibleRow> row(int index) const {
    const KivImageView* view = widget_->view();
    if (!view || index < 0) return std::nullopt;
    std::vector<AccessibleRow> rows = view->accessibleRows();
    if (static_cast<size_t>(index) >= rows.size()) return std::nullopt;
    return rows[static_cast<size_t>(index)];
  }
  // A row's rectangle on the screen, in Qt's coordinates.
  QRect rowRect(int index) const {
    std::optional<AccessibleRow> r = row(index);
    return r ? screenRect(*r) : QRect();
  }

 private:
  QRect screenRect(const AccessibleRow& row) const {
    QRect local = qt::toQRect(row.rect, widget_->height()).toAlignedRect();
    return QRect(widget_->mapToGlobal(local.topLeft()), local.size());
  }
  int rowCount() const {
    const KivImageView* view = widget_->view();
    return view ? static_cast<int>(view->accessibleRows().size()) : 0;
  }
  QAccessibleInterface* rowItem(int index) const {
    if (index < 0 || index >= rowCount()) return nullptr;
    if (rowIds_.size() <= static_cast<size_t>(index))
      rowIds_.resize(static_cast<size_t>(index) + 1);
    QAccessible::Id& id = rowIds_[static_cast<size_t>(index)];
    if (!id) id = QAccessible::registerAccessibleInterface(new AccessibleRowItem(this, index));
    return QAccessible::accessibleInterface(id);
  }

  ViewWidget* widget_;
  mutable std::vector<QAccessible::Id> rowIds_;  // by row index; 0 before first asked
};

std::optional<AccessibleRow> AccessibleRowItem::row() const {
  return view_->row(index_);
}

bool AccessibleRowItem::isValid() const {
  return view_->isValid() && row().has_value();
}

QWindow* AccessibleRowItem::window() const {
  return view_->window();
}

QAccessibleInterface* AccessibleRowItem::parent() const {
  return const_cast<AccessibleView*>(view_);
}

QString AccessibleRowItem::text(QAccessible::Text t) const {
  std::optional<AccessibleRow> r = row();
  if (!r || t != QAccessible::Name) return {};
  return qt::toQString(r->name);
}

QRect AccessibleRowItem::rect() const {
  return view_->rowRect(index_);
}

QAccessible::Role AccessibleRowItem::role() const {
  std::optional<AccessibleRow> r = row();
  return r ? toQRole(r->role) : QAccessible::NoRole;
}

QAccessible::State AccessibleRowItem::state() const {
  QAccessible::State s;
  std::optional<AccessibleRow> r = row();
  if (!r) {
    s.invalid = true;
    return s;
  }
  s.invisible = view_->state().invisible;  // a closed menu's items too
  s.selectable = true;
  s.selected = r->selected;
  s.disabled = !r->enabled;
  s.hasPopup = r->hasPopup;
  return s;
}

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
