// Whole report files against files derived by hand, and what a failed run leaves behind.

#include "ClientTable.h"
#include "ScoreAndReport.h"
#include "ScoringTestData.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

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

    void wholeReport_matchesHandDerivedFile()
    {
        // A normal report with a page break inside a paragraph (four pages); omitted and unscored scales with
        // truthfulness 90 (three pages); an invalid report, for the distributor.
        for (auto [client, brand, expected] : {std::tuple{1, PublisherBrandCode, "client1-normal.prn"},
                                               {2, PublisherBrandCode, "client2-omitted.prn"},
                                               {3, QChar(u'D'), "client3-invalid.prn"}}) {
            m_table.CurClient = static_cast<int16_t>(client);
            ScoringRun run;
            const ScoringError e = ScoreAndReport(program(), m_table, brand, &run);
            QVERIFY2(!e, qPrintable(e.message));
            const QByteArray wanted = Expected(QLatin1String(expected));
            QVERIFY(!wanted.isEmpty());
            QCOMPARE(ReportLines(ReadBytes(report())), ReportLines(wanted)); // names the first line that differs
            QCOMPARE(ReadBytes(report()), wanted);
            QCOMPARE(run.snapshot.TestNumber, client);
        }
    }

    void failedRun_leavesThePreviousReport()
    {
        // The program file replaced (empty content: deleted), the client's gender, the client, then the faulty file
        // and what its message says.
        const std::tuple<const char*, QByteArray, const char*, int, const char*, const char*> rows[] = {
            {"report.prn/", QByteArray(), "1", 1, "report.prn", "cannot be written"},
            {"QNB.TXT", QByteArray(), "1", 1, "QNB.TXT", "cannot be read"},
            {"QNRPT.TXT", "A,B,C,D,E,F\nL,M,P,X\n", "1", 1, "QNRPT.TXT", "ends early"},
            {"QN_AL.TXT", "LOW RISK\nEND\n", "1", 1, "QN_AL.TXT", "MEDIUM-LOW"},
            {"", QByteArray(), "7", 1, "DATA401.QN", "gender code \"7\""},
            {"", QByteArray(), "1", 4, "DATA401.QN", "numbered 1 to 3"},
            {"", QByteArray(), "1", 0, "DATA401.QN", "numbered 1 to 3"}};
        for (const auto& [breakFile, content, gender, client, faultyFile, mentions] : rows) {
            init();
            WriteFile(report(), "previous report\r\n");
            const QString path = program() + QLatin1Char('/') + QLatin1String(breakFile);
            if (path.endsWith(u'/')) // the report's name taken by a folder
                QVERIFY(QFile::remove(report()) && QDir().mkdir(report()));
            else if (*breakFile && QFile::remove(path) && !content.isEmpty())
                WriteFile(path, content);
            m_table.Clients[1].Gender = QLatin1String(gender);
            m_table.CurClient = static_cast<int16_t>(client);
            const ScoringError e = ScoreAndReport(program(), m_table, PublisherBrandCode);
            QVERIFY2(e.file.endsWith(QLatin1String(faultyFile)), qPrintable(e.file));
            QVERIFY2(e.message.contains(QLatin1String(mentions)), qPrintable(e.message));
            if (!path.endsWith(u'/'))
                QCOMPARE(ReadBytes(report()), QByteArray("previous report\r\n"));
            // Nothing half-written is left beside it.
            QCOMPARE(QDir(program()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("report")),
                     path.endsWith(u'/') ? QStringList() : QStringList{QStringLiteral("report.prn")});
        }
    }
};

QTEST_GUILESS_MAIN(TestReportFiles)
#include "test_report_files.moc"
