// The window layer's ways out to the desktop - file dialogs, opening files
// and addresses, starting programs, message boxes - gathered in one value so
// tests can replace each of them and never open a real dialog or program.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>

#include "ui/ChatWindow.h"

class QUrl;
class QWidget;

namespace pladdo {

// Flags of a file dialog, with the values of the classic common dialogs.
inline constexpr unsigned kOverwritePrompt = 0x2;
inline constexpr unsigned kHideReadOnly = 0x4;
inline constexpr unsigned kFileMustExist = 0x1000;

// One request for an open or a save dialog. Texts are Windows-1252; an empty
// optional means "none" (the dialog's own default).
struct FileDialogRequest {
  bool bOpen = true;
  std::optional<std::string> initialPath;  // its folder is where it starts
  std::optional<std::string> initialFile;  // its file name is preselected
  unsigned flags = 0;
  std::optional<std::string> filter;            // "name|pattern|name|pattern||"
  std::optional<std::string> defaultExtension;  // added to a bare name
  unsigned filterIndex = 1;                     // 1 = the first pair
  std::optional<std::string> title;
};

// Shows a file dialog; the chosen path, or nothing when the user cancels.
using FileDialogFn = std::function<std::optional<QString>(
    QWidget* owner, const FileDialogRequest& request)>;
// Hands an address or a local file to the desktop; false on failure.
using OpenUrlFn = std::function<bool(const QUrl& url)>;
// Starts a program without waiting for it; false when it cannot start.
using StartProgramFn =
    std::function<bool(const QString& program, const QStringList& arguments)>;
// Shows a modal message box with the caption "Pladdo".
using MessageFn =
    std::function<void(QWidget* parent, const QString& text, MessageKind kind)>;

struct DesktopHooks {
  FileDialogFn fileDialog;
  OpenUrlFn openUrl;
  StartProgramFn startProgram;
  MessageFn message;

  // The real desktop: QFileDialog, QDesktopServices, QProcess, QMessageBox.
  static DesktopHooks Real();
};

}  // namespace pladdo
