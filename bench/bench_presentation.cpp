// Takes whole tests in the presentation window (offscreen) on the demo question tables and reports the time from
// the answer key to the next item shown: the window's handling, the answer kept in the journal on the data location
// and flushed, the sound started and the repaint.
//   bench_presentation [tests] [data-folder] [--no-journal]
// The data location is a temporary folder unless one is named (a FAT mount, say); its DATA401.* files are replaced.
// The spoken sounds go to the real audio when a sound server answers (see scripts/start-pulse.sh), else to a fake.

#include "PresentFixture.h"
#include "QtAudio.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("VELTRANE_PROGRAM_DIR"))
        qputenv("VELTRANE_PROGRAM_DIR", VELTRANE_PROGRAM_DIR);
    QApplication app(argc, argv);
    const int tests = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    const QString dataFolder = argc > 2 && argv[2][0] != '-' ? QString::fromLocal8Bit(argv[2]) : QString();
    const bool journal = !(argc > 2 && QByteArray(argv[argc - 1]) == "--no-journal");
    QtAudio realAudio;

    QList<double> perAnswer;
    for (int t = 0; t < tests; ++t) {
        PresentFixture f;
        QFile::remove(f.dir.filePath(QStringLiteral("qn.mdb")));
        if (!CopyDemoDatabase(f.dir.path())) {
            std::fprintf(stderr, "bench_presentation: no demo question database in %s\n", VELTRANE_PROGRAM_DIR);
            return 1;
        }
        f.ctx->SoundPath = ProgramDirForTests();
        if (realAudio.isAvailable())
            f.ctx->audio = &realAudio;
        if (!dataFolder.isEmpty()) {
            f.table.setDataPath(dataFolder);
            QFile::remove(dataFolder + QStringLiteral("/DATA401.JNL"));
            WriteFile(f.table.ClientFilePath, ClientRecord::blank().toBytes().repeated(3));
            f.table.LoadClients();
        }
        f.ctx->client.setMode(Administration::Mode::OnScreen);
        f.startNewClient();
        // As the client information window does: the administration begins, and each answer is kept from here on.
        if (journal && !f.ctx->client.stage([](ClientRecord&) {})) {
            std::fprintf(stderr, "bench_presentation: the new client was not staged\n");
            return 1;
        }
        frmPresentQA w(*f.ctx);
        w.Language = t % 2 ? QStringLiteral("Spanish") : QStringLiteral("English");
        QString error;
        if (!w.Load(&error)) {
            std::fprintf(stderr, "bench_presentation: %s\n", qPrintable(error));
            return 1;
        }
        w.show();
        if (!QTest::qWaitForWindowActive(&w)) {
            std::fprintf(stderr, "bench_presentation: the window did not become active\n");
            return 1;
        }
        for (int guard = 0; guard < 3000 && w.isVisible(); ++guard) {
            const Presentation* p = w.presentation();
            if (p->InstructionsShowing()) {
                PressKey(&w, Qt::Key_Return);
                continue;
            }
            const int id = p->CurrentItem().ID;
            for (int i = 0; i <= id % ChoicesOfItem(id); ++i)
                PressKey(&w, Qt::Key_Down);
            QElapsedTimer timer;
            timer.start();
            PressKey(&w, Qt::Key_Return);
            QCoreApplication::processEvents(); // the repaint belongs to the answer
            perAnswer.append(timer.nsecsElapsed() / 1000.0);
        }
        if (w.isVisible() || f.table.NumClients != 4) {
            std::fprintf(stderr, "bench_presentation: the test did not end with the client saved\n");
            return 1;
        }
    }
    std::sort(perAnswer.begin(), perAnswer.end());
    auto at = [&](double q) { return perAnswer.at(std::min<qsizetype>(perAnswer.size() - 1, q * perAnswer.size())); };
    std::printf("presentation, answer key to next item shown: %d tests x %d answers, audio %s, journal %s\n", tests,
                int(NumItems), realAudio.isAvailable() ? "Qt Multimedia" : "fake (no sound server)",
                journal ? qPrintable(QDir::toNativeSeparators(dataFolder.isEmpty() ? QStringLiteral("in a temporary "
                                                                                                   "folder")
                                                                                   : dataFolder))
                        : "off");
    std::printf("  median %.1f us, p90 %.1f us, p95 %.1f us, max %.1f us\n", at(0.5), at(0.9), at(0.95),
                perAnswer.last());
    return 0;
}
