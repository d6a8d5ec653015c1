#include "SheetImagePanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

const QColor kRead(0, 140, 0);
const QColor kSeveral(230, 120, 0);
const QColor kUncertain(220, 0, 0);
const QColor kField(0, 90, 255);
constexpr double kZoomStep = 1.25;

QColor colourOf(MarkState state)
{
    return state == MarkState::Uncertain ? kUncertain : state == MarkState::Multiple ? kSeveral : kRead;
}

} // namespace

// The image at the panel's zoom, its marks and the field's frame drawn over it.
class SheetImagePanel::Canvas final : public QWidget {
public:
    explicit Canvas(SheetImagePanel& panel) : QWidget(nullptr), m_panel(panel) { setFocusPolicy(Qt::NoFocus); }

    void updateSize() { setFixedSize((QSizeF(m_panel.m_outcome.registered.size()) * m_panel.m_zoom).toSize()); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform, m_panel.m_zoom < 1);
        p.scale(m_panel.m_zoom, m_panel.m_zoom);
        p.drawImage(0, 0, m_panel.m_outcome.registered);
        p.setBrush(Qt::NoBrush);
        for (const BubbleMark& m : m_panel.m_marks) {
            const QColor c = colourOf(m.state);
            if (m.state == MarkState::Uncertain) {
                QColor fill = c;
                fill.setAlpha(50);
                p.fillRect(m.box, fill);
            }
            p.setPen(QPen(c, m.chosen || m.state != MarkState::Read ? 2.0 : 1.0));
            p.drawRect(QRectF(m.box).adjusted(-1, -1, 1, 1));
        }
        if (!m_panel.m_region.isNull()) {
            p.setPen(QPen(kField, 2.0, Qt::DashLine));
            p.drawRect(m_panel.m_region);
        }
    }

    void wheelEvent(QWheelEvent* e) override
    {
        if (!(e->modifiers() & Qt::ControlModifier))
            return QWidget::wheelEvent(e);
        m_panel.zoomBy(e->angleDelta().y() > 0 ? 1 : -1);
        e->accept();
    }

private:
    SheetImagePanel& m_panel;
};

SheetImagePanel::SheetImagePanel(const ScanOutcome& outcome, const QString& source, QWidget* parent)
    : SheetReviewPanel(parent), m_outcome(outcome), m_marks(SheetMarks(outcome))
{
    setObjectName(QStringLiteral("sheetImagePanel"));
    setAccessibleName(QStringLiteral("Answer sheet image"));
    setFocusPolicy(Qt::NoFocus);
    setFixedWidth(Width);

    auto* caption = new QLabel(QStringLiteral("<b>Answer sheet</b> %1").arg(source.toHtmlEscaped()), this);
    caption->setObjectName(QStringLiteral("lblSheetSource"));
    caption->setTextFormat(Qt::RichText);
    caption->setWordWrap(true);

    // The buttons take no focus: the review windows keep their own keyboard order. Ctrl with + and - zoom too.
    auto* smaller = new QPushButton(QStringLiteral("-"), this);
    smaller->setObjectName(QStringLiteral("cmdZoomOut"));
    smaller->setAccessibleName(QStringLiteral("Zoom out"));
    smaller->setToolTip(QStringLiteral("Zoom out (Ctrl+-)"));
    auto* larger = new QPushButton(QStringLiteral("+"), this);
    larger->setObjectName(QStringLiteral("cmdZoomIn"));
    larger->setAccessibleName(QStringLiteral("Zoom in"));
    larger->setToolTip(QStringLiteral("Zoom in (Ctrl++)"));
    for (QPushButton* b : {smaller, larger}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedWidth(32);
    }
    connect(smaller, &QPushButton::clicked, this, [this] { zoomBy(-1); });
    connect(larger, &QPushButton::clicked, this, [this] { zoomBy(1); });
    for (const QKeySequence& keys : {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)}) {
        auto* in = new QShortcut(keys, this);
        in->setContext(Qt::WindowShortcut);
        connect(in, &QShortcut::activated, this, [this] { zoomBy(1); });
    }
    auto* out = new QShortcut(QKeySequence(QKeySequence::ZoomOut), this);
    out->setContext(Qt::WindowShortcut);
    connect(out, &QShortcut::activated, this, [this] { zoomBy(-1); });
    m_zoomLabel = new QLabel(this);
    m_zoomLabel->setObjectName(QStringLiteral("lblZoom"));

    m_canvas = new Canvas(*this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrSheetImage"));
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setWidget(m_canvas);
    m_scroll->setAlignment(Qt::AlignCenter);

    m_fieldLabel = new QLabel(this);
    m_fieldLabel->setObjectName(QStringLiteral("lblSheetField"));
    m_fieldLabel->setWordWrap(true);
    auto* legend = new QLabel(QStringLiteral("<span style='color:%1'>&#9632;</span> read &nbsp; "
                                             "<span style='color:%2'>&#9632;</span> several marks &nbsp; "
                                             "<span style='color:%3'>&#9632;</span> too light or too close to call")
                                  .arg(kRead.name(), kSeveral.name(), kUncertain.name()),
                              this);
    legend->setObjectName(QStringLiteral("lblSheetLegend"));
    legend->setTextFormat(Qt::RichText);
    legend->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(caption, 1);
    top->addWidget(smaller);
    top->addWidget(m_zoomLabel);
    top->addWidget(larger);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_fieldLabel);
    layout->addWidget(legend);
    setZoom(1.0);
}

void SheetImagePanel::resizeEvent(QResizeEvent* e)
{
    SheetReviewPanel::resizeEvent(e);
    scrollToField();
}

void SheetImagePanel::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, MinZoom, MaxZoom);
    m_zoomLabel->setText(QStringLiteral("%1%").arg(qRound(m_zoom * 100)));
    m_canvas->updateSize();
    m_canvas->update();
    scrollToField();
}

void SheetImagePanel::zoomBy(int steps)
{
    setZoom(m_zoom * std::pow(kZoomStep, steps));
}

void SheetImagePanel::showField(const QString& field)
{
    const QRect region = FieldRegion(m_outcome, field);
    if (region.isNull())
        return; // a control the sheet holds nothing for: the image stays where it is
    m_field = field;
    m_region = region;
    // Say in words what the frame shows, for a screen reader as much as for the eye.
    QStringList states;
    for (int id : LocationsOfField(field)) {
        for (const LocationReading& l : m_outcome.reading.Locations) {
            if (l.id != id || l.state == MarkState::Read)
                continue;
            states << QStringLiteral("%1: %2").arg(l.name, l.state == MarkState::Multiple
                                                               ? QStringLiteral("several marks")
                                                               : QStringLiteral("too light or too close to call"));
        }
    }
    m_fieldLabel->setText(states.join(QStringLiteral("; ")));
    setAccessibleDescription(states.isEmpty() ? QStringLiteral("%1 on the sheet").arg(field) : states.join("; "));
    m_canvas->update();
    scrollToField();
}

void SheetImagePanel::scrollToField()
{
    if (m_region.isNull())
        return;
    const QRect shown = QRectF(QRectF(m_region).topLeft() * m_zoom, QRectF(m_region).size() * m_zoom).toRect();
    // The field in the middle of the view; one wider or taller than the view from its start, where its label is.
    const QSize view = m_scroll->viewport()->size();
    m_scroll->horizontalScrollBar()->setValue(shown.width() > view.width() ? shown.left()
                                                                           : shown.center().x() - view.width() / 2);
    m_scroll->verticalScrollBar()->setValue(shown.height() > view.height() ? shown.top()
                                                                           : shown.center().y() - view.height() / 2);
}
