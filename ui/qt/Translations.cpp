// Qt's own texts in Swedish: Pladdo's table of them, over Qt's qt_sv.qm.
#include "ui/qt/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <cstring>

namespace pladdo {

namespace {

// The source texts are Qt 6's own, character for character: a row whose
// source differs from Qt's is never asked for, and its text stays English.
// "&" marks a mnemonic where Qt's text has one.
constexpr QtTextRow kRows[] = {
    // The standard buttons of QDialogButtonBox and QMessageBox.
    {"QPlatformTheme", "OK", "", "OK"},
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
    {"QGnomeTheme", "&OK", "", "&OK"},
    {"QGnomeTheme", "&Save", "", "&Spara"},
    {"QGnomeTheme", "&Cancel", "", "&Avbryt"},
    {"QGnomeTheme", "&Close", "", "&Stäng"},
    {"QGnomeTheme", "Close without Saving", "", "Stäng utan att spara"},
    // The message box's own button.
    {"QMessageBox", "Show Details...", "", "Visa detaljer..."},
    {"QMessageBox", "Hide Details...", "", "Dölj detaljer..."},
    // The context menu of a line edit: the input line, the file name.
    {"QLineEdit", "&Undo", "", "&Ångra"},
    {"QLineEdit", "&Redo", "", "&Gör om"},
    {"QLineEdit", "Cu&t", "", "Klipp &ut"},
    {"QLineEdit", "&Copy", "", "&Kopiera"},
    {"QLineEdit", "&Paste", "", "Klistra &in"},
    {"QLineEdit", "Delete", "", "Ta bort"},
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
    // The context menu of a scroll bar, vertical and horizontal.
    {"QScrollBar", "Scroll here", "", "Rulla hit"},
    {"QScrollBar", "Top", "", "Överkant"},
    {"QScrollBar", "Bottom", "", "Nederkant"},
    {"QScrollBar", "Page up", "", "En sida upp"},
    {"QScrollBar", "Page down", "", "En sida ned"},
    {"QScrollBar", "Scroll up", "", "Rulla uppåt"},
    {"QScrollBar", "Scroll down", "", "Rulla nedåt"},
    {"QScrollBar", "Left edge", "", "Vänsterkant"},
    {"QScrollBar", "Right edge", "", "Högerkant"},
    {"QScrollBar", "Page left", "", "En sida åt vänster"},
    {"QScrollBar", "Page right", "", "En sida åt höger"},
    {"QScrollBar", "Scroll left", "", "Rulla åt vänster"},
    {"QScrollBar", "Scroll right", "", "Rulla åt höger"},
    // The file dialog: titles, labels and buttons.
    {"QFileDialog", "Open", "", "Öppna"},
    {"QFileDialog", "Save As", "", "Spara som"},
    {"QFileDialog", "Find Directory", "", "Välj mapp"},
    {"QFileDialog", "Look in:", "", "Sök i:"},
    {"QFileDialog", "File &name:", "", "Fil&namn:"},
    {"QFileDialog", "Directory:", "", "Mapp:"},
    {"QFileDialog", "Files of type:", "", "Filtyp:"},
    {"QFileDialog", "&Open", "", "&Öppna"},
    {"QFileDialog", "&Save", "", "&Spara"},
    {"QFileDialog", "&Choose", "", "&Välj"},
    {"QFileDialog", "All Files (*)", "", "Alla filer (*)"},
    {"QFileDialog", "Directories", "", "Mappar"},
    {"QFileDialog", "Recent Places", "", "Senaste platser"},
    // Its tool buttons, their tooltips, and names for screen readers.
    {"QFileDialog", "Back", "", "Tillbaka"},
    {"QFileDialog", "Go back", "", "Gå tillbaka"},
    {"QFileDialog", "Forward", "", "Framåt"},
    {"QFileDialog", "Go forward", "", "Gå framåt"},
    {"QFileDialog", "Parent Directory", "", "Överordnad mapp"},
    {"QFileDialog", "Go to the parent directory", "",
     "Gå till den överordnade mappen"},
    {"QFileDialog", "Create New Folder", "", "Skapa ny mapp"},
    {"QFileDialog", "Create a New Folder", "", "Skapa en ny mapp"},
    {"QFileDialog", "List View", "", "Listvy"},
    {"QFileDialog", "Change to list view mode", "", "Visa filerna som lista"},
    {"QFileDialog", "Detail View", "", "Detaljvy"},
    {"QFileDialog", "Change to detail view mode", "",
     "Visa filerna med detaljer"},
    {"QFileDialog", "Sidebar", "", "Sidopanel"},
    {"QFileDialog", "List of places and bookmarks", "",
     "Lista över platser och bokmärken"},
    {"QFileDialog", "Files", "", "Filer"},
    // Its context menus: the file list, the column headers (followed by
    // the column's name), the side bar.
    {"QFileDialog", "&Rename", "", "&Byt namn"},
    {"QFileDialog", "&Delete", "", "&Ta bort"},
    {"QFileDialog", "Show &hidden files", "", "Visa &dolda filer"},
    {"QFileDialog", "&New Folder", "", "&Ny mapp"},
    {"QFileDialog", "Show ", "", "Visa kolumnen "},
    {"QFileDialog", "Remove", "", "Ta bort"},
    // Its questions and errors.
    {"QFileDialog", "New Folder", "", "Ny mapp"},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?", "",
     "Filen \"%1\" finns redan.\nVill du ersätta den?"},
    {"QFileDialog",
     "%1\nFile not found.\nPlease verify the correct file name was given.", "",
     "%1\nFilen hittades inte.\nKontrollera att filnamnet är rätt."},
    {"QFileDialog",
     "%1\nDirectory not found.\nPlease verify the correct directory name was "
     "given.",
     "", "%1\nMappen hittades inte.\nKontrollera att mappnamnet är rätt."},
    {"QFileDialog", "Delete", "", "Ta bort"},
    {"QFileDialog", "Are you sure you want to delete '%1'?", "",
     "Vill du verkligen ta bort \"%1\"?"},
    {"QFileDialog",
     "'%1' is write protected.\nDo you want to delete it anyway?", "",
     "\"%1\" är skrivskyddad.\nVill du ta bort den ändå?"},
    {"QFileDialog", "Could not delete directory.", "",
     "Mappen kunde inte tas bort."},
    // The file list's columns and the computer at the top of the folders.
    {"QFileSystemModel", "Name", "", "Namn"},
    {"QFileSystemModel", "Size", "", "Storlek"},
    {"QFileSystemModel", "Type", "All other platforms", "Typ"},
    {"QFileSystemModel", "Date Modified", "", "Ändringsdatum"},
    {"QFileSystemModel", "Computer", "", "Dator"},
    // The file list's type column where no file type applies.
    {"QAbstractFileIconProvider", "Drive", "", "Enhet"},
    {"QAbstractFileIconProvider", "Folder", "All other platforms", "Mapp"},
    {"QAbstractFileIconProvider", "Shortcut", "All other platforms", "Genväg"},
    {"QAbstractFileIconProvider", "Unknown", "", "Okänd"},
};

bool Equal(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

}  // namespace

std::span<const QtTextRow> SwedishQtTexts() { return kRows; }

CSwedishQtTranslator::CSwedishQtTranslator(QObject* parent)
    : QTranslator(parent) {}

QString CSwedishQtTranslator::translate(const char* context,
                                        const char* sourceText,
                                        const char* disambiguation,
                                        int /*n*/) const {
  if (context == nullptr || sourceText == nullptr) return {};
  const char* wanted = disambiguation != nullptr ? disambiguation : "";
  const QtTextRow* found = nullptr;
  for (const QtTextRow& row : kRows) {
    if (!Equal(row.context, context) || !Equal(row.source, sourceText)) {
      continue;
    }
    if (Equal(row.disambiguation, wanted)) {
      found = &row;
      break;
    }
    // A row without a disambiguation serves every caller's, unless a row
    // for that very disambiguation follows.
    if (row.disambiguation[0] == '\0') found = &row;
  }
  return found != nullptr ? QString::fromUtf8(found->swedish) : QString();
}

// Never empty: QCoreApplication would otherwise not announce the change of
// language to the widgets that already exist.
bool CSwedishQtTranslator::isEmpty() const { return false; }

bool InstallSwedishTranslations(QCoreApplication& app) {
  const QLocale swedish(QLocale::Swedish, QLocale::Sweden);
  // The file dialog names file types in the default locale's language.
  QLocale::setDefault(swedish);
  // Both translators are owned by the application, which outlives every
  // window. The one installed last is asked first.
  auto* qtOwn = new QTranslator(&app);
  const bool qtOwnFound =
      qtOwn->load(swedish, QStringLiteral("qt"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (qtOwnFound) {
    QCoreApplication::installTranslator(qtOwn);
  } else {
    delete qtOwn;
  }
  QCoreApplication::installTranslator(new CSwedishQtTranslator(&app));
  return qtOwnFound;
}

}  // namespace pladdo
