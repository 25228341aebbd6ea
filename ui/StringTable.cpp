// The program's Swedish texts by id. They are written here in UTF-8 for
// legibility and handed out in Windows-1252, the controller's encoding.
#include "ui/StringTable.h"

#include <iterator>
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
    {IDS_CHECK_NOLANGUAGE, "ogiltigt språk"},
    {IDS_CHECK_ILLEGALROW, "Ogiltig rad."},
    {IDS_CHECK_NOANSWER, "Inga svarsalternativ hittades."},
    {IDS_CHECK_ILLEGALBLOCKNAME, "Felaktigt blocknamn."},
    {IDS_CHECK_DOUBLEASTERISK,
     "Dubbla asterisker hittades, endast en används."},
    {IDS_CHECK_SPACEANDASTERISK,
     "Mellanslag före asterisk hittades, raden kanske inte fungerar "
     "korrekt."},
    {IDS_CHECK_ODDPERCENT, "Ett udda antal procenttecken hittades"},
    {IDS_CHECK_NOERROR, "Inga fel hittades."},
    {IDS_CHECK_ERRORFOUND, "fel hittades."},
    {IDS_CHECK_FILENAME, "Profilnamn:"},
    {IDS_CHECK_NAME, "Namn:"},
    {IDS_CHECK_VERSION, "Version:"},
    {IDS_CHECK_AUTHOR, "Författare:"},
    {IDS_CHECK_INFO, "Info:"},
    {IDS_CHECK_LANGUAGE, "Språk:"},
    {IDS_CHECK_NOVARIABLE, "Variablen hittades inte."},
    {IDS_CHECK_COULDNTOPENFILE, "Filen kunde inte öppnas."},

    // The engine's message texts.
    {IDS_ERROR_NOPROFILE, "Ingen profil hittades."},
    {IDS_ERROR_WELCOMEEMPTY,
     "Fel i profil! Inga poster under [WELCOME] är inskrivna."},
    {IDS_ERROR_CANTOPENFILE, "Filen kunde inte öppnas."},
    {IDS_ERROR_NOVARIABLEANSWER, "[FEL. Inga svarsalternativ för variabel.]"},
    {IDS_ERROR_LOOPPROTECTION, "Lop-fel i"},
    {IDS_ERROR_VARIABLECANTOPENFILE,
     "Fel vid variablekonvertering, kunde ej öppna filen:"},
    {IDS_ERROR_NOVARIABLE, "-variabeln finns inte"},

    // Saving.
    {IDS_SAVE_FAILED, "Samtalet kunde inte sparas i \"%1\": %2."},
    {IDS_SAVE_NOT_A_FILE, "det är ingen vanlig fil"},
    {IDS_SAVE_REPLACE, "Filen \"%1\" finns redan.\nVill du ersätta den?"},

    // The reasons a file could not be opened or saved.
    {IDS_REASON_NOENT, "filen eller mappen finns inte"},
    {IDS_REASON_NOTDIR, "en del av sökvägen är ingen mapp"},
    {IDS_REASON_ISDIR, "det är en mapp"},
    {IDS_REASON_ACCES, "du saknar behörighet"},
    {IDS_REASON_PERM, "åtgärden är inte tillåten"},
    {IDS_REASON_ROFS, "filsystemet är skrivskyddat"},
    {IDS_REASON_NOSPC, "det finns inget utrymme kvar på disken"},
    {IDS_REASON_DQUOT, "din diskkvot är slut"},
    {IDS_REASON_FBIG, "filen blir för stor"},
    {IDS_REASON_NAMETOOLONG, "namnet är för långt"},
    {IDS_REASON_LOOP, "sökvägen har för många symboliska länkar"},
    {IDS_REASON_EXIST, "filen finns redan"},
    {IDS_REASON_BUSY, "filen eller enheten är upptagen"},
    {IDS_REASON_TXTBSY, "filen används av ett program som körs"},
    {IDS_REASON_XDEV, "filen kan inte flyttas till ett annat filsystem"},
    {IDS_REASON_IO, "ett läs- eller skrivfel på disken"},
    {IDS_REASON_MFILE, "Pladdo har för många filer öppna"},
    {IDS_REASON_NFILE, "systemet har för många filer öppna"},
    {IDS_REASON_NOMEM, "minnet räcker inte"},
    {IDS_REASON_INVAL, "namnet går inte att använda på det här filsystemet"},
    {IDS_REASON_UNKNOWN, "ett oväntat fel (felnummer %1)"},
    {IDS_REASON_SYSTEM_TEXT, "(systemets beskrivning: %1)"},

    // The terminal.
    {IDS_TERM_UNKNOWN_COMMAND,
     "Okänt kommando: %1. Skriv /hjälp för att se kommandona."},
    {IDS_TERM_NEEDS_FILE,
     "Kommandot %1 behöver ett filnamn, till exempel: %1 FIL"},
    {IDS_TERM_NO_ARGUMENT, "Kommandot %1 tar inget argument."},
    {IDS_TERM_PROFILE_FAILED,
     "Profilen \"%1\" kunde inte öppnas: %2. Inget har ändrats."},
    {IDS_TERM_PROFILE_SET,
     "Profil %1 är nu \"%2\". Skriv /omstart för att "
     "börja om med den."},
    {IDS_TERM_AUTO_ON, "Automatisk dialog: på (gäller från nästa svar)"},
    {IDS_TERM_AUTO_OFF, "Automatisk dialog: av (gäller från nästa svar)"},
    {IDS_TERM_NAMES_ON, "Skriv ut namn: på"},
    {IDS_TERM_NAMES_OFF, "Skriv ut namn: av"},
    {IDS_TERM_SAVED, "Samtalet sparades i \"%1\"."},
    {IDS_TERM_OVERWRITE,
     "Filen \"%1\" finns redan. Vill du ersätta den? (j/n) "},
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
     "  /varför         (/why)       hur det senaste svaret kom till\n"
     "  /hjälp          (/help)      den här listan\n"
     "  /avsluta        (/quit)      avsluta"},
    {IDS_TERM_ABOUT,
     "Pladdo %1, en svensk pratbot.\n"
     "För mer information (hjälp och liknande) läs i ReadMe-filen: %2"},

    // "Varför det svaret?"
    {IDS_WHY_TITLE, "Varför det svaret?"},
    {IDS_WHY_HEADING_REPLY, "Senaste svaret (profil 1, %1):"},
    {IDS_WHY_HEADING_SUGGESTION, "Förslaget på raden (profil 2, %1):"},
    {IDS_WHY_INPUT, "Raden: «%1» (med små bokstäver, som mönstren jämförs)"},
    {IDS_WHY_REPLY, "Svaret: «%1»"},
    {IDS_WHY_NONE, "Inget svar ännu."},
    {IDS_WHY_WELCOME, "Varför: välkomsthälsningen, en rad ur [WELCOME]."},
    {IDS_WHY_FIRST_TURN,
     "Varför: det första svaret efter en start kommer ur [START] (den "
     "första raden tas som namnet)."},
    {IDS_WHY_REPEAT,
     "Varför: raden var samma som den förra, så svaret kommer ur [REPEAT]."},
    {IDS_WHY_IMITATE,
     "Varför: den förra raden var samma som botens förra svar, så svaret "
     "kommer ur [IMITATE]."},
    {IDS_WHY_KEYWORD,
     "Varför: ett mönster i [SPEAK] passade; det första som passar, i "
     "filens ordning, vinner."},
    {IDS_WHY_FALLBACK,
     "Varför: inget mönster passade, så svaret kommer ur [NOTFOUND]."},
    {IDS_WHY_NO_PROFILE, "Varför: profilen \"%1\" kunde inte öppnas."},
    {IDS_WHY_WELCOME_EMPTY,
     "Varför: [WELCOME] saknas eller har inga svarsrader."},
    {IDS_WHY_PATTERN, "Mönster: %1"},
    {IDS_WHY_DROPPED,
     "Mönstret %1 passade men fångade inga ord, och alla gruppens svar "
     "använder %FE%; gruppen hoppades över."},
    {IDS_WHY_CAPTURE, "Efter mönstret: «%1», efter ordbytet: «%2» (%FE%)"},
    {IDS_WHY_NO_CAPTURE, "Efter mönstret: inget fångades (%FE% är tom)"},
    {IDS_WHY_ANSWER, "Svarsrad: %1"},
    {IDS_WHY_NO_ANSWER, "Svarsrad: ingen, blocket har inga svarsrader"},
    {IDS_WHY_VARIABLES, "Variabler:"},
    {IDS_WHY_VARIABLE, "%1 = «%2»"},
    {IDS_WHY_VARIABLE_ROW, "%1, raden %2"},
    {IDS_WHY_DEPTH_NOTE, "%1: för djupt inbäddad, visas som loop-skydd"},
    {IDS_WHY_BUDGET_NOTE,
     "%1: inte utvärderad, svaret hade redan använt alla sina "
     "variabeluppslag"},
    {IDS_WHY_SIZE_NOTE, "%1: utelämnad, svaret hade blivit större än 1 MiB"},
    {IDS_WHY_OMITTED, "… och %1 variabler till"},

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
     "  pladdo verify [--language FIL] FIL...\n"
     "                              pröva profilernas provrader (#>) och "
     "leta efter\n"
     "                              mönsterrader som aldrig nås och block "
     "som saknas\n"
     "                              eller aldrig används; slutstatus 0 "
     "inget hittat,\n"
     "                              1 anmärkningar, 2 en fil kunde inte "
     "öppnas\n"
     "  pladdo verify [--language FIL] --inputs RADER FIL\n"
     "                              vilken rad i profilen som svarar på "
     "varje rad i\n"
     "                              filen RADER (UTF-8), och en "
     "sammanfattning\n"
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

    // pladdo verify. A line of the report is "FIL:RAD: " and one of these.
    {IDS_VERIFY_SAMPLE_OTHER_GROUP,
     "provet «%1» besvaras av %2 «%3», inte av sin grupp på rad %4"},
    {IDS_VERIFY_SAMPLE_OTHER_BLOCK,
     "provet «%1» besvaras av %2, inte av sin grupp på rad %3"},
    {IDS_VERIFY_SAMPLE_OWN_NO_CAPTURE,
     "provet «%1» når sin grupp på rad %2, men inget fångas efter mönstret "
     "och alla gruppens svar använder %FE%, så [NOTFOUND] svarar"},
    {IDS_VERIFY_SAMPLE_OWN_NO_ANSWERS,
     "provet «%1» når sin grupp på rad %2, men gruppen har inga svarsrader, "
     "så [NOTFOUND] svarar"},
    {IDS_VERIFY_SAMPLE_OTHER_NO_CAPTURE,
     "provet «%1» tas av %2 «%3», men inget fångas efter mönstret och alla "
     "dess svar använder %FE%, så [NOTFOUND] svarar, inte sin grupp på rad "
     "%4"},
    {IDS_VERIFY_SAMPLE_OTHER_NO_ANSWERS,
     "provet «%1» tas av %2 «%3», som saknar svarsrader, så [NOTFOUND] "
     "svarar, inte sin grupp på rad %4"},
    {IDS_VERIFY_SAMPLE_NO_PATTERN,
     "provet «%1» har ingen mönsterrad under sig"},
    {IDS_VERIFY_SAMPLE_BEFORE_SPEAK,
     "provet «%1» prövas aldrig: dess mönsterrad på rad %2 står före "
     "[SPEAK]"},
    {IDS_VERIFY_SAMPLE_NO_SPEAK,
     "provet «%1» prövas aldrig: profilen har inget [SPEAK]-block"},
    {IDS_VERIFY_SAMPLE_EMPTY, "provraden är tom"},
    {IDS_VERIFY_SAMPLE_UNANSWERED,
     "provet «%1» fick inget svar: profilen kunde inte läsas"},
    {IDS_VERIFY_PATTERN_SHADOWED,
     "mönstret «%1» nås aldrig; %2 «%3» tar alla dess rader"},
    {IDS_VERIFY_PATTERN_BEFORE_SPEAK,
     "mönstret «%1» nås aldrig; det står före [SPEAK], där sökningen "
     "börjar"},
    {IDS_VERIFY_PATTERN_NO_SPEAK,
     "mönstret «%1» nås aldrig; profilen har inget [SPEAK]-block"},
    {IDS_VERIFY_VARIABLE_NO_BLOCK,
     "variabeln «%1» pekar på ett block som inte finns"},
    {IDS_VERIFY_VARIABLE_EMPTY_BLOCK,
     "variabeln «%1» pekar på blocket [%2], som saknar svarsrader"},
    {IDS_VERIFY_VARIABLE_NO_FILE,
     "variabeln «%1» pekar på filen %2 som inte kan öppnas"},
    {IDS_VERIFY_VARIABLE_NO_BLOCK_IN_FILE,
     "variabeln «%1» pekar på blocket %2 som inte finns i %3"},
    {IDS_VERIFY_VARIABLE_EMPTY_BLOCK_IN_FILE,
     "variabeln «%1» pekar på blocket %2 i %3, som saknar svarsrader"},
    {IDS_VERIFY_BLOCK_UNUSED, "blocket [%1] används aldrig av någon variabel"},
    {IDS_VERIFY_BLOCK_DUPLICATE,
     "blocket [%1] läses aldrig; blocket med samma namn på rad %2 hittas "
     "först"},
    {IDS_VERIFY_SUMMARY, "%1: %2 av %3 prov når sin grupp; %4."},
    {IDS_VERIFY_SUMMARY_NO_SAMPLES, "%1: inga prov (#>); %2."},
    {IDS_VERIFY_NOTHING_FOUND, "inget att anmärka"},
    {IDS_VERIFY_ONE_FINDING, "1 anmärkning"},
    {IDS_VERIFY_FINDINGS, "%1 anmärkningar"},
    {IDS_VERIFY_CANNOT_OPEN, "%1: filen kunde inte öppnas."},
    {IDS_VERIFY_INPUT_ROW, "«%1» besvaras av %2 «%3»"},
    {IDS_VERIFY_INPUT_BLOCK, "«%1» besvaras av %2"},
    {IDS_VERIFY_INPUT_PASSED_NO_CAPTURE,
     "    %1 «%2» tog raden, men inget fångades och alla gruppens svar "
     "använder %FE%"},
    {IDS_VERIFY_INPUT_PASSED_NO_ANSWERS,
     "    %1 «%2» tog raden, men gruppen har inga svarsrader"},
    {IDS_VERIFY_INPUT_ALSO, "    skulle också passa: %1 «%2»"},
    {IDS_VERIFY_CORPUS_HEAD, "Sammanfattning för %1:"},
    {IDS_VERIFY_CORPUS_COUNT,
     "%1 rader; en nyckelordsgrupp svarade på %2 av dem (%3 %), andra "
     "block på %4."},
    {IDS_VERIFY_CORPUS_NO_LINES, "Inga rader att pröva."},
    {IDS_VERIFY_CORPUS_TOP, "Grupperna som svarade oftast:"},
    {IDS_VERIFY_CORPUS_UNREACHED, "Grupper som ingen rad nådde: %1 av %2"},
    {IDS_VERIFY_CORPUS_ALL_REACHED, "Alla %1 grupper nåddes av någon rad."},
    {IDS_VERIFY_INPUTS_FAILED,
     "pladdo verify: raderna i \"%1\" kunde inte läsas."},
    {IDS_CMD_VERIFY_NO_FILES,
     "pladdo verify: ange minst en profilfil, till exempel: pladdo verify "
     "min.ppf"},
    {IDS_CMD_VERIFY_INPUTS_ONE,
     "pladdo verify: --inputs prövar raderna mot en profil; ange exakt en "
     "profilfil."},
};

// Two texts under one id would leave one of them unreachable.
constexpr bool HasUniqueIds() {
  for (std::size_t i = 0; i < std::size(kEntries); ++i) {
    for (std::size_t j = i + 1; j < std::size(kEntries); ++j) {
      if (kEntries[i].id == kEntries[j].id) return false;
    }
  }
  return true;
}
static_assert(HasUniqueIds(), "every string-table id names one text");

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

std::string FormatString(int id, std::string_view arg1, std::string_view arg2) {
  return FormatString(id, {arg1, arg2});
}

std::string FormatString(int id, std::initializer_list<std::string_view> args) {
  const std::string_view pattern = LoadString(id);
  std::string result;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const std::size_t n = i + 1 < pattern.size() && pattern[i] == '%' &&
                                  pattern[i + 1] >= '1' && pattern[i + 1] <= '9'
                              ? static_cast<std::size_t>(pattern[i + 1] - '1')
                              : args.size();
    if (n < args.size()) {
      result += *(args.begin() + n);
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}

}  // namespace pladdo
