#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/GraphicsContext.h"
#include "toolkit/KivImageView.h"

namespace velt {

// Text known only at run time (what was wrong, a folder) in the dialog's own face,
// wrapped over as many lines of the sheet's spacing as its rectangle holds. The parent's
// background shows through; a screen reader reads the whole text.
class UpdaterTextBlock : public KivImageView {
 public:
  void setText(std::string text);
  const std::string& text() const { return m_strText; }
  // The lines drawn, top first.
  std::vector<std::string> lines() const;

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;
  AccessibleRole accessibleRole() const override { return AccessibleRole::StaticText; }
  std::string accessibleValue() const override { return m_strText; }

 private:
  std::string m_strText;
};

// The sheets' line pitch and text face.
inline constexpr double kUpdaterLinePitch = 16;
Font updaterTextFont();

// `text` in lines no wider than `width`: broken at spaces, a word wider than a line
// (a long path) after a "/" or anywhere; at most `maxLines`, the last ending in "..."
// when text is left over.
std::vector<std::string> wrapLines(std::string_view text, double width, const Font& font,
                                   size_t maxLines);

}  // namespace velt
