#pragma once

#include <QAccessible>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

#include "toolkit/KivImageView.h"

namespace velt {

class ViewWidget;

// Makes Qt's accessibility layer read every view's role, name, description, value, range
// and states from the view, and a window's name and description from its widget.
void installAccessibilityFactory();

// Marks a view's widget whose reading a platform widget inside it does (a text field's
// line edit, with its caret, editing and focus): the view's own accessible is then a
// nameless filler, so that a screen reader finds the field once, in the line edit.
void readThroughInnerWidget(QWidget* host);

// What a screen reader was last told of one view, so that only what changed is announced.
struct AccessibleSnapshot {
  QString name;
  QString description;
  QString value;
  std::optional<AccessibleRange> range;
  bool checked = false;
  bool selected = false;
  bool disabled = false;
  std::vector<bool> rowsSelected;
  std::vector<std::optional<AccessibleRange>> rowRanges;
};
AccessibleSnapshot accessibleSnapshot(const KivImageView& view);

// Announces through Qt's accessibility events what differs between two snapshots of the
// view behind `widget`: name and description, the value (a value-change event carrying
// the number where there is one), the checked, selected and disabled states (one
// state-change event naming them), and each row's selection and value.
void announceAccessibilityChanges(ViewWidget* widget, const AccessibleSnapshot& before,
                                  const AccessibleSnapshot& after);

// Whether anyone listens to announcements: a screen reader (Qt's accessibility is active)
// or a recorder installed by a test.
bool accessibilityListening();
// Sends announcements to `recorder` instead of Qt's accessibility layer (tests, where the
// offscreen platform has no active accessibility); an empty function undoes it.
void setAccessibilityRecorder(std::function<void(QAccessibleEvent&)> recorder);

}  // namespace velt
