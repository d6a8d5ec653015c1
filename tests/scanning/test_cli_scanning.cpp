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
    void readSheet_manyFiles_printOneJsonLineEachInOrder()
    {
        SheetAnswers answers = SheetAnswers::random(11);
        answers.court = {0, 5, -1, 9, 1};
        answers.dob = QStringLiteral("031487");
        answers.gender = 1;
        FilledSheet sheet(DemoScanItems());
        sheet.markAll(answers);
        sheet.mark(FirstQuestionItem + 6, answers.responses[6].digitValue() % 2, 130, 8.0); // a double on item 7
        sheet.mark(FirstQuestionItem + 8, answers.responses[8].digitValue() % 2, 70);       // two equal marks on item 9
        TestProgramDir program;
        const QString good = program.path() + QStringLiteral("/sheet \"1\".png");
        QVERIFY(sheet.scan({-1.1, QPointF(-6, 9), 250, 4.0, 0.001, 11}).save(good, "PNG"));
        const QString blank = program.path() + QStringLiteral("/blank.png");
        QImage white(850, 1400, QImage::Format_Grayscale8);
        white.fill(255);
        QVERIFY(white.save(blank));
        const QString missing = program.path() + QStringLiteral("/missing.png");

        const QStringList files = {good, blank, missing, good};
        Run run =
            cli(QStringList{QStringLiteral("read-sheet"), QStringLiteral("--program-dir"), program.path()} + files);
        QCOMPARE(run.exitCode, 1);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), files.size());
        QList<QJsonObject> objects;
        for (const QString& line : lines) {
            QJsonParseError error;
            objects << QJsonDocument::fromJson(line.toUtf8(), &error).object();
            QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(line));
        }
        for (int i = 0; i < files.size(); ++i)
            QCOMPARE(objects[i].value(QStringLiteral("file")).toString(), files[i]);
        const QJsonObject o = objects[0];
        QCOMPARE(objects[3], o);
        QCOMPARE(o.value(QStringLiteral("gender")).toString(), QStringLiteral("1"));
        QCOMPARE(o.value(QStringLiteral("race")).toString(), QString::number(answers.race));
        QCOMPARE(o.value(QStringLiteral("court")).toArray(),
                 QJsonArray({QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("N"), QStringLiteral("9"),
                             QStringLiteral("1")}));
        QCOMPARE(o.value(QStringLiteral("dob")).toString(), QStringLiteral("03/14/1987"));
        QCOMPARE(o.value(QStringLiteral("responses")).toString().remove(8, 1), QString(answers.responses).remove(8, 1));
        QCOMPARE(o.value(QStringLiteral("multi_marks")).toArray(),
                 QJsonArray({QStringLiteral("Item 7"), QStringLiteral("Item 9")}));
        QCOMPARE(o.value(QStringLiteral("uncertain")).toArray(), QJsonArray({QStringLiteral("Item 9")}));
        QVERIFY(std::abs(o.value(QStringLiteral("sheet_angle")).toDouble() + 1.1) < 0.15);
        const QJsonArray locations = o.value(QStringLiteral("locations")).toArray();
        QCOMPARE(locations.size(), NumScanItems);
        const QJsonObject item7 = locations[FirstQuestionItem + 5].toObject();
        QCOMPARE(item7.value(QStringLiteral("name")).toString(), QStringLiteral("Item 7"));
        QCOMPARE(item7.value(QStringLiteral("state")).toString(), QStringLiteral("multiple"));
        const QJsonArray darkness = item7.value(QStringLiteral("darkness")).toArray();
        QCOMPARE(darkness.size(), 2);
        const int chosen = answers.responses[6].digitValue() - 1;
        QVERIFY(darkness[chosen].toDouble() > 2 * darkness[1 - chosen].toDouble());
        QVERIFY(darkness[1 - chosen].toDouble() > 0.05);
        QCOMPARE(locations[FirstQuestionItem + 7].toObject().value(QStringLiteral("state")).toString(),
                 QStringLiteral("uncertain"));
        QCOMPARE(locations[0].toObject().value(QStringLiteral("state")).toString(), QStringLiteral("read"));
        QVERIFY(
            objects[1].value(QStringLiteral("error")).toString().startsWith("Anchor Box not found\nAborting scan."));
        QVERIFY(objects[2].value(QStringLiteral("error")).toString().startsWith("Error '20010, File not found."));
        // A batch only reads; one sheet is read as a scan, which leaves its images in the program folder.
        QVERIFY(!QFile::exists(program.path() + QStringLiteral("/Scan.bmp")));
        run = cli({QStringLiteral("read-sheet"), QStringLiteral("--program-dir"), program.path(), good});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(run.out.toUtf8()).object(), o);
        QVERIFY(QFile::exists(program.path() + QStringLiteral("/Scan.bmp")));
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
