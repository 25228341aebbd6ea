// CTerminalChat: the terminal front end's chat loop. Typed lines become
// presses of the answer button, lines that start with "/" are commands.
#pragma once

#include <string>
#include <string_view>

#include "ui/ChatDlg.h"
#include "ui/terminal/LineReader.h"
#include "ui/terminal/TerminalWindow.h"

namespace pladdo {

class CTerminalChat {
 public:
  CTerminalChat(CChatDlg& dlg, CTerminalWindow& window, ILineReader& reader);

  // Reads and handles lines until the end of the input or /avsluta.
  // Returns the exit status (0).
  int Run();

  // Handles one line (UTF-8): a command when it starts with "/", otherwise
  // typed into the input line and answered.
  void HandleLine(std::string_view utf8Line);

 private:
  void HandleCommand(std::string_view command, std::string_view argument);
  void ChooseProfile(int index, std::string_view command,
                     std::string_view argument);
  void Save(std::string_view command, std::string_view argument);
  void ShowInfo();

  CChatDlg& m_dlg;
  CTerminalWindow& m_window;
  ILineReader& m_reader;
};

// Starts the controller on options and chats on standard input and output.
// Returns the exit status.
int RunTerminal(const StartOptions& options, const std::string& version);

// The prompt as the terminal shows it (UTF-8, a blank after it): the
// window's prompt (Windows-1252) without its mnemonic "&".
std::string PromptText(std::string_view cp1252);

}  // namespace pladdo
