// Composes report.prn line by line, with the page bookkeeping that decides where form feeds go.

#include "ReportWriter.h"

#include "Cp1252.h"
#include "PrivateFile.h"
#include "ReportComposer.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace {

// Splits a text file into lines at CR LF, CR or LF; a last line without a line end still counts.
QStringList fileLines(QByteArrayView bytes)
{
    QStringList lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines << fromCp1252(bytes.sliced(start, i - start));
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < bytes.size())
        lines << fromCp1252(bytes.sliced(start));
    return lines;
}

} // namespace

QString ReportFilePath(const QString& programDir)
{
    return programDir + QLatin1Char('/') + QLatin1String(ReportFileName);
}

QString ParagraphFileName(int scale)
{
    switch (scale) {
    case 1:
        return QStringLiteral("QN_TRU.TXT");
    case 2:
        return QStringLiteral("QN_AL.TXT");
    case 3:
        return QStringLiteral("QN_DG.TXT");
    case 5:
        return QStringLiteral("QN_ANG.TXT");
    case 6:
        return QStringLiteral("QN_SC.TXT");
    default:
        return QString();
    }
}

ParagraphSource ProgramFolderParagraphs(const QString& programDir)
{
    return [programDir](const QString& fileName, QByteArray& bytes) -> ScoringError {
        const QString path = programDir + QLatin1Char('/') + fileName;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {path, QStringLiteral("The paragraph file %1 cannot be read: %2.")
                              .arg(QDir::toNativeSeparators(path), f.errorString())};
        bytes = f.readAll();
        return {};
    };
}

ScoringError FindParagraph(QByteArrayView file, const QString& fileName, const QString& marker, QStringList& lines)
{
    lines.clear();
    const QStringList all = fileLines(file);
    const qsizetype start = all.indexOf(marker);
    if (start < 0)
        return {fileName, QStringLiteral("The paragraph file %1 has no section \"%2\": no line of its %3 lines is that "
                                         "marker.")
                              .arg(fileName, marker)
                              .arg(all.size())};
    const qsizetype end = all.indexOf(QStringLiteral("END"), start + 1);
    if (end < 0)
        return {fileName, QStringLiteral("The paragraph file %1 is damaged: the section \"%2\" that begins at line %3 "
                                         "has no closing END line.")
                              .arg(fileName, marker)
                              .arg(start + 1)};
    lines = all.mid(start + 1, end - start - 1);
    return {};
}

ScoringError ReadInvalidText(QByteArrayView file, const QString& fileName, QStringList& lines)
{
    lines.clear();
    const QStringList all = fileLines(file);
    const qsizetype end = all.indexOf(QStringLiteral("END"));
    if (end < 0)
        return {fileName,
                QStringLiteral("The paragraph file %1 is damaged: its text has no closing END line.").arg(fileName)};
    lines = all.mid(0, end);
    return {};
}

QString RangeMarker(const ReportWording& wording, int percentile)
{
    switch (RiskRange(percentile)) {
    case 1:
        return wording.RangeWords[1];
    case 2:
        return percentile < 56 ? QStringLiteral("MEDIUM-LOW") : QStringLiteral("MEDIUM-HIGH");
    case 3:
        return wording.RangeWords[3];
    case 4:
        return percentile < 95 ? QStringLiteral("MAXIMUM-LOW") : QStringLiteral("MAXIMUM-HIGH");
    default:
        return QString();
    }
}

ScoringError ComposeReport(const ScoringRun& run, QChar brandCode, const ParagraphSource& paragraphs,
                           QByteArray& report)
{
    return ReportComposer(run, brandCode, paragraphs).compose(report);
}

bool IsInvalidReport(const ScoreSheet& sheet)
{
    return sheet.Percentile[1] >= 95;
}

bool ReportsScaleNotScored(const ScoreSheet& sheet, int s)
{
    return s >= 1 && s <= NumScales && s != 4 && !IsInvalidReport(sheet) && sheet.OmittedCount[s] > 4;
}

ScoringError SaveReportFile(const QString& programDir, const QByteArray& report)
{
    const QString path = ReportFilePath(programDir);
    if (const int err = PrivateFile::Replace(path, report))
        return {path, QStringLiteral("The report file %1 cannot be written: %2.")
                          .arg(QDir::toNativeSeparators(path), PrivateFile::ErrorText(err))};
    return {};
}

ScoringError WriteReport(const QString& programDir, const ScoringRun& run, QChar brandCode)
{
    QByteArray bytes;
    if (ScoringError e = ComposeReport(run, brandCode, ProgramFolderParagraphs(programDir), bytes))
        return e;
    return SaveReportFile(programDir, bytes);
}
