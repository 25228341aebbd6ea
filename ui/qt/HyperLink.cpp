// CHyperLink: a QLabel that opens its target like a link.
#include "ui/qt/HyperLink.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QStyle>
#include <QUrl>

namespace pladdo {

namespace {

// Room around the text for the focus frame, in pixels.
constexpr QMargins kFocusRoom(2, 1, 2, 1);

// What a screen reader is told of a link: its role is Link, its name the
// text shown, its description the target (the tooltip); a link opened once
// is "traversed", and pressing it follows it.
class CLinkAccessible : public QAccessibleWidget {
 public:
  explicit CLinkAccessible(CHyperLink* link)
      : QAccessibleWidget(link, QAccessible::Link) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && Link()->accessibleName().isEmpty()) {
      return Link()->text();
    }
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.traversed = Link()->IsVisited();
    return state;
  }
  QStringList actionNames() const override {
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == pressAction()) {
      Link()->FollowLink();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  CHyperLink* Link() const { return static_cast<CHyperLink*>(widget()); }
};

QAccessibleInterface* LinkAccessibleFactory(const QString& className,
                                            QObject* object) {
  if (className != QLatin1String(CHyperLink::staticMetaObject.className())) {
    return nullptr;
  }
  auto* link = qobject_cast<CHyperLink*>(object);
  return link != nullptr ? new CLinkAccessible(link) : nullptr;
}

}  // namespace

QColor LinkColour(const LinkColourSet& colours, unsigned style, bool mouseOver,
                  bool hasFocus, bool visited) {
  if (mouseOver && (style & LinkHoverColour) != 0) return colours.hover;
  if ((style & LinkNoFocusColour) == 0 && hasFocus) return colours.focus;
  if (visited) return colours.visited;
  return colours.link;
}

QString LinkErrorText(int code) {
  switch (code) {
    case 0:
      return QStringLiteral(
          "The operating system is out\nof memory or resources.");
    case 2:
      return QStringLiteral("The specified file was not found.");
    case 3:
      return QStringLiteral("The specified path was not found.");
    case 5:
      return QStringLiteral(
          "The operating system denied\naccess to the specified file.");
    case 8:
      return QStringLiteral(
          "There was not enough memory to complete the operation.");
    case 11:
      return QStringLiteral(
          "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
    case 26:
      return QStringLiteral("A sharing violation occurred. ");
    case 27:
      return QStringLiteral(
          "The filename association is\nincomplete or invalid.");
    case 28:
      return QStringLiteral(
          "The DDE transaction could not\nbe completed because the request "
          "timed out.");
    case 29:
      return QStringLiteral("The DDE transaction failed.");
    case 30:
      return QStringLiteral(
          "The DDE transaction could not\nbe completed because other DDE "
          "transactions\nwere being processed.");
    case 31:
      return QStringLiteral(
          "There is no application associated\nwith the given filename "
          "extension.");
    case 32:
      return QStringLiteral(
          "The specified dynamic-link library was not found.");
    default:
      return QStringLiteral("Unknown Error (%1) occurred.").arg(code);
  }
}

QString LinkErrorMessage(int code) {
  return QStringLiteral("Can't open link:\n\n") + LinkErrorText(code);
}

QUrl LinkTargetToUrl(const QString& target) {
  const QString prefix = QStringLiteral("URL:");
  if (target.startsWith(prefix, Qt::CaseInsensitive)) {
    return QUrl(target.mid(prefix.size()).trimmed());
  }
  if (target.startsWith(u'/')) return QUrl::fromLocalFile(target);
  const QUrl url(target);
  // "mailto:..", "https://.." and the like carry their own scheme; anything
  // else is read the way a user would type it.
  if (url.isValid() && !url.scheme().isEmpty()) return url;
  return QUrl::fromUserInput(target, QDir::currentPath());
}

QList<QStringList> BrowserCommands(const QString& browserVariable,
                                   const QString& url) {
  QList<QStringList> commands;
  for (const QString& entry : browserVariable.split(u':', Qt::SkipEmptyParts)) {
    QStringList command = QProcess::splitCommand(entry);
    if (command.isEmpty()) continue;
    bool placed = false;
    for (QString& argument : command) {
      if (argument.contains(QStringLiteral("%s"))) {
        argument.replace(QStringLiteral("%s"), url);
        placed = true;
      }
    }
    if (!placed) command << url;
    commands << command;
  }
  commands << QStringList{QStringLiteral("xdg-open"), url};
  commands << QStringList{QStringLiteral("x-www-browser"), url};
  return commands;
}

QRect FitRect(const QRect& current, const QSize& content,
              Qt::Alignment alignment) {
  QRect fitted = current;
  const int dw = current.width() - content.width();
  const int dh = current.height() - content.height();
  if ((alignment & Qt::AlignRight) != 0) {
    fitted.setLeft(current.left() + dw);
  } else if ((alignment & Qt::AlignHCenter) != 0) {
    fitted.setLeft(current.left() + dw / 2);
    fitted.setWidth(content.width());
  } else {
    fitted.setWidth(content.width());
  }
  if ((alignment & Qt::AlignVCenter) != 0) {
    fitted.setTop(current.top() + dh / 2);
    fitted.setHeight(content.height());
  } else {
    fitted.setHeight(content.height());
  }
  return fitted;
}

CHyperLink::CHyperLink(const QString& text, DesktopHooks hooks, QWidget* parent)
    : QLabel(text, parent), m_hooks(std::move(hooks)) {
  static const bool bFactoryInstalled = [] {
    QAccessible::installFactory(&LinkAccessibleFactory);
    return true;
  }();
  (void)bFactoryInstalled;
  // Shown as written: a target or address is no markup and has no mnemonic.
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // A Tab stop from the start, so that a dialog can order it among its
  // controls; Attach settles the policy once the style is known.
  setFocusPolicy(Qt::StrongFocus);
}

CHyperLink::~CHyperLink() = default;

void CHyperLink::showEvent(QShowEvent* event) {
  if (!m_bAttached) {
    m_bAttached = true;
    Attach();
  }
  QLabel::showEvent(event);
}

void CHyperLink::Attach() {
  if (m_strTarget.isEmpty()) m_strTarget = text();
  if (text().isEmpty()) setText(m_strTarget);
  QFont linkFont = font();
  linkFont.setUnderline((m_dwStyle & LinkUnderline) != 0);
  setFont(linkFont);
  // The frame's room is added around the text where it stands, so the text
  // keeps its place.
  setContentsMargins(kFocusRoom);
  setGeometry(geometry().marginsAdded(kFocusRoom));
  FitToText();
  if ((m_dwStyle & LinkNoHandCursor) == 0) {
    setCursor(Qt::PointingHandCursor);
  }
  // Every link is a Tab stop; a click gives it the focus only when the
  // style says so.
  setFocusPolicy((m_dwStyle & LinkFocusOnClick) != 0 ? Qt::StrongFocus
                                                     : Qt::TabFocus);
  setToolTip(m_strTarget);
  update();
}

void CHyperLink::SetLinkTarget(const QString& target) {
  m_strTarget = target;
  setToolTip(m_strTarget);
  if (m_bAttached) FitToText();
}

void CHyperLink::FitToText() {
  if ((m_dwStyle & LinkFitToText) == 0) return;
  const QFontMetrics metrics(font());
  const QMargins margins = contentsMargins();
  const QSize textSize =
      metrics.size(Qt::TextSingleLine, text()) +
      QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
  setGeometry(FitRect(geometry(), textSize, alignment()));
}

QColor CHyperLink::TextColour() const {
  return LinkColour(LinkColours(palette()), m_dwStyle, m_bMouseOver != 0,
                    m_bHasFocus != 0, m_bVisited != 0);
}

void CHyperLink::paintEvent(QPaintEvent*) {
  // The colour is chosen at each paint from the palette the link has now,
  // so a change of colour scheme while the program runs (which repaints)
  // shows at once.
  QPainter painter(this);
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, TextColour());
  style()->drawItemText(&painter, contentsRect(),
                        QStyle::visualAlignment(layoutDirection(), alignment()),
                        colours, isEnabled(), text(), QPalette::WindowText);
  if (!hasFocus()) return;
  // A dotted frame in the text's own colour: as readable as the text on
  // any palette, where a style's faint focus outline may not be.
  painter.setPen(QPen(colours.color(QPalette::WindowText), 1, Qt::DotLine));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CHyperLink::enterEvent(QEnterEvent* event) {
  m_bMouseOver = 1;
  update();
  QLabel::enterEvent(event);
}

void CHyperLink::leaveEvent(QEvent* event) {
  m_bMouseOver = 0;
  update();
  QLabel::leaveEvent(event);
}

void CHyperLink::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QLabel::mousePressEvent(event);
    return;
  }
  if ((m_dwStyle & LinkFocusOnClick) != 0) setFocus(Qt::MouseFocusReason);
  if ((m_dwStyle & LinkFollowOnPress) != 0) FollowLink();
  m_bHasFocus = 1;
  update();
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QLabel::mouseReleaseEvent(event);
    return;
  }
  // A press dragged off the link before the release does not follow it.
  if (m_bHasFocus != 0 && (m_dwStyle & LinkFollowOnPress) == 0 &&
      rect().contains(event->position().toPoint())) {
    FollowLink();
  }
}

void CHyperLink::focusInEvent(QFocusEvent* event) {
  m_bHasFocus = 1;
  update();
  QLabel::focusInEvent(event);
}

void CHyperLink::focusOutEvent(QFocusEvent* event) {
  m_bMouseOver = 0;
  m_bHasFocus = 0;
  update();
  QLabel::focusOutEvent(event);
}

void CHyperLink::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      FollowLink();
      return;
    default:
      QLabel::keyPressEvent(event);
  }
}

void CHyperLink::FollowLink() {
  const int result = OpenLink(m_strTarget);
  if (result > kLinkOpenedAbove) {
    m_bVisited = 1;
    update();
    return;
  }
  QApplication::beep();
  ReportLinkError(result);
}

int CHyperLink::OpenLink(const QString& target) {
  const QUrl url = LinkTargetToUrl(target);
  if (url.isLocalFile()) {
    // A missing or unreadable file is told as such; handing it to a
    // browser would only move the failure where the user cannot see it.
    const QFileInfo file(url.toLocalFile());
    if (!file.exists()) {
      return file.dir().exists() ? kLinkFileNotFound : kLinkPathNotFound;
    }
    if (!file.isReadable()) return kLinkAccessDenied;
  }
  if (m_hooks.openUrl(url)) return kLinkOpened;
  for (const QStringList& command : BrowserCommands(
           qEnvironmentVariable("BROWSER"), url.toString(QUrl::FullyEncoded))) {
    if (m_hooks.startProgram(command.front(), command.mid(1))) {
      return kLinkOpened;
    }
  }
  return kLinkNoAssociation;
}

void CHyperLink::ReportLinkError(int code) {
  m_hooks.message(window(), LinkErrorMessage(code), MessageKind::Warning);
}

}  // namespace pladdo
