// pladdo: the window, the terminal chat, or the profile checker or verifier,
// as the command line asks.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "engine/Codepage.h"
#include "engine/Random.h"
#include "ui/StringTable.h"
#include "ui/Version.h"
#include "ui/terminal/CheckCommand.h"
#include "ui/terminal/CommandLine.h"
#include "ui/terminal/TerminalChat.h"
#include "ui/terminal/VerifyCommand.h"
#ifdef PLADDO_HAVE_QT
#include "ui/qt/RunWindow.h"
#endif

namespace {

bool HasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') ||
         (wayland != nullptr && *wayland != '\0');
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pladdo;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const CommandLine commandLine = ParseCommandLine(args);

  switch (commandLine.mode) {
    case RunMode::Error:
      std::cerr << Cp1252ToUtf8(commandLine.error) << '\n';
      return 2;
    case RunMode::Help:
      std::cout << Cp1252ToUtf8(LoadString(IDS_CMD_USAGE)) << '\n';
      return 0;
    case RunMode::Version:
      std::cout << "pladdo " << GetProgramVersion() << '\n';
      return 0;
    case RunMode::Check:
      return RunCheck(commandLine.files, commandLine.options.strLanguageFile,
                      std::cout);
    case RunMode::Verify:
      if (commandLine.inputsFile) {
        return RunVerifyInputs(*commandLine.inputsFile, commandLine.files[0],
                               commandLine.options.strLanguageFile, std::cout,
                               std::cerr);
      }
      return RunVerify(commandLine.files, commandLine.options.strLanguageFile,
                       std::cout);
    case RunMode::Default:
    case RunMode::Terminal:
      break;
  }

  if (commandLine.seed) PinRandomSeed(*commandLine.seed);
#ifdef PLADDO_HAVE_QT
  if (commandLine.mode == RunMode::Default && HasDisplay()) {
    return RunWindow(argc, argv, commandLine.options);
  }
#else
  (void)HasDisplay;
#endif
  return RunTerminal(commandLine.options, std::string(GetProgramVersion()));
}
