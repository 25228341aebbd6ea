// The real desktop behind DesktopHooks.
#include "ui/qt/Desktop.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include "ui/StringTable.h"
#include "ui/qt/FileDialog.h"
#include "ui/qt/QtText.h"

namespace pladdo {

namespace {

void ShowMessageBox(QWidget* parent, const QString& text, MessageKind kind) {
  QMessageBox::Icon icon = QMessageBox::Information;
  if (kind == MessageKind::Warning) icon = QMessageBox::Warning;
  if (kind == MessageKind::Error) icon = QMessageBox::Critical;
  QMessageBox box(icon, FromCp1252(LoadString(IDS_APP_TITLE)), text,
                  QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

DesktopHooks DesktopHooks::Real() {
  DesktopHooks hooks;
  hooks.fileDialog = &RunQtFileDialog;
  hooks.openUrl = [](const QUrl& url) {
    return QDesktopServices::openUrl(url);
  };
  hooks.startProgram = [](const QString& program,
                          const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
  };
  hooks.message = &ShowMessageBox;
  return hooks;
}

}  // namespace pladdo
