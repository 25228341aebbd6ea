// The program's Swedish texts by id. They are written here in UTF-8 for
// legibility and handed out in Windows-1252, the controller's encoding.
#include "ui/StringTable.h"

#include <string>
#include <unordered_map>

#include "engine/Codepage.h"

namespace pladdo {
namespace {

struct Entry {
  int id;
  const char* utf8;
};

constexpr Entry kEntries[] = {
    {IDS_APP_TITLE, "Pladdo"},
    {IDS_README_FILE, "readme.txt"},
    {IDS_README_FAILED, "Det gick inte att öppna ReadMe-filen."},
    {IDS_PROMPT_BOT, "s&varar:"},
    {IDS_PROMPT_USER, "Du s&varar:"},
    {IDS_SAVE_FILTER, "Textdokument|*.txt|Alla filer (*.*)|*.*||"},
    {IDS_SAVE_EXTENSION, "txt"},
    {IDS_PROFILE_FILTER, "Pladdo-profil (*.ppf)|*.ppf|Alla filer (*.*)|*.*||"},

    // The checker's texts.
    {62000, "ogiltigt språk"},
    {62001, "Ogiltig rad."},
    {62002, "Inga svarsalternativ hittades."},
    {62003, "Felaktigt blocknamn."},
    {62004, "Dubbla asterisker hittades, endast en används."},
    {62005,
     "Mellanslag före asterisk hittades, raden kanske inte fungerar "
     "korrekt."},
    {62006, "Ett udda antal procenttecken hittades"},
    {62007, "Inga fel hittades."},
    {62008, "fel hittades."},
    {62009, "Profilnamn:"},
    {62010, "Namn:"},
    {62011, "Version:"},
    {62012, "Författare:"},
    {62013, "Info:"},
    {62014, "Språk:"},
    {62015, "Variablen hittades inte."},
    {62016, "Filen kunde inte öppnas."},

    // The engine's message texts.
    {63000, "Ingen profil hittades."},
    {63001, "Fel i profil! Inga poster under [WELCOME] är inskrivna."},
    {63002, "Filen kunde inte öppnas."},
    {63003, "[FEL. Inga svarsalternativ för variabel.]"},
    {63004, "Lop-fel i"},
    {63005, "Fel vid variablekonvertering, kunde ej öppna filen:"},
    {63006, "-variabeln finns inte"},

    // Saving.
    {IDS_SAVE_FAILED, "Samtalet kunde inte sparas i \"%1\": %2."},
    {IDS_SAVE_IS_FOLDER, "det är en mapp"},
    {IDS_SAVE_NOT_A_FILE, "det är ingen vanlig fil"},

    // The terminal.
    {IDS_TERM_UNKNOWN_COMMAND,
     "Okänt kommando: %1. Skriv /hjälp för att se kommandona."},
    {IDS_TERM_NEEDS_FILE, "Kommandot %1 behöver ett filnamn, till exempel: %1 FIL"},
    {IDS_TERM_NO_ARGUMENT, "Kommandot %1 tar inget argument."},
    {IDS_TERM_PROFILE_FAILED,
     "Profilen \"%1\" kunde inte öppnas: %2. Inget har ändrats."},
    {IDS_TERM_PROFILE_SET, "Profil %1 är nu \"%2\". Skriv /omstart för att "
                           "börja om med den."},
    {IDS_TERM_AUTO_ON, "Automatisk dialog: på (gäller från nästa svar)"},
    {IDS_TERM_AUTO_OFF, "Automatisk dialog: av (gäller från nästa svar)"},
    {IDS_TERM_NAMES_ON, "Skriv ut namn: på"},
    {IDS_TERM_NAMES_OFF, "Skriv ut namn: av"},
    {IDS_TERM_SAVED, "Samtalet sparades i \"%1\"."},
    {IDS_TERM_OVERWRITE, "Filen \"%1\" finns redan. Vill du ersätta den? (j/n) "},
    {IDS_TERM_NOT_SAVED, "Samtalet sparades inte."},
    {IDS_TERM_PROFILE1, "Profil 1"},
    {IDS_TERM_PROFILE2, "Profil 2 (för autodialog)"},
    {IDS_TERM_INFO_FILE, "Filnamn: "},
    {IDS_TERM_INFO_NAME, "Namn: "},
    {IDS_TERM_INFO_VERSION, "Version: "},
    {IDS_TERM_INFO_CREATOR, "Skapare: "},
    {IDS_TERM_INFO_LANGUAGE, "Språk: "},
    {IDS_TERM_INFO_INFO, "Information: "},
    {IDS_TERM_INFO_NAMES, "Namn i profilen: "},
    {IDS_TERM_HELP,
     "Skriv en rad och tryck Enter för att svara. En tom rad svarar med det "
     "som står på raden\n"
     "(i den automatiska dialogen profil 2:s förslag).\n"
     "Kommandon:\n"
     "  /omstart        (/restart)   börja om samtalet\n"
     "  /profil1 FIL    (/profile1)  byt profil 1, den som svarar dig\n"
     "  /profil2 FIL    (/profile2)  byt profil 2, den som talar i den "
     "automatiska dialogen\n"
     "  /info           (/info)      visa information om de två profilerna\n"
     "  /spara FIL      (/save)      spara samtalet som textfil\n"
     "  /felsök         (/check)     felsök profil 1\n"
     "  /auto           (/auto)      slå på eller av den automatiska "
     "dialogen\n"
     "  /namn           (/names)     slå på eller av utskriften av namn\n"
     "  /om             (/about)     om Pladdo\n"
     "  /hjälp          (/help)      den här listan\n"
     "  /avsluta        (/quit)      avsluta"},
    {IDS_TERM_ABOUT,
     "Pladdo %1, en svensk pratbot.\n"
     "För mer information (hjälp och liknande) läs i ReadMe-filen: %2"},

    // The command line.
    {IDS_CMD_USAGE,
     "Användning:\n"
     "  pladdo                      fönstret när en skärm finns, annars "
     "samtal i terminalen\n"
     "  pladdo --terminal, -t       samtal i terminalen\n"
     "         --profile1 FIL       profil 1 i stället för standardprofilen\n"
     "         --profile2 FIL       profil 2 i stället för standardprofilen\n"
     "         --language FIL       språktabell i stället för programmets\n"
     "         --auto               automatisk dialog påslagen från start\n"
     "         --names              \"Skriv ut namn\" påslaget från start\n"
     "         --seed N             slumpen startar från N (samma körning "
     "varje gång)\n"
     "  pladdo check [--language FIL] FIL...\n"
     "                              felsök profilfiler; slutstatus 0 inga "
     "fel, 1 fel,\n"
     "                              2 en fil kunde inte öppnas\n"
     "  pladdo --help | --version"},
    {IDS_CMD_UNKNOWN_OPTION,
     "pladdo: okänd flagga \"%1\". Skriv pladdo --help för att se "
     "flaggorna."},
    {IDS_CMD_MISSING_VALUE, "pladdo: flaggan %1 behöver ett värde."},
    {IDS_CMD_BAD_SEED,
     "pladdo: --seed behöver ett heltal från 0 till 4294967295, inte \"%1\"."},
    {IDS_CMD_UNEXPECTED,
     "pladdo: oväntat argument \"%1\". Skriv pladdo --help för att se "
     "flaggorna."},
    {IDS_CMD_CHECK_NO_FILES,
     "pladdo check: ange minst en profilfil, till exempel: pladdo check "
     "min.ppf"},
};

const std::unordered_map<int, std::string>& Table() {
  static const std::unordered_map<int, std::string> table = [] {
    std::unordered_map<int, std::string> built;
    for (const Entry& entry : kEntries) {
      built.emplace(entry.id, Utf8ToCp1252(entry.utf8));
    }
    return built;
  }();
  return table;
}

}  // namespace

std::string_view LoadString(int id) {
  const auto& table = Table();
  const auto it = table.find(id);
  return it == table.end() ? std::string_view() : std::string_view(it->second);
}

std::string FormatString(int id, std::string_view arg1,
                         std::string_view arg2) {
  const std::string_view pattern = LoadString(id);
  std::string result;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() &&
        (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
      result += pattern[i + 1] == '1' ? arg1 : arg2;
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}

}  // namespace pladdo
