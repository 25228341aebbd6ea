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

// The values the window mirrors in its four controls besides the
// conversation view.
struct ChatControls {
  std::string m_strInputLine;  // the input line
  int m_bAutoDialog = 0;       // "A&utomatisk dialog", 0 or 1
  int m_bPrintNames = 0;       // "Skriv ut &namn", 0 or 1
  std::string m_strPrompt;     // the label above the input line
};

// The five mirrored values: the controls and the conversation view's text,
// whose lines end in CR LF.
struct ChatFields : ChatControls {
  std::string m_strTranscript;
};

// What became of the conversation view since the window was last written.
// Only what was added crosses to the window, so an exchange costs the same
// however long the conversation has grown.
struct ViewUpdate {
  enum class Kind {
    None,     // the view is unchanged
    Append,   // text was added at the end
    Replace,  // the view now holds text alone (restart, checker report)
  };
  Kind kind = Kind::None;
  std::string_view text;
};

enum class MessageKind { Information, Warning, Error };

class IChatWindow {
 public:
  virtual ~IChatWindow() = default;

  // Copies the controls into controls ("reading the window"). The
  // conversation view is read-only, so it is never read back: it shows what
  // the controller last wrote.
  virtual void ReadControls(ChatControls& controls) = 0;
  // Copies controls into the controls and applies view to the conversation
  // view ("writing the window"). A replaced view shows its top; text
  // appended keeps the user's selection and scroll position.
  virtual void WriteControls(const ChatControls& controls,
                             const ViewUpdate& view) = 0;

  // Number of lines the conversation view shows, and scrolling it down by
  // lines. A view that the user has scrolled up to read stays where it is;
  // one that showed its end goes on showing it.
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
  // Shows how the last reply came about ("Varför det svaret?"), text the
  // user can select and copy; lines end in LF.
  virtual void ShowWhyAnswer(std::string_view text) = 0;
};

}  // namespace pladdo
