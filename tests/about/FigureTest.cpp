// The about box's figure: its points at known angles and the lines drawn.
#include <gtest/gtest.h>

#include <numbers>

#include "about/Figure.h"

namespace pladdo {
namespace {

using Points = std::array<FigurePoint, 10>;

TEST(FigurePoints, KnownAnglesGiveTheseScreenPoints) {
  constexpr double pi = std::numbers::pi;
  struct Row {
    const char* what;
    double a, b, c;
    Points expected;
  };
  const Row rows[] = {
      {"unturned: scale 5 around (27, 70)",
       0,
       0,
       0,
       {{{17, 55},
         {37, 55},
         {17, 65},
         {27, 65},
         {37, 65},
         {17, 75},
         {37, 75},
         {17, 85},
         {27, 85},
         {37, 85}}}},
      {"B = pi mirrors left and right",
       0,
       pi,
       0,
       {{{37, 55},
         {17, 55},
         {37, 65},
         {27, 65},
         {17, 65},
         {37, 75},
         {17, 75},
         {37, 85},
         {27, 85},
         {17, 85}}}},
      {"C = pi turns it upside down",
       0,
       0,
       pi,
       {{{17, 85},
         {37, 85},
         {17, 75},
         {27, 75},
         {37, 75},
         {17, 65},
         {37, 65},
         {17, 55},
         {27, 55},
         {37, 55}}}},
      {"A = pi/2: a quarter turn, x' = -y and y' = x",
       pi / 2,
       0,
       0,
       {{{42, 60},
         {42, 80},
         {32, 60},
         {32, 70},
         {32, 80},
         {22, 60},
         {22, 80},
         {12, 60},
         {12, 70},
         {12, 80}}}},
      // At A = 0.3, B = 1.1, C = 2.0 point 1 lies at (41.10, 80.90): the
      // fractions are cut off, not rounded.
      {"all three angles, truncated toward zero",
       0.3,
       1.1,
       2.0,
       {{{32, 78},
         {41, 80},
         {25, 71},
         {30, 73},
         {34, 74},
         {19, 65},
         {28, 68},
         {12, 59},
         {17, 60},
         {21, 61}}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const Points points = FigurePoints(row.a, row.b, row.c);
    for (std::size_t i = 0; i < points.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(points[i].x, row.expected[i].x);
      EXPECT_EQ(points[i].y, row.expected[i].y);
    }
  }
}

TEST(FigureSegments, UnturnedFigureIsAVAStemAndAnOpenBox) {
  const std::vector<FigureSegment> expected = {
      // the V: 0 to 3 to 1
      {{17, 55}, {27, 65}},
      {{27, 65}, {37, 55}},
      // the stem: 3 to 8
      {{27, 65}, {27, 85}},
      // the open box: 9, 7, 2, 4, 6, 5
      {{37, 85}, {17, 85}},
      {{17, 85}, {17, 65}},
      {{17, 65}, {37, 65}},
      {{37, 65}, {37, 75}},
      {{37, 75}, {17, 75}},
  };
  EXPECT_EQ(FigureSegments(FigurePoints(0, 0, 0)), expected);
}

TEST(FigureBackground, IsThe38PixelSquareFrom8And51) {
  const FigureSquare square = FigureBackground();
  EXPECT_EQ(square.left, 8);
  EXPECT_EQ(square.top, 51);
  EXPECT_EQ(square.side, 38);
}

}  // namespace
}  // namespace pladdo
