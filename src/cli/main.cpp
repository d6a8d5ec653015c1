// veltrane-cli: command-line tools over the program's logic, for scripts and for checking an installation.

#include "Commands.h"

#include "ProgramFolder.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& args);
    bool gui = true; // draws or prints; reading images needs no GUI application (and starts faster without one)
};

const Command kCommands[] = {
    {"version", "print the program's version",
     [](const QStringList&) {
         std::printf("veltrane-cli %s\n", VELTRANE_VERSION);
         return 0;
     }},
    {"sound-list", "list the wave files of the question tables and what they say", soundListCommand},
    {"answer-sheet", "write the blank answer sheet as PDF", AnswerSheetCommand},
    {"read-sheet", "read answer-sheet images as a scan does (JSON Lines)", ReadSheetCommand, false},
    {"report", "score a client and write its report (report.prn, optional JSON scores and PDF)", runReport},
    {"export", "every client's scores as CSV or JSON", ExportCommand},
    {"backup", "copy a data location's client file into a folder, checked", BackupCommand},
    {"restore", "put a backup in place of a data location's client file", RestoreCommand},
};

void usage(FILE* out)
{
    std::fprintf(out, "usage: veltrane-cli <command> [options]\n\ncommands:\n");
    for (const Command& c : kCommands)
        std::fprintf(out, "  %-14s %s\n", c.name, c.summary);
    std::fprintf(out, "\nveltrane-cli <command> --help shows a command's options. Without --program-dir a command\n"
                      "works on the folder the program runs on: the build folder where it was built, else the\n"
                      "site folder $XDG_DATA_HOME/veltrane (~/.local/share/veltrane). See veltrane-cli(1).\n");
}

} // namespace

QString CommandProgramDir(const QString& given)
{
    if (!given.isEmpty())
        return given;
    const ProgramFolder folder =
        ResolveProgramFolder(ProgramFolderPlaces::fromEnvironment(QCoreApplication::applicationDirPath()));
    if (!folder.error.isEmpty())
        std::fprintf(stderr, "veltrane-cli: %s\n", qPrintable(folder.error));
    return folder.path;
}

QStringList CommandOwnFolders(const QString& programDir, const QString& dataDir)
{
    QStringList own{programDir, dataDir,
                    SiteFolderPath(ProgramFolderPlaces::fromEnvironment(QCoreApplication::applicationDirPath()))};
    own.removeAll(QString());
    return own;
}

int main(int argc, char** argv)
{
    // Printing and drawing need a GUI application object, never a screen.
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    bool gui = true;
    for (const Command& c : kCommands)
        if (argc > 1 && std::strcmp(argv[1], c.name) == 0)
            gui = c.gui;
    const std::unique_ptr<QCoreApplication> app =
        gui ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        usage(stderr);
        return 2;
    }
    if (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h") || args[0] == QLatin1String("help")) {
        usage(stdout);
        return 0;
    }
    if (args[0] == QLatin1String("--version"))
        return kCommands[0].run({});
    for (const Command& c : kCommands) {
        if (args[0] == QLatin1String(c.name))
            return c.run(args.mid(1));
    }
    std::fprintf(stderr, "veltrane-cli: unknown command '%s'\n\n", qPrintable(args[0]));
    usage(stderr);
    return 2;
}
