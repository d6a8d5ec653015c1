#pragma once
// Report composition: the fixed-width report of one scored client, written to report.prn in the program folder.

#include "Scoring.h"

#include <QByteArray>
#include <QStringList>
#include <functional>

constexpr const char* ReportFileName = "report.prn";
constexpr const char* InvalidTextFileName = "INVAL.TXT";
// The brand code that selects the publisher; every other code selects the distributor.
constexpr QChar PublisherBrandCode = QLatin1Char('N');
constexpr int PageLimit = 58;

// Reads one paragraph file of the installation by its name (QN_AL.TXT, INVAL.TXT, ...).
using ParagraphSource = std::function<ScoringError(const QString& fileName, QByteArray& bytes)>;

QString ReportFilePath(const QString& programDir);
// A source reading the paragraph files of the program folder.
ParagraphSource ProgramFolderParagraphs(const QString& programDir);
// The paragraph file of scale 1, 2, 3, 5 or 6; empty for scale 4.
QString ParagraphFileName(int scale);

// The lines of section `marker` of a paragraph file: those between the marker line and the next "END" line. A file
// without the marker or without the closing "END" is reported with its name and the line where the section began.
ScoringError FindParagraph(QByteArrayView file, const QString& fileName, const QString& marker, QStringList& lines);
// The lines of the invalid-test text before the first "END" line.
ScoringError ReadInvalidText(QByteArrayView file, const QString& fileName, QStringList& lines);

// The sub-range marker (section name) of a percentile: the range word for low and problem, "MEDIUM-LOW",
// "MEDIUM-HIGH", "MAXIMUM-LOW" or "MAXIMUM-HIGH" for the two split ranges, empty outside 0..99.
QString RangeMarker(const ReportWording& wording, int percentile);

// Whether the report is the invalid-test report: a Truthfulness percentile of 95 or more.
bool IsInvalidReport(const ScoreSheet& sheet);
// Whether the report's profile says scale s is not scored (more than 4 omitted items). Never for scale 4, which the
// report does not show, nor in the invalid-test report, which has no profiles.
bool ReportsScaleNotScored(const ScoreSheet& sheet, int s);

// The whole report, as the bytes of report.prn (Windows-1252, CR LF, form-feed lines between pages).
ScoringError ComposeReport(const ScoringRun& run, QChar brandCode, const ParagraphSource& paragraphs,
                           QByteArray& report);

// Replaces report.prn in the program folder with `report`; when that fails the previous file stays as it was.
ScoringError SaveReportFile(const QString& programDir, const QByteArray& report);

// Composes the report and replaces report.prn in the program folder with it; when anything fails the previous file
// stays as it was.
ScoringError WriteReport(const QString& programDir, const ScoringRun& run, QChar brandCode);
