// The terminal chat loop: typed lines, the automatic dialogue's suggestion
// and the Swedish commands with their English aliases.
#include "ui/terminal/TerminalChat.h"

#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <fstream>
#include <iostream>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "engine/NameOrder.h"
#include "engine/TextUtil.h"
#include "ui/FileUtil.h"
#include "ui/Messages.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

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
  Why,
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
    {"/varför", "/why", Command::Why},
    {"/hjälp", "/help", Command::Help},
    {"/avsluta", "/quit", Command::Quit},
};

// Ticks or clears a check box and returns the id of the text that says which.
int ToggleBox(int& box, int idOn, int idOff) {
  box = box != 0 ? 0 : 1;
  return box != 0 ? idOn : idOff;
}

}  // namespace

std::string PromptText(std::string_view cp1252) {
  std::string text(cp1252);
  // The mnemonic is in the prompt's own words ("s&varar:"), which come last;
  // an "&" in a bot's or user's name before them is part of the name.
  if (const std::size_t mark = text.rfind('&'); mark != std::string::npos) {
    text.erase(mark, 1);
  }
  return Cp1252ToUtf8(text) + " ";
}

CTerminalChat::CTerminalChat(CChatDlg& dlg, CTerminalWindow& window,
                             ILineReader& reader)
    : m_dlg(dlg), m_window(window), m_reader(reader) {}

int CTerminalChat::Run() {
  std::string line;
  while (!m_window.IsEnded()) {
    const ChatControls& controls = m_window.Controls();
    const std::string prompt = PromptText(controls.m_strPrompt);
    const std::string suggestion = Cp1252ToUtf8(controls.m_strInputLine);
    if (!m_reader.ReadLine(line, prompt, suggestion)) break;
    HandleLine(line);
  }
  return 0;
}

void CTerminalChat::HandleLine(std::string_view utf8Line) {
  if (utf8Line.starts_with("/")) {
    const std::string_view trimmed = TrimWhiteSpace(utf8Line);
    const std::size_t blank = trimmed.find_first_of(" \t");
    const std::string_view command = trimmed.substr(0, blank);
    const std::string_view argument =
        blank == std::string_view::npos ? std::string_view()
                                        : TrimWhiteSpace(trimmed.substr(blank));
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

  ChatControls& controls = m_window.Controls();
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
    case Command::Why:
      m_dlg.OnWhyAnswer();
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
    m_window.PrintError(
        FormatSystemError(IDS_TERM_PROFILE_FAILED, path, error));
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
        (!TrimWhiteSpace(answer).starts_with("j") &&
         !TrimWhiteSpace(answer).starts_with("J") &&
         !TrimWhiteSpace(answer).starts_with("y") &&
         !TrimWhiteSpace(answer).starts_with("Y"))) {
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
    std::vector<std::string> names = engine.GetNames();
    SortSwedish(names);
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
