#pragma once
// The routines every window shares: colours, twips, centring, the busy pointer, select-all and bold field labels.

#include <QColor>
#include <functional>

class Panel3D;
class QFrame;
class QString;
class QWidget;

// Colours of the convention: the focused control's frame is cyan with black text, the others blue with white.
inline const QColor HighlightColor{0, 255, 255};
inline const QColor NormalColor{0, 0, 255};

// Window geometry is given in twips; 1440 twips make an inch at the screen's logical resolution.
int TwipsToPixelsX(int twips, const QWidget* w = nullptr);
int TwipsToPixelsY(int twips, const QWidget* w = nullptr);

// Centres a window on its screen.
void CenterForm(QWidget* window);
// Places a window's main frame: horizontally centred, and half of 1000 twips above the vertical centre.
void CenterFrame(QWidget* window, QWidget* frame);

// Lays out a dialog without layouts: the help panel along the foot, the main frame sized and placed above it.
void PlaceFootPanelAndFrame(QWidget* window, QWidget* msgPanel, QWidget* frame);

// The skeleton windows share: a work area filling `host` (a dialog, or a main window's central widget), the widget
// `beside` makes (if given and it makes one) on its right, and the help panel named MsgPanel along the foot. The
// window's frames go in the work area and are placed there by CenterFrame.
struct WindowSkeleton {
    QWidget* area;
    Panel3D* msgPanel;
};
WindowSkeleton MakeWindowSkeleton(QWidget* host, const QString& areaName, const std::function<QWidget*()>& beside = {});
// The raised box frame a window's fields and buttons sit in, in the work area.
QFrame* MakeMainFrame(QWidget* area, const QString& name);

void MouseWait();
void MouseDefault();

// Selects the whole text of the focused control, so typing replaces it; controls without text are ignored.
void SelectAllText();

// Field labels are children named lblInfo_0 .. lblInfo_count of `window`; the one at `index` becomes bold.
void SetInfoBold(QWidget* window, int count, int index);
void ClearInfoBold(QWidget* window, int count);

// Bold or plain text of a widget's font.
void SetBold(QWidget* w, bool bold);
// Background colour of a widget (the frame behind a button, a panel).
void SetBackColor(QWidget* w, const QColor& c);
void SetForeColor(QWidget* w, const QColor& c);
