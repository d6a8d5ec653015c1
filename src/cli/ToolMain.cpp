// The tools behind veltrane-cli: each holds some of its commands and links only what they use. The front starts
// them with its own arguments and names its folder, which decides the program folder a command works on.

#include "Commands.h"

#include "ProgramFolder.h"
#include "SealedFiles.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct Command {
    const char* name;
    int (*run)(const QStringList& args);
    bool gui = true; // draws or prints; reading images needs no GUI application (and starts faster without one)
};

const Command kCommands[] = {
#ifdef VELTRANE_TOOL_PRINT
    {"report", runReport},
#else
    {"sound-list", soundListCommand},
    {"answer-sheet", AnswerSheetCommand},
    {"read-sheet", ReadSheetCommand, false},
    {"export", ExportCommand},
    {"backup", BackupCommand},
    {"restore", RestoreCommand},
    {"audit", AuditCommand, false},
    {"protect", ProtectCommand, false},
    {"publish", PublishCommand},
    {"import", ImportCommand, false},
    {"summary", SummaryCommand, false},
#endif
};

// The folder of the veltrane-cli that started this tool, else this tool's own.
QString frontFolder()
{
    const QString front = qEnvironmentVariable("VELTRANE_CLI_DIR");
    return front.isEmpty() ? QCoreApplication::applicationDirPath() : front;
}

} // namespace

QString CommandProgramDir(const QString& given)
{
    if (!given.isEmpty())
        return given;
    const ProgramFolder folder = ResolveProgramFolder(ProgramFolderPlaces::fromEnvironment(frontFolder()));
    if (!folder.error.isEmpty())
        std::fprintf(stderr, "veltrane-cli: %s\n", qPrintable(folder.error));
    return folder.path;
}

QString CommandSiteFolder()
{
    return SiteFolderPath(ProgramFolderPlaces::fromEnvironment(frontFolder()));
}

QStringList CommandOwnFolders(const QString& programDir, const QString& dataDir)
{
    QStringList own{programDir, dataDir, SiteFolderPath(ProgramFolderPlaces::fromEnvironment(frontFolder()))};
    own.removeAll(QString());
    return own;
}

int main(int argc, char** argv)
{
    const Command* command = nullptr;
    for (const Command& c : kCommands)
        if (argc > 1 && std::strcmp(argv[1], c.name) == 0)
            command = &c;
    if (!command) {
        std::fprintf(stderr, "veltrane-cli: unknown command '%s'; run veltrane-cli --help\n", argc > 1 ? argv[1] : "");
        return 2;
    }
    // Printing and drawing need a GUI application object, never a screen.
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app = command->gui ? std::make_unique<QGuiApplication>(argc, argv)
                                                               : std::make_unique<QCoreApplication>(argc, argv);
    const int status = command->run(QCoreApplication::arguments().mid(2));
    SealedFiles::LockAll(); // an unlocked location's key leaves memory with the command
    return status;
}
