// Keys full answer sheets of 123 digits into the answer grid window (offscreen) and reports the time per key:
// the grid's key handling plus the repaint it causes.
//   bench_keying [sheets]

#include "KeyingEnv.h"
#include "frmNewEntry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int sheets = argc > 1 ? std::max(1, atoi(argv[1])) : 40;

    QString sheet;
    for (int i = 1; i <= NumItems; ++i)
        sheet += QChar('0' + (i <= 86 ? 1 + i % 2 : 1 + i % 4));

    QList<double> perKey;
    QList<double> perSheet;
    for (int s = 0; s < sheets; ++s) {
        KeyingEnv env;
        if (!env.databaseError.isEmpty()) {
            std::fprintf(stderr, "bench_keying: %s\n", qPrintable(env.databaseError));
            return 1;
        }
        env.startNewClient(QStringLiteral("Bench, Sheet"));
        frmNewEntry window(env.ctx);
        window.show();
        if (!QTest::qWaitForWindowActive(&window)) {
            std::fprintf(stderr, "bench_keying: the window did not become active\n");
            return 1;
        }
        QElapsedTimer sheetTimer;
        sheetTimer.start();
        for (QChar c : sheet) {
            QElapsedTimer t;
            t.start();
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            QCoreApplication::processEvents(); // the repaint belongs to the key
            perKey.append(t.nsecsElapsed() / 1000.0);
        }
        perSheet.append(sheetTimer.nsecsElapsed() / 1e6);
        if (window.keying()->responses(NumItems) != sheet) {
            std::fprintf(stderr, "bench_keying: the keyed answers differ from the sheet\n");
            return 1;
        }
    }
    std::sort(perKey.begin(), perKey.end());
    std::sort(perSheet.begin(), perSheet.end());
    auto at = [](const QList<double>& v, double q) {
        return v.at(std::min<qsizetype>(v.size() - 1, qsizetype(q * v.size())));
    };
    std::printf("answer grid keying: %d sheets x %d keys\n", sheets, int(NumItems));
    std::printf("  per key: median %.1f us, p90 %.1f us, max %.1f us\n", at(perKey, 0.5), at(perKey, 0.9),
                perKey.last());
    std::printf("  per sheet: median %.1f ms\n", at(perSheet, 0.5));
    return 0;
}
