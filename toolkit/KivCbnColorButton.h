#pragma once

#include <memory>
#include <optional>

#include "toolkit/ColorPanel.h"
#include "toolkit/KivButton.h"

namespace velt {

// A button that drops its own colour palette down beneath it. When a colour is picked the
// button keeps it and sends OnCmd with its ID; it does not draw the colour itself, and
// its "selected" flag is stored only. Hover and press follow KivButton.
class KivCbnColorButton : public KivButton {
 public:
  KivCbnColorButton();
  ~KivCbnColorButton() override;

  // Also creates the palette, reporting to this button under the button's ID.
  void initWithFrame(const Rect& rect) override;
  // The fifth picture is the palette's.
  void setImages(const Image& normal, const Image& over, const Image& down, const Image& disable,
                 const Image& panel);
  // The colour last picked; none until the first pick.
  const std::optional<Color>& color() const { return m_curColor; }
  void setColor(const Color& color);
  ColorPanel* panel() const { return m_clPanel.get(); }

  // The palette's pick: keep the colour, then tell the parent.
  void subMsg(int32_t id, int32_t value) override;

  // The picture drawRect shows now, or a null image when it shows none.
  Image currentImage() const;

  void drawRect(GraphicsContext& gc, const Rect& dirtyRect) override;
  // Opens the palette, or closes it when it is showing; sends nothing.
  void mouseUp(const MouseEvent& event) override;

  std::string accessibleValue() const override;

 private:
  std::optional<Color> m_curColor;
  std::unique_ptr<ColorPanel> m_clPanel;
};

}  // namespace velt
