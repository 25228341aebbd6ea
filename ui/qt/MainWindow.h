// CMainWindow: the Qt main window. It only shows what the conversation
// controller (CChatDlg) writes and turns the user's clicks and keys into the
// controller's operations; every rule of a conversation lives there.
#pragma once

#include <QKeySequence>
#include <QString>
#include <QWidget>
#include <string>

#include "ui/ChatDlg.h"
#include "ui/ChatWindow.h"
#include "ui/qt/Desktop.h"

class QAction;
class QCheckBox;
class QFocusFrame;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

namespace pladdo {

// The key of "Varför det svaret?".
inline const QKeySequence kWhyAnswerKey{Qt::CTRL | Qt::Key_J};
// The key of "&Avsluta", the one desktops use to quit a program.
inline const QKeySequence kQuitKey{Qt::CTRL | Qt::Key_Q};

// Smallest size the user can shrink the window to, in pixels.
inline constexpr int kMinimumWidth = 310;
inline constexpr int kMinimumHeight = 300;

// An ordinary top-level window, placed by the window manager. It keeps the
// keys of a dialog: Enter presses "&Svara" (except in the conversation view)
// and Escape does nothing. The close box ends it with 2, "&Avsluta" (or
// Ctrl+Q) with 1.
class CMainWindow : public QWidget, public IChatWindow {
  Q_OBJECT

 public:
  // hooks: the file dialog, opener and message box to use (tests replace
  // them).
  explicit CMainWindow(DesktopHooks hooks = DesktopHooks::Real(),
                       QWidget* parent = nullptr);
  ~CMainWindow() override;

  CChatDlg& Controller() { return m_controller; }

  // How the window ended: 0 while it is open, 1 "&Avsluta", 2 the close box.
  int Result() const { return m_nResult; }

  // ---- IChatWindow ---------------------------------------------------------
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
  void RunProfileChooser(CChatEngine& engine1, CChatEngine& engine2) override;
  void RunAboutBox() override;
  void EndWindow(int result) override;
  bool AskSavePath(std::string& path) override;
  bool OpenFile(const std::string& path) override;
  void ShowMessage(std::string_view text, MessageKind kind) override;
  void ShowWhyAnswer(std::string_view text) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Enter that no control took presses the answer button, as in a dialog.
  void keyPressEvent(QKeyEvent* event) override;
  // Enter in the conversation view belongs to the view (which, being
  // read-only, does nothing with it) rather than pressing the answer button;
  // the prompt is elided anew when its label changes width.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  void createActions();
  void createLayout();
  // Shows m_strPrompt in the label: a name too long for the label's width is
  // cut with "…" so that "s&varar:" and its Alt letter stay in view.
  void ShowPrompt();

  DesktopHooks m_hooks;

  QMenuBar* m_pMenuBar = nullptr;
  QLabel* m_pPrompt = nullptr;
  QLineEdit* m_pInputLine = nullptr;
  QPushButton* m_pAnswer = nullptr;
  QCheckBox* m_pAutoDialog = nullptr;
  QCheckBox* m_pPrintNames = nullptr;
  QPlainTextEdit* m_pView = nullptr;
  // A ring in the highlight colour around the view or the answer button
  // while one of them has the focus.
  QFocusFrame* m_pFocusRing = nullptr;
  QMetaObject::Connection m_focusFollower;

  // The prompt as the controller wrote it; the label may show it elided.
  QString m_strPrompt;
  int m_nResult = 0;

  // Adds text at the end of the conversation view, leaving the user's
  // selection and scroll position as they were.
  void AppendToView(std::string_view text);

  // Whether the view follows the conversation down: true while it shows its
  // end, false once the user has scrolled up to read.
  bool m_bFollowEnd = true;

  // Last, so it is destroyed first: it holds a reference to this window.
  CChatDlg m_controller;
};

}  // namespace pladdo
