// Qt's own texts in Swedish: the standard buttons, file dialogs and context
// menus that Qt draws itself.
#pragma once

#include <QTranslator>
#include <span>

class QCoreApplication;

namespace pladdo {

// One text that Qt draws itself: Qt's context, its English source text and
// disambiguation (empty when Qt gives none), exactly as Qt passes them to
// QCoreApplication::translate, and the Swedish text shown instead.
struct QtTextRow {
  const char* context;
  const char* source;
  const char* disambiguation;
  const char* swedish;
};

// Every text Qt itself shows in Pladdo's windows, in Swedish: the standard
// buttons, the message box's own buttons, the context menus of line edits,
// text views and scroll bars, and the widget-based file dialog with its
// file list, menus and questions.
std::span<const QtTextRow> SwedishQtTexts();

// A translator that answers from SwedishQtTexts(). A row with a
// disambiguation answers only that disambiguation; a row without one
// answers any. Texts without a row come back empty, so that the next
// translator (Qt's own qt_sv.qm, or none) is asked.
class CSwedishQtTranslator : public QTranslator {
 public:
  explicit CSwedishQtTranslator(QObject* parent = nullptr);

  QString translate(const char* context, const char* sourceText,
                    const char* disambiguation = nullptr,
                    int n = -1) const override;
  bool isEmpty() const override;
};

// Loads Qt's own Swedish translations (qt_sv.qm) where they are installed
// and installs CSwedishQtTranslator on top of them, so that its rows win and
// the texts Qt's file lacks or gets wrong are Swedish all the same. Makes
// Swedish the default locale, which the file dialog's file types follow.
// Call once per application. True when qt_sv.qm was found as well; the
// table alone covers every text Qt shows in Pladdo's windows.
bool InstallSwedishTranslations(QCoreApplication& app);

}  // namespace pladdo
