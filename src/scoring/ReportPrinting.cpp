#include "ReportPrinting.h"

#include "Cp1252.h"
#include "ReportWriter.h"

#include <QDir>
#include <QFile>

ScoringError LoadReportText(const QString& programDir, QString& text)
{
    const QString path = ReportFilePath(programDir);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {path, QStringLiteral("The report file %1 cannot be read: %2.")
                          .arg(QDir::toNativeSeparators(path), f.errorString())};
    const QByteArray bytes = f.readAll();
    text = fromCp1252(QByteArrayView(bytes).chopped(bytes.isEmpty() ? 0 : 1));
    return {};
}

QList<QStringList> ReportPages(const QString& text)
{
    QList<QStringList> pages;
    for (const QString& piece : text.split(QLatin1Char('\f'))) {
        QStringList lines;
        qsizetype start = 0;
        for (qsizetype i = 0; i < piece.size(); ++i) {
            const QChar c = piece[i];
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                lines << piece.mid(start, i - start);
                if (c == QLatin1Char('\r') && i + 1 < piece.size() && piece[i + 1] == QLatin1Char('\n'))
                    ++i;
                start = i + 1;
            }
        }
        // The line end that closes a piece's last line starts no line of its own.
        if (start < piece.size())
            lines << piece.mid(start);
        pages << lines;
    }
    return pages;
}

PrintOutcome PrintReport(const QString& programDir, ReportPrinter& printer)
{
    QString text;
    if (ScoringError e = LoadReportText(programDir, text))
        return {PrintOutcome::Status::Failed, e.message};
    PrintJob job;
    job.title = QStringLiteral("VLT report");
    job.fontFamily = QLatin1String(ReportFontFamily);
    job.pointSize = ReportFontPointSize;
    job.pages = ReportPages(text);
    return printer.print(job);
}
