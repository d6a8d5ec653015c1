#include "SheetReviewPanel.h"

#include "AppContext.h"

#include <QApplication>

SheetReviewPanel* MakeSheetReviewPanel(AppContext& ctx, QWidget* window)
{
    if (!ctx.flags.ScanReview || !ctx.reviewPanel)
        return nullptr;
    SheetReviewPanel* panel = ctx.reviewPanel(window);
    if (!panel)
        return nullptr;
    QObject::connect(qApp, &QApplication::focusChanged, panel, [window, panel](QWidget*, QWidget* now) {
        if (now && now != panel && !panel->isAncestorOf(now) && window->isAncestorOf(now) &&
            !now->objectName().isEmpty())
            panel->showField(now->objectName());
    });
    return panel;
}
