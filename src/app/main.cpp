// veltrane: builds the real edges and the program once, then runs it.

#include "Program.h"
#include "ProgramFolder.h"
#include "Prompts.h"
#include "QtPrompts.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

namespace {

const char* kHelp =
    "usage: veltrane [--help | --version]\n"
    "\n"
    "Starts Veltrane: client intake, the questionnaire on screen, keyed from a paper answer sheet or read from a\n"
    "scanned one, scoring and reports. Qt's own options (for example -platform) are accepted as well.\n"
    "\n"
    "Program folder: run from its build folder, the program works in that folder. Installed, it works in the\n"
    "site folder $XDG_DATA_HOME/veltrane (~/.local/share/veltrane), made at the first start from the installed\n"
    "files in <prefix>/share/veltrane and /etc/veltrane/Quillan.ini when the administrator provides it.\n"
    "\n"
    "Windows, and how each is reached:\n"
    "  About VLT                      shown while the program starts; About... in the menu bar\n"
    "  Please select a drive          at start-up when the saved data location cannot be opened; Options >\n"
    "                                 Drive select\n"
    "  Veltrane (the main menu)       after start-up: the client list and the four menu buttons\n"
    "  Entry Method                   Add New Client\n"
    "  Client Information,            Add New Client, after the entry method (filled from the sheet when it was\n"
    "  Court History                  scanned); Edit Current Client\n"
    "  Select Presentation Language   Administer Test to Client, when the question database has both languages\n"
    "  Question Presentation          Administer Test to Client, after the court history; then the secret code\n"
    "  Edit Client Responses          Enter Test Data from Answer Sheet, Scan Answer Sheet (review) and Edit\n"
    "                                 Current Client, after the court history\n"
    "  Client Name Input              Scan Answer Sheet, before the sheet is scanned or its image file chosen\n"
    "  Secret Code                    Execute Selection on the Reports or Export & Backup tab; the end of a test\n"
    "  Supervisor Options             Supervisor Options: the tabs Reports, Verify Data, Delete Names and\n"
    "                                 Export & Backup\n"
    "  Client Report                  Reports > Print above current client's report (Print Report, Print to...,\n"
    "                                 Save as PDF...)\n"
    "  Print Selected Reports         Reports > Select and print multiple clients' reports\n"
    "  Test Data Input Verification   Verify Data > Execute Selection\n"
    "  Print Answer Sheet             Options > Print Answer Sheet...\n"
    "  Scan a Batch of Answer Sheets  Options > Scan a Batch of Answer Sheets...\n"
    "  A question on an interrupted test, at start-up and after Drive select, when one was cut short.\n"
    "\n"
    "See veltrane(1) and veltrane-cli(1).\n";

// --help and --version are answered before the window system is needed, so they work without a display.
bool answeredInformationOption(int argc, char** argv, int& status)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            status = 0;
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("veltrane %s\n", VELTRANE_VERSION);
            status = 0;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    int status = 0;
    if (answeredInformationOption(argc, argv, status))
        return status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle());
    QApplication::setApplicationVersion(QStringLiteral(VELTRANE_VERSION));
    // Qt takes its own options out of the arguments; anything left is a mistake.
    if (app.arguments().size() > 1) {
        std::fprintf(stderr, "veltrane: unknown argument '%s'\n\n%s", qPrintable(app.arguments().at(1)), kHelp);
        return 2;
    }

    const ProgramFolder folder =
        ResolveProgramFolder(ProgramFolderPlaces::fromEnvironment(QCoreApplication::applicationDirPath()));
    if (!folder.error.isEmpty()) {
        std::fprintf(stderr, "veltrane: %s\n", qPrintable(folder.error));
        QtPrompts().message(folder.error, AppTitle(), Prompts::Icon::Critical, Prompts::Buttons::Ok);
        return 1;
    }
    const QString programDir = folder.path;

    RealEdges real(programDir);
    const std::unique_ptr<Program> program = Program::build(programDir, real.edges());
    if (!program || !program->start())
        return 0;
    return app.exec();
}
