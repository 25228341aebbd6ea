// Qt's own texts in Swedish: Qt's qt_sv.qm, and Pladdo's table over it.
#include "ui/qt/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>

namespace pladdo {

namespace {

// One text that Qt draws itself: Qt's context, its English source text and
// disambiguation (empty when Qt gives none), exactly as Qt passes them to
// QCoreApplication::translate, and the Swedish text shown instead.
struct QtTextRow {
  const char* context;
  const char* source;
  const char* disambiguation;
  const char* swedish;
};

// The texts Qt shows in Pladdo's windows that Qt's own qt_sv.qm lacks or
// gets wrong; every other text comes from that file. The source texts are
// Qt 6's own, character for character: a row whose source differs from Qt's
// is never asked for, and its text stays English. "&" marks a mnemonic
// where Qt's text has one.
constexpr QtTextRow kRows[] = {
    // The standard buttons of QDialogButtonBox and QMessageBox.
    {"QPlatformTheme", "Save", "", "Spara"},
    {"QPlatformTheme", "Save All", "", "Spara alla"},
    {"QPlatformTheme", "Open", "", "Öppna"},
    {"QPlatformTheme", "&Yes", "", "&Ja"},
    {"QPlatformTheme", "Yes to &All", "", "Ja till &alla"},
    {"QPlatformTheme", "&No", "", "&Nej"},
    {"QPlatformTheme", "N&o to All", "", "N&ej till alla"},
    {"QPlatformTheme", "Abort", "", "Avbryt"},
    {"QPlatformTheme", "Retry", "", "Försök igen"},
    {"QPlatformTheme", "Ignore", "", "Ignorera"},
    {"QPlatformTheme", "Close", "", "Stäng"},
    {"QPlatformTheme", "Cancel", "", "Avbryt"},
    {"QPlatformTheme", "Discard", "", "Förkasta"},
    {"QPlatformTheme", "Help", "", "Hjälp"},
    {"QPlatformTheme", "Apply", "", "Verkställ"},
    {"QPlatformTheme", "Reset", "", "Återställ"},
    {"QPlatformTheme", "Restore Defaults", "", "Återställ standardvärden"},
    // The same buttons on GNOME and desktops like it, where Qt gives some
    // of them a mnemonic.
    {"QGnomeTheme", "&Save", "", "&Spara"},
    {"QGnomeTheme", "&Cancel", "", "&Avbryt"},
    {"QGnomeTheme", "&Close", "", "&Stäng"},
    {"QGnomeTheme", "Close without Saving", "", "Stäng utan att spara"},
    // Qt's file has commas for the dots here.
    {"QMessageBox", "Hide Details...", "", "Dölj detaljer..."},
    // "Markera alla" in Qt's file; the view's menu says "Markera allt".
    {"QLineEdit", "Select All", "", "Markera allt"},
    // The context menu of QPlainTextEdit, QTextEdit and selectable labels:
    // the conversation view, the explanation of a reply.
    {"QWidgetTextControl", "&Undo", "", "&Ångra"},
    {"QWidgetTextControl", "&Redo", "", "&Gör om"},
    {"QWidgetTextControl", "Cu&t", "", "Klipp &ut"},
    {"QWidgetTextControl", "&Copy", "", "&Kopiera"},
    {"QWidgetTextControl", "Copy &Link Location", "", "Kopiera &länkadress"},
    {"QWidgetTextControl", "&Paste", "", "Klistra &in"},
    {"QWidgetTextControl", "Delete", "", "Ta bort"},
    {"QWidgetTextControl", "Select All", "", "Markera allt"},
    // A scroll bar's menu: "Rulla här" in Qt's file.
    {"QScrollBar", "Scroll here", "", "Rulla hit"},
    // The file dialog's label, buttons, tooltips and names for screen
    // readers.
    {"QFileDialog", "Look in:", "", "Sök i:"},
    {"QFileDialog", "&Choose", "", "&Välj"},
    {"QFileDialog", "Recent Places", "", "Senaste platser"},
    {"QFileDialog", "Go back", "", "Gå tillbaka"},
    {"QFileDialog", "Go forward", "", "Gå framåt"},
    {"QFileDialog", "Go to the parent directory", "",
     "Gå till den överordnade mappen"},
    {"QFileDialog", "Create a New Folder", "", "Skapa en ny mapp"},
    {"QFileDialog", "Change to list view mode", "", "Visa filerna som lista"},
    {"QFileDialog", "Change to detail view mode", "",
     "Visa filerna med detaljer"},
    {"QFileDialog", "Sidebar", "", "Sidopanel"},
    {"QFileDialog", "List of places and bookmarks", "",
     "Lista över platser och bokmärken"},
    {"QFileDialog", "Files", "", "Filer"},
    // Its context menus: the file list, the column headers (followed by
    // the column's name), the side bar.
    {"QFileDialog", "&New Folder", "", "&Ny mapp"},
    {"QFileDialog", "Show ", "", "Visa kolumnen "},
    {"QFileDialog", "Remove", "", "Ta bort"},
    // Its questions before deleting (the last has a stray backslash before
    // each quote in Qt's file).
    {"QFileDialog", "Delete", "", "Ta bort"},
    {"QFileDialog", "Are you sure you want to delete '%1'?", "",
     "Vill du verkligen ta bort \"%1\"?"},
    {"QFileDialog",
     "'%1' is write protected.\nDo you want to delete it anyway?", "",
     "\"%1\" är skrivskyddad.\nVill du ta bort den ändå?"},
    // The computer at the top of the folders, and the file list's type
    // column where no file type applies.
    {"QFileSystemModel", "Computer", "", "Dator"},
    {"QAbstractFileIconProvider", "Drive", "", "Enhet"},
    {"QAbstractFileIconProvider", "Folder", "All other platforms", "Mapp"},
    {"QAbstractFileIconProvider", "Shortcut", "All other platforms", "Genväg"},
    {"QAbstractFileIconProvider", "Unknown", "", "Okänd"},
};

bool Equal(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

// Answers from kRows; a row with a disambiguation answers only that
// disambiguation, a row without one any. Texts without a row come back
// empty, so that the next translator (Qt's own file) is asked.
class CSwedishQtTranslator : public QTranslator {
 public:
  using QTranslator::QTranslator;

  QString translate(const char* context, const char* sourceText,
                    const char* disambiguation, int /*n*/) const override {
    if (context == nullptr || sourceText == nullptr) return {};
    for (const QtTextRow& row : kRows) {
      if (Equal(row.context, context) && Equal(row.source, sourceText) &&
          (row.disambiguation[0] == '\0' ||
           (disambiguation != nullptr &&
            Equal(row.disambiguation, disambiguation)))) {
        return QString::fromUtf8(row.swedish);
      }
    }
    return {};
  }

  // Never empty: QCoreApplication would otherwise not announce the change
  // of language to the widgets that already exist.
  bool isEmpty() const override { return false; }
};

}  // namespace

bool InstallSwedishTranslations(QCoreApplication& app) {
  const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
  // The file dialog names file types in the default locale's language.
  QLocale::setDefault(swedish);
  // Every translator is owned by the application, which outlives every
  // window, and the one installed last is asked first: Qt's qt_sv.qm (one
  // file for all of Qt in Debian 12), then qtbase_sv.qm where a later Qt
  // ships one, then Pladdo's table. Swedish whatever the user's locale, as
  // the program's own texts are.
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  bool qtOwnFound = false;
  for (const QString& name : {QStringLiteral("qt"), QStringLiteral("qtbase")}) {
    auto* qtOwn = new QTranslator(&app);
    if (qtOwn->load(swedish, name, QStringLiteral("_"), folder)) {
      QCoreApplication::installTranslator(qtOwn);
      qtOwnFound = true;
    } else {
      delete qtOwn;
    }
  }
  QCoreApplication::installTranslator(new CSwedishQtTranslator(&app));
  return qtOwnFound;
}

}  // namespace pladdo
