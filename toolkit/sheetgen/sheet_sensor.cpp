// The sensor page's sheets "Sensor_Normal.bmp" to "Sensor_Disable.bmp" (its panels, the
// wording of every control, the check boxes, slider grooves, quality bar and buttons),
// and the surface pictures "0.bmp" to "100.bmp", one per surface level.
#include <string>
#include <tuple>

#include "toolkit/layout/sensor_layout.h"
#include "toolkit/sheetgen/sheet_controls.h"
#include "toolkit/sheetgen/sheet_style.h"

namespace velt::sheetgen {

namespace {

void paintSensor(QPainter& painter, QSize size, SheetState state) {
  const int h = size.height();
  painter.fillRect(QRect(QPoint(0, 0), size), kPanel);
  paintPanel(painter, sheetRect(kSensorDpiPanel, h), "DPI levels");
  paintPanel(painter, sheetRect(kSensorMotionPanel, h), "Pointer speed and lift-off");
  paintPanel(painter, sheetRect(kSensorSurfacePanel, h), "Surface quality");
  for (const SensorLabelLayout& label : kSensorLabels)
    paintText(painter, sheetRect(label.frame, h), label.wording, kTextDim, 11);
  for (const ControlLayout& check : {kSensorSeparateXY, kSensorRefinedMode})
    paintCheckBox(painter, sheetRect(check.frame, h), state, check.wording);
  for (const ControlLayout& slider :
       {kSensorDpiX, kSensorDpiY, kSensorPointerSpeed, kSensorLiftDistance}) {
    paintText(painter, sheetRect(slider.label, h), slider.wording, kTextDim, 11);
    paintSliderGroove(painter, slider.frame, h);
  }
  // The ends of the plain sliders' ranges, under their grooves.
  for (const auto& [slider, low, high] :
       {std::tuple{kSensorPointerSpeed, "1", "10"}, std::tuple{kSensorLiftDistance, "1", "32"}}) {
    const QRect area = sheetRect(slider.frame, h).adjusted(0, 10, 0, 2);
    paintText(painter, area, low, kTextDisable, 9, Qt::AlignLeft | Qt::AlignVCenter);
    paintText(painter, area, high, kTextDisable, 9, Qt::AlignRight | Qt::AlignVCenter);
  }
  paintBar(painter, sheetRect(kSensorQualityBar.frame, h), state);
  paintButtonFace(painter, sheetRect(kSensorAnalyze.frame, h), state, kSensorAnalyze.wording);
  paintButtonFace(painter, sheetRect(kSensorLiftTest.frame, h), state,
                  kSensorLiftTest.drawnWording());
  paintButtonFace(painter, sheetRect(kSensorLiftSave.frame, h), state,
                  kSensorLiftSave.drawnWording());
}

const char* surfaceVerdict(int level) {
  if (level == 0) return "Not measured";
  if (level <= 3) return "Poor tracking";
  if (level <= 6) return "Fair tracking";
  if (level <= 8) return "Good tracking";
  return "Excellent tracking";
}

// The level in large figures over a row of ten cells, as many lit as the level.
void paintSurfaceLevel(QPainter& painter, QSize size, int level) {
  painter.fillRect(QRect(QPoint(0, 0), size), kBackground);
  painter.setPen(kOutline);
  painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
  painter.setFont(sheetFont(44, true));
  painter.setPen(level > 0 ? kAccent : kTextDisable);
  painter.drawText(QRect(0, 10, size.width(), 56), Qt::AlignCenter, QString::number(level));
  paintText(painter, QRect(0, 66, size.width(), 18), surfaceVerdict(level), kText, 12,
            Qt::AlignCenter);
  const int cell = (size.width() - 24) / 10;
  for (int i = 0; i < 10; ++i) {
    const QRect box(12 + i * cell, size.height() - 30, cell - 3, 14);
    painter.fillRect(box, i < level ? kAccent : kFace);
  }
}

const RegisterSheetFamily kSensorSheets{"Sensor",
                                        QSize(kSensorPageSize.width, kSensorPageSize.height),
                                        {"Normal", "Over", "Down", "Disable"},
                                        paintSensor};

QSize surfaceSize() {
  return QSize(kSurfacePictureSize.width, kSurfacePictureSize.height);
}

// One picture per level, named by the level's percentage.
struct SurfacePictures {
  SurfacePictures() {
    for (int level = 0; level < kSurfaceLevels; ++level)
      RegisterSheet(std::to_string(level * 10) + ".bmp", surfaceSize(),
                    [level](QPainter& painter, QSize size, SheetState) {
                      paintSurfaceLevel(painter, size, level);
                    });
  }
};

const SurfacePictures kSurfacePictures;

}  // namespace

}  // namespace velt::sheetgen
