// Helpers of the Qt widget tests: a recording stand-in for the desktop,
// fixture files written as bytes, and acting on a modal dialog once it runs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ui/qt/Desktop.h"

// Lets a failing comparison of QStrings print the texts.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace pladdo::test {

// Records what the window layer asked of the desktop and answers from
// queues the test fills.
struct FakeDesktop {
  std::vector<FileDialogRequest> requests;
  std::deque<std::optional<QString>> dialogAnswers;  // empty: cancel
  std::vector<QUrl> openedUrls;
  bool openUrlSucceeds = true;
  std::vector<QStringList> startedPrograms;  // program first
  bool startSucceeds = false;
  std::vector<QString> messages;
  std::vector<MessageKind> messageKinds;

  DesktopHooks Hooks() {
    DesktopHooks hooks;
    hooks.fileDialog =
        [this](QWidget*,
               const FileDialogRequest& request) -> std::optional<QString> {
      requests.push_back(request);
      if (dialogAnswers.empty()) return std::nullopt;
      std::optional<QString> answer = dialogAnswers.front();
      dialogAnswers.pop_front();
      return answer;
    };
    hooks.openUrl = [this](const QUrl& url) {
      openedUrls.push_back(url);
      return openUrlSucceeds;
    };
    hooks.startProgram = [this](const QString& program,
                                const QStringList& arguments) {
      startedPrograms.push_back(QStringList{program} + arguments);
      return startSucceeds;
    };
    hooks.message = [this](QWidget*, const QString& text, MessageKind kind) {
      messages.push_back(text);
      messageKinds.push_back(kind);
    };
    return hooks;
  }
};

// Types text into widget key by key, as a keyboard would: each character
// is one key press and release carrying that character (QTest::keyClicks
// only takes ASCII).
inline void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    const char16_t upper = c.toUpper().unicode();
    // Latin-1 keys have the code of their capital letter; others are
    // unknown keys that still carry their text.
    const auto key =
        upper < 0x100 ? static_cast<Qt::Key>(upper) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, widget, key, QString(c),
                        Qt::NoModifier);
  }
}

// Writes bytes to path exactly as given.
inline void WriteBytes(const QString& path, const std::string& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate))
      << path.toStdString();
  ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
            static_cast<qint64>(bytes.size()));
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  WriteBytes(QString::fromStdString(path), bytes);
}

inline std::string ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll().toStdString();
}

// Runs action on the first modal dialog of type T once it is running (the
// dialog's exec() blocks the test until then). When no such dialog appears
// within about five seconds the test fails and whatever modal dialog is
// open is closed, so a wrong dialog never hangs the run.
template <typename T>
void WhenModal(std::function<void(T*)> action) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(10);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, action, tries] {
    if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      action(dialog);
      return;
    }
    if (++*tries > 500) {
      timer->stop();
      timer->deleteLater();
      ADD_FAILURE() << "the expected modal dialog did not open";
      if (QWidget* other = QApplication::activeModalWidget()) other->close();
    }
  });
  timer->start();
}

}  // namespace pladdo::test
