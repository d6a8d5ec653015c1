#include "Panel3D.h"

#include "WindowRoutines.h"

#include <QHBoxLayout>
#include <QLabel>

Panel3D::Panel3D(const QString& name, QWidget* parent) : QFrame(parent)
{
    setObjectName(name);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
}

void Panel3D::setBackColor(const QColor& c)
{
    SetBackColor(this, c);
}

QColor Panel3D::backColor() const
{
    return palette().color(QPalette::Window);
}

QLabel* Panel3D::captionLabel()
{
    if (!m_label) {
        m_label = new QLabel(this);
        m_label->setObjectName(objectName() + QStringLiteral("_caption"));
        m_label->setTextFormat(Qt::PlainText);
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(6, 2, 6, 2);
        layout->addWidget(m_label);
    }
    return m_label;
}

void Panel3D::setCaption(const QString& text)
{
    captionLabel()->setText(text);
    update();
    setAccessibleDescription(text);
}

void Panel3D::paintEvent(QPaintEvent* e)
{
    // An empty help line keeps its place but draws nothing, rather than a bare strip along the window's foot.
    if (m_label && m_label->text().isEmpty())
        return;
    QFrame::paintEvent(e);
}

QString Panel3D::caption() const
{
    return m_label ? m_label->text() : QString();
}
