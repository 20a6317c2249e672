#pragma once

#include <functional>
#include <string>

#include "toolkit/KivImageView.h"

namespace velt {

// A plain platform line edit hosted as a view; no behaviour of its own.
class KivEdit : public KivImageView {
 public:
  std::string text() const;
  void setText(const std::string& text);
  void setFont(const Font& font);
  // Text and face colours in place of the sheets' dark look.
  void setColors(const Color& text, const Color& background);
  // A read-only field shows its text and takes no typing.
  void setEditable(bool flag);
  bool isEditable() const;
  // Runs when the user presses Return in the field.
  void setOnReturn(std::function<void()> action);
  bool acceptsFirstResponder() const override { return true; }
  AccessibleRole accessibleRole() const override { return AccessibleRole::EditableText; }
  std::string accessibleValue() const override { return text(); }

 protected:
  std::unique_ptr<ViewHost> createHost() override;
};

}  // namespace velt
