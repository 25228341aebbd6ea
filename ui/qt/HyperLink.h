// CHyperLink: a label that acts as a link - link colours, underline, hand
// cursor, the target as tooltip - and opens its target on a click or the
// space bar, falling back to a web browser and reporting what failed.
#pragma once

#include <QColor>
#include <QLabel>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include "ui/qt/Colours.h"
#include "ui/qt/Desktop.h"

class QUrl;

namespace pladdo {

// Style flags of a link.
enum LinkStyle : unsigned {
  LinkUnderline = 1,       // the text is underlined
  LinkHoverColour = 2,     // the hover colour while the mouse is over it
  LinkFitToText = 4,       // the control is resized to fit its text
  LinkFollowOnPress = 8,   // follow when the button goes down, not up
  LinkFocusOnClick = 16,   // a button press gives the control the focus
  LinkNoHandCursor = 32,   // keep the ordinary cursor
  LinkNoFocusColour = 64,  // never use the focus colour
};
inline constexpr unsigned kDefaultLinkStyle =
    LinkUnderline | LinkFitToText | LinkFocusOnClick;

// What OpenLink returns: above kLinkOpenedAbove when the target was opened,
// otherwise the code of the failure (the numbers of the classic shell).
inline constexpr int kLinkOpenedAbove = 32;
inline constexpr int kLinkOpened = 33;
inline constexpr int kLinkFileNotFound = 2;
inline constexpr int kLinkPathNotFound = 3;
inline constexpr int kLinkAccessDenied = 5;
inline constexpr int kLinkNoAssociation = 31;

// The text colour for a link's state, taken from colours: hover (if the
// style allows it), else focus (unless the style forbids it), else visited,
// else the link colour.
QColor LinkColour(const LinkColourSet& colours, unsigned style, bool mouseOver,
                  bool hasFocus, bool visited);

// The English message of a failure code, without the "Can't open link:"
// heading; "Unknown Error (code) occurred." for a code without a text.
QString LinkErrorText(int code);
// The whole message box text: "Can't open link:\n\n" and LinkErrorText.
QString LinkErrorMessage(int code);

// The address a target stands for: "URL:" is dropped, a path becomes a
// file address, "mailto:" and other addresses stay as they are.
QUrl LinkTargetToUrl(const QString& target);

// The browser commands to try, in order, each as program and arguments:
// every entry of the colon-separated browserVariable ($BROWSER) with "%s"
// replaced by url (or url appended), then xdg-open and x-www-browser.
QList<QStringList> BrowserCommands(const QString& browserVariable,
                                   const QString& url);

// current resized to content: a right-aligned control keeps its right edge,
// a centred one shrinks equally from both sides, any other keeps its left
// edge; a vertically centred one shrinks equally from top and bottom, any
// other keeps its top.
QRect FitRect(const QRect& current, const QSize& content,
              Qt::Alignment alignment);

class CHyperLink : public QLabel {
  Q_OBJECT

 public:
  // hooks: how the link opens addresses, starts a browser and reports a
  // failure (tests replace them).
  CHyperLink(const QString& text, DesktopHooks hooks,
             QWidget* parent = nullptr);
  ~CHyperLink() override;

  // Sets the target; the tooltip follows it.
  void SetLinkTarget(const QString& target);
  const QString& GetLinkTarget() const { return m_strTarget; }
  // Sets the style flags; takes full effect when set before the first show.
  void SetLinkStyle(unsigned style) { m_dwStyle = style; }
  unsigned GetLinkStyle() const { return m_dwStyle; }

  // Opens the target; marks the link visited when that works, otherwise
  // beeps and reports the failure.
  void FollowLink();

  bool IsVisited() const { return m_bVisited != 0; }
  bool HasFocusState() const { return m_bHasFocus != 0; }
  bool IsMouseOver() const { return m_bMouseOver != 0; }
  // The colour the text is drawn in now, for the state and the palette.
  QColor TextColour() const;

 protected:
  void showEvent(QShowEvent* event) override;
  // The text in the state's colour and, while the link has the focus, a
  // dotted frame around it.
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Space and Enter follow the link.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Made ready on the first show, when text, position and font are known:
  // empty text and target fill each other, then font, size, cursor, tooltip.
  void Attach();
  int OpenLink(const QString& target);
  void ReportLinkError(int code);
  void FitToText();

  DesktopHooks m_hooks;
  int m_bHasFocus = 0;
  int m_bMouseOver = 0;
  int m_bVisited = 0;
  unsigned m_dwStyle = kDefaultLinkStyle;
  QString m_strTarget;
  bool m_bAttached = false;
};

}  // namespace pladdo
