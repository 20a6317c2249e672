#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolkit/KivImageView.h"

namespace velt {

// A passive label: one of several pictures and one of several texts over its background.
class KivStatic : public KivImageView {
 public:
  void addImage(const Image& image);
  void addText(const std::string& text);
  // An index past the end selects the last entry; a negative one is kept and shows nothing.
  void setImageItem(int32_t index);
  void setTextItem(int32_t index);
  int32_t imageItem() const { return m_nImageItem; }
  int32_t textItem() const { return m_nTextItem; }
  // Replaces the first text (or adds it to an empty list) and shows it.
  void setCurText(const std::string& text);
  // The text shown, or none when the index is outside the list.
  std::optional<std::string> getCurText() const;
  // The picture shown, or a null image.
  Image currentImage() const;

  void setFont(const Font& font) { m_font = font; }
  void setTextColor(const Color& color) { m_textColor = color; }
  void setBkColor(const Color& color) { m_bkColor = color; }
  const Font& font() const { return m_font; }
  const Color& textColor() const { return m_textColor; }
  const Color& bkColor() const { return m_bkColor; }
  bool textCenter() const { return m_bTextCenter; }
  void setCurID(int32_t id) { setViewID(id); }
  int32_t getCurID() const { return viewID(); }

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;

  AccessibleRole accessibleRole() const override;
  std::string accessibleName() const override;
  std::string accessibleValue() const override;

 private:
  static int32_t clampToLast(int32_t index, size_t count);

  std::vector<Image> m_imageList;
  std::vector<std::string> m_textList;
  int32_t m_nImageItem = 0;
  int32_t m_nTextItem = 0;
  Color m_textColor = kWhiteColor;
  Color m_bkColor = Color::clear();  // kept for the parent; not drawn
  Font m_font = systemFont(9);
  bool m_bTextCenter = false;  // kept for the parent; text is always drawn from the left
};

}  // namespace velt
