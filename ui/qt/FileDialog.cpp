// The file dialog wrapper on QFileDialog.
#include "ui/qt/FileDialog.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QScreen>
#include <QStandardPaths>
#include <QTreeView>
#include <algorithm>
#include <array>
#include <vector>

#include "ui/FileUtil.h"
#include "ui/StringTable.h"
#include "ui/qt/QtText.h"

namespace pladdo {

namespace {

// The parts of a "|"-separated list up to the first empty part.
std::vector<std::string_view> SplitFilter(std::string_view filter) {
  std::vector<std::string_view> parts;
  while (!filter.empty()) {
    const std::size_t bar = filter.find('|');
    const std::string_view part = filter.substr(0, bar);
    if (part.empty()) break;
    parts.push_back(part);
    if (bar == std::string_view::npos) break;
    filter.remove_prefix(bar + 1);
  }
  return parts;
}

QString ConvertPatterns(const QString& patterns) {
  QStringList converted;
  for (const QString& pattern : patterns.split(u';', Qt::SkipEmptyParts)) {
    const QString trimmed = pattern.trimmed();
    converted << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*")
                                                   : trimmed);
  }
  return converted.join(u' ');
}

// The file list as Qt's file system model has it, but with sizes and dates
// written in the default locale's way (Swedish in Pladdo) rather than the
// system's, which may well be English ("11 bytes", "7 Dec 2026").
class CSwedishFileListModel : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr ||
        (index.column() != kSizeColumn && index.column() != kDateColumn)) {
      return QIdentityProxyModel::data(index, role);
    }
    const QModelIndex file = mapToSource(index);
    const QLocale locale;
    if (index.column() == kDateColumn) {
      return locale.toString(files->lastModified(file), QLocale::ShortFormat);
    }
    // A folder has no size of its own, as in Qt's list.
    if (files->isDir(file)) return QString();
    return locale.formattedDataSize(files->size(file));
  }

 private:
  // QFileSystemModel's columns: name, size, type, date modified.
  static constexpr int kSizeColumn = 1;
  static constexpr int kDateColumn = 3;
};

// Widens the file list's size, type and date columns of Qt's own dialog to
// what Swedish texts need - Qt sizes them for "128.88 GB", "mp3Folder" and
// "10/29/81 02:02PM" - and the dialog by as much as they grew, so that the
// name column keeps its room. A column already wider (Qt keeps the widths
// of the last dialog) stays so.
void FitFileListColumns(QFileDialog& dialog) {
  auto* list = dialog.findChild<QTreeView*>();
  if (list == nullptr) return;
  QHeaderView* header = list->header();
  const QFontMetrics metrics(dialog.font());
  const QLocale locale;
  const std::array<QString, 3> qts = {QStringLiteral("128.88 GB"),
                                      QStringLiteral("mp3Folder"),
                                      QStringLiteral("10/29/81 02:02PM")};
  const std::array<QString, 3> swedish = {
      locale.formattedDataSize(999'900'000),
      QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain")).comment(),
      locale.toString(QDateTime(QDate(2026, 12, 28), QTime(23, 59)),
                      QLocale::ShortFormat)};
  int added = 0;
  for (std::size_t i = 0; i < swedish.size(); ++i) {
    const int column = static_cast<int>(i) + 1;
    const int wanted =
        metrics.horizontalAdvance(swedish[i]) + 3 * metrics.averageCharWidth();
    header->resizeSection(column,
                          std::max(wanted, header->sectionSize(column)));
    added += std::max(
        0, header->sectionSize(column) - metrics.horizontalAdvance(qts[i]));
  }
  const int screenWidth = dialog.screen()->availableGeometry().width();
  dialog.resize(std::min(dialog.width() + added, screenWidth), dialog.height());
}

// Whether Qt shows its own dialog. Qt builds its widgets when the dialog is
// made, and only when the platform has no dialog of its own; the platform's
// dialog has none, so their accessors return null.
bool UsesQtsOwnDialog(const QFileDialog& dialog) {
  return dialog.itemDelegate() != nullptr;
}

// path with "." and the request's default extension added when its file
// name has no extension, as the terminal's /spara does.
QString WithDefaultExtension(const QString& path,
                             const FileDialogRequest& request) {
  if (!request.defaultExtension || request.defaultExtension->empty() ||
      QFileInfo(path).fileName().contains(u'.')) {
    return path;
  }
  return path + u'.' + FromCp1252(*request.defaultExtension);
}

bool ConfirmReplace(QWidget* owner, const QString& path) {
  QMessageBox box(
      QMessageBox::Question, FromCp1252(LoadString(IDS_APP_TITLE)),
      FromCp1252(FormatString(IDS_SAVE_REPLACE,
                              ToCp1252(QDir::toNativeSeparators(path)))),
      QMessageBox::Yes | QMessageBox::No, owner);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace

QStringList ConvertFilter(std::string_view filter) {
  const std::vector<std::string_view> parts = SplitFilter(filter);
  QStringList filters;
  // A name without its pattern (an odd last part) is left out.
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    QString name = FromCp1252(parts[i]).trimmed();
    const QString pattern = FromCp1252(parts[i + 1]).trimmed();
    const QString ownSuffix = u'(' + pattern + u')';
    if (name.endsWith(ownSuffix)) {
      name.chop(ownSuffix.size());
      name = name.trimmed();
    }
    filters << name + QStringLiteral(" (") + ConvertPatterns(pattern) + u')';
  }
  return filters;
}

void ConfigureFileDialog(QFileDialog& dialog,
                         const FileDialogRequest& request) {
  const bool qtsOwn = UsesQtsOwnDialog(dialog);
  // The proxy would only be ignored by the platform's dialog, which shows
  // sizes and dates its own way.
  if (qtsOwn) {
    dialog.setProxyModel(new CSwedishFileListModel(&dialog));
    FitFileListColumns(dialog);
  }
  dialog.setAcceptMode(request.bOpen ? QFileDialog::AcceptOpen
                                     : QFileDialog::AcceptSave);
  dialog.setFileMode((request.flags & kFileMustExist) != 0
                         ? QFileDialog::ExistingFile
                         : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite,
                   (request.flags & kOverwritePrompt) == 0);
  if (request.title) dialog.setWindowTitle(FromCp1252(*request.title));
  if (request.filter) {
    const QStringList filters = ConvertFilter(*request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 &&
        request.filterIndex <= static_cast<unsigned>(filters.size())) {
      dialog.selectNameFilter(
          filters[static_cast<qsizetype>(request.filterIndex - 1)]);
    }
  }
  // Qt's own dialog adds the suffix before it asks about replacing a file.
  // The platform's would add it after asking about the name as typed, so
  // RunQtFileDialog adds it there and asks itself.
  if (request.defaultExtension && qtsOwn) {
    dialog.setDefaultSuffix(FromCp1252(*request.defaultExtension));
  }
  if (request.initialPath) {
    dialog.setDirectory(FromCp1252(GetFolderPart(*request.initialPath)));
  }
  if (request.initialFile) {
    const std::string name = GetFileNamePart(*request.initialFile);
    if (!name.empty()) dialog.selectFile(FromCp1252(name));
  }
}

std::optional<QString> RunQtFileDialog(QWidget* owner,
                                       const FileDialogRequest& request) {
  FileDialogRequest shown = request;
  for (;;) {
    QFileDialog dialog(owner);
    ConfigureFileDialog(dialog, shown);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    const QString path = WithDefaultExtension(chosen.front(), request);
    if (path == chosen.front() || (request.flags & kOverwritePrompt) == 0 ||
        !QFileInfo::exists(path) || ConfirmReplace(owner, path)) {
      return path;
    }
    // Back to the dialog, in the folder and with the name the user chose.
    shown.initialPath = shown.initialFile = ToCp1252(path);
  }
}

std::optional<std::string> GetDefaultSaveFolder() {
  const QString documents =
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  for (const QString& folder : {documents, QDir::homePath()}) {
    if (!folder.isEmpty() && QFileInfo(folder).isDir() && FitsCp1252(folder)) {
      return ToCp1252(QDir(folder).absolutePath()) + '/';
    }
  }
  return std::nullopt;
}

bool FileDialog(std::string& result, QWidget* owner,
                const FileDialogRequest& request, const DesktopHooks& hooks) {
  const std::optional<QString> chosen = hooks.fileDialog(owner, request);
  if (!chosen || chosen->isEmpty()) return false;
  if (!FitsCp1252(*chosen)) {
    hooks.message(owner,
                  QStringLiteral("Sökvägen\n%1\ninnehåller tecken som Pladdo "
                                 "inte kan hantera. Välj ett annat filnamn.")
                      .arg(*chosen),
                  MessageKind::Warning);
    return false;
  }
  result = ToCp1252(*chosen);
  return true;
}

}  // namespace pladdo
