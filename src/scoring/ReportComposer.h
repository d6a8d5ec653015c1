#pragma once
// Writes the report line by line with the page bookkeeping (line count, page number, form feeds). Each block is a
// method of its own so that it can also be exercised from any line count.

#include "ReportWriter.h"

#include <QByteArray>
#include <QString>

class ReportComposer {
public:
    ReportComposer(const ScoringRun& run, QChar brandCode, ParagraphSource paragraphs);

    // The whole report: the invalid-test report when Percentile[1] is 95 or more, else the normal one.
    ScoringError compose(QByteArray& out);

    void normalReport();
    void invalidReport();
    void clientBlock(int headingColumn, const QString& heading);
    void profile(int first, int last);
    void scaleBlock(int s);
    void responsesBlock();
    void footer(int target);
    void significantItems();
    void multipleChoice();
    void courtHistory();
    void observations();
    void newPage();

    int16_t lineCount() const { return m_lineCount; }
    void setLineCount(int16_t n) { m_lineCount = n; }
    int16_t pageNumber() const { return m_pageNumber; }
    const ScoringError& error() const { return m_error; }
    // What has been written so far, as the file's bytes.
    QByteArray bytes() const;

private:
    void put(const QString& t);
    void sp(int n);
    // Pads to column c (1-based); a line already past it is ended and the next one padded instead.
    void col(int c);
    void num(int v);
    void endLine();
    void blank();
    void check(int k);
    void countLine();
    int titleColumn() const;
    void paragraph(int s);
    void continuedPage();
    QString choiceEntry(int i) const;
    static QString bar(int percentile);
    static QString courtAnswer(const QString& v);

    const ScoringRun& m_run;
    const ScoreSheet& m_sheet;
    const ReportWording& m_words;
    QChar m_brand;
    ParagraphSource m_paragraphs;
    ScoringError m_error;
    QString m_text;
    QString m_line;
    int16_t m_lineCount = 1;
    int16_t m_pageNumber = 1;
};
