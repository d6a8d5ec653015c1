// veltrane-cli answer-sheet and read-sheet, run as a script would run them.

#include "FilledSheet.h"
#include "TestDefinition.h"
#include "TestEnv.h"
#include "TestFiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

RunResult cli(const QStringList& args)
{
    return RunProgram(ProgramDirForTests() + QStringLiteral("/veltrane-cli"), args);
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
        const QString good = program.path() + "/sheet \"1\".png";
        QVERIFY(sheet.scan({-1.1, QPointF(-6, 9), 250, 4.0, 0.001, 11}).save(good, "PNG"));
        const QString blank = program.path() + "/blank.png", missing = program.path() + "/missing.png";
        QImage white(850, 1400, QImage::Format_Grayscale8);
        white.fill(255);
        QVERIFY(white.save(blank));

        const QStringList files = {good, blank, missing, good};
        RunResult run = cli(QStringList{"read-sheet", "--program-dir", program.path()} + files);
        QCOMPARE(run.status, 1);
        const QStringList lines = QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), files.size());
        QList<QJsonObject> objects;
        for (int i = 0; i < files.size(); ++i) {
            objects << QJsonDocument::fromJson(lines[i].toUtf8()).object();
            QCOMPARE(objects[i].value("file").toString(), files[i]);
        }
        const QJsonObject o = objects[0];
        QCOMPARE(objects[3], o);
        const QJsonArray locations = o.value("locations").toArray();
        QCOMPARE(locations.size(), NumScanItems);
        const QJsonObject item7 = locations[FirstQuestionItem + 5].toObject();
        const auto strings = [](const QJsonValue& v) { return v.toVariant().toStringList().join('|'); };
        QCOMPARE(QStringList({o.value("gender").toString(), o.value("race").toString(), strings(o.value("court")),
                              o.value("dob").toString(), strings(o.value("multi_marks")), strings(o.value("uncertain")),
                              item7.value("name").toString(), item7.value("state").toString(),
                              locations[FirstQuestionItem + 7].toObject().value("state").toString(),
                              locations[0].toObject().value("state").toString()}),
                 QStringList({"1", QString::number(answers.race), "0|5|N|9|1", "03/14/1987", "Item 7|Item 9", "Item 9",
                              "Item 7", "multiple", "uncertain", "read"}));
        QCOMPARE(o.value("responses").toString().remove(8, 1), QString(answers.responses).remove(8, 1));
        QVERIFY(std::abs(o.value("sheet_angle").toDouble() + 1.1) < 0.15);
        const QJsonArray darkness = item7.value("darkness").toArray();
        QCOMPARE(darkness.size(), 2);
        const int chosen = answers.responses[6].digitValue() - 1;
        QVERIFY(darkness[chosen].toDouble() > 2 * darkness[1 - chosen].toDouble());
        QVERIFY(darkness[1 - chosen].toDouble() > 0.05);
        QVERIFY(objects[1].value("error").toString().startsWith("Anchor Box not found\nAborting scan."));
        QVERIFY(objects[2].value("error").toString().startsWith("Error '20010, File not found."));
        // A batch only reads; one sheet is read as a scan, which leaves its images in the program folder.
        QVERIFY(!QFile::exists(program.path() + "/Scan.bmp"));
        run = cli({"read-sheet", "--program-dir", program.path(), good});
        QCOMPARE(run.status, 0);
        QCOMPARE(QJsonDocument::fromJson(run.out).object(), o);
        QVERIFY(QFile::exists(program.path() + "/Scan.bmp"));
    }

    void answerSheet_writesAPdfOrSaysWhyNot()
    {
        TestProgramDir program;
        QTemporaryDir empty;
        const QString pdf = program.path() + "/sheet.pdf", nowhere = "/nonexistent-folder/sheet.pdf";
        // The program folder, the file asked for, the exit code and what standard error names.
        const std::tuple<QString, QString, int, QString> runs[] = {{program.path(), pdf, 0, ""},
                                                                   {program.path(), nowhere, 1, nowhere},
                                                                   {empty.path(), pdf, 1, "qn.mdb"},
                                                                   {program.path(), "", 2, ""}};
        for (const auto& [dir, file, code, named] : runs) {
            QStringList args{"answer-sheet", "--program-dir", dir};
            if (!file.isEmpty())
                args << "--pdf" << file;
            const RunResult run = cli(args);
            QCOMPARE(run.status, code);
            QVERIFY2(run.err.contains(named), qPrintable(run.err));
        }
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-");
        QCOMPARE(cli({"read-sheet", "--program-dir", program.path()}).status, 2);
    }
};

QTEST_MAIN(TestCliScanning)
#include "test_cli_scanning.moc"
