// The program's Swedish texts by id, in Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace pladdo {

// Ids of the string table.
enum StringId : int {
  IDS_APP_TITLE = 57344,       // "Pladdo"
  IDS_README_FILE = 60002,     // "readme.txt"
  IDS_README_FAILED = 60100,   // "Det gick inte att öppna ReadMe-filen."
  IDS_PROMPT_BOT = 60101,      // "s&varar:"
  IDS_PROMPT_USER = 60102,     // "Du s&varar:"
  IDS_SAVE_FILTER = 60200,     // "Textdokument|*.txt|Alla filer (*.*)|*.*||"
  IDS_SAVE_EXTENSION = 60201,  // "txt"
  IDS_PROFILE_FILTER =
      60300,  // "Pladdo-profil (*.ppf)|*.ppf|Alla filer (*.*)|*.*||"

  // The checker's texts, by the code they replace.
  IDS_CHECK_NOLANGUAGE = 62000,
  IDS_CHECK_ILLEGALROW = 62001,
  IDS_CHECK_NOANSWER = 62002,
  IDS_CHECK_ILLEGALBLOCKNAME = 62003,
  IDS_CHECK_DOUBLEASTERISK = 62004,
  IDS_CHECK_SPACEANDASTERISK = 62005,
  IDS_CHECK_ODDPERCENT = 62006,
  IDS_CHECK_NOERROR = 62007,
  IDS_CHECK_ERRORFOUND = 62008,
  IDS_CHECK_FILENAME = 62009,
  IDS_CHECK_NAME = 62010,
  IDS_CHECK_VERSION = 62011,
  IDS_CHECK_AUTHOR = 62012,
  IDS_CHECK_INFO = 62013,
  IDS_CHECK_LANGUAGE = 62014,
  IDS_CHECK_NOVARIABLE = 62015,
  IDS_CHECK_COULDNTOPENFILE = 62016,

  // The engine's message texts, by the code they replace.
  IDS_ERROR_NOPROFILE = 63000,
  IDS_ERROR_WELCOMEEMPTY = 63001,
  IDS_ERROR_CANTOPENFILE = 63002,
  IDS_ERROR_NOVARIABLEANSWER = 63003,
  IDS_ERROR_LOOPPROTECTION = 63004,
  IDS_ERROR_VARIABLECANTOPENFILE = 63005,
  IDS_ERROR_NOVARIABLE = 63006,

  // Saving a transcript ("%1" the path, "%2" the system's reason).
  IDS_SAVE_FAILED = 60400,
  IDS_SAVE_IS_FOLDER = 60401,
  IDS_SAVE_NOT_A_FILE = 60402,

  // The terminal front end.
  IDS_TERM_UNKNOWN_COMMAND = 61000,
  IDS_TERM_NEEDS_FILE = 61001,
  IDS_TERM_NO_ARGUMENT = 61002,
  IDS_TERM_PROFILE_FAILED = 61003,
  IDS_TERM_PROFILE_SET = 61004,
  IDS_TERM_AUTO_ON = 61005,
  IDS_TERM_AUTO_OFF = 61006,
  IDS_TERM_NAMES_ON = 61007,
  IDS_TERM_NAMES_OFF = 61008,
  IDS_TERM_SAVED = 61009,
  IDS_TERM_OVERWRITE = 61010,
  IDS_TERM_NOT_SAVED = 61011,
  IDS_TERM_PROFILE1 = 61012,
  IDS_TERM_PROFILE2 = 61013,
  IDS_TERM_INFO_FILE = 61014,
  IDS_TERM_INFO_NAME = 61015,
  IDS_TERM_INFO_VERSION = 61016,
  IDS_TERM_INFO_CREATOR = 61017,
  IDS_TERM_INFO_LANGUAGE = 61018,
  IDS_TERM_INFO_INFO = 61019,
  IDS_TERM_INFO_NAMES = 61020,
  IDS_TERM_HELP = 61021,
  IDS_TERM_ABOUT = 61022,

  // The command line.
  IDS_CMD_USAGE = 61100,
  IDS_CMD_UNKNOWN_OPTION = 61101,
  IDS_CMD_MISSING_VALUE = 61102,
  IDS_CMD_BAD_SEED = 61103,
  IDS_CMD_UNEXPECTED = 61104,
  IDS_CMD_CHECK_NO_FILES = 61105,
};

// The text of id, or "" for an unknown id. Windows-1252.
std::string_view LoadString(int id);

// The text of id with "%1" and "%2" replaced by arg1 and arg2.
std::string FormatString(int id, std::string_view arg1,
                         std::string_view arg2 = {});

}  // namespace pladdo
