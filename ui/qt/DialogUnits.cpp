// Dialog units converted to pixels with a font's average character size.
#include "ui/qt/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

namespace pladdo {

DialogUnits DialogUnits::FromFont(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  // Half of the width of 26 letters, rounded: the average of all 52.
  const int baseX = (letters / 26 + 1) / 2;
  return DialogUnits(std::max(baseX, 1), std::max(metrics.height(), 1));
}

QRect DialogUnits::ToPixels(const DluRect& rect) const {
  return QRect(ToPixelsX(rect.x), ToPixelsY(rect.y), ToPixelsX(rect.w),
               ToPixelsY(rect.h));
}

void PlaceWidget(QWidget* widget, const DialogUnits& units, const DluRect& rect,
                 Fit fit) {
  QRect pixels = units.ToPixels(rect);
  const QSize hint = widget->sizeHint();
  if (fit == Fit::GrowToText && hint.isValid()) {
    pixels.setWidth(std::max(pixels.width(), hint.width()));
    pixels.setHeight(std::max(pixels.height(), hint.height()));
  }
  widget->setGeometry(pixels);
}

}  // namespace pladdo
