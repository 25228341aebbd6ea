// Dialog units: sizes given in quarters of a font's average character width
// and eighths of its height, converted to pixels for the widgets.
#pragma once

#include <QRect>

class QFont;
class QWidget;

namespace pladdo {

// A rectangle in dialog units: x, y, width, height.
struct DluRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

// The pixel size of one character of a font: its average width over the
// letters A-Z and a-z (rounded as the classic dialog templates do) and its
// line height.
class DialogUnits {
 public:
  DialogUnits(int baseX, int baseY) : m_nBaseX(baseX), m_nBaseY(baseY) {}
  // The base units of font.
  static DialogUnits FromFont(const QFont& font);

  int ToPixelsX(int dlu) const { return dlu * m_nBaseX / 4; }
  int ToPixelsY(int dlu) const { return dlu * m_nBaseY / 8; }
  QRect ToPixels(const DluRect& rect) const;

  int BaseX() const { return m_nBaseX; }
  int BaseY() const { return m_nBaseY; }

 private:
  int m_nBaseX;
  int m_nBaseY;
};

// How PlaceWidget treats a widget whose text needs more room than the
// template gives it.
enum class Fit { Exact, GrowToText };

// Places widget at rect (dialog units) inside its parent. With GrowToText a
// widget whose size hint needs more room is widened and heightened, so a
// font larger than the template's never clips its text.
void PlaceWidget(QWidget* widget, const DialogUnits& units, const DluRect& rect,
                 Fit fit = Fit::GrowToText);

}  // namespace pladdo
