// CWhyDialog: a read-only, selectable text and a close button.
#include "ui/qt/WhyDialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/StringTable.h"
#include "ui/qt/QtText.h"

namespace pladdo {

CWhyDialog::CWhyDialog(std::string_view text, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(FromCp1252(LoadString(IDS_WHY_TITLE)));
  m_pText = new QPlainTextEdit(this);
  m_pText->setObjectName(QStringLiteral("whyText"));
  m_pText->setReadOnly(true);
  // Selectable and copyable with the mouse and the keyboard.
  m_pText->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                   Qt::TextSelectableByKeyboard);
  m_pText->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_pText->setPlainText(FromCp1252(text));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->setObjectName(QStringLiteral("whyButtons"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* column = new QVBoxLayout(this);
  column->addWidget(m_pText, 1);
  column->addWidget(buttons);
  // As large as the text needs, so that every row reads whole without
  // scrolling, but never beyond most of the screen.
  const QFontMetrics metrics(m_pText->font());
  int widest = metrics.averageCharWidth() * 60;
  int lines = 0;
  for (const QString& line : m_pText->toPlainText().split(u'\n')) {
    widest = std::max(widest, metrics.horizontalAdvance(line));
    ++lines;
  }
  const QSize wanted(widest + metrics.averageCharWidth() * 6,
                     (std::max(lines, 8) + 6) * metrics.lineSpacing());
  const QRect screen = this->screen()->availableGeometry();
  resize(std::min(wanted.width(), screen.width() * 9 / 10),
         std::min(wanted.height(), screen.height() * 8 / 10));
  m_pText->setFocus();
}

}  // namespace pladdo
