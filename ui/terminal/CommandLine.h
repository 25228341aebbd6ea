// The pladdo command line: the window, the terminal chat, the checker or the
// verifier.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/ChatDlg.h"

namespace pladdo {

enum class RunMode {
  Default,   // the window when a display is available, else the terminal
  Terminal,  // --terminal / -t
  Check,     // pladdo check FILE...
  Verify,    // pladdo verify [--inputs LINES] FILE...
  Help,      // --help
  Version,   // --version
  Error,     // the arguments could not be understood
};

struct CommandLine {
  RunMode mode = RunMode::Default;
  StartOptions options;                   // paths in Windows-1252
  std::optional<unsigned> seed;           // --seed N
  std::vector<std::string> files;         // a sub-command's files, Windows-1252
  std::optional<std::string> inputsFile;  // verify --inputs, Windows-1252
  std::string error;  // Swedish, Windows-1252, for RunMode::Error
};

// Reads the arguments after the program name. Options take their value as
// the next argument or after "=" (--profile1=FILE). Paths given in UTF-8
// are converted to Windows-1252.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

}  // namespace pladdo
