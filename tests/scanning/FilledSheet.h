#pragma once
// Test helper: a printed answer sheet marked in pencil and "scanned" at 100 dpi with a chosen rotation, offset,
// paper grey, noise and dust.

#include "AnswerSheet.h"
#include "ScanItem.h"
#include "Scanner.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QTemporaryDir>
#include <array>

class DataWorkspace;
class QPainter;

// What a client marked, by bubble position; 0 (or -1 for court digits and ' ' for date digits) means left blank.
struct SheetAnswers {
    int gender = 0, race = 0, education = 0, marital = 0;
    std::array<int, 5> court{-1, -1, -1, -1, -1};
    QString responses; // 123 characters, '0' blank
    QString dob;       // six characters: month, day and year digits, ' ' for a blank column

    // A complete random sheet from `seed`.
    static SheetAnswers random(quint32 seed);
};

struct Scanning {
    double angle = 0; // degrees, about the top centre of the page (about its centre past 90 degrees)
    QPointF offset;   // pixels at 100 dpi
    int paper = 255;  // grey of blank paper
    double noise = 0; // standard deviation of sensor noise, grey levels
    double dust = 0;  // share of pixels turned into dark specks
    quint32 seed = 1;
    double dpi = 100;
    bool tagged = true;      // the image states its resolution
    QSize canvas{850, 1400}; // the page scanned, pixels at 100 dpi
    double printScale = 1.0; // the sheet as printed (a printer's "fit to page" shrinks it)
};

class FilledSheet {
public:
    explicit FilledSheet(QList<ScanItem> items) : m_sheet(std::move(items)) {}

    // A pencil mark filling bubble `index` of location `id` (diameter in pixels, grey 0-255).
    void mark(int id, int index, int grey = 70, double diameter = 12.5) { m_marks.append({id, index, grey, diameter}); }
    // A mark rubbed out: a light grey stain with a few darker crumbs left.
    void smudge(int id, int index) { m_marks.append({id, index, 0, 0, true}); }
    // Marks every answer of `answers` with the same pencil.
    void markAll(const SheetAnswers& answers, int grey = 70, double diameter = 12.5);

    QImage scan(const Scanning& how) const;
    // Paints the marks onto a page on which the sheet is already printed, in page coordinates.
    void paintMarks(QPainter& p, quint32 seed = 1) const;
    const AnswerSheet& sheet() const { return m_sheet; }

private:
    struct Mark {
        int id, index, grey;
        double diameter;
        bool smudge = false;
    };
    AnswerSheet m_sheet;
    QList<Mark> m_marks;
};

// The ScanItem rows of the demo question database (built beside the program).
QList<ScanItem> DemoScanItems();

// A fresh program folder holding a copy of the demo question database.
class TestProgramDir {
public:
    TestProgramDir();
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// A scanner that hands out the pages queued, then reports an empty feeder.
class QueuedScanner final : public Scanner {
public:
    QList<AcquiredPage> pages;
    AcquiredPage acquire() override
    {
        return pages.isEmpty() ? AcquiredPage::failure(20082, QStringLiteral("No page.")) : pages.takeFirst();
    }
};
