// The tables that turn message codes inside engine and checker texts, and
// the system's error numbers, into the program's Swedish texts.
#pragma once

#include <string>
#include <string_view>

namespace pladdo {

// Replaces the first occurrence of each of the engine's seven message codes
// ("#ERROR_NOPROFILE#" ...) by its text, in table order, comparing bytes
// exactly. Other codes, the checker's included, pass through unchanged.
std::string TranslateCodes(std::string_view text);

// Replaces every occurrence of each of the checker's seventeen codes by its
// text, code after code in the checker's fixed order. Line ends are left as
// they are.
std::string TranslateCheckerReport(std::string_view text);

// The string table's text id with "%1" replaced by subject (Windows-1252)
// and "%2" by why a file could not be opened or saved, in Swedish, from the
// errno value error: Pladdo's own words for the errors a user meets there,
// otherwise the system's Swedish text where a Swedish locale and the C
// library's Swedish messages are installed. For any other error "%2" says
// it was unexpected, with its number, and the system's untranslated words
// follow the sentence on a line of their own, never inside it.
std::string FormatSystemError(int id, std::string_view subject, int error);

}  // namespace pladdo
