#pragma once
// A program folder and data location for the report windows with fake prompts, printer, printer dialog and file
// choosers, and report pages read back from report.prn independently of the code under test.

#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
#include "FakeFileDialogs.h"
#include "FakePrinterChooser.h"
#include "FakePrompts.h"
#include "FakeReportPrinter.h"
#include "Profile.h"
#include "ReportWriter.h"
#include "ScoringTestData.h"

#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>

struct ReportWindowHarness {
    QTemporaryDir dir;
    QString program = dir.path() + QStringLiteral("/program");
    QString pdfs = dir.path() + QStringLiteral("/Documents");
    Profile settings{program + QStringLiteral("/Quillan.ini")};
    FakePrompts prompts;
    FakeClock clock;
    ClientTable table;
    SessionFlags flags;
    DataWorkspace workspace{program, settings};
    AppContext ctx{table, flags, prompts, clock, settings, workspace, program};
    FakeReportPrinter printer;
    FakePrinterChooser chooser;
    FakeFileDialogs files;

    // Copies the program files and writes `clients` to the data location's client file, then loads it.
    bool setUp(const QList<ClientRecord>& clients)
    {
        ctx.printer = &printer;
        ctx.printerChooser = &chooser;
        ctx.files = &files;
        QByteArray bytes;
        for (const ClientRecord& r : clients)
            bytes += r.toBytes();
        WriteFile(dir.path() + QStringLiteral("/data/DATA401.QN"), bytes);
        table.setDataPath(dir.path() + QStringLiteral("/data"));
        table.LoadClients();
        table.CurClient = 1;
        return CopyTestProgram(program) && table.NumClients == clients.size();
    }
};

// report.prn cut at its form-feed lines; a page after a form feed starts with the rest of that line, an empty line.
inline QList<QStringList> ReportFilePages(const QByteArray& report)
{
    QList<QStringList> pages{{}};
    for (const QString& line : ReportLines(report)) {
        if (line == QStringLiteral("\f"))
            pages.append(QStringList{QString()});
        else
            pages.last() << line;
    }
    return pages;
}

// The sheets a report text box shows, each as its lines.
inline QList<QStringList> ShownPages(const QTextEdit* text)
{
    QList<QStringList> pages;
    for (QTextFrame* frame : text->document()->rootFrame()->childFrames()) {
        QTextCursor c(text->document());
        c.setPosition(frame->firstPosition());
        c.setPosition(frame->lastPosition(), QTextCursor::KeepAnchor);
        pages << c.selectedText().split(QChar::ParagraphSeparator);
    }
    return pages;
}
