#include "toolkit/KivEdit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPalette>

#include "toolkit/platform/ViewWidget.h"
#include "toolkit/platform/qt_convert.h"

namespace velt {

namespace {

// The view's widget with a QLineEdit filling it; focus goes to the line edit.
class EditHost : public QtViewHost {
 public:
  explicit EditHost(KivImageView& view) : QtViewHost(view), edit(new QLineEdit(widget())) {
    auto* layout = new QHBoxLayout(widget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    edit->setFrame(false);
    // The dark panel look of the sheets: light grey text on a dark face, accent selection.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, QColor(34, 36, 40));
    palette.setColor(QPalette::Text, QColor(190, 190, 190));
    palette.setColor(QPalette::Highlight, QColor(179, 211, 53));
    palette.setColor(QPalette::HighlightedText, QColor(16, 17, 19));
    edit->setPalette(palette);
    edit->setTextMargins(4, 0, 4, 0);
    widget()->setFocusProxy(edit);
    readThroughInnerWidget(widget());
    nameLineEdit(view);
  }
  bool makeFirstResponder() override {
    edit->setFocus(Qt::OtherFocusReason);
    return true;
  }
  void resignFirstResponder() override { edit->clearFocus(); }
  // The line edit is what a screen reader reads: it carries the view's name and
  // description and announces its own changes.
  void accessibilityChanged() override {
    if (const KivImageView* view = static_cast<ViewWidget*>(widget())->view()) nameLineEdit(*view);
  }
  void setAcceptsKeyboardFocus(bool) override {}

  QLineEdit* edit;

 private:
  void nameLineEdit(const KivImageView& view) {
    edit->setAccessibleName(qt::toQString(view.accessibleName()));
    edit->setAccessibleDescription(qt::toQString(view.accessibleDescription()));
  }
};

EditHost* editHost(const KivEdit& view) {
  return static_cast<EditHost*>(view.host());
}

}  // namespace

std::unique_ptr<ViewHost> KivEdit::createHost() {
  return std::make_unique<EditHost>(*this);
}

std::string KivEdit::text() const {
  EditHost* host = editHost(*this);
  return host ? host->edit->text().toStdString() : std::string();
}

void KivEdit::setText(const std::string& text) {
  if (!host()) initWithFrame(frame());
  editHost(*this)->edit->setText(qt::toQString(text));
}

void KivEdit::setFont(const Font& font) {
  if (!host()) initWithFrame(frame());
  editHost(*this)->edit->setFont(qt::toQFont(font));
}

void KivEdit::setColors(const Color& text, const Color& background) {
  if (!host()) initWithFrame(frame());
  QLineEdit* edit = editHost(*this)->edit;
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Text, qt::toQColor(text));
  palette.setColor(QPalette::Base, qt::toQColor(background));
  edit->setPalette(palette);
}

void KivEdit::setEditable(bool flag) {
  if (!host()) initWithFrame(frame());
  editHost(*this)->edit->setReadOnly(!flag);
}

bool KivEdit::isEditable() const {
  EditHost* host = editHost(*this);
  return host && !host->edit->isReadOnly();
}

void KivEdit::setOnReturn(std::function<void()> action) {
  if (!host()) initWithFrame(frame());
  QLineEdit* edit = editHost(*this)->edit;
  QObject::disconnect(edit, &QLineEdit::returnPressed, nullptr, nullptr);
  if (!action) return;
  QObject::connect(edit, &QLineEdit::returnPressed, edit, [action = std::move(action)] {
    ViewWidget::Dispatch running;
    action();
  });
}

}  // namespace velt
