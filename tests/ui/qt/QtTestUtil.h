// Helpers of the Qt widget tests: two small profiles, a recording stand-in
// for the desktop, files written as bytes, typing, and modal dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "ui/qt/Desktop.h"

// Lets a failing comparison of QStrings print the texts.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace pladdo::test {

// Profile 1 (UTF-8, as the shipped profiles are): information, names out of
// Swedish order, a welcome, a first answer and a keyword. Profile 2: no
// information, one name, and answers that suggest "blomma".
inline const std::string kBot1 =
    "[INFO]\nname=Första\nversion=1.2\ncreator=Anna\ninfo=Den första boten.\n"
    "language=svenska\n[NAME]\n!Örjan\n!Zeta\n!Zet\n!Ärla\n!åsa\n!Émile\n"
    "!alfa\n[WELCOME]\n!Hej, jag är Testbot.\n[START]\n!Trevligt att träffas.\n"
    "[SPEAK]\n?blomma\n!Blå blommor är fina.\n";
inline const std::string kBot2 = "[NAME]\n!Bertil\n[NOTFOUND]\n!Se en blomma\n";

// Records what the window layer asked of the desktop; file dialogs answer
// from a queue (empty: cancel).
struct FakeDesktop {
  QStringList answers;
  std::vector<FileDialogRequest> requests;
  QList<QUrl> opened;
  QList<QStringList> started;  // program first
  QStringList messages;
  bool openOk = true;
  bool startOk = false;

  DesktopHooks Hooks() {
    DesktopHooks hooks;
    hooks.fileDialog = [this](QWidget*, const FileDialogRequest& request) {
      requests.push_back(request);
      return answers.isEmpty() ? std::nullopt
                               : std::optional(answers.takeFirst());
    };
    hooks.openUrl = [this](const QUrl& url) {
      opened << url;
      return openOk;
    };
    hooks.startProgram = [this](const QString& program, QStringList args) {
      started << (QStringList{program} << args);
      return startOk;
    };
    hooks.message = [this](QWidget*, const QString& text, MessageKind) {
      messages << text;
    };
    return hooks;
  }
};

// A temporary folder whose files are written and read byte for byte.
struct TempFiles {
  QTemporaryDir dir;
  QString Path(const char* name) const { return dir.filePath(name); }
  std::string Write(const char* name, const std::string& bytes) const {
    QFile file(Path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), qint64(bytes.size()));
    return Path(name).toStdString();
  }
  std::string Read(const char* name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "";
  }
};

// Types text key by key, each press carrying its character (QTest::keyClicks
// takes ASCII only); a Latin-1 key has the code of its capital letter.
inline void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    const auto key = Qt::Key(c.toUpper().unicode());
    QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), {});
  }
}

// Runs action on the modal dialog of type T once its exec() runs the event
// loop; any other modal dialog is closed and the test fails, so a wrong
// dialog never hangs the run.
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
