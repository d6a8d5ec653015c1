#pragma once
// Where every word of a PDF lands, read with pdftotext -bbox: page sizes and word boxes in points, y downwards.

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

struct PdfPage {
    QSizeF size;
    QList<QRectF> boxes;
    QStringList words;
};

// The pages of `pdf`; empty when pdftotext is missing or cannot read the file.
inline QList<PdfPage> PdfWords(const QString& pdf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return {};
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression tag(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|<word xMin=\"([\\d.-]+)\" yMin=\"([\\d.-]+)\" "
                       "xMax=\"([\\d.-]+)\" yMax=\"([\\d.-]+)\">([^<]*)</word>"));
    QList<PdfPage> pages;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength(1) > 0) {
            pages.append({QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}, {}});
        } else if (!pages.isEmpty()) {
            pages.last().boxes.append(QRectF(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                                             QPointF(m.captured(5).toDouble(), m.captured(6).toDouble())));
            QString word = m.captured(7);
            word.replace(QLatin1String("&lt;"), QLatin1String("<"))
                .replace(QLatin1String("&gt;"), QLatin1String(">"))
                .replace(QLatin1String("&quot;"), QLatin1String("\""))
                .replace(QLatin1String("&apos;"), QLatin1String("'"))
                .replace(QLatin1String("&amp;"), QLatin1String("&"));
            pages.last().words.append(word);
        }
    }
    return pages;
}

// The first word that is not wholly inside its page less `margin` points on every side, or an empty string.
inline QString WordOutsideMargins(const QList<PdfPage>& pages, qreal margin)
{
    const qreal slack = 0.01; // pdftotext prints six decimals of rounded coordinates
    for (qsizetype n = 0; n < pages.size(); ++n) {
        const QRectF inside = QRectF(QPointF(0, 0), pages[n].size).adjusted(margin, margin, -margin, -margin);
        for (qsizetype i = 0; i < pages[n].boxes.size(); ++i) {
            if (!inside.adjusted(-slack, -slack, slack, slack).contains(pages[n].boxes[i]))
                return QStringLiteral("page %1: \"%2\" at x %3, y %4 is outside the margins")
                    .arg(n + 1)
                    .arg(pages[n].words[i])
                    .arg(pages[n].boxes[i].left())
                    .arg(pages[n].boxes[i].top());
        }
    }
    return {};
}

// How many characters the words of all pages hold, so a test can tell that none was cut off.
inline qsizetype PdfCharacters(const QList<PdfPage>& pages)
{
    qsizetype n = 0;
    for (const PdfPage& page : pages)
        for (const QString& word : page.words)
            n += word.size();
    return n;
}
