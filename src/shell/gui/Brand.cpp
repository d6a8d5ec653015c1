#include "Brand.h"

#include "AppContext.h"

#include <QLinearGradient>
#include <QPainter>

BrandInfo BrandFor(const QString& brandCode)
{
    if (IsPublisherBrand(brandCode))
        return {QStringLiteral("Norwick, Ltd."), QStringLiteral("www.norwick.example"),
                QStringLiteral("info@norwick.example")};
    return {QStringLiteral("Dallory, Inc."), QStringLiteral("www.dallory.example"),
            QStringLiteral("support@dallory.example")};
}

QPixmap BrandLogo(const QString& brandCode, const QSize& size)
{
    const bool publisher = IsPublisherBrand(brandCode);
    QPixmap pix(size);
    pix.fill(Qt::white);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, publisher ? QColor(0, 60, 140) : QColor(120, 20, 40));
    g.setColorAt(1, publisher ? QColor(0, 150, 200) : QColor(220, 120, 40));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(4, 4, size.width() - 8, size.height() - 8), 12, 12);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(std::max(10, std::min(size.height() / 3, size.width() / 8)));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, publisher ? QStringLiteral("NORWICK") : QStringLiteral("DALLORY"));
    return pix;
}
