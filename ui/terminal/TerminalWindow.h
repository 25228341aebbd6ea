// The terminal front end: an IChatWindow whose conversation view is standard
// output, and the chat loop that turns typed lines into button presses and
// commands.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "ui/ChatDlg.h"
#include "ui/ChatWindow.h"

namespace pladdo {

// The terminal's "controls". Every line the controller appends to the
// conversation view is printed to out as it is appended; when the view is
// cleared and refilled the new content is printed whole. Texts are printed
// in UTF-8 with LF line ends. Messages, the about text and /info go to err.
class CTerminalWindow : public IChatWindow {
 public:
  CTerminalWindow(std::ostream& out, std::ostream& err, std::string version);

  void ReadControls(ChatFields& fields) override;
  void WriteControls(const ChatFields& fields) override;
  int GetViewLineCount() override;
  void ScrollView(int lines) override;
  void SelectInputLine() override;
  std::string GetShownInputLine() override;
  void EnableAnswerButton(bool enable) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  // Applies the profile paths set with SetChosenProfile, like the chooser's
  // OK: both engines get their profile set again.
  void RunProfileChooser(CChatEngine& engine1, CChatEngine& engine2) override;
  void RunAboutBox() override;
  void EndWindow(int result) override;
  // Hands out the path set with SetSavePath, once.
  bool AskSavePath(std::string& path) override;
  // Shows the file (UTF-8 or Windows-1252 text) on err.
  bool OpenFile(const std::string& path) override;
  void ShowMessage(std::string_view text, MessageKind kind) override;

  // What the controls hold right now (the typed line goes into
  // m_strInputLine, the check boxes are toggled here).
  ChatFields& Controls() { return m_controls; }
  bool IsAnswerEnabled() const { return m_bAnswerEnabled; }
  bool IsEnded() const { return m_bEnded; }

  // The file the next RunProfileChooser puts on profile index (0 or 1).
  void SetChosenProfile(int index, std::string path);
  void SetSavePath(std::string path) { m_strSavePath = std::move(path); }
  // Whether a ShowMessage came since the last call.
  bool TakeMessageShown();

  // Prints Windows-1252 text on err as UTF-8, followed by a line feed.
  void PrintError(std::string_view cp1252);

 private:
  void PrintView(std::string_view cp1252);

  std::ostream& m_out;
  std::ostream& m_err;
  std::string m_strVersion;
  ChatFields m_controls;
  bool m_bAnswerEnabled = false;
  bool m_bEnded = false;
  bool m_bMessageShown = false;
  std::string m_strChosen[2];
  std::string m_strSavePath;
};

// Where the chat loop gets its lines: a plain stream, or readline on a
// terminal. Lines are UTF-8 without their line end.
class ILineReader {
 public:
  virtual ~ILineReader() = default;
  // Reads one line. prompt and suggestion are UTF-8; an interactive reader
  // shows the prompt and puts the suggestion into the line for editing.
  // False at the end of the input.
  virtual bool ReadLine(std::string& line, std::string_view prompt,
                        std::string_view suggestion) = 0;
  // Whether a person is typing (questions can be asked, echo to undo).
  virtual bool IsInteractive() const = 0;
  // Called before a typed line is answered, so the reader can take its own
  // echo of the line off the screen.
  virtual void ForgetEcho() {}
};

// Reads lines from a stream; shows no prompt.
std::unique_ptr<ILineReader> MakeStreamReader(std::istream& in);
// GNU readline with line editing and history; prompt on standard error.
// eraseEcho: remove the typed line from the screen once it is answered,
// because the transcript shows it again on the same terminal.
std::unique_ptr<ILineReader> MakeReadlineReader(bool eraseEcho);

// The chat loop of the terminal front end.
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

}  // namespace pladdo
