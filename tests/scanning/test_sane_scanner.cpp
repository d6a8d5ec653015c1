// Acquisition through the real SANE library: its pnm backend serves a rendered sheet of ours as the scanned page
// (enabled by a private SANE_CONFIG_DIR), and simulates the device errors an office will meet.

#include "DataWorkspace.h"
#include "FilledSheet.h"
#include "Profile.h"
#include "SaneScanner.h"
#include "ScanSheet.h"
#include "ScannerErrors.h"
#include "TestDefinition.h"
#include "TestFiles.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class TestSaneScanner : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_items = DemoScanItems();
        m_answers = SheetAnswers::random(42);
        FilledSheet sheet(m_items);
        sheet.markAll(m_answers);
        m_sheet = sheet.scan({0.9, QPointF(4, 7), 245, 4.0, 0.001, 42});
        m_pgm = m_dir.filePath(QStringLiteral("sheet.pgm"));
        QVERIFY(m_sheet.save(m_pgm, "PGM"));
        useBackends(QStringLiteral("pnm\n"));
    }

    void acquire_namedPnmDevice_servesOurPageAndReadsBack()
    {
        const QString ini = writeSettings(QStringLiteral("pnm:0"), QStringLiteral("filename=") + m_pgm);
        SaneScanner scanner(SaneSettings::fromProfile(Profile(ini)));
        const AcquiredPage page = scanner.acquire();
        QVERIFY2(page.ok(), qPrintable(QStringLiteral("%1 %2").arg(page.errorNumber).arg(page.detail)));
        QVERIFY(page.image == m_sheet); // grey, pixel for pixel

        TestProgramDir program;
        DataWorkspace workspace(program.path(), Profile(program.path() + QStringLiteral("/Quillan.ini")));
        const ScanOutcome outcome = ScanSheet(page, workspace, QDate(2026, 6, 1));
        QVERIFY2(outcome.ok, qPrintable(outcome.failure.text));
        QCOMPARE(outcome.reading.Responses, m_answers.responses);
        QCOMPARE(outcome.reading.Race, QString::number(m_answers.race));
        // The scan's images are left beside the program, the cleaned one in two levels only; each ScanItem row
        // holds its first bubble as this (turned) scan found it.
        const QImage clean = QImage(program.path() + "/Scan.bmp").convertToFormat(QImage::Format_Grayscale8);
        QCOMPARE(clean.size(), QSize(850, 1400));
        QCOMPARE(QImage(program.path() + "/Raw.bmp").size(), QSize(850, 1400));
        for (int y = 0; y < clean.height(); y += 7)
            for (int x = 0; x < clean.width(); x += 5)
                QVERIFY(clean.pixelColor(x, y).red() == 0 || clean.pixelColor(x, y).red() == 255);
        QString problem;
        auto db = workspace.OpenQuestionDatabase(&problem);
        QSqlQuery q(db->db());
        QVERIFY(q.exec(QStringLiteral("SELECT r, theta, x, y FROM ScanItem")));
        int rows = 0;
        for (; q.next(); ++rows) {
            const double t = (q.value(1).toDouble() + outcome.reading.SheetAngle) * M_PI / 180;
            QVERIFY(std::abs(q.value(2).toInt() - q.value(0).toDouble() * std::cos(t)) <= 0.51);
            QVERIFY(std::abs(q.value(3).toInt() - q.value(0).toDouble() * std::sin(t)) <= 0.51);
        }
        QCOMPARE(rows, NumScanItems);

        // The pnm backend is a feeder of one page: the empty feeder after it ends the run, and is no failure.
        QList<AcquiredPage> pages;
        scanner.acquireAll([&pages](const AcquiredPage& p) {
            pages << p;
            return true;
        });
        QCOMPARE(pages.size(), 1);
        QVERIFY2(pages[0].ok(), qPrintable(pages[0].detail));
        QCOMPARE(pages[0].dpi, 100.0);

        // With no device named, the first found; the empty feeder before must not fail this scan.
        SaneSettings settings;
        settings.options = SaneSettings::parseOptions(QStringLiteral(" filename = ") + m_pgm + QStringLiteral(";"));
        const AcquiredPage first = SaneScanner(settings).acquire();
        QVERIFY2(first.ok() && first.image == m_sheet, qPrintable(first.detail));
    }

    void acquire_deviceErrors_mapToTheirNumbers()
    {
        // The test backend has mode, depth, resolution and a frame of at most 200 x 200 mm, and starts at 80 x 100
        // mm and a resolution near 0: only our settings give its largest frame at 100 dpi, still smaller than a
        // legal page.
        const char* small = "a page of 200 x 200 mm where a legal-size page";
        struct Device {
            const char *backend, *device, *options; // %1: the sheet's file
            int number;
            const char* detail; // a part of what the error says
        };
        // clang-format off
        const Device devices[] = {
            {"pnm", "pnm:0", "filename=%1;status-jammed=yes", ScannerErrors::ScannerJammed, ""},
            {"pnm", "pnm:0", "filename=%1;status-nodocs=yes", ScannerErrors::ScannerNoDocument, ""},
            {"pnm", "pnm:0", "filename=%1;status-coveropen=yes", ScannerErrors::ScannerCoverOpen, ""},
            {"pnm", "pnm:0", "filename=%1;status-ioerror=yes", ScannerErrors::ScannerIoError, ""},
            {"pnm", "pnm:0", "filename=%1;status-nomem=yes", ScannerErrors::TwainNotEnoughMemory, ""},
            {"pnm", "pnm:0", "filename=/nonexistent/x.pgm", ScannerErrors::ScannerInvalidSetting, ""},
            {"pnm", "pnm:0", "filename=%1;no-such-option=1", ScannerErrors::ScannerInvalidSetting, ""},
            {"pnm", "nosuch:0", "", ScannerErrors::ScannerNotFound, ""},
            {"", "", "", ScannerErrors::TwainNoDataSource, "[Scanner]"}, // no scanner at all
            {"test", "test:0", "", ScannerErrors::ScannerPageTooSmall, small},
            {"test", "test:0", "mode=Color", ScannerErrors::ScannerPageTooSmall, small},
            {"test", "test:0", "depth=16", ScannerErrors::ScannerPageTooSmall, small},
            {"test", "test:0", "mode=Color;three-pass=yes", ScannerErrors::ScannerImageFormat, ""},
        };
        // clang-format on
        for (const Device& d : devices) {
            useBackends(*d.backend ? QString::fromLatin1(d.backend) + "\n" : QString());
            const QString options = QString::fromLatin1(d.options).replace("%1", m_pgm);
            const AcquiredPage page =
                *d.device ? SaneScanner(SaneSettings::fromProfile(Profile(writeSettings(d.device, options)))).acquire()
                          : SaneScanner(SaneSettings()).acquire();
            QVERIFY2(!page.ok() && page.errorNumber == d.number, qPrintable(QString(d.options) + ": " + page.detail));
            QVERIFY2(!page.detail.isEmpty() && page.detail.contains(d.detail), qPrintable(page.detail));
        }
        useBackends(QStringLiteral("pnm\n"));
    }

private:
    void useBackends(const QString& dllConf)
    {
        const QString config = m_dir.filePath(QStringLiteral("sane.d"));
        WriteFile(config + QStringLiteral("/dll.conf"), dllConf.toUtf8());
        // Without a trailing ':' only this folder is read, not the system's.
        qputenv("SANE_CONFIG_DIR", config.toLocal8Bit());
    }

    QString writeSettings(const QString& device, const QString& options)
    {
        const QString ini = m_dir.filePath(QStringLiteral("Quillan.ini"));
        QFile::remove(ini);
        const Profile profile(ini);
        profile.write(QStringLiteral("Scanner"), QStringLiteral("Device"), device);
        profile.write(QStringLiteral("Scanner"), QStringLiteral("Options"), options);
        return ini;
    }

    QTemporaryDir m_dir;
    QList<ScanItem> m_items;
    SheetAnswers m_answers;
    QImage m_sheet;
    QString m_pgm;
};

QTEST_MAIN(TestSaneScanner)
#include "test_sane_scanner.moc"
