// Opens arbitrary bytes as the question database file and reads it as the program does: its languages, each
// question table and the answer-sheet layout. Every refusal must say why.

#include "DataWorkspace.h"
#include "LanguageTables.h"
#include "Profile.h"
#include "QuestionSet.h"
#include "ScanItem.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdint>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Made once: the program folder (in memory where the system has a memory file system) and its workspace.
struct Folder {
    QTemporaryDir dir{QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/veltrane-fuzz-XXXXXX")
                                                : QDir::tempPath() + QStringLiteral("/veltrane-fuzz-XXXXXX")};
    Profile settings{dir.path() + QStringLiteral("/Quillan.ini")};
    DataWorkspace workspace{dir.path(), settings};
    QByteArray path = QFile::encodeName(workspace.questionDatabasePath());
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_question_db";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv); // the SQL drivers are plug-ins found through the application
    static Folder folder;

    const int fd = ::open(folder.path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ::write(fd, data, size) != static_cast<ssize_t>(size))
        __builtin_trap();
    ::close(fd);

    QString error;
    std::unique_ptr<DataWorkspace::Database> db = folder.workspace.OpenQuestionDatabase(&error);
    if (!db) {
        if (error.isEmpty())
            __builtin_trap();
        return 0;
    }
    const QString shown = QStringLiteral("qn.mdb");
    const QStringList languages = LanguageTables::InDatabase(db->db(), shown, &error);
    if (languages.isEmpty() && error.isEmpty())
        __builtin_trap();
    for (const QString& language : languages) {
        error.clear();
        if (!QuestionSet::Read(db->db(), language, shown, &error) && error.isEmpty())
            __builtin_trap();
    }
    QList<ScanItem> items;
    LoadScanItems(db->db(), shown, items);
    return 0;
}
