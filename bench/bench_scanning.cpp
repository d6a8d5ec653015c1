// Times the reading of one answer sheet: cleaning, registration (anchor and reference boxes) and the reading of
// all 138 locations, on a rendered sheet turned 1.2 degrees with noise. Prints medians of 31 runs, in ms.
//   bench_scanning [runs]

#include "DataWorkspace.h"
#include "FilledSheet.h"
#include "Profile.h"
#include "ScanItem.h"
#include "ScanPage.h"
#include "ScanSheet.h"
#include "SheetReading.h"

#include <QDate>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qgetenv("VELTRANE_PROGRAM_DIR").isEmpty())
        qputenv("VELTRANE_PROGRAM_DIR", VELTRANE_PROGRAM_DIR);
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 31;

    const QList<ScanItem> items = DemoScanItems();
    FilledSheet sheet(items);
    sheet.markAll(SheetAnswers::random(1));
    const QImage raw = sheet.scan({1.2, QPointF(5, 8), 250, 5.0, 0.002, 1});
    const QDate today(2026, 1, 1);

    std::vector<double> clean, registration, reading, whole;
    QString responses;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        const QImage cleaned = CleanScanImage(raw);
        clean.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        ScanPage page(cleaned);
        SheetReading r;
        if (!FindAnchorBox(page, r.AnchorPoint))
            return 1;
        page.setOrigin(QPoint(r.AnchorPoint.x, r.AnchorPoint.y));
        if (!FindReferenceBox(page, r.AnchorPoint, r.ReferencePoint))
            return 1;
        r.SheetAngle = r.ReferencePoint.theta;
        registration.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        QList<ScanItem> copy = items;
        ReadSheet(page, copy, today, r);
        reading.push_back(t.nsecsElapsed() / 1e6);
        responses = r.Responses;
    }
    TestProgramDir program;
    DataWorkspace workspace(program.path(), Profile(program.path() + QStringLiteral("/Quillan.ini")));
    for (int i = 0; i < std::min(runs, 11); ++i) {
        QElapsedTimer t;
        t.start();
        if (!ScanSheet(AcquiredPage{raw, 0, QString()}, workspace, today).ok)
            return 1;
        whole.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("runs %d\n", runs);
    std::printf("clean (CleanScanImage)            median %.2f ms\n", median(clean));
    std::printf("registration (anchor, reference)  median %.3f ms\n", median(registration));
    std::printf("mark reading (138 locations)      median %.3f ms\n", median(reading));
    std::printf("registration + mark reading       median %.3f ms\n", median(registration) + median(reading));
    std::printf("whole ScanSheet (images saved, database read and written) median %.2f ms\n", median(whole));
    return responses.size() == 123 ? 0 : 1;
}
