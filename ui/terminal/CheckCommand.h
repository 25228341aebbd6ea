// `pladdo check`: the checker's report for each file on standard output.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "ui/terminal/ProfileCommand.h"

namespace pladdo {

// Exit statuses of `pladdo check`.
inline constexpr int kCheckNoFaults = kProfileClean;
inline constexpr int kCheckFaults = kProfileFindings;
inline constexpr int kCheckCannotOpen = kProfileCannotOpen;

// Prints the translated report of each profile (Windows-1252 paths) to out,
// UTF-8 with LF, one empty line between two reports. languageFile empty
// means the program folder's language.dat. Returns kCheckCannotOpen when a
// file could not be opened, else kCheckFaults when a report lists faults,
// else kCheckNoFaults.
int RunCheck(const std::vector<std::string>& files,
             const std::string& languageFile, std::ostream& out);

}  // namespace pladdo
