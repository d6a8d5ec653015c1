// veltrane-cli answer-sheet and read-sheet, run as a script would run them.

#include "FilledSheet.h"
#include "TestDefinition.h"
#include "TestEnv.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run cli(const QStringList& args)
{
    QProcess p;
    p.start(ProgramDirForTests() + QStringLiteral("/veltrane-cli"), args);
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestCliScanning : public QObject {
    Q_OBJECT

private slots:
    void readSheet_printsWhatTheSheetHolds()
    {
        SheetAnswers answers = SheetAnswers::random(11);
        answers.court = {0, 5, -1, 9, 1};
        answers.dob = QStringLiteral("031487");
        answers.gender = 1;
        FilledSheet sheet(DemoScanItems());
        sheet.markAll(answers);
        sheet.mark(FirstQuestionItem + 6, answers.responses[6].digitValue() % 2, 130, 8.0); // a double on item 7
        TestProgramDir program;
        const QString image = program.path() + QStringLiteral("/sheet.png");
        QVERIFY(sheet.scan({-1.1, QPointF(-6, 9), 250, 4.0, 0.001, 11}).save(image));

        const Run run = cli({QStringLiteral("read-sheet"), QStringLiteral("--program-dir"), program.path(), image});
        QCOMPARE(run.exitCode, 0);
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(run.out));
        QCOMPARE(o.value(QStringLiteral("gender")).toString(), QStringLiteral("1"));
        QCOMPARE(o.value(QStringLiteral("race")).toString(), QString::number(answers.race));
        QCOMPARE(o.value(QStringLiteral("education")).toString(), QString::number(answers.education));
        QCOMPARE(o.value(QStringLiteral("marital")).toString(), QString::number(answers.marital));
        QCOMPARE(o.value(QStringLiteral("court")).toArray(),
                 QJsonArray({QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("N"), QStringLiteral("9"),
                             QStringLiteral("1")}));
        QCOMPARE(o.value(QStringLiteral("dob")).toString(), QStringLiteral("03/14/1987"));
        QCOMPARE(o.value(QStringLiteral("responses")).toString(), answers.responses);
        QCOMPARE(o.value(QStringLiteral("multi_marks")).toArray(), QJsonArray({QStringLiteral("Item 7")}));
        QVERIFY(std::abs(o.value(QStringLiteral("sheet_angle")).toDouble() + 1.1) < 0.15);
        QVERIFY(run.out.startsWith(QStringLiteral("{\"gender\": \"1\", \"race\": ")));
        // A scan's images are left in the program folder.
        QVERIFY(QFile::exists(program.path() + QStringLiteral("/Scan.bmp")));
    }

    void readSheet_failures_exitOneWithTheMessage_data()
    {
        QTest::addColumn<QString>("image"); // "blank", "missing"
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("no anchor") << "blank" << 1 << "Anchor Box not found\nAborting scan.\n";
        QTest::newRow("missing file") << "missing" << 1 << "Error '20010, File not found.\nThe image file ";
    }

    void readSheet_failures_exitOneWithTheMessage()
    {
        QFETCH(QString, image);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        TestProgramDir program;
        const QString path = program.path() + QStringLiteral("/page.png");
        if (image == QLatin1String("blank")) {
            QImage white(850, 1400, QImage::Format_Grayscale8);
            white.fill(255);
            QVERIFY(white.save(path));
        }
        const Run run = cli({QStringLiteral("read-sheet"), QStringLiteral("--program-dir"), program.path(), path});
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }

    void answerSheet_writesAPdfOrSaysWhyNot()
    {
        TestProgramDir program;
        const QString pdf = program.path() + QStringLiteral("/sheet.pdf");
        Run run = cli({QStringLiteral("answer-sheet"), QStringLiteral("--program-dir"), program.path(),
                       QStringLiteral("--pdf"), pdf});
        QCOMPARE(run.exitCode, 0);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(5) == "%PDF-");

        run = cli({QStringLiteral("answer-sheet"), QStringLiteral("--program-dir"), program.path(),
                   QStringLiteral("--pdf"), QStringLiteral("/nonexistent-folder/sheet.pdf")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("/nonexistent-folder/sheet.pdf")), qPrintable(run.err));

        QTemporaryDir empty;
        run = cli({QStringLiteral("answer-sheet"), QStringLiteral("--program-dir"), empty.path(),
                   QStringLiteral("--pdf"), pdf});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("qn.mdb")), qPrintable(run.err));

        run = cli({QStringLiteral("answer-sheet"), QStringLiteral("--program-dir"), program.path()});
        QCOMPARE(run.exitCode, 2);
        run = cli({QStringLiteral("read-sheet"), QStringLiteral("--program-dir"), program.path()});
        QCOMPARE(run.exitCode, 2);
    }
};

QTEST_MAIN(TestCliScanning)
#include "test_cli_scanning.moc"
