// The program's Swedish texts by id, in Windows-1252.
#pragma once

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
};

// The text of id (checker texts 62000-62016 and message texts 63000-63006
// included), or "" for an unknown id. Windows-1252.
std::string_view LoadString(int id);

}  // namespace pladdo
