// Whole report files against files derived by hand, and what a failed run leaves behind.

#include "ClientTable.h"
#include "ScoreAndReport.h"
#include "ScoringTestData.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Names the first differing line so a layout fault is easy to find.
QString firstDifference(const QByteArray& actual, const QByteArray& expected)
{
    const QStringList a = ReportLines(actual);
    const QStringList e = ReportLines(expected);
    for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
        const QString al = i < a.size() ? a[i] : QStringLiteral("<none>");
        const QString el = i < e.size() ? e[i] : QStringLiteral("<none>");
        if (al != el)
            return QStringLiteral("line %1\n  actual:   [%2]\n  expected: [%3]").arg(i + 1).arg(al, el);
    }
    return QStringLiteral("line ends or final bytes differ");
}

} // namespace

class TestReportFiles : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    ClientTable m_table;

    QString program() const { return m_dir->path(); }
    QString report() const { return ReportFilePath(program()); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(CopyTestProgram(program()));
        m_table = ClientTable();
        m_table.setDataPath(m_dir->path() + QStringLiteral("/data"));
        for (int n = 1; n <= 3; ++n)
            m_table.Clients[n] = TestClient(n);
        m_table.NumClients = 3;
        m_table.CurClient = 1;
    }

    void wholeReport_matchesHandDerivedFile_data()
    {
        QTest::addColumn<int>("client");
        QTest::addColumn<QChar>("brand");
        QTest::addColumn<QString>("expected");
        QTest::newRow("normal report, page break inside a paragraph, four pages")
            << 1 << PublisherBrandCode << "client1-normal.prn";
        QTest::newRow("omitted and unscored scales, truthfulness 90, three pages")
            << 2 << PublisherBrandCode << "client2-omitted.prn";
        QTest::newRow("invalid report, distributor") << 3 << QChar(u'D') << "client3-invalid.prn";
    }
    void wholeReport_matchesHandDerivedFile()
    {
        QFETCH(int, client);
        QFETCH(QChar, brand);
        QFETCH(QString, expected);
        m_table.CurClient = static_cast<int16_t>(client);
        ScoringRun run;
        const ScoringError e = ScoreAndReport(program(), m_table, brand, &run);
        QVERIFY2(!e, qPrintable(e.message));
        const QByteArray actual = ReadBytes(report());
        const QByteArray wanted = ReadBytes(ScoringDataDir() + QStringLiteral("/expected/") + expected);
        QVERIFY(!wanted.isEmpty());
        QVERIFY2(actual == wanted, qPrintable(firstDifference(actual, wanted)));
        QCOMPARE(run.snapshot.TestNumber, client);
    }

    void failedRun_leavesThePreviousReport_data()
    {
        QTest::addColumn<QString>("breakFile");
        QTest::addColumn<QByteArray>("content"); // empty: delete the file
        QTest::addColumn<QString>("gender");
        QTest::addColumn<int>("client");
        QTest::addColumn<QString>("faultyFile");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("scoring file missing") << "QNB.TXT" << QByteArray() << "1" << 1 << "QNB.TXT"
                                              << "cannot be read";
        QTest::newRow("wording file short")
            << "QNRPT.TXT" << QByteArray("A,B,C,D,E,F\nL,M,P,X\n") << "1" << 1 << "QNRPT.TXT"
            << "ends early";
        QTest::newRow("paragraph file without its section")
            << "QN_AL.TXT" << QByteArray("LOW RISK\nEND\n") << "1" << 1 << "QN_AL.TXT"
            << "MEDIUM-LOW";
        QTest::newRow("gender without norms") << "" << QByteArray() << "7" << 1 << "DATA401.QN"
                                              << "gender code \"7\"";
        QTest::newRow("no client 4") << "" << QByteArray() << "1" << 4 << "DATA401.QN"
                                     << "numbered 1 to 3";
        QTest::newRow("no current client") << "" << QByteArray() << "1" << 0 << "DATA401.QN"
                                           << "numbered 1 to 3";
    }
    void failedRun_leavesThePreviousReport()
    {
        QFETCH(QString, breakFile);
        QFETCH(QByteArray, content);
        QFETCH(QString, gender);
        QFETCH(int, client);
        QFETCH(QString, faultyFile);
        QFETCH(QString, mentions);
        writeFile(report(), "previous report\r\n");
        if (!breakFile.isEmpty()) {
            const QString path = program() + QLatin1Char('/') + breakFile;
            QFile::remove(path);
            if (!content.isEmpty())
                writeFile(path, content);
        }
        m_table.Clients[1].Gender = gender;
        m_table.CurClient = static_cast<int16_t>(client);
        const ScoringError e = ScoreAndReport(program(), m_table, PublisherBrandCode);
        QVERIFY(e);
        QVERIFY2(e.file.endsWith(faultyFile), qPrintable(e.file));
        QVERIFY2(e.message.contains(mentions), qPrintable(e.message));
        QCOMPARE(ReadBytes(report()), QByteArray("previous report\r\n"));
        // Nothing half-written is left beside it.
        QCOMPARE(QDir(program()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("report")),
                 QStringList{QStringLiteral("report.prn")});
    }

    void unwritableReportFile_isReportedByName()
    {
        QVERIFY(QDir(program()).mkdir(QStringLiteral("report.prn")));
        const ScoringError e = ScoreAndReport(program(), m_table, PublisherBrandCode);
        QVERIFY(e);
        QCOMPARE(e.file, report());
        QVERIFY2(e.message.contains(QStringLiteral("cannot be written")), qPrintable(e.message));
    }

    void numberedCopies_roundTrip()
    {
        m_table.CurClient = 1;
        QVERIFY(!ScoreAndReport(program(), m_table, PublisherBrandCode));
        QVERIFY(!SaveNumberedCopy(program(), 12));
        QCOMPARE(NumberedCopyPath(program(), 12), program() + QStringLiteral("/temp12"));
        m_table.CurClient = 3;
        QVERIFY(!ScoreAndReport(program(), m_table, PublisherBrandCode));
        QVERIFY(ReadBytes(report()) != ReadBytes(NumberedCopyPath(program(), 12)));
        QVERIFY(!RestoreNumberedCopy(program(), 12));
        QCOMPARE(ReadBytes(report()), ReadBytes(ScoringDataDir() + QStringLiteral("/expected/client1-normal.prn")));
        const ScoringError missing = RestoreNumberedCopy(program(), 13);
        QVERIFY(missing);
        QVERIFY(missing.message.contains(QStringLiteral("temp13")));
    }

    void demoInstallation_scoresEveryDemoClient()
    {
        const QDir built(ProgramDirForTests());
        for (const QString& name : built.entryList({QStringLiteral("*.TXT")}, QDir::Files)) {
            QFile::remove(program() + QLatin1Char('/') + name);
            QVERIFY(QFile::copy(built.filePath(name), program() + QLatin1Char('/') + name));
        }
        ClientTable demo;
        demo.setDataPath(QDir::cleanPath(ProgramDirForTests() + QStringLiteral("/../demo-data")));
        QVERIFY(QFile::exists(demo.ClientFilePath));
        QVERIFY(!demo.LoadClients().error);
        QVERIFY(demo.NumClients >= 5);
        for (int16_t n = 1; n <= demo.NumClients; ++n) {
            demo.CurClient = n;
            ScoringRun run;
            const ScoringError e = ScoreAndReport(program(), demo, PublisherBrandCode, &run);
            QVERIFY2(!e, qPrintable(e.message));
            const QStringList lines = ReportLines(ReadBytes(report()));
            QVERIFY(lines.size() > 50);
            QVERIFY(lines[3].contains(demo.Clients[n].Name.trimmed()));
            for (int s = 1; s <= NumScales; ++s)
                QVERIFY(run.sheet.Percentile[s] >= 0 && run.sheet.Percentile[s] <= 99);
        }
    }
};

QTEST_GUILESS_MAIN(TestReportFiles)
#include "test_report_files.moc"
