// The program's two icons, loaded from the embedded resources.
#include "ui/qt/Icons.h"

#include <QIcon>

// The resources live in a static library; registering them by hand makes
// sure the linker keeps them whatever program links the library.
static void InitPladdoResources() { Q_INIT_RESOURCE(pladdo_icons); }

namespace pladdo {

namespace {

void EnsureResources() {
  static const bool done = [] {
    InitPladdoResources();
    return true;
  }();
  (void)done;
}

}  // namespace

QIcon ProgramIcon() {
  EnsureResources();
  QIcon icon;
  for (const int size : {16, 32, 48, 256}) {
    icon.addFile(QStringLiteral(":/pladdo/pladdo-%1.png").arg(size),
                 QSize(size, size));
  }
  return icon;
}

QIcon AboutIcon() {
  EnsureResources();
  return QIcon(QStringLiteral(":/pladdo/about-32.png"));
}

}  // namespace pladdo
