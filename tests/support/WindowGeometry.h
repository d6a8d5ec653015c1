#pragma once
// Checks that a window shows all it holds: no control squashed or cut off by its parent, no text to scroll to.

#include <QAbstractScrollArea>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QWidget>

// The first visible control of `window` that lies partly outside its parent, or is smaller than it needs to show its
// content (its minimum size, or for wrapped text the height its width needs); an empty string when there is none.
inline QString ChildOutsideItsParent(const QWidget& window)
{
    const auto describe = [](const QWidget* w, const QString& what) {
        return QStringLiteral("%1 (%2) %3")
            .arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()), what);
    };
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (w->isWindow() || !w->isVisibleTo(&window) || !w->parentWidget())
            continue;
        // A scroll area's inner parts are its own business.
        if (qobject_cast<const QAbstractScrollArea*>(w->parentWidget()))
            continue;
        const QRect inParent = w->geometry();
        if (!w->parentWidget()->rect().contains(inParent))
            return describe(w, QString::asprintf("at %d,%d %dx%d is cut off by its parent of %dx%d", inParent.x(),
                                                 inParent.y(), inParent.width(), inParent.height(),
                                                 w->parentWidget()->width(), w->parentWidget()->height()));
        const int needed = w->hasHeightForWidth() ? w->heightForWidth(w->width()) : w->minimumSizeHint().height();
        if (w->height() < needed)
            return describe(w, QStringLiteral("is %1 pixels high but needs %2").arg(w->height()).arg(needed));
        if (w->minimumSizeHint().isValid() && w->width() < w->minimumSizeHint().width())
            return describe(
                w, QStringLiteral("is %1 pixels wide but needs %2").arg(w->width()).arg(w->minimumSizeHint().width()));
    }
    return {};
}

// Why a text box does not show its whole text at once (a scroll bar, a last line below its view), or "".
inline QString WholeWithoutScrolling(const QPlainTextEdit& box)
{
    if (box.verticalScrollBar()->maximum() > 0)
        return QStringLiteral("%1 scrolls by %2 lines").arg(box.objectName()).arg(box.verticalScrollBar()->maximum());
    QTextCursor end(box.document());
    end.movePosition(QTextCursor::End);
    const QRect last = box.cursorRect(end);
    if (last.bottom() >= box.viewport()->height())
        return box.objectName() +
               QString::asprintf(" ends at %d, below its view of %d pixels", last.bottom(), box.viewport()->height());
    return {};
}
