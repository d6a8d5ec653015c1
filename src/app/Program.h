#pragma once
// The whole program as main() builds it: settings, question database, client table, main window and the windows of
// every activity, around the edges a run is given. Tests build it with this same class and scripted edges.

#include "AppContext.h"
#include "EarlierTests.h"

#include <QString>
#include <memory>

class Audio;
class Clock;
class FileDialogs;
class Prompts;
class ReportPrinter;
class PrinterChooser;
class Scanner;
class SingleInstance;
class frmDriveSelect;
class frmMainMenu;

// What a run reaches outside the program: the real ones in main(), scripted ones in tests.
struct ProgramEdges {
    Prompts* prompts = nullptr;
    const Clock* clock = nullptr;
    FileDialogs* files = nullptr;
    ReportPrinter* printer = nullptr; // null: no printer
    PrinterChooser* printerChooser = nullptr; // null: no printer dialog
    Audio* audio = nullptr;           // null: no sound
    Scanner* scanner = nullptr;       // null: no scanner (sheets come from image files)
};

class Program {
public:
    // Builds the program for `programDir`; null when another instance of that folder is running and was brought
    // to the front instead (this one then never touches the settings or the data location).
    // `earlierResults` gives a client's earlier tests held beyond the data location, such as in a results store.
    static std::unique_ptr<Program> build(const QString& programDir, const ProgramEdges& edges,
                                          const PastAdministrationSource& earlierResults = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The start-up sequence to the main menu; false when the user gave up choosing a data location.
    bool start();

    frmMainMenu& mainWindow();
    frmDriveSelect& driveChooser();
    AppContext& context();

private:
    struct Parts;
    Program(std::unique_ptr<SingleInstance> instance, const QString& programDir, const ProgramEdges& edges,
            const PastAdministrationSource& earlierResults);
    std::unique_ptr<Parts> m;
};

// The real edges of a run on this computer, built once in main().
class RealEdges {
public:
    explicit RealEdges(const QString& programDir);
    ~RealEdges();
    ProgramEdges edges() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m;
};
