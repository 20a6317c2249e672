#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>

#include <optional>
#include <vector>

#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/WindowWidget.h"
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

// A check box's state, or a latched button's selection: both read as checked (screen
// readers say "pressed" for the button).
bool readsChecked(const KivImageView& view) {
  return view.accessibleChecked().value_or(false) || view.accessibleSelected();
}

constexpr const char* kReadThroughInnerWidget = "veltReadThroughInnerWidget";

bool readsAsText(AccessibleRole role) {
  return role == AccessibleRole::StaticText || role == AccessibleRole::EditableText ||
         role == AccessibleRole::ComboBox;
}

class AccessibleView;

// A click of the left button at a point of the widget, through Qt's event dispatch as a
// real click would go (a press the view lets pass reaches its superview). The view may
// be destroyed by it.
void clickAt(ViewWidget* widget, QPointF local) {
  QPointer<ViewWidget> alive(widget);
  const QPointF global = widget->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  if (!alive) return;
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &release);
}

// The number interface of a value control or a thumb; read only.
QVariant rangeValue(const std::optional<AccessibleRange>& range, double AccessibleRange::*field) {
  return range ? QVariant((*range).*field) : QVariant();
}

// One row a view draws itself (a menu item, a list row). It has no object of its own; its
// view's interface creates it on demand, registers it and deletes it.
class AccessibleRowItem : public QAccessibleInterface,
                          public QAccessibleValueInterface,
                          public QAccessibleActionInterface {
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
  void* interface_cast(QAccessible::InterfaceType type) override;

  QVariant currentValue() const override { return rangeValue(range(), &AccessibleRange::value); }
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return rangeValue(range(), &AccessibleRange::maximum); }
  QVariant minimumValue() const override { return rangeValue(range(), &AccessibleRange::minimum); }
  QVariant minimumStepSize() const override { return rangeValue(range(), &AccessibleRange::step); }

  // Menu items and list rows are pressed where they are drawn.
  QStringList actionNames() const override;
  void doAction(const QString& name) override;
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

  const AccessibleView* view() const { return view_; }
  int index() const { return index_; }

 private:
  std::optional<AccessibleRow> row() const;
  std::optional<AccessibleRange> range() const {
    std::optional<AccessibleRow> r = row();
    return r ? r->range : std::nullopt;
  }

  const AccessibleView* view_;
  int index_;
};

// Reads role, name, value and states from the view each time they are asked for; the rows
// a view draws itself follow its child widgets as children.
class AccessibleView : public QAccessibleWidget,
                       public QAccessibleValueInterface,
                       public QAccessibleTextInterface {
 public:
  explicit AccessibleView(ViewWidget* widget)
      : QAccessibleWidget(widget, QAccessible::Pane), widget_(widget) {}
  ~AccessibleView() override {
    for (QAccessible::Id id : rowIds_)
      if (id) QAccessible::deleteAccessibleInterface(id);
  }

  QAccessible::Role role() const override {
    if (readThrough()) return QAccessible::Client;
    const KivImageView* view = widget_->view();
    return view ? toQRole(view->accessibleRole()) : QAccessible::Pane;
  }
  QString text(QAccessible::Text t) const override {
    if (readThrough()) return {};
    const KivImageView* view = widget_->view();
    if (view && t == QAccessible::Name) return qt::toQString(view->accessibleName());
    if (view && t == QAccessible::Value) return qt::toQString(view->accessibleValue());
    if (view && t == QAccessible::Description && !view->accessibleDescription().empty())
      return qt::toQString(view->accessibleDescription());
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    if (readThrough()) {
      // Its focus is the inner widget's, reported there.
      s.focusable = s.focused = false;
      return s;
    }
    const KivImageView* view = widget_->view();
    if (!view) return s;
    s.disabled = !view->isEnabled();
    if (view->accessibleChecked()) s.checkable = true;
    s.checked = readsChecked(*view);
    if (view->accessibleSelected()) s.selected = true;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    const KivImageView* view = readThrough() ? nullptr : widget_->view();
    if (type == QAccessible::ValueInterface && view && view->accessibleRange())
      return static_cast<QAccessibleValueInterface*>(this);
    // A label's text, a text field's and a drop-down button's caption are read as text,
    // as screen readers read them (a drop-down's name says what it sets, its text what
    // it is set to: "Button 4", "Forward").
    if (type == QAccessible::TextInterface && view && readsAsText(view->accessibleRole()))
      return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  // The text interface of a label or field: its text, read only, no selection, no caret.
  QString text(int start, int end) const override { return shownText().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(shownText().size()); }
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QRect characterRect(int) const override { return rect(); }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* start, int* end) const override {
    *start = *end = 0;
    return {};
  }

  QVariant currentValue() const override { return rangeField(&AccessibleRange::value); }
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return rangeField(&AccessibleRange::maximum); }
  QVariant minimumValue() const override { return rangeField(&AccessibleRange::minimum); }
  QVariant minimumStepSize() const override { return rangeField(&AccessibleRange::step); }

  // Buttons, check boxes and pop-up buttons are pressed (a check box also toggled) as a
  // click in their middle would.
  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    const KivImageView* view = widget_->view();
    if (!view || !view->isEnabled()) return names;
    switch (view->accessibleRole()) {
      case AccessibleRole::CheckBox:
        names << toggleAction();
        [[fallthrough]];
      case AccessibleRole::Button:
      case AccessibleRole::ComboBox:
        names << pressAction();
        break;
      default:
        break;
    }
    return names;
  }
  void doAction(const QString& name) override {
    if (name != pressAction() && name != toggleAction()) return QAccessibleWidget::doAction(name);
    if (actionNames().contains(name)) clickAt(widget_, QRectF(widget_->rect()).center());
  }
  void pressRow(int index) const {
    if (std::optional<AccessibleRow> r = row(index))
      clickAt(widget_, qt::toQRect(r->rect, widget_->height()).center());
  }
  QAccessibleInterface* rowInterface(int index) const { return rowItem(index); }

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
  bool readThrough() const { return widget_->property(kReadThroughInnerWidget).toBool(); }
  QString shownText() const {
    const KivImageView* view = widget_->view();
    return view ? qt::toQString(view->accessibleValue()) : QString();
  }
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

  QVariant rangeField(double AccessibleRange::*field) const {
    const KivImageView* view = widget_->view();
    return rangeValue(view ? view->accessibleRange() : std::nullopt, field);
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
  if (r && t == QAccessible::Name) return qt::toQString(r->name);
  if (r && t == QAccessible::Value && r->range) return QString::number(r->range->value);
  return {};
}

void* AccessibleRowItem::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ValueInterface && range())
    return static_cast<QAccessibleValueInterface*>(this);
  if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
  return nullptr;
}

QStringList AccessibleRowItem::actionNames() const {
  std::optional<AccessibleRow> r = row();
  if (!r || !r->enabled || r->range) return {};
  return {pressAction()};
}

void AccessibleRowItem::doAction(const QString& name) {
  if (name == pressAction() && !actionNames().isEmpty()) view_->pressRow(index_);
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
  s.selectable = !r->range;
  s.selected = r->selected;
  s.disabled = !r->enabled;
  s.hasPopup = r->hasPopup;
  return s;
}

// A toolkit window: its name is the one given to the window (else its title), its
// description the one given to it.
class AccessibleWindow : public QAccessibleWidget {
 public:
  explicit AccessibleWindow(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Window) {}
};

QAccessibleInterface* viewAccessibleFactory(const QString&, QObject* object) {
  if (auto* widget = dynamic_cast<ViewWidget*>(object)) return new AccessibleView(widget);
  if (auto* window = dynamic_cast<WindowWidget*>(object)) return new AccessibleWindow(window);
  return nullptr;
}

QAccessible::State changedStates(const AccessibleSnapshot& before,
                                 const AccessibleSnapshot& after) {
  QAccessible::State changed;
  changed.checked = before.checked != after.checked;
  changed.selected = before.selected != after.selected;
  changed.disabled = before.disabled != after.disabled;
  return changed;
}

bool any(const QAccessible::State& s) {
  return s.checked || s.selected || s.disabled;
}

std::function<void(QAccessibleEvent&)>& recorder() {
  static std::function<void(QAccessibleEvent&)> installed;
  return installed;
}

void announce(QAccessibleEvent& event) {
  if (recorder())
    recorder()(event);
  else
    QAccessible::updateAccessibility(&event);
}

}  // namespace

AccessibleSnapshot accessibleSnapshot(const KivImageView& view) {
  AccessibleSnapshot s;
  s.name = qt::toQString(view.accessibleName());
  s.description = qt::toQString(view.accessibleDescription());
  s.value = qt::toQString(view.accessibleValue());
  s.range = view.accessibleRange();
  s.checked = readsChecked(view);
  s.selected = view.accessibleSelected();
  s.disabled = !view.isEnabled();
  for (const AccessibleRow& row : view.accessibleRows()) {
    s.rowsSelected.push_back(row.selected);
    s.rowRanges.push_back(row.range);
  }
  return s;
}

void announceAccessibilityChanges(ViewWidget* widget, const AccessibleSnapshot& before,
                                  const AccessibleSnapshot& after) {
  if (before.name != after.name) {
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    announce(event);
  }
  if (before.description != after.description) {
    QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
    announce(event);
  }
  if (before.range != after.range || before.value != after.value) {
    QAccessibleValueChangeEvent event(
        widget, after.range ? QVariant(after.range->value) : QVariant(after.value));
    announce(event);
  }
  if (QAccessible::State changed = changedStates(before, after); any(changed)) {
    QAccessibleStateChangeEvent event(widget, changed);
    announce(event);
  }
  auto* view = dynamic_cast<AccessibleView*>(QAccessible::queryAccessibleInterface(widget));
  if (!view) return;
  // A row that was not there before counts as unselected and without a value.
  for (size_t i = 0; i < after.rowsSelected.size(); ++i) {
    const bool wasSelected = i < before.rowsSelected.size() && before.rowsSelected[i];
    const bool rangeChanged = i < before.rowRanges.size()
                                  ? before.rowRanges[i] != after.rowRanges[i]
                                  : after.rowRanges[i].has_value();
    // Only a row that changed gets an interface: building one reads every row.
    if (wasSelected == after.rowsSelected[i] && !rangeChanged) continue;
    QAccessibleInterface* row = view->rowInterface(static_cast<int>(i));
    if (!row) continue;
    if (wasSelected != after.rowsSelected[i]) {
      QAccessible::State changed;
      changed.selected = true;
      QAccessibleStateChangeEvent event(row, changed);
      announce(event);
    }
    if (rangeChanged && after.rowRanges[i]) {
      QAccessibleValueChangeEvent event(row, after.rowRanges[i]->value);
      announce(event);
    }
  }
}

bool accessibilityListening() {
  return recorder() || QAccessible::isActive();
}

void setAccessibilityRecorder(std::function<void(QAccessibleEvent&)> newRecorder) {
  recorder() = std::move(newRecorder);
}

void readThroughInnerWidget(QWidget* host) {
  host->setProperty(kReadThroughInnerWidget, true);
}

void installAccessibilityFactory() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(viewAccessibleFactory);
}

}  // namespace velt
