// The file dialog wrapper on QFileDialog.
#include "ui/qt/FileDialog.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <vector>

#include "ui/FileUtil.h"
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
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setProxyModel(new CSwedishFileListModel(&dialog));
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
  if (request.defaultExtension) {
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
  QFileDialog dialog(owner);
  ConfigureFileDialog(dialog, request);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.front();
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
