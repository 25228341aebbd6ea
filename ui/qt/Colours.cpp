// Link and figure colours chosen by the palette's lightness.
#include "ui/qt/Colours.h"

#include <QPalette>

namespace pladdo {

bool IsDarkPalette(const QPalette& palette) {
  return palette.color(QPalette::Window).lightness() <
         palette.color(QPalette::WindowText).lightness();
}

LinkColourSet LinkColours(const QPalette& palette) {
  if (!IsDarkPalette(palette)) {
    return {QColor(0, 0, 255), QColor(128, 0, 128), QColor(255, 0, 0),
            QColor(0, 128, 128)};
  }
  const QColor text = palette.color(QPalette::WindowText);
  return {palette.color(QPalette::Link), palette.color(QPalette::LinkVisited),
          text, text};
}

QColor FigureColour(const QPalette& palette) {
  return IsDarkPalette(palette) ? palette.color(QPalette::WindowText)
                                : QColor(Qt::black);
}

}  // namespace pladdo
