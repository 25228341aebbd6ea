// IChatWindow: what the conversation controller needs of a window. The Qt main
// window, the terminal and the tests' fake each implement it; the controller
// (CChatDlg) holds every rule and calls only these operations.
//
// Every text crossing this interface is Windows-1252, the engine's encoding;
// implementations convert at their own edge. File paths are Windows-1252 too
// and are converted to the file system's UTF-8 where a file is opened.
#pragma once

#include <string>
#include <string_view>

namespace pladdo {

class CChatEngine;

// The five values the window mirrors in its controls.
struct ChatFields {
  std::string m_strInputLine;   // the input line
  std::string m_strTranscript;  // the conversation view, lines end in CR LF
  int m_bAutoDialog = 0;        // "A&utomatisk dialog", 0 or 1
  int m_bPrintNames = 0;        // "Skriv ut &namn", 0 or 1
  std::string m_strPrompt;      // the label above the input line
};

enum class MessageKind { Information, Warning, Error };

class IChatWindow {
 public:
  virtual ~IChatWindow() = default;

  // Copies the controls into fields ("reading the window").
  virtual void ReadControls(ChatFields& fields) = 0;
  // Copies fields into the controls ("writing the window"); the conversation
  // view goes back to its top.
  virtual void WriteControls(const ChatFields& fields) = 0;

  // Number of lines the conversation view shows, and scrolling it down.
  virtual int GetViewLineCount() = 0;
  virtual void ScrollView(int lines) = 0;

  // Selects the whole input line and brings its caret into view.
  virtual void SelectInputLine() = 0;
  // The input line's text as the window shows it right now.
  virtual std::string GetShownInputLine() = 0;
  virtual void EnableAnswerButton(bool enable) = 0;

  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;

  // Runs the profile chooser on the two engines of the conversation; on OK
  // the chooser itself sets their profile paths.
  virtual void RunProfileChooser(CChatEngine& engine1,
                                 CChatEngine& engine2) = 0;
  // Shows the about box.
  virtual void RunAboutBox() = 0;
  // Ends the window with result (1 "&Avsluta", 2 the close box).
  virtual void EndWindow(int result) = 0;

  // Asks where to save the transcript. False when the user cancels.
  virtual bool AskSavePath(std::string& path) = 0;
  // Opens a file with the desktop's default application; false on failure.
  virtual bool OpenFile(const std::string& path) = 0;
  // Shows a message box (caption "Pladdo").
  virtual void ShowMessage(std::string_view text, MessageKind kind) = 0;
};

}  // namespace pladdo
