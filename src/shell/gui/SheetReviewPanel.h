#pragma once
// A panel a review window shows beside its fields while it reviews values read from a scanned sheet: the sheet's
// image, following the field the supervisor is on. The scan provides it (AppContext::reviewPanel); the windows only
// make room for it and tell it where the focus is.

#include <QWidget>

struct AppContext;

class SheetReviewPanel : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    // The field now being reviewed: a control by its name ("cmbGender", "txtAssaults"), or "Item <n>" of the
    // answer grid.
    virtual void showField(const QString& field) = 0;

    // The width a window gives it, pixels.
    static constexpr int Width = 380;
};

// The panel for `window` while a scan's review runs, following the window's focused control; null otherwise.
SheetReviewPanel* MakeSheetReviewPanel(AppContext& ctx, QWidget* window);
