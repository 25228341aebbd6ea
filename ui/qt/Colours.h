// The colours the about box draws with: the classic fixed link and figure
// colours on a light palette, the palette's own on a dark one, where the
// fixed ones (dark blue, purple, black) cannot be read.
#pragma once

#include <QColor>

class QPalette;

namespace pladdo {

// True when the palette draws light text on a dark window.
bool IsDarkPalette(const QPalette& palette);

// The text colour of a link in each of its states.
struct LinkColourSet {
  QColor link;
  QColor visited;
  QColor hover;
  QColor focus;
  bool operator==(const LinkColourSet&) const = default;
};

// Light palette: link 0,0,255, visited 128,0,128, hover 255,0,0, focus
// 0,128,128. Dark palette: the palette's Link and LinkVisited, and for hover
// and focus its WindowText, the most readable colour it has (the hand
// cursor and the focus frame tell those states apart).
LinkColourSet LinkColours(const QPalette& palette);

// The lines of the about box's figure: black, or the palette's WindowText
// on a dark palette.
QColor FigureColour(const QPalette& palette);

}  // namespace pladdo
