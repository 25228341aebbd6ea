// The about box's figure: rotation, projection and the lines between points.
#include "ui/qt/Figure.h"

#include <cmath>

namespace pladdo {

namespace {

struct PlanePoint {
  double x;
  double y;
};

constexpr std::array<PlanePoint, 10> kPoints = {{
    {-2, -3},
    {2, -3},
    {-2, -1},
    {0, -1},
    {2, -1},
    {-2, 1},
    {2, 1},
    {-2, 3},
    {0, 3},
    {2, 3},
}};

// Each run is drawn as connected lines from its first point on.
const std::vector<std::vector<int>> kRuns = {
    {0, 3, 1},
    {3, 8},
    {9, 7, 2, 4, 6, 5},
};

}  // namespace

std::array<FigurePoint, 10> FigurePoints(double a, double b, double c) {
  const double ca = std::cos(a);
  const double sa = std::sin(a);
  const double cb = std::cos(b);
  const double sb = std::sin(b);
  const double cc = std::cos(c);
  const double sc = std::sin(c);
  // The first two rows of the rotation; the points lie in z = 0, so the
  // third column never contributes and z' is not drawn.
  const double xx = ca * cb;
  const double xy = -sa * cc - ca * sb * sc;
  const double yx = sa * cb;
  const double yy = ca * cc - sa * sb * sc;

  std::array<FigurePoint, 10> points;
  for (std::size_t i = 0; i < kPoints.size(); ++i) {
    const double x = xx * kPoints[i].x + xy * kPoints[i].y;
    const double y = yx * kPoints[i].x + yy * kPoints[i].y;
    points[i].x = static_cast<int>(kFigureCentreX + kFigureScale * x);
    points[i].y = static_cast<int>(kFigureCentreY + kFigureScale * y);
  }
  return points;
}

std::vector<FigureSegment> FigureSegments(
    const std::array<FigurePoint, 10>& points) {
  std::vector<FigureSegment> segments;
  for (const std::vector<int>& run : kRuns) {
    for (std::size_t i = 1; i < run.size(); ++i) {
      segments.push_back({points[static_cast<std::size_t>(run[i - 1])],
                          points[static_cast<std::size_t>(run[i])]});
    }
  }
  return segments;
}

FigureSquare FigureBackground() {
  const double half = kFigureScale * kFigureHalfSide;
  return {static_cast<int>(kFigureCentreX - half),
          static_cast<int>(kFigureCentreY - half), static_cast<int>(2 * half)};
}

}  // namespace pladdo
