// Entry point of the Qt window layer, called by main() when a display is
// available.
#pragma once

#include "ui/ChatDlg.h"

namespace pladdo {

// Makes the QApplication, shows the main window with the controller started
// on options, and runs until the window closes. Returns the exit status.
int RunWindow(int& argc, char** argv, const StartOptions& options);

}  // namespace pladdo
