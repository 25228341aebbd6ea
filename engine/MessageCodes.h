// The message codes the engine and the checker put into their texts in place
// of an answer or a description. Only the window's tables (ui/Messages)
// turn them into Swedish; every other part names them from here.
#pragma once

#include <string_view>

namespace pladdo::codes {

// The engine's codes, in replies and welcomes.
inline constexpr std::string_view kNoProfile = "#ERROR_NOPROFILE#";
inline constexpr std::string_view kWelcomeEmpty = "#ERROR_WELCOMEEMPTY#";
inline constexpr std::string_view kCantOpenFile = "#ERROR_CANTOPENFILE#";
inline constexpr std::string_view kNoVariableAnswer =
    "#ERROR_NOVARIABLEANSWER#";
inline constexpr std::string_view kLoopProtection = "#ERROR_LOOPPROTECTION#";
inline constexpr std::string_view kVariableCantOpenFile =
    "#ERROR_VARIABELCANTOPENFILE#";
inline constexpr std::string_view kNoVariable = "#ERROR_NOVARIABLE#";

// The checker's codes, in its report.
inline constexpr std::string_view kFileName = "#FILENAME#";
inline constexpr std::string_view kName = "#NAME#";
inline constexpr std::string_view kVersion = "#VERSION#";
inline constexpr std::string_view kAuthor = "#AUTHOR#";
inline constexpr std::string_view kInfo = "#INFO#";
inline constexpr std::string_view kLanguage = "#LANGUAGE#";
inline constexpr std::string_view kCouldNotOpenFile = "#DEBUG_COLDNTOPENFILE#";
inline constexpr std::string_view kIllegalRow = "#ILLEGALROW#";
inline constexpr std::string_view kNoLanguage = "#NOLANGUAGE#";
inline constexpr std::string_view kNoAnswer = "#NOANSWER#";
inline constexpr std::string_view kIllegalBlockName = "#ILLEGALBLOCKNAME#";
inline constexpr std::string_view kDoubleAsterisk = "#DOUBLEASTERISK#";
inline constexpr std::string_view kSpaceAndAsterisk = "#SPACEANDASTERISK#";
inline constexpr std::string_view kOddPercent = "#ODDPRECENT#";
inline constexpr std::string_view kNoError = "#NOERROR#";
inline constexpr std::string_view kErrorFound = "#ERRORFOUND#";
inline constexpr std::string_view kNoVariableValue = "#NOVARIABLE#";

}  // namespace pladdo::codes
