// The terminal front end: standard output as the conversation view, standard
// error for everything else, and the chat loop with its commands.
#include "ui/terminal/TerminalWindow.h"

#include <langinfo.h>
#include <stdio.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
// readline's headers need stdio.h first.
#include <readline/history.h>
#include <readline/readline.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "engine/TextUtil.h"
#include "ui/FileUtil.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

// Windows-1252 with CR LF line ends -> UTF-8 with LF.
std::string ToTerminalText(std::string_view cp1252) {
  std::string text(cp1252);
  std::size_t pos = text.find("\r\n");
  while (pos != std::string::npos) {
    text.erase(pos, 1);
    pos = text.find("\r\n", pos);
  }
  return Cp1252ToUtf8(text);
}

// A typed line in the engine's encoding: invalid UTF-8 becomes the
// substitute byte, NUL bytes are dropped.
std::string FromTerminalText(std::string_view utf8) {
  std::string text = Utf8ToCp1252(utf8);
  std::erase(text, '\0');
  return text;
}

// The prompt as the terminal shows it: the mnemonic "&" removed.
std::string PromptText(std::string_view cp1252) {
  std::string text(cp1252);
  std::erase(text, '&');
  return Cp1252ToUtf8(text) + " ";
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n\v\f");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r\n\v\f");
  return text.substr(first, last - first + 1);
}

// Sort key of a name as a sorted list shows it: case ignored, and the
// Swedish letters å, ä, ö after z.
std::u16string NameSortKey(std::string_view cp1252) {
  std::u16string key;
  for (const char c : cp1252) {
    const unsigned char lower = ToLowerByte(static_cast<unsigned char>(c));
    switch (lower) {
      case 0xE5:
        key += u'\x200';
        break;  // å
      case 0xE4:
      case 0xE6:
        key += u'\x201';
        break;  // ä, æ
      case 0xF6:
      case 0xF8:
        key += u'\x202';
        break;  // ö, ø
      default:
        key += static_cast<char16_t>(lower);
        break;
    }
  }
  return key;
}

// Whether path names a regular file that can be read; error gets the
// system's reason otherwise.
bool CanReadFile(const std::string& nativePath, int& error) {
  struct stat info {};
  if (::stat(nativePath.c_str(), &info) != 0) {
    error = errno;
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    error = EISDIR;
    return false;
  }
  std::ifstream file(nativePath);
  if (!file) {
    error = errno != 0 ? errno : EACCES;
    return false;
  }
  return true;
}

class CStreamReader : public ILineReader {
 public:
  explicit CStreamReader(std::istream& in) : m_in(in) {}
  bool ReadLine(std::string& line, std::string_view,
                std::string_view) override {
    if (!std::getline(m_in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }
  bool IsInteractive() const override { return false; }

 private:
  std::istream& m_in;
};

// The suggestion readline types into the next line before the user edits.
std::string g_strSuggestion;

int InsertSuggestion() {
  if (!g_strSuggestion.empty()) {
    rl_insert_text(g_strSuggestion.c_str());
    g_strSuggestion.clear();
  }
  return 0;
}

class CReadlineReader : public ILineReader {
 public:
  explicit CReadlineReader(bool eraseEcho) : m_bEraseEcho(eraseEcho) {
    // The prompt goes to standard error so that standard output stays the
    // transcript, even when it is redirected.
    rl_outstream = stderr;
    rl_startup_hook = InsertSuggestion;
  }

  bool ReadLine(std::string& line, std::string_view prompt,
                std::string_view suggestion) override {
    g_strSuggestion = suggestion;
    const std::string promptText(prompt);
    char* raw = readline(promptText.c_str());
    if (raw == nullptr) {
      std::fputc('\n', stderr);  // leave the shell's prompt on a fresh line
      return false;
    }
    line = raw;
    std::free(raw);
    if (!TrimBlanks(line).empty()) add_history(line.c_str());
    m_nEchoColumns = DisplayWidth(promptText) + DisplayWidth(line);
    return true;
  }

  bool IsInteractive() const override { return true; }

  void ForgetEcho() override {
    if (!m_bEraseEcho) return;
    winsize size{};
    int columns = 80;
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
      columns = size.ws_col;
    }
    const std::size_t rows = std::max<std::size_t>(
        1, (m_nEchoColumns + static_cast<std::size_t>(columns) - 1) /
               static_cast<std::size_t>(columns));
    for (std::size_t i = 0; i < rows; ++i) std::fputs("\x1b[1A\x1b[2K", stderr);
    std::fputc('\r', stderr);
    std::fflush(stderr);
  }

 private:
  // Columns a UTF-8 text takes: one per character (continuation bytes do
  // not count).
  static std::size_t DisplayWidth(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(
        utf8.begin(), utf8.end(),
        [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
  }

  bool m_bEraseEcho;
  std::size_t m_nEchoColumns = 0;
};

enum class Command {
  Restart,
  Profile1,
  Profile2,
  Info,
  Save,
  Check,
  Auto,
  Names,
  About,
  Help,
  Quit,
};

struct CommandName {
  std::string_view swedish;
  std::string_view english;
  Command command;
};

// Source files are UTF-8, and so are the typed lines compared with these.
constexpr CommandName kCommands[] = {
    {"/omstart", "/restart", Command::Restart},
    {"/profil1", "/profile1", Command::Profile1},
    {"/profil2", "/profile2", Command::Profile2},
    {"/info", "/info", Command::Info},
    {"/spara", "/save", Command::Save},
    {"/felsök", "/check", Command::Check},
    {"/auto", "/auto", Command::Auto},
    {"/namn", "/names", Command::Names},
    {"/om", "/about", Command::About},
    {"/hjälp", "/help", Command::Help},
    {"/avsluta", "/quit", Command::Quit},
};

// Ticks or clears a check box and returns the id of the text that says which.
int ToggleBox(int& box, int idOn, int idOff) {
  box = box != 0 ? 0 : 1;
  return box != 0 ? idOn : idOff;
}

}  // namespace

// ---- CTerminalWindow
// ---------------------------------------------------------

CTerminalWindow::CTerminalWindow(std::ostream& out, std::ostream& err,
                                 std::string version)
    : m_out(out), m_err(err), m_strVersion(std::move(version)) {}

void CTerminalWindow::ReadControls(ChatFields& fields) { fields = m_controls; }

void CTerminalWindow::WriteControls(const ChatFields& fields) {
  const std::string& shown = m_controls.m_strTranscript;
  if (fields.m_strTranscript.starts_with(shown)) {
    PrintView(std::string_view(fields.m_strTranscript).substr(shown.size()));
  } else {
    PrintView(fields.m_strTranscript);  // cleared and refilled
  }
  m_controls = fields;
}

int CTerminalWindow::GetViewLineCount() {
  const std::string& text = m_controls.m_strTranscript;
  return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
}

// Standard output scrolls by itself; nothing to do.
void CTerminalWindow::ScrollView(int) {}
// The next prompt puts the input line's text up for editing.
void CTerminalWindow::SelectInputLine() {}

std::string CTerminalWindow::GetShownInputLine() {
  return m_controls.m_strInputLine;
}

void CTerminalWindow::EnableAnswerButton(bool enable) {
  m_bAnswerEnabled = enable;
}

// A terminal has no busy cursor; the report follows as soon as it is made.
void CTerminalWindow::BeginWaitCursor() {}
void CTerminalWindow::EndWaitCursor() {}

void CTerminalWindow::RunProfileChooser(CChatEngine& engine1,
                                        CChatEngine& engine2) {
  const std::string path1 =
      m_strChosen[0].empty() ? engine1.GetProfilePath() : m_strChosen[0];
  const std::string path2 =
      m_strChosen[1].empty() ? engine2.GetProfilePath() : m_strChosen[1];
  m_strChosen[0].clear();
  m_strChosen[1].clear();
  engine1.SetProfile(path1);
  engine2.SetProfile(path2);
}

void CTerminalWindow::RunAboutBox() {
  const std::string readme =
      GetProgramFolder(true) + std::string(LoadString(IDS_README_FILE));
  PrintError(FormatString(IDS_TERM_ABOUT, m_strVersion, readme));
}

void CTerminalWindow::EndWindow(int) { m_bEnded = true; }

bool CTerminalWindow::AskSavePath(std::string& path) {
  if (m_strSavePath.empty()) return false;
  path = std::move(m_strSavePath);
  m_strSavePath.clear();
  return true;
}

bool CTerminalWindow::OpenFile(const std::string& path) {
  std::ifstream file(ToNativePath(path), std::ios::binary);
  if (!file) return false;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    m_err << Cp1252ToUtf8(FileLineToCp1252(line)) << '\n';
  }
  m_err.flush();
  return true;
}

void CTerminalWindow::ShowMessage(std::string_view text, MessageKind) {
  m_bMessageShown = true;
  PrintError(text);
}

void CTerminalWindow::SetChosenProfile(int index, std::string path) {
  m_strChosen[index == 0 ? 0 : 1] = std::move(path);
}

bool CTerminalWindow::TakeMessageShown() {
  const bool shown = m_bMessageShown;
  m_bMessageShown = false;
  return shown;
}

void CTerminalWindow::PrintError(std::string_view cp1252) {
  m_err << ToTerminalText(cp1252) << '\n';
  m_err.flush();
}

void CTerminalWindow::PrintView(std::string_view cp1252) {
  if (cp1252.empty()) return;
  m_out << ToTerminalText(cp1252);
  m_out.flush();
}

// ---- line readers
// -------------------------------------------------------------

std::unique_ptr<ILineReader> MakeStreamReader(std::istream& in) {
  return std::make_unique<CStreamReader>(in);
}

std::unique_ptr<ILineReader> MakeReadlineReader(bool eraseEcho) {
  return std::make_unique<CReadlineReader>(eraseEcho);
}

// ---- CTerminalChat
// -------------------------------------------------------------

CTerminalChat::CTerminalChat(CChatDlg& dlg, CTerminalWindow& window,
                             ILineReader& reader)
    : m_dlg(dlg), m_window(window), m_reader(reader) {}

int CTerminalChat::Run() {
  std::string line;
  while (!m_window.IsEnded()) {
    const ChatFields& controls = m_window.Controls();
    const std::string prompt = PromptText(controls.m_strPrompt);
    const std::string suggestion = Cp1252ToUtf8(controls.m_strInputLine);
    if (!m_reader.ReadLine(line, prompt, suggestion)) break;
    HandleLine(line);
  }
  return 0;
}

void CTerminalChat::HandleLine(std::string_view utf8Line) {
  if (utf8Line.starts_with("/")) {
    const std::string_view trimmed = TrimBlanks(utf8Line);
    const std::size_t blank = trimmed.find_first_of(" \t");
    const std::string_view command = trimmed.substr(0, blank);
    const std::string_view argument = blank == std::string_view::npos
                                          ? std::string_view()
                                          : TrimBlanks(trimmed.substr(blank));
    HandleCommand(command, argument);
    return;
  }
  // An empty line presses the button with what the input line holds (the
  // automatic dialogue's suggestion); any other line is typed in first.
  if (!utf8Line.empty() || m_reader.IsInteractive()) {
    m_window.Controls().m_strInputLine = FromTerminalText(utf8Line);
  }
  m_dlg.OnInputChanged();
  m_reader.ForgetEcho();
  m_dlg.OnAnswer();
}

void CTerminalChat::HandleCommand(std::string_view command,
                                  std::string_view argument) {
  const auto it = std::find_if(
      std::begin(kCommands), std::end(kCommands), [&](const CommandName& c) {
        return command == c.swedish || command == c.english;
      });
  if (it == std::end(kCommands)) {
    m_window.PrintError(
        FormatString(IDS_TERM_UNKNOWN_COMMAND, FromTerminalText(command)));
    return;
  }
  const bool takesFile = it->command == Command::Profile1 ||
                         it->command == Command::Profile2 ||
                         it->command == Command::Save;
  if (!takesFile && !argument.empty()) {
    m_window.PrintError(
        FormatString(IDS_TERM_NO_ARGUMENT, FromTerminalText(command)));
    return;
  }

  ChatFields& controls = m_window.Controls();
  switch (it->command) {
    case Command::Restart:
      m_dlg.OnRestart();
      break;
    case Command::Profile1:
      ChooseProfile(0, command, argument);
      break;
    case Command::Profile2:
      ChooseProfile(1, command, argument);
      break;
    case Command::Info:
      ShowInfo();
      break;
    case Command::Save:
      Save(command, argument);
      break;
    case Command::Check:
      m_dlg.OnCheckProfile();
      break;
    case Command::Auto:
      m_window.PrintError(LoadString(ToggleBox(
          controls.m_bAutoDialog, IDS_TERM_AUTO_ON, IDS_TERM_AUTO_OFF)));
      break;
    case Command::Names:
      m_window.PrintError(LoadString(ToggleBox(
          controls.m_bPrintNames, IDS_TERM_NAMES_ON, IDS_TERM_NAMES_OFF)));
      break;
    case Command::About:
      m_dlg.OnAbout();
      break;
    case Command::Help:
      m_window.PrintError(LoadString(IDS_TERM_HELP));
      break;
    case Command::Quit:
      m_dlg.OnExit();
      break;
  }
}

void CTerminalChat::ChooseProfile(int index, std::string_view command,
                                  std::string_view argument) {
  if (argument.empty()) {
    m_window.PrintError(
        FormatString(IDS_TERM_NEEDS_FILE, FromTerminalText(command)));
    return;
  }
  const std::string path = FromTerminalText(argument);
  int error = 0;
  if (!CanReadFile(ToNativePath(path), error)) {
    m_window.PrintError(FormatString(IDS_TERM_PROFILE_FAILED, path,
                                     Utf8ToCp1252(std::strerror(error))));
    return;
  }
  m_window.SetChosenProfile(index, path);
  m_dlg.OnChooseProfile();
  m_window.PrintError(
      FormatString(IDS_TERM_PROFILE_SET, index == 0 ? "1" : "2", path));
}

void CTerminalChat::Save(std::string_view command, std::string_view argument) {
  if (argument.empty()) {
    m_window.PrintError(
        FormatString(IDS_TERM_NEEDS_FILE, FromTerminalText(command)));
    return;
  }
  std::string path = FromTerminalText(argument);
  // Like the save dialog: a name without extension gets ".txt".
  if (GetFileNamePart(path).find('.') == std::string::npos) {
    path += ".";
    path += LoadString(IDS_SAVE_EXTENSION);
  }
  struct stat info {};
  if (m_reader.IsInteractive() &&
      ::stat(ToNativePath(path).c_str(), &info) == 0 &&
      !S_ISDIR(info.st_mode)) {
    std::string answer;
    const std::string question =
        ToTerminalText(FormatString(IDS_TERM_OVERWRITE, path));
    if (!m_reader.ReadLine(answer, question, "") ||
        (!TrimBlanks(answer).starts_with("j") &&
         !TrimBlanks(answer).starts_with("J") &&
         !TrimBlanks(answer).starts_with("y") &&
         !TrimBlanks(answer).starts_with("Y"))) {
      m_window.PrintError(LoadString(IDS_TERM_NOT_SAVED));
      return;
    }
  }
  m_window.TakeMessageShown();
  m_window.SetSavePath(path);
  m_dlg.OnSaveDialog();
  if (!m_window.TakeMessageShown()) {
    m_window.PrintError(FormatString(IDS_TERM_SAVED, path));
  }
}

void CTerminalChat::ShowInfo() {
  std::string text;
  for (int index = 0; index < 2; ++index) {
    const CChatEngine& source = m_dlg.GetEngine(index);
    // A chooser-like engine of its own, so the conversation's engines keep
    // their state.
    CChatEngine engine;
    engine.SetLanguageFile(source.GetLanguageFile());
    engine.SetProfile(source.GetProfilePath());

    if (index > 0) text += "\n";
    text += LoadString(index == 0 ? IDS_TERM_PROFILE1 : IDS_TERM_PROFILE2);
    text += "\n";
    text += LoadString(IDS_TERM_INFO_FILE);
    text += engine.GetProfilePath();
    text += "\n";
    const std::pair<int, InfoField> lines[] = {
        {IDS_TERM_INFO_NAME, InfoField::Name},
        {IDS_TERM_INFO_VERSION, InfoField::Version},
        {IDS_TERM_INFO_CREATOR, InfoField::Creator},
        {IDS_TERM_INFO_LANGUAGE, InfoField::Language},
        {IDS_TERM_INFO_INFO, InfoField::Info},
    };
    for (const auto& [id, field] : lines) {
      text += LoadString(id);
      text += engine.GetInfo(field);
      text += "\n";
    }
    std::vector<std::string> names;
    for (int i = 0; i < engine.GetNameCount(); ++i) {
      names.emplace_back(engine.GetNameAt(i));
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) {
                       return NameSortKey(a) < NameSortKey(b);
                     });
    text += LoadString(IDS_TERM_INFO_NAMES);
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (i > 0) text += ", ";
      text += names[i];
    }
    text += "\n";
  }
  text.pop_back();  // PrintError ends the text with its own line feed
  m_window.PrintError(text);
}

int RunTerminal(const StartOptions& options, const std::string& version) {
  const bool interactive = ::isatty(STDIN_FILENO) && ::isatty(STDERR_FILENO);
  std::unique_ptr<ILineReader> reader;
  if (interactive) {
    // readline measures the UTF-8 prompt and line by the character type of
    // the locale; the engine's own case tables do not depend on it.
    if (std::setlocale(LC_CTYPE, "") == nullptr ||
        std::string_view(nl_langinfo(CODESET)) != "UTF-8") {
      std::setlocale(LC_CTYPE, "C.UTF-8");
    }
    reader = MakeReadlineReader(::isatty(STDOUT_FILENO) != 0);
  } else {
    reader = MakeStreamReader(std::cin);
  }

  CTerminalWindow window(std::cout, std::cerr, version);
  CChatDlg dlg(window);
  dlg.Start(options);
  CTerminalChat chat(dlg, window, *reader);
  return chat.Run();
}

}  // namespace pladdo
