// veltrane-cli report: arguments, exit status, the JSON scores and the PDF, run as a separate process.

#include "ClientRecord.h"
#include "PdfWords.h"
#include "ReportWriter.h"
#include "ScoringTestData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Result {
    int status = -1;
    QString out;
    QString err;
};

} // namespace

class TestCliReport : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program;
    QString m_data;

    Result cli(const QStringList& args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(ProgramDirForTests() + QStringLiteral("/veltrane-cli"), args);
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    QStringList reportArgs(int client) const
    {
        return {QStringLiteral("report"),
                QStringLiteral("--program-dir"),
                m_program,
                QStringLiteral("--data-dir"),
                m_data,
                QStringLiteral("--client"),
                QString::number(client)};
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_program = m_dir->path() + QStringLiteral("/program");
        m_data = m_dir->path() + QStringLiteral("/data");
        QVERIFY(QDir().mkpath(m_program));
        QVERIFY(QDir().mkpath(m_data));
        QVERIFY(CopyTestProgram(m_program));
        QFile f(m_data + QStringLiteral("/DATA401.QN"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        for (int n = 1; n <= 3; ++n)
            f.write(TestClient(n).toBytes());
    }

    void usage_helpAndBadArguments()
    {
        QCOMPARE(cli({QStringLiteral("report"), QStringLiteral("--help")}).status, 0);
        // Bad arguments exit with 2 and the usage.
        const QStringList rows[] = {{"report"},
                                    {"report", "--program-dir", "p", "--data-dir", "d", "--client", "x"},
                                    {"report", "--client", "1", "--colour"},
                                    {"report", "--client", "1", "--pdf"},
                                    {"report", "--client", "1", "--client", "2"}};
        for (const QStringList& args : rows) {
            const Result r = cli(args);
            QCOMPARE(r.status, 2);
            QVERIFY2(r.err.contains(QStringLiteral("usage: veltrane-cli report")) && r.out.isEmpty(),
                     qPrintable(r.err));
        }
    }

    void unusableFiles_exit1NamingTheFile()
    {
        // The client asked for, the file removed or replaced (null content: removed), and what the error names.
        const std::tuple<int, const char*, QByteArray, const char*> rows[] = {
            {4, "", QByteArray(), "numbered 1 to 3"},
            {1, "program/QNB.TXT", "11,12,abc\n", "QNB.TXT is damaged at line 1"},
            {1, "program/QN_AL.TXT", QByteArray(), "QN_AL.TXT"},
            {1, "data/DATA401.QN", QByteArray(), "DATA401.QN"}};
        for (const auto& [client, file, content, mentions] : rows) {
            init();
            const QString path = m_dir->path() + QLatin1Char('/') + QLatin1String(file);
            if (*file)
                QVERIFY(QFile::remove(path));
            if (!content.isNull()) {
                QFile f(path);
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(content);
            }
            const Result r = cli(reportArgs(client) << QStringLiteral("--scores"));
            QCOMPARE(r.status, 1);
            QVERIFY2(r.err.contains(QLatin1String(mentions)) && r.out.isEmpty(), qPrintable(r.err));
            QVERIFY(!QFile::exists(ReportFilePath(m_program)));
        }
    }

    void scores_printsSixScalesAsJsonAndWritesTheReport()
    {
        const Result r = cli(reportArgs(1) << QStringLiteral("--scores"));
        QCOMPARE(r.status, 0);
        QJsonParseError perr;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &perr);
        QVERIFY2(perr.error == QJsonParseError::NoError, qPrintable(r.out));
        const QJsonArray scales = doc.object().value(QStringLiteral("scales")).toArray();
        QCOMPARE(scales.size(), 6);
        // scale, name, raw, percentile, omitted, endorsed: client 1 of the hand-derived reports.
        const QList<QList<QVariant>> expected{{1, "TRUTHFULNESS", 4, 30, 0, 4}, {2, "ALCOHOL", 18, 54, 0, 12},
                                              {3, "DRUGS", 25, 75, 0, 12},      {4, "BETA", 9, 27, 0, 6},
                                              {5, "ANGER", 10, 30, 0, 4},       {6, "RATIO", 246, 48, 0, 0}};
        const char* keys[] = {"scale", "name", "raw", "percentile", "omitted", "endorsed"};
        for (int s = 0; s < 6; ++s) {
            const QJsonObject o = scales[s].toObject();
            QCOMPARE(o.keys().size(), 6);
            for (int k = 0; k < 6; ++k)
                QCOMPARE(o.value(QLatin1String(keys[k])).toVariant().toString(), expected[s][k].toString());
        }
        QCOMPARE(ReadBytes(ReportFilePath(m_program)),
                 ReadBytes(ScoringDataDir() + QStringLiteral("/expected/client1-normal.prn")));
    }

    void brand_comesFromTheProgramFoldersSettingsFile()
    {
        // The settings file (empty: none), and the line the report then carries.
        for (auto [settings, line] : {std::pair{"", "Norwick, Ltd."},
                                      {"[Settings]\r\nNumLock=True\r\n", "Norwick, Ltd."},
                                      {"[Settings]\r\nBrand=D\r\n", "Distributed by Dallory, Inc."}}) {
            init();
            if (*settings) {
                QFile ini(m_program + QStringLiteral("/Quillan.ini"));
                QVERIFY(ini.open(QIODevice::WriteOnly));
                ini.write(settings);
            }
            QCOMPARE(cli(reportArgs(3)).status, 0);
            const QByteArray report = ReadBytes(ReportFilePath(m_program));
            QVERIFY(report.contains(line));
            // The hand-derived invalid report was laid out for the distributor.
            const QByteArray handDerived =
                ReadBytes(ScoringDataDir() + QStringLiteral("/expected/client3-invalid.prn"));
            QCOMPARE(report == handDerived, QByteArray(line).startsWith("Distributed"));
        }
    }

    void pdf_holdsTheReportPageByPage()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils (pdftotext) is not installed");
        const QString pdf = m_dir->path() + QStringLiteral("/client1.pdf");
        const Result r = cli(reportArgs(1) << QStringLiteral("--pdf") << pdf);
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!QFile::exists(pdf + QStringLiteral(".part")));
        // A page whose longest line is too wide for the paper is printed smaller as a whole, so each page is read
        // at its own character pitch; pdftotext ends every page with a form feed.
        const QList<PdfPage> pages = PdfWords(pdf);
        QCOMPARE(pages.size(), 4);
        QString text;
        for (int n = 1; n <= pages.size(); ++n) {
            const QRectF box = pages[n - 1].boxes.first();
            const QString pitch = QString::number(box.width() / pages[n - 1].words.first().size());
            QProcess p;
            p.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-fixed"), pitch, QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"),
                     QString::number(n), pdf, QStringLiteral("-")});
            QVERIFY(p.waitForFinished(30000));
            text += QString::fromUtf8(p.readAllStandardOutput());
        }
        // Every line of the report appears, in order and with its inner spacing, each page on its own sheet.
        const QStringList pdfLines = text.split(QLatin1Char('\n'));
        qsizetype at = 0;
        int page = 0;
        for (const QString& line : ReportLines(ReadBytes(ReportFilePath(m_program)))) {
            if (line == QStringLiteral("\f")) {
                ++page;
                continue;
            }
            const QString wanted = line.trimmed();
            if (wanted.isEmpty())
                continue;
            while (at < pdfLines.size() && !pdfLines[at].contains(wanted))
                ++at;
            QVERIFY2(at < pdfLines.size(), qPrintable(QStringLiteral("missing or out of order: [%1]").arg(line)));
            qsizetype sheet = 0;
            for (qsizetype i = 0; i <= at; ++i)
                sheet += pdfLines[i].count(QLatin1Char('\f'));
            QCOMPARE(sheet, page);
        }
    }
};

QTEST_GUILESS_MAIN(TestCliReport)
#include "test_cli_report.moc"
