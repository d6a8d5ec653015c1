#pragma once
// The scanned sheet beside a review window's fields: the registered image, zoomable, with the bubbles read
// outlined (several marks and marks too light or too close to call in their own colours) and the field being
// reviewed framed and scrolled into view.

#include "SheetReview.h"
#include "SheetReviewPanel.h"

class QLabel;
class QScrollArea;

class SheetImagePanel final : public SheetReviewPanel {
    Q_OBJECT
public:
    // `outcome` is the sheet as read; `source` names it in the caption (a file, or the feeder's page).
    SheetImagePanel(const ScanOutcome& outcome, const QString& source, QWidget* parent);

    void showField(const QString& field) override;

    QString field() const { return m_field; }
    // The framed region, in the registered image's pixels.
    QRect fieldRegion() const { return m_region; }
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    QScrollArea* scrollArea() const { return m_scroll; }

    // Zoom steps, as shares of the image's 100 dpi pixels.
    static constexpr double MinZoom = 0.5;
    static constexpr double MaxZoom = 3.0;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    class Canvas;
    void zoomBy(int steps);
    void scrollToField();

    const ScanOutcome m_outcome; // shares the image with the caller's
    QList<BubbleMark> m_marks;
    QString m_field;
    QRect m_region;
    double m_zoom = 1.0;
    Canvas* m_canvas;
    QScrollArea* m_scroll;
    QLabel* m_zoomLabel;
    QLabel* m_fieldLabel;
};
