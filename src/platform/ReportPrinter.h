#pragma once
// Printing a document of fixed-width text pages, behind an interface so tests can keep the pages instead.

#include <QList>
#include <QString>
#include <QStringList>

// One document: each page's lines go on one printed page, in the named monospaced font.
struct PrintJob {
    QString title;
    QString fontFamily;
    qreal pointSize = 0;
    QList<QStringList> pages;
};

struct PrintOutcome {
    enum class Status {
        Printed,   // the whole document went to the printer or file
        NoPrinter, // nothing to print on: no printer is installed or none is the default
        Failed,    // a printer or file was there but the document did not come out whole
    };
    Status status = Status::Printed;
    QString message; // for a supervisor; empty when printed

    bool printed() const { return status == Status::Printed; }
};

class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;
    virtual PrintOutcome print(const PrintJob& job) = 0;
    // Where the pages go, for the audit trail: a printer's name or a file.
    virtual QString describe() const { return QStringLiteral("the default printer"); }
};
