// The about box's line figure: ten points in a plane, turned in three
// dimensions and projected onto the screen.
#pragma once

#include <array>
#include <vector>

namespace pladdo {

// Where the figure stands, in pixels of the about box, and its scale.
inline constexpr int kFigureCentreX = 27;
inline constexpr int kFigureCentreY = 70;
inline constexpr int kFigureScale = 5;
// Half the side of the square wiped before each frame, in figure units.
inline constexpr double kFigureHalfSide = 3.8;

struct FigurePoint {
  int x = 0;
  int y = 0;
  bool operator==(const FigurePoint&) const = default;
};

struct FigureSegment {
  FigurePoint from;
  FigurePoint to;
  bool operator==(const FigureSegment&) const = default;
};

// The square (left, top, side in pixels) that each frame wipes first.
struct FigureSquare {
  int left = 0;
  int top = 0;
  int side = 0;
};

// The ten points turned by the angles a, b and c (radians) and projected
// straight onto the screen; each coordinate truncated toward zero.
std::array<FigurePoint, 10> FigurePoints(double a, double b, double c);

// The lines drawn between the points, in drawing order: 0-3-1, 3-8 and
// 9-7-2-4-6-5.
std::vector<FigureSegment> FigureSegments(
    const std::array<FigurePoint, 10>& points);

FigureSquare FigureBackground();

}  // namespace pladdo
