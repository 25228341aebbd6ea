// The program's two icons, embedded as resources.
#pragma once

class QIcon;

namespace pladdo {

// Icon 128: the program's icon (window, task bar, about box).
QIcon ProgramIcon();
// Icon 134: the second picture of the about box.
QIcon AboutIcon();

}  // namespace pladdo
