// Helpers of the Qt widget tests: a stand-in desktop, typing, modal dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "tests/TestUtil.h"
#include "ui/qt/Desktop.h"

// Lets failures print QStrings.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
  return out << '"' << text.toStdString() << '"';
}

namespace pladdo::test {

// Records the file dialogs asked for and the links opened; file dialogs
// answer from a queue (empty: cancel); a message box fails the test.
struct FakeDesktop {
  QStringList answers;
  QList<FileDialogRequest> asked;
  QList<QUrl> opened;

  DesktopHooks Hooks() {
    DesktopHooks hooks;
    hooks.fileDialog = [this](QWidget*, const FileDialogRequest& request) {
      asked << request;
      return answers.isEmpty() ? std::nullopt
                               : std::optional(answers.takeFirst());
    };
    hooks.openUrl = [this](const QUrl& url) {
      opened << url;
      return true;
    };
    hooks.message = [](QWidget*, const QString& text, MessageKind) {
      ADD_FAILURE() << "message: " << text.toStdString();
    };
    return hooks;
  }
};

// Types text key by key; unlike QTest::keyClicks it takes non-ASCII letters.
inline void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    const auto key = Qt::Key(c.toUpper().unicode());
    QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), {});
  }
}

// Runs action on the modal dialog of type T once it opens; any other modal
// dialog is closed and the test fails, so a wrong dialog never hangs.
template <typename T>
void WhenModal(std::function<void(T*)> action) {
  QTimer::singleShot(0, qApp, [action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<T*>(modal)) return action(dialog);
    ADD_FAILURE() << "the expected modal dialog did not open";
    if (modal != nullptr) modal->close();
  });
}

}  // namespace pladdo::test
