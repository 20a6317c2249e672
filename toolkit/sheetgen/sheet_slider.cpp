// The slider thumbs and the scroll bar's track, thumb and buttons, at the sizes and
// places of the shared slider and scroll layout.
#include "toolkit/layout/gallery_controls_layout.h"
#include "toolkit/layout/slider_scroll_layout.h"
#include "toolkit/sheetgen/sheet_controls.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

QSize qSize(Size size) {
  return QSize(static_cast<int>(size.width), static_cast<int>(size.height));
}

// A thumb: a face with a thin outline and vertical grip notches, the first one lit.
void paintThumb(QPainter& painter, QSize size, int notches, bool disabled) {
  QRect area(QPoint(0, 0), size);
  painter.fillRect(area, disabled ? kFaceDisable : kFaceOver);
  painter.setPen(QPen(disabled ? kTextDisable : kOutlineOver, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
  int gap = size.width() / (notches + 1);
  for (int i = 1; i <= notches; ++i) {
    QColor notch = disabled ? kTextDisable : i == 1 ? kAccent : kText;
    painter.fillRect(QRect(gap * i, 3, 1, size.height() - 6), notch);
  }
}

void paintSliderNormal(QPainter& p, QSize size, SheetState) {
  paintThumb(p, size, 1, false);
}
void paintSliderDisable(QPainter& p, QSize size, SheetState) {
  paintThumb(p, size, 1, true);
}
void paintSlider1(QPainter& p, QSize size, SheetState) {
  paintThumb(p, size, 1, false);
}
void paintSlider2(QPainter& p, QSize size, SheetState) {
  paintThumb(p, size, 2, false);
}
void paintSlider3(QPainter& p, QSize size, SheetState) {
  paintThumb(p, size, 3, false);
}

// A near-black groove with a thin line down its middle.
void paintScrollTrack(QPainter& painter, QSize size, SheetState) {
  painter.fillRect(QRect(QPoint(0, 0), size), kBackground);
  painter.fillRect(QRect(size.width() / 2, 0, 1, size.height()), kOutline);
}

void paintPiece(QPainter& painter, const QRect& area, QColor face, QColor edge) {
  painter.fillRect(area, face);
  painter.setPen(QPen(edge, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
}

// State 0 on "Scroll_Down.bmp", state 1 (pointer over, or the part pressed) on
// "Scroll_Over.bmp": slightly lighter, the thumb lit in the accent.
void paintScrollParts(QPainter& painter, QSize size, SheetState state) {
  bool over = state == kOver;
  int h = size.height();
  QRect last = sheetRect(kScrollLastPiece, h), next = sheetRect(kScrollNextPiece, h);
  for (const QRect& button : {last, next})
    paintPiece(painter, button, over ? kFaceOver : kFace, over ? kOutlineOver : kOutline);
  paintArrow(painter, last, true, over ? kText : kTextDim);
  paintArrow(painter, next, false, over ? kText : kTextDim);
  QRect thumb = sheetRect(kScrollThumbPiece, h);
  paintPiece(painter, thumb, over ? kFaceDown : kFaceOver, over ? kAccent : kOutlineOver);
}

// The gallery's slider tracks, drop-down faces and list box, under their frames.
void paintGalleryControls(QPainter& painter, QSize size, SheetState state) {
  int h = size.height();
  for (const ControlLayout& slider : {kGallerySlider, kGalleryDisabledSlider, kGallerySlider3D})
    paintSliderGroove(painter, slider.frame, h);
  const std::pair<Rect, const char*> combos[] = {{kGalleryCombo.frame, "opens below"},
                                                 {kGalleryComboUp.frame, "opens above"}};
  for (const auto& [frame, label] : combos) {
    // Which way the menu opens, beside the button.
    paintText(painter, sheetRect({frame.maxX() + 8, frame.y, 80, frame.height}, h), label, kTextDim,
              11);
    paintMenuFace(painter, sheetRect(frame, h), state, false);
  }
  QRect list = sheetRect(kGalleryMacroList.frame, h);
  painter.fillRect(list, kBackground);
  paintPiece(painter, list, kBackground, kOutline);
}

const RegisterSheetFamily kGallerySheets{"Gallery",
                                         QSize(kGallerySize.width, kGallerySize.height),
                                         {"Normal", "Over", "Down", "Disable"},
                                         paintGalleryControls,
                                         1};

const RegisterSheet kSliderNormal{"Slider_Normal.bmp", qSize(kSliderThumbSize), paintSliderNormal};
const RegisterSheet kSliderDisable{"Slider_Disable.bmp", qSize(kSliderThumbSize),
                                   paintSliderDisable};
const RegisterSheet kSlider1{"Slider1.bmp", qSize(kSlider3DThumbSize), paintSlider1};
const RegisterSheet kSlider2{"Slider2.bmp", qSize(kSlider3DThumbSize), paintSlider2};
const RegisterSheet kSlider3{"Slider3.bmp", qSize(kSlider3DThumbSize), paintSlider3};
const RegisterSheet kScrollTrack{"Scroll_Normal.bmp", qSize(kScrollTrackSize), paintScrollTrack};
const RegisterSheet kScrollDown{"Scroll_Down.bmp", qSize(kScrollPartsSheetSize), paintScrollParts,
                                kNormal};
const RegisterSheet kScrollOver{"Scroll_Over.bmp", qSize(kScrollPartsSheetSize), paintScrollParts,
                                kOver};

}  // namespace

}  // namespace velt::sheetgen
