// `pladdo verify`: what the verifier finds in profiles, and the answers of a
// profile to a list of input lines, worded for the profile's author.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "engine/Verify.h"
#include "ui/terminal/ProfileCommand.h"

namespace pladdo {

// Exit statuses of `pladdo verify`, as those of `pladdo check`.
inline constexpr int kVerifyClean = kProfileClean;
inline constexpr int kVerifyFindings = kProfileFindings;
inline constexpr int kVerifyCannotOpen = kProfileCannotOpen;

// The report on one profile (Windows-1252): a line "FIL:RAD: ..." for each
// finding, then the summary line. Rows and files are named by the file's
// name without its folder.
std::string FormatVerifyReport(const std::string& path,
                               const VerifyResult& result);

// The answers to the input lines and their summary (Windows-1252).
std::string FormatCorpusReport(const std::string& path,
                               const CorpusResult& result);

// Runs the verifier over each profile (Windows-1252 paths) and prints the
// reports to out, UTF-8 with LF, an empty line between two. languageFile
// empty means the program folder's language.dat. Returns kVerifyCannotOpen
// when a file could not be opened, else kVerifyFindings when a report lists
// anything, else kVerifyClean.
int RunVerify(const std::vector<std::string>& files,
              const std::string& languageFile, std::ostream& out);

// Answers each non-empty line of inputsFile (UTF-8) with the profile and
// prints the corpus report to out. Returns kVerifyClean, or
// kVerifyCannotOpen (with a message on err) when a file cannot be read.
int RunVerifyInputs(const std::string& inputsFile, const std::string& profile,
                    const std::string& languageFile, std::ostream& out,
                    std::ostream& err);

}  // namespace pladdo
