#include "toolkit/KivStatic.h"

namespace velt {
namespace {

constexpr Point kTextOrigin = {5, 0};

template <typename T>
const T* itemAt(const std::vector<T>& list, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= list.size()) return nullptr;
  return &list[static_cast<size_t>(index)];
}

}  // namespace

int32_t KivStatic::clampToLast(int32_t index, size_t count) {
  const auto last = static_cast<int32_t>(count) - 1;
  return index > last ? last : index;
}

void KivStatic::addImage(const Image& image) {
  m_imageList.push_back(image);
}

void KivStatic::addText(const std::string& text) {
  m_textList.push_back(text);
}

void KivStatic::setImageItem(int32_t index) {
  m_nImageItem = clampToLast(index, m_imageList.size());
  setNeedsDisplay();
}

void KivStatic::setTextItem(int32_t index) {
  m_nTextItem = clampToLast(index, m_textList.size());
  setNeedsDisplay();
  if (host()) host()->accessibilityChanged();
}

void KivStatic::setCurText(const std::string& text) {
  if (m_textList.empty()) {
    m_textList.push_back(text);
  } else {
    m_textList.front() = text;
  }
  m_nTextItem = 0;
  setNeedsDisplay();
  if (host()) host()->accessibilityChanged();
}

std::optional<std::string> KivStatic::getCurText() const {
  if (const std::string* text = itemAt(m_textList, m_nTextItem)) return *text;
  return std::nullopt;
}

Image KivStatic::currentImage() const {
  const Image* image = itemAt(m_imageList, m_nImageItem);
  return image ? *image : Image();
}

void KivStatic::drawRect(GraphicsContext& gc, const Rect& dirtyRect) {
  KivImageView::drawRect(gc, dirtyRect);
  if (Image picture = currentImage()) gc.drawImage(picture, bounds(), CompositeMode::SourceIn);
  if (std::optional<std::string> text = getCurText())
    gc.drawText(*text, kTextOrigin, m_font, m_textColor);
}

AccessibleRole KivStatic::accessibleRole() const {
  return m_textList.empty() ? AccessibleRole::Graphic : AccessibleRole::StaticText;
}

std::string KivStatic::accessibleName() const {
  if (!m_strAccessibleName.empty()) return m_strAccessibleName;
  return getCurText().value_or(std::string());
}

std::string KivStatic::accessibleValue() const {
  return getCurText().value_or(std::string());
}

}  // namespace velt
