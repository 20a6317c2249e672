#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "toolkit/ColorButton.h"
#include "toolkit/KivImageView.h"
#include "toolkit/KivWindow.h"

namespace velt {

// The pop-up palette of a colour button: a borderless window of its own whose content is
// this view, drawn from the palette picture (its background). A release on a colour
// square reports the square's index to the parent and closes the palette.
class ColorPanel : public KivImageView {
 public:
  ColorPanel();
  ~ColorPanel() override;

  // Creates the (hidden) window with the content rectangle and becomes its content.
  void initView(KivImageView* parent, int32_t id, const Rect& rect);

  // Opens with the palette's top-left corner at the screen point, kept on the screen by
  // flipping it to the other side of the opener (the screen rectangle of what opened
  // it; the point itself when none is given) or sliding it.
  void popPanel(const Point& screenPoint, std::optional<Rect> opener = {});
  void hidePanel();
  bool isShowing() const { return !isHidden(); }

  // A rectangle given by pixel edges from the picture's top-left corner, in the view's
  // coordinates.
  Rect logicRect(int32_t left, int32_t top, int32_t right, int32_t bottom) const;
  void addButton(const Rect& rect, const Color& color);
  // Opaque black for an index outside the squares.
  Color colorInIndex(int32_t index) const;
  const std::vector<ColorButton>& buttons() const { return m_clButtons; }
  KivWindow* window() const { return m_window.get(); }

  void mouseDown(const MouseEvent& event) override;
  void mouseUp(const MouseEvent& event) override;
  void mouseDragged(const MouseEvent& event) override;

  AccessibleRole accessibleRole() const override { return AccessibleRole::List; }
  // The squares, each named by its colour.
  std::vector<AccessibleRow> accessibleRows() const override;

 private:
  void createButtons();

  std::unique_ptr<KivWindow> m_window;
  std::vector<ColorButton> m_clButtons;  // created on the first pop-up
};

}  // namespace velt
