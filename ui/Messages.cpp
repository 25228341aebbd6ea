// The engine's and the checker's message codes and their Swedish texts.
#include "ui/Messages.h"

#include <locale.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "engine/Codepage.h"
#include "engine/MessageCodes.h"
#include "engine/TextUtil.h"
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

// The errors a user meets when a file is opened or saved.
struct ErrorText {
  int error;
  int id;
};

constexpr ErrorText kErrorTexts[] = {
    {ENOENT, IDS_REASON_NOENT}, {ENOTDIR, IDS_REASON_NOTDIR},
    {EISDIR, IDS_REASON_ISDIR}, {EACCES, IDS_REASON_ACCES},
    {EPERM, IDS_REASON_PERM},   {EROFS, IDS_REASON_ROFS},
    {ENOSPC, IDS_REASON_NOSPC}, {EDQUOT, IDS_REASON_DQUOT},
    {EFBIG, IDS_REASON_FBIG},   {ENAMETOOLONG, IDS_REASON_NAMETOOLONG},
    {ELOOP, IDS_REASON_LOOP},   {EEXIST, IDS_REASON_EXIST},
    {EBUSY, IDS_REASON_BUSY},   {ETXTBSY, IDS_REASON_TXTBSY},
    {EXDEV, IDS_REASON_XDEV},   {EIO, IDS_REASON_IO},
    {EMFILE, IDS_REASON_MFILE}, {ENFILE, IDS_REASON_NFILE},
    {ENOMEM, IDS_REASON_NOMEM}, {EINVAL, IDS_REASON_INVAL},
};

// The C library's Swedish text for error (Windows-1252), with a small first
// letter so that it can follow a colon; empty when no Swedish locale is
// installed or the library has no Swedish text for error. Both locales are
// asked afresh: this runs only when something has failed.
std::string SystemSwedishText(int error) {
  const locale_t swedish =
      ::newlocale(LC_MESSAGES_MASK | LC_CTYPE_MASK, "sv_SE.UTF-8", locale_t{});
  if (swedish == locale_t{}) return {};
  const locale_t english = ::newlocale(LC_ALL_MASK, "C", locale_t{});
  // Copied at once: for an unknown number both point into one buffer.
  const std::string text = ::strerror_l(error, swedish);
  const bool translated =
      english != locale_t{} && text != ::strerror_l(error, english);
  ::freelocale(swedish);
  if (english != locale_t{}) ::freelocale(english);
  if (!translated) return {};
  std::string cp1252 = Utf8ToCp1252(text);
  // "Uttagsoperation ..." reads on after a colon, an abbreviation does not.
  if (cp1252.size() > 1 && ToUpperByte(static_cast<unsigned char>(cp1252[1])) !=
                               static_cast<unsigned char>(cp1252[1])) {
    cp1252[0] =
        static_cast<char>(ToLowerByte(static_cast<unsigned char>(cp1252[0])));
  }
  return cp1252;
}

}  // namespace

std::string FormatSystemError(int id, std::string_view subject, int error) {
  for (const ErrorText& row : kErrorTexts) {
    if (row.error == error)
      return FormatString(id, subject, LoadString(row.id));
  }
  const std::string swedish = SystemSwedishText(error);
  if (!swedish.empty()) return FormatString(id, subject, swedish);
  return FormatString(id, subject,
                      FormatString(IDS_REASON_UNKNOWN, std::to_string(error))) +
         "\n" +
         FormatString(IDS_REASON_SYSTEM_TEXT,
                      Utf8ToCp1252(std::strerror(error)));
}

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
