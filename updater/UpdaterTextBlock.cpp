#include "updater/UpdaterTextBlock.h"

#include <cmath>

namespace velt {
namespace {

constexpr const char* kEllipsis = "\u2026";
// The sheets' text colour, (190, 190, 190).
constexpr Color kUpdaterTextColor = Color::fromRgb8(190, 190, 190);

bool fits(std::string_view text, double width, const Font& font) {
  return measureText(std::string(text), font).width <= width;
}

bool continuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// How many bytes of `text` start the next line: up to the last space that fits, else
// after the last "/" that fits, else as many whole characters as fit (at least one).
size_t lineLength(std::string_view text, double width, const Font& font) {
  if (fits(text, width, font)) return text.size();
  size_t longest = 0;
  for (size_t end = 1; end <= text.size(); ++end) {
    if (end < text.size() && continuationByte(text[end])) continue;
    if (!fits(text.substr(0, end), width, font)) break;
    longest = end;
  }
  if (longest == 0) {
    longest = 1;
    while (longest < text.size() && continuationByte(text[longest])) ++longest;
  }
  // A space just after what fits ends the line as well as one inside it.
  if (size_t space = text.rfind(' ', longest); space != std::string_view::npos && space > 0) {
    return space;
  }
  if (size_t slash = text.rfind('/', longest - 1); slash != std::string_view::npos && slash > 0) {
    return slash + 1;
  }
  return longest;
}

// The line with "..." at its end, shortened until it fits.
std::string elided(std::string line, double width, const Font& font) {
  while (!line.empty() && !fits(line + kEllipsis, width, font)) {
    line.pop_back();
    while (!line.empty() && continuationByte(line.back())) line.pop_back();
  }
  return line + kEllipsis;
}

}  // namespace

Font updaterTextFont() {
  return systemFont(11);
}

std::vector<std::string> wrapLines(std::string_view text, double width, const Font& font,
                                   size_t maxLines) {
  std::vector<std::string> lines;
  while (!text.empty() && lines.size() < maxLines) {
    const size_t length = lineLength(text, width, font);
    std::string_view rest = text.substr(length);
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    std::string line(text.substr(0, length));
    if (lines.size() + 1 == maxLines && !rest.empty()) line = elided(std::move(line), width, font);
    lines.push_back(std::move(line));
    text = rest;
  }
  return lines;
}

void UpdaterTextBlock::setText(std::string text) {
  m_strText = std::move(text);
  setNeedsDisplay();
  if (host()) host()->accessibilityChanged();
}

std::vector<std::string> UpdaterTextBlock::lines() const {
  const Rect area = bounds();
  const auto rows = static_cast<size_t>(std::floor((area.height + 2) / kUpdaterLinePitch));
  return wrapLines(m_strText, area.width, updaterTextFont(), rows);
}

void UpdaterTextBlock::drawRect(GraphicsContext& gc, const Rect& dirtyRect) {
  KivImageView::drawRect(gc, dirtyRect);
  const Rect area = bounds();
  const Font font = updaterTextFont();
  // Line i's box (14 high, as the sheet's lines) ends kUpdaterLinePitch * i below the top.
  double top = area.height;
  for (const std::string& line : lines()) {
    top -= 14;
    gc.drawText(line, {0, top}, font, kUpdaterTextColor);
    top -= kUpdaterLinePitch - 14;
  }
}

}  // namespace velt
