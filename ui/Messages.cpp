// The engine's and the checker's message codes and their Swedish texts.
#include "ui/Messages.h"

#include <array>

#include "ui/StringTable.h"

namespace pladdo {
namespace {

struct CodeText {
  std::string_view code;
  int id;
};

// The engine's codes in the order they are replaced.
constexpr std::array<CodeText, 7> kEngineCodes{{
    {"#ERROR_NOPROFILE#", 63000},
    {"#ERROR_WELCOMEEMPTY#", 63001},
    {"#ERROR_CANTOPENFILE#", 63002},
    {"#ERROR_NOVARIABLEANSWER#", 63003},
    {"#ERROR_LOOPPROTECTION#", 63004},
    {"#ERROR_VARIABELCANTOPENFILE#", 63005},
    {"#ERROR_NOVARIABLE#", 63006},
}};

// The checker's codes in the order the report is translated.
constexpr std::array<CodeText, 17> kCheckerCodes{{
    {"#FILENAME#", 62009},
    {"#NAME#", 62010},
    {"#VERSION#", 62011},
    {"#AUTHOR#", 62012},
    {"#INFO#", 62013},
    {"#LANGUAGE#", 62014},
    {"#DEBUG_COLDNTOPENFILE#", 62016},
    {"#ILLEGALROW#", 62001},
    {"#NOLANGUAGE#", 62000},
    {"#NOANSWER#", 62002},
    {"#ILLEGALBLOCKNAME#", 62003},
    {"#DOUBLEASTERISK#", 62004},
    {"#SPACEANDASTERISK#", 62005},
    {"#ODDPRECENT#", 62006},
    {"#NOERROR#", 62007},
    {"#ERRORFOUND#", 62008},
    {"#NOVARIABLE#", 62015},
}};

}  // namespace

std::string TranslateCodes(std::string_view text) {
  std::string result(text);
  for (const CodeText& row : kEngineCodes) {
    const std::size_t pos = result.find(row.code);
    if (pos != std::string::npos) {
      result.replace(pos, row.code.size(), LoadString(row.id));
    }
  }
  return result;
}

std::string TranslateCheckerReport(std::string_view text) {
  std::string result(text);
  for (const CodeText& row : kCheckerCodes) {
    const std::string_view replacement = LoadString(row.id);
    std::size_t pos = result.find(row.code);
    while (pos != std::string::npos) {
      result.replace(pos, row.code.size(), replacement);
      // Go on after the inserted text so it is never searched again.
      pos = result.find(row.code, pos + replacement.size());
    }
  }
  return result;
}

}  // namespace pladdo
