// The engine's and the checker's message codes and their Swedish texts.
#include "ui/Messages.h"

#include <array>

#include "engine/MessageCodes.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

struct CodeText {
  std::string_view code;
  int id;
};

// The engine's codes in the order they are replaced.
constexpr std::array<CodeText, 7> kEngineCodes{{
    {codes::kNoProfile, IDS_ERROR_NOPROFILE},
    {codes::kWelcomeEmpty, IDS_ERROR_WELCOMEEMPTY},
    {codes::kCantOpenFile, IDS_ERROR_CANTOPENFILE},
    {codes::kNoVariableAnswer, IDS_ERROR_NOVARIABLEANSWER},
    {codes::kLoopProtection, IDS_ERROR_LOOPPROTECTION},
    {codes::kVariableCantOpenFile, IDS_ERROR_VARIABLECANTOPENFILE},
    {codes::kNoVariable, IDS_ERROR_NOVARIABLE},
}};

// The checker's codes in the order the report is translated.
constexpr std::array<CodeText, 17> kCheckerCodes{{
    {codes::kFileName, IDS_CHECK_FILENAME},
    {codes::kName, IDS_CHECK_NAME},
    {codes::kVersion, IDS_CHECK_VERSION},
    {codes::kAuthor, IDS_CHECK_AUTHOR},
    {codes::kInfo, IDS_CHECK_INFO},
    {codes::kLanguage, IDS_CHECK_LANGUAGE},
    {codes::kCouldNotOpenFile, IDS_CHECK_COULDNTOPENFILE},
    {codes::kIllegalRow, IDS_CHECK_ILLEGALROW},
    {codes::kNoLanguage, IDS_CHECK_NOLANGUAGE},
    {codes::kNoAnswer, IDS_CHECK_NOANSWER},
    {codes::kIllegalBlockName, IDS_CHECK_ILLEGALBLOCKNAME},
    {codes::kDoubleAsterisk, IDS_CHECK_DOUBLEASTERISK},
    {codes::kSpaceAndAsterisk, IDS_CHECK_SPACEANDASTERISK},
    {codes::kOddPercent, IDS_CHECK_ODDPERCENT},
    {codes::kNoError, IDS_CHECK_NOERROR},
    {codes::kErrorFound, IDS_CHECK_ERRORFOUND},
    {codes::kNoVariableValue, IDS_CHECK_NOVARIABLE},
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
