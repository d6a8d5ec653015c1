// veltrane-cli: command-line tools over the program's logic, for scripts and for checking an installation.
// This front answers --help and version itself and hands every other command to the tool that holds it, so that
// neither the quick answers nor a command pay for libraries they never use. The tools lie beside it where the
// program was built, else in ../lib/veltrane.

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

struct Command {
    const char* name;
    const char* summary;
    const char* tool; // the executable that runs it; null: answered here
};

const Command kCommands[] = {
    {"version", "print the program's version", nullptr},
    {"sound-list", "list the wave files of the question tables and what they say", "veltrane-cli-data"},
    {"answer-sheet", "write the blank answer sheet as PDF", "veltrane-cli-data"},
    {"read-sheet", "read answer-sheet images as a scan does (JSON Lines)", "veltrane-cli-data"},
    {"report", "score a client and write its report (report.prn, optional JSON scores and PDF)",
     "veltrane-cli-print"},
    {"export", "every client's scores as CSV or JSON", "veltrane-cli-data"},
    {"backup", "copy a data location's client file into a folder, checked", "veltrane-cli-data"},
    {"restore", "put a backup in place of a data location's client file", "veltrane-cli-data"},
    {"audit", "list or verify a data location's audit trail", "veltrane-cli-data"},
    {"protect", "encrypt a data location, change its passphrase or remove the encryption", "veltrane-cli-data"},
    {"publish", "write a data location's scored administrations into a results store", "veltrane-cli-data"},
    {"import", "load a results bundle into a results store", "veltrane-cli-data"},
    {"summary", "administrations by office and month, and the ranges per scale, of a store", "veltrane-cli-data"},
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

int version()
{
    std::printf("veltrane-cli %s\n", VELTRANE_VERSION);
    return 0;
}

std::string ownFolder()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    path[n] = '\0';
    char* slash = std::strrchr(path, '/');
    if (slash == path)
        return "/";
    if (slash)
        *slash = '\0';
    return path;
}

int runTool(const char* tool, char** argv)
{
    const std::string own = ownFolder();
    std::string path = own + '/' + tool;
    if (access(path.c_str(), X_OK) != 0)
        path = own + "/../lib/veltrane/" + tool;
    // The tool works on the program folder of this executable, wherever the tool itself lies.
    setenv("VELTRANE_CLI_DIR", own.c_str(), 1);
    execv(path.c_str(), argv);
    std::fprintf(stderr, "veltrane-cli: the program part %s cannot be started (%s): reinstall the program.\n",
                 path.c_str(), std::strerror(errno));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        usage(stderr);
        return 2;
    }
    const char* first = argv[1];
    if (!std::strcmp(first, "--help") || !std::strcmp(first, "-h") || !std::strcmp(first, "help")) {
        usage(stdout);
        return 0;
    }
    if (!std::strcmp(first, "--version"))
        return version();
    for (const Command& c : kCommands) {
        if (std::strcmp(first, c.name) != 0)
            continue;
        if (c.tool)
            return runTool(c.tool, argv);
        if (argc > 2 && (!std::strcmp(argv[2], "--help") || !std::strcmp(argv[2], "-h"))) {
            std::printf("usage: veltrane-cli version\n\nPrints the program\'s version.\n");
            return 0;
        }
        return version();
    }
    std::fprintf(stderr, "veltrane-cli: unknown command '%s'\n\n", first);
    usage(stderr);
    return 2;
}
