// CAboutDlg: the about box and its animated figure.
#include "ui/qt/AboutDlg.h"

#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <algorithm>

#include "ui/FileUtil.h"
#include "ui/StringTable.h"
#include "ui/Version.h"
#include "ui/qt/Colours.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/Figure.h"
#include "ui/qt/HyperLink.h"
#include "ui/qt/Icons.h"
#include "ui/qt/QtText.h"

namespace pladdo {

namespace {

constexpr int kIconSize = 32;

// A picture; screen readers announce it by name as a graphic.
QLabel* MakeIcon(const QIcon& icon, const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setPixmap(icon.pixmap(kIconSize, kIconSize));
  label->setAccessibleName(name);
  // The icon hides whatever the dialog drew beneath it.
  label->setAutoFillBackground(true);
  return label;
}

}  // namespace

CAboutDlg::CAboutDlg(DesktopHooks hooks, QWidget* parent)
    : QDialog(parent), m_hooks(std::move(hooks)) {
  setWindowTitle(QStringLiteral("Om Pladdo..."));
  const DialogUnits units = DialogUnits::FromFont(font());

  // The second icon stands where the figure is drawn, centred on it, so the
  // turning figure takes its place; the program's icon stands above it.
  m_pFigureIcon = MakeIcon(AboutIcon(), QStringLiteral("Pladdos figur"), this);
  m_pFigureIcon->setObjectName(QStringLiteral("figureIcon"));
  m_pFigureIcon->setGeometry(kFigureCentreX - kIconSize / 2,
                             kFigureCentreY - kIconSize / 2, kIconSize,
                             kIconSize);
  m_pProgramIcon =
      MakeIcon(ProgramIcon(), QStringLiteral("Pladdos ikon"), this);
  m_pProgramIcon->setObjectName(QStringLiteral("programIcon"));
  m_pProgramIcon->setAccessibleDescription(
      QStringLiteral("Klicka för att få figuren att snurra"));
  m_pProgramIcon->setGeometry(kFigureCentreX - kIconSize / 2,
                              m_pFigureIcon->y() - units.ToPixelsY(26),
                              kIconSize, kIconSize);
  m_pProgramIcon->installEventFilter(this);

  auto* version = new QLabel(
      QStringLiteral("Pladdo ") + FromCp1252(GetProgramVersion()), this);
  version->setObjectName(QStringLiteral("version"));
  version->setTextFormat(Qt::PlainText);
  PlaceWidget(version, units, {38, 12, 97, 8});
  auto* credit = new QLabel(QStringLiteral("Skapad av Pladdo-gruppen"), this);
  credit->setTextFormat(Qt::PlainText);
  PlaceWidget(credit, units, {38, 27, 119, 8});

  m_pWebLink = new CHyperLink(QString::fromLatin1(kWebText), m_hooks, this);
  m_pWebLink->setObjectName(QStringLiteral("webLink"));
  PlaceWidget(m_pWebLink, units, {38, 38, 80, 8});
  m_pMailLink = new CHyperLink(QString::fromLatin1(kMailText), m_hooks, this);
  m_pMailLink->setObjectName(QStringLiteral("mailLink"));
  PlaceWidget(m_pMailLink, units, {38, 49, 108, 8});

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  PlaceWidget(ok, units, {152, 7, 50, 14});
  connect(ok, &QPushButton::clicked, this, &CAboutDlg::accept);

  // One sentence in two controls: the right-aligned text ends where the
  // ReadMe link begins. A font wider than the template's widens the text
  // and moves the link (and the dialog's right edge) to the right.
  auto* sentence = new QLabel(
      QStringLiteral("För mer information (hjälp och liknande) läs i "), this);
  sentence->setTextFormat(Qt::PlainText);
  sentence->setAlignment(Qt::AlignRight | Qt::AlignTop);
  PlaceWidget(sentence, units, {7, 63, 142, 8});
  m_pReadMeLink =
      new CHyperLink(QStringLiteral("ReadMe-filen."), m_hooks, this);
  m_pReadMeLink->setObjectName(QStringLiteral("readMeLink"));
  PlaceWidget(m_pReadMeLink, units, {149, 63, 50, 8});
  m_pReadMeLink->move(sentence->geometry().right() + 1, sentence->y());

  // The dialog opens on "OK", so Enter closes it as before; Tab goes on
  // through the links in reading order.
  ok->setFocus();
  setTabOrder(ok, m_pWebLink);
  setTabOrder(m_pWebLink, m_pMailLink);
  setTabOrder(m_pMailLink, m_pReadMeLink);

  const QRect dialogRect = units.ToPixels({0, 0, 209, 79});
  int width = dialogRect.width();
  for (const QWidget* child : findChildren<QWidget*>()) {
    width = std::max(width, child->geometry().right() + units.ToPixelsX(7));
  }
  setFixedSize(width, dialogRect.height());

  m_pReadMeLink->SetLinkTarget(FromCp1252(GetProgramFolder(true)) +
                               FromCp1252(LoadString(IDS_README_FILE)));
  m_pWebLink->SetLinkTarget(QString::fromLatin1(kWebTarget));
  m_pMailLink->SetLinkTarget(QString::fromLatin1(kMailTarget));

  m_timer.setInterval(kFigureTickMs);
  connect(&m_timer, &QTimer::timeout, this, &CAboutDlg::OnTimer);
}

CAboutDlg::~CAboutDlg() { m_timer.stop(); }

void CAboutDlg::OnIconClicked() {
  // start() on a running timer restarts it: still one timer, same period.
  m_timer.start(kFigureTickMs);
  m_pFigureIcon->hide();
}

void CAboutDlg::OnTimer() {
  m_dAngleA += m_dStepA;
  m_dAngleB += m_dStepB;
  m_dAngleC += m_dStepC;
  update();
}

void CAboutDlg::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  const FigureSquare square = FigureBackground();
  painter.fillRect(square.left, square.top, square.side, square.side,
                   palette().color(QPalette::Window));
  painter.setPen(QPen(FigureColour(palette()), 1));
  for (const FigureSegment& segment :
       FigureSegments(FigurePoints(m_dAngleA, m_dAngleB, m_dAngleC))) {
    painter.drawLine(segment.from.x, segment.from.y, segment.to.x,
                     segment.to.y);
  }
}

bool CAboutDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_pProgramIcon &&
      event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    OnIconClicked();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CAboutDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    OpenReadMe();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CAboutDlg::OpenReadMe() {
  const QFileInfo readMe(FromCp1252(GetProgramFolder(true)) +
                         FromCp1252(LoadString(IDS_README_FILE)));
  // A failure is deliberately not reported here.
  if (readMe.isFile()) {
    m_hooks.openUrl(QUrl::fromLocalFile(readMe.absoluteFilePath()));
  }
}

}  // namespace pladdo
