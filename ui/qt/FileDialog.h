// The file dialog wrapper: the open and save dialogs of the window layer on
// top of QFileDialog, with the string table's "a|b|c|d||" filters.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>

#include "ui/qt/Desktop.h"

class QFileDialog;
class QWidget;

namespace pladdo {

// The Qt name filters of a "name|pattern|name|pattern||" list, one entry per
// pair in the form "name (patterns)". A name that already ends in its own
// "(pattern)" is not given it twice; ";" between patterns becomes a blank,
// and "*.*" becomes "*" so that files without an extension are listed too.
QStringList ConvertFilter(std::string_view filter);

// Sets dialog up for request: accept mode, file mode, filters and the
// selected one, start folder and file, overwrite question. The dialog is the
// platform's (GTK, KDE, the portal) where Qt has one, otherwise Qt's own,
// which then also gets the default suffix and a file list that shows sizes
// and dates in the default locale's way. Call once per dialog.
void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

// Runs a QFileDialog modal on owner; the chosen path or nothing. A name
// without extension gets the request's default extension; when that names
// an existing file that the dialog did not ask about (the platform's
// dialogs ask about the name as typed), the user is asked before it is
// replaced, and a "no" goes back to the dialog.
std::optional<QString> RunQtFileDialog(QWidget* owner,
                                       const FileDialogRequest& request);

// The folder a save dialog starts in, with a closing "/" (Windows-1252): the
// user's documents folder where it exists, otherwise the home folder;
// nothing when neither can be written in Windows-1252.
std::optional<std::string> GetDefaultSaveFolder();

// Shows the dialog through hooks. True with result set to the chosen path
// (Windows-1252) when the user confirms; false with result unchanged when
// the user cancels, or when the path holds characters Windows-1252 cannot
// hold - the user is told so in Swedish, since such a path could not name
// the same file again.
bool FileDialog(std::string& result, QWidget* owner,
                const FileDialogRequest& request, const DesktopHooks& hooks);

}  // namespace pladdo
