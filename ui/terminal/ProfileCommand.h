// What `pladdo check` and `pladdo verify` share: a report for each profile
// on standard output and one exit status for the whole run.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace pladdo {

class CChatEngine;

// Exit statuses of the profile commands.
inline constexpr int kProfileClean = 0;       // nothing to report
inline constexpr int kProfileFindings = 1;    // a report lists something
inline constexpr int kProfileCannotOpen = 2;  // a file could not be opened

// What a command found in one profile; the report is Windows-1252.
struct ProfileOutcome {
  bool bOpened = false;
  bool bFindings = false;
  std::string strReport;
};

// Runs examine on an engine set on each profile (Windows-1252 paths) and
// the language file (empty: the program folder's language.dat), and prints
// each report to out in UTF-8 with LF, an empty line between two. Returns
// kProfileCannotOpen when a file could not be opened, else
// kProfileFindings when a report lists something, else kProfileClean.
int RunOverProfiles(const std::vector<std::string>& files,
                    const std::string& languageFile, std::ostream& out,
                    const std::function<ProfileOutcome(
                        const CChatEngine&, const std::string& path)>& examine);

}  // namespace pladdo
