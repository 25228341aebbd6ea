// CMainWindow: the Qt main window. It only shows what the conversation
// controller (CChatDlg) writes and turns the user's clicks and keys into the
// controller's operations; every rule of a conversation lives there.
#pragma once

#include <QDialog>
#include <QKeySequence>
#include <string>

#include "ui/ChatDlg.h"
#include "ui/ChatWindow.h"
#include "ui/qt/Desktop.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

namespace pladdo {

// The key of "Varför det svaret?".
inline const QKeySequence kWhyAnswerKey{Qt::CTRL | Qt::Key_J};

// Smallest size the user can shrink the window to, in pixels.
inline constexpr int kMinimumWidth = 310;
inline constexpr int kMinimumHeight = 300;

// The window is a dialog, as it runs modally for the life of the program:
// the close box ends it with 2, "&Avsluta" with 1, and Escape does nothing.
class CMainWindow : public QDialog, public IChatWindow {
  Q_OBJECT

 public:
  // hooks: the file dialog, opener and message box to use (tests replace
  // them).
  explicit CMainWindow(DesktopHooks hooks = DesktopHooks::Real(),
                       QWidget* parent = nullptr);
  ~CMainWindow() override;

  CChatDlg& Controller() { return m_controller; }

  // Escape reaches the dialog as reject(); it must not close the window.
  void reject() override;

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
  // Enter in the conversation view belongs to the view (which, being
  // read-only, does nothing with it) rather than pressing the answer button.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  void createActions();
  void createLayout();

  DesktopHooks m_hooks;

  QMenuBar* m_pMenuBar = nullptr;
  QLabel* m_pPrompt = nullptr;
  QLineEdit* m_pInputLine = nullptr;
  QPushButton* m_pAnswer = nullptr;
  QCheckBox* m_pAutoDialog = nullptr;
  QCheckBox* m_pPrintNames = nullptr;
  QPlainTextEdit* m_pView = nullptr;

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
