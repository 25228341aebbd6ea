// CTerminalWindow: the terminal as the conversation controller's window.
// Standard output is the conversation view; standard error shows everything
// else (messages, the about text, /info, /hjälp).
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "ui/ChatWindow.h"

namespace pladdo {

// Windows-1252 with CR LF line ends -> UTF-8 with LF, as the terminal prints.
std::string ToTerminalText(std::string_view cp1252);
// A typed UTF-8 line in the engine's encoding: invalid UTF-8 becomes the
// substitute byte, NUL bytes are dropped.
std::string FromTerminalText(std::string_view utf8);

// The terminal's "controls". What the controller appends to the
// conversation view is printed to out as it is appended; a view that is
// replaced (restart, checker report) is printed whole. Texts are printed in
// UTF-8 with LF line ends.
class CTerminalWindow : public IChatWindow {
 public:
  CTerminalWindow(std::ostream& out, std::ostream& err, std::string version);

  void ReadControls(ChatControls& controls) override;
  void WriteControls(const ChatControls& controls,
                     const ViewUpdate& view) override;
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
  // Prints the account on err, like every text that is not the transcript.
  void ShowWhyAnswer(std::string_view text) override;

  // What the controls hold right now (the typed line goes into
  // m_strInputLine, the check boxes are toggled here).
  ChatControls& Controls() { return m_controls; }
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
  ChatControls m_controls;
  // Lines of the view: its line feeds, plus the line after the last one.
  int m_nViewLines = 1;
  bool m_bAnswerEnabled = false;
  bool m_bEnded = false;
  bool m_bMessageShown = false;
  std::string m_strChosen[2];
  std::string m_strSavePath;
};

}  // namespace pladdo
