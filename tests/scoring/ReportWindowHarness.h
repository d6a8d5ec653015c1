#pragma once
// A program folder and data location for the report windows, with fake prompts and printer, and the report as
// the windows show and print it, read back independently of the code under test.

#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
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
    QString data = dir.path() + QStringLiteral("/data");
    QString pdfs = dir.path() + QStringLiteral("/Documents");
    Profile settings{program + QStringLiteral("/Quillan.ini")};
    FakePrompts prompts;
    FakeClock clock;
    ClientTable table;
    SessionFlags flags;
    DataWorkspace workspace{program, settings};
    AppContext ctx{table, flags, prompts, clock, settings, workspace, program};
    FakeReportPrinter printer;

    ReportWindowHarness() { ctx.printer = &printer; }

    // The data location holds `clients` (written through the client file, as the program reads it).
    bool setUp(const QString& programSource, const QList<ClientRecord>& clients)
    {
        if (!QDir().mkpath(program) || !QDir().mkpath(data))
            return false;
        const QDir source(programSource);
        for (const QString& name : source.entryList(QDir::Files))
            if (!QFile::copy(source.filePath(name), program + QLatin1Char('/') + name))
                return false;
        QFile file(data + QStringLiteral("/DATA401.QN"));
        if (!file.open(QIODevice::WriteOnly))
            return false;
        for (const ClientRecord& r : clients)
            file.write(r.toBytes());
        file.close();
        table.setDataPath(data);
        if (table.LoadClients().error || table.NumClients != clients.size())
            return false;
        table.CurClient = 1;
        return true;
    }
};

// report.prn as pages of lines: cut at the form-feed lines; a page after a form feed starts with the rest of that
// line, an empty line.
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
    QTextDocument* doc = text->document();
    for (QTextFrame* frame : doc->rootFrame()->childFrames()) {
        QTextCursor c(doc);
        c.setPosition(frame->firstPosition());
        c.setPosition(frame->lastPosition(), QTextCursor::KeepAnchor);
        pages << c.selectedText().split(QChar::ParagraphSeparator);
    }
    return pages;
}

inline QString PageText(const QStringList& page)
{
    return page.join(QLatin1Char('\n'));
}
