// The tables that turn message codes inside engine and checker texts into
// the program's Swedish texts.
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

}  // namespace pladdo
