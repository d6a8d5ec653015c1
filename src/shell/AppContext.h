#pragma once
// What every window of a run works on: the client table, the shared flags and the services at the edges.
// Built once in main() (or by a test) and passed down by reference.

#include "ClientTable.h"
#include "CurrentClient.h"
#include "SessionFlags.h"

#include <QString>
#include <QStringList>
#include <functional>

class Prompts;
class Clock;
class Profile;
class DataWorkspace;
class Audio;
class ReportPrinter;
class PrinterChooser;
class Scanner;
class FileDialogs;
class QWidget;
class SheetReviewPanel;

struct AppContext {
    AppContext(ClientTable& t, SessionFlags& f, Prompts& p, const Clock& c, Profile& s, DataWorkspace& w, QString dir)
        : table(t), flags(f), prompts(p), clock(c), settings(s), workspace(w), programDir(std::move(dir)), client(t, f, p, c)
    {
    }

    ClientTable& table;
    SessionFlags& flags;
    Prompts& prompts;
    const Clock& clock;
    Profile& settings;
    DataWorkspace& workspace;
    QString programDir;
    // Every window starts, stages, commits and gives up the client it works on through this one owner.
    CurrentClient client;
    QString SoundPath;
    QString BrandCode = QStringLiteral("N");
    // Optional services; null where a run has none.
    Audio* audio = nullptr;
    ReportPrinter* printer = nullptr;
    PrinterChooser* printerChooser = nullptr;
    Scanner* scanner = nullptr;
    FileDialogs* files = nullptr;
    // The folders whose files no output the user names may replace (see PrivateFile::OutputRefusal).
    QStringList OwnFolders() const { return {programDir, table.DataPath}; }
    // While a scanned sheet is reviewed: makes the panel that shows the sheet beside a review window's fields.
    std::function<SheetReviewPanel*(QWidget* window)> reviewPanel;
};

// The publisher's brand code; every other code selects the distributor.
inline bool IsPublisherBrand(const QString& brandCode)
{
    return brandCode == QLatin1String("N");
}
