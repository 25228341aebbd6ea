// The program's Swedish texts by id, in Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace pladdo {

// Ids of the string table.
enum StringId : int {
  IDS_APP_TITLE = 57344,            // "Pladdo"
  IDS_README_FILE = 60002,          // "readme.txt"
  IDS_README_FAILED = 60100,        // "Det gick inte att öppna ReadMe-filen."
  IDS_PROMPT_BOT = 60101,           // "s&varar:"
  IDS_PROMPT_USER = 60102,          // "Du s&varar:"
  IDS_SAVE_FILTER = 60200,          // "Textdokument|*.txt|Alla filer (*.*)|*.*||"
  IDS_SAVE_EXTENSION = 60201,       // "txt"
  IDS_PROFILE_FILTER = 60300,       // "Pladdo-profil (*.ppf)|*.ppf|Alla filer (*.*)|*.*||"

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

// The text of id (checker texts 62000-62016 and message texts 63000-63006
// included), or "" for an unknown id. Windows-1252.
std::string_view LoadString(int id);

// The text of id with "%1" and "%2" replaced by arg1 and arg2.
std::string FormatString(int id, std::string_view arg1,
                         std::string_view arg2 = {});

}  // namespace pladdo
