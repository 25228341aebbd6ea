// Dialog units to pixels: the templates' sizes at known base units.
#include <gtest/gtest.h>

#include "ui/qt/DialogUnits.h"

namespace pladdo {
namespace {

TEST(DialogUnits, TemplateRectanglesBecomePixelsRoundedDown) {
  struct Row {
    const char* what;
    int baseX, baseY;
    DluRect rect;
    QRect pixels;
  };
  const Row rows[] = {
      {"main window at the classic 6 x 13", 6, 13, {0, 0, 320, 198},
       QRect(0, 0, 480, 321)},
      {"prompt label, fractions dropped", 6, 13, {6, 155, 200, 8},
       QRect(9, 251, 300, 13)},
      {"answer button at 7 x 16", 7, 16, {277, 167, 37, 14},
       QRect(484, 334, 64, 28)},
      {"empty rectangle", 8, 17, {0, 0, 0, 0}, QRect(0, 0, 0, 0)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(DialogUnits(row.baseX, row.baseY).ToPixels(row.rect),
              row.pixels);
  }
}

}  // namespace
}  // namespace pladdo
