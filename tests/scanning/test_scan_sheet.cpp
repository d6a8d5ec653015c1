// The whole reading path on rendered sheets: acquisition result -> saved images -> cleaning -> registration ->
// mark reading -> positions written back.

#include "DataWorkspace.h"
#include "FilledSheet.h"
#include "Profile.h"
#include "ScanSheet.h"
#include "TestDefinition.h"

#include <QFile>
#include <QSqlQuery>
#include <QTest>

namespace {

const QDate kToday(2026, 12, 6);

QString expectedDate(const QString& dob)
{
    const int yy = dob.mid(4, 2).toInt();
    const int year = yy <= 26 ? 2000 + yy : 1900 + yy;
    return dob.mid(0, 2) + QLatin1Char('/') + dob.mid(2, 2) + QLatin1Char('/') + QString::number(year);
}

ScanOutcome scanImage(const QImage& image, const QString& programDir)
{
    DataWorkspace workspace(programDir, Profile(programDir + QStringLiteral("/Quillan.ini")));
    return ScanSheet(AcquiredPage{image, 0, QString()}, workspace, kToday);
}

} // namespace

class TestScanSheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_items = DemoScanItems(); }

    void markedSheet_scannedWithDistortion_readsEveryAnswer_data()
    {
        QTest::addColumn<double>("angle");
        QTest::addColumn<QPointF>("offset");
        QTest::addColumn<int>("paper");
        QTest::addColumn<double>("noise");
        QTest::addColumn<double>("dust");
        QTest::addColumn<int>("pencil");
        QTest::addColumn<double>("diameter");
        QTest::newRow("straight, clean") << 0.0 << QPointF(0, 0) << 255 << 0.0 << 0.0 << 60 << 12.5;
        QTest::newRow("+1.5 degrees, offset, noise") << 1.5 << QPointF(9, 12) << 255 << 6.0 << 0.0 << 70 << 12.5;
        QTest::newRow("-1.5 degrees, offset, dust") << -1.5 << QPointF(-10, -8) << 250 << 5.0 << 0.005 << 70 << 12.5;
        QTest::newRow("+0.8 degrees, light pencil") << 0.8 << QPointF(4, -5) << 255 << 4.0 << 0.002 << 165 << 11.0;
        QTest::newRow("-1.0 degrees, grey paper") << -1.0 << QPointF(-3, 15) << 232 << 6.0 << 0.003 << 140 << 12.0;
        QTest::newRow("+1.2 degrees, small marks") << 1.2 << QPointF(15, 3) << 255 << 5.0 << 0.0 << 90 << 9.0;
    }

    void markedSheet_scannedWithDistortion_readsEveryAnswer()
    {
        QFETCH(double, angle);
        QFETCH(QPointF, offset);
        QFETCH(int, paper);
        QFETCH(double, noise);
        QFETCH(double, dust);
        QFETCH(int, pencil);
        QFETCH(double, diameter);
        // A fixed seed per row (qHash is seeded afresh in every process).
        const quint32 seed = static_cast<quint32>(qChecksum(QByteArrayView(QTest::currentDataTag())));
        const SheetAnswers answers = SheetAnswers::random(seed);
        FilledSheet sheet(m_items);
        sheet.markAll(answers, pencil, diameter);
        const QImage image = sheet.scan({angle, offset, paper, noise, dust, seed});

        TestProgramDir dir;
        const ScanOutcome outcome = scanImage(image, dir.path());
        QVERIFY2(outcome.ok, qPrintable(outcome.failure.text));
        const SheetReading& r = outcome.reading;
        QCOMPARE(r.Gender, QString::number(answers.gender));
        QCOMPARE(r.Race, QString::number(answers.race));
        QCOMPARE(r.Education, QString::number(answers.education));
        QCOMPARE(r.Marital, QString::number(answers.marital));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(r.CourtCounts[i], QString::number(answers.court[i]));
        QCOMPARE(r.Responses, answers.responses);
        QCOMPARE(r.DateText, expectedDate(answers.dob));
        QCOMPARE(r.DateBoxText, r.DateText);
        QCOMPARE(r.MultiMarks.entries(), QStringList());
        QVERIFY(r.multiMarkMessage().isNull());
        // The angle comes from two boxes 786 pixels apart, each found to the pixel.
        QVERIFY2(std::abs(r.SheetAngle - angle) < 0.15, qPrintable(QString::number(r.SheetAngle)));
    }

    void doubleMarksAndSmudges_largerMarkWinsAndEveryDoubleIsListed()
    {
        const SheetAnswers answers = SheetAnswers::random(77);
        FilledSheet sheet(m_items);
        sheet.markAll(answers, 70, 12.5);
        // Second, smaller marks on other bubbles of these locations (ID, bubble).
        const QList<QPair<int, int>> doubles = {{2, (answers.race) % 6},
                                                {FirstCourtItem + 2, (answers.court[2] + 3) % 10},
                                                {FirstQuestionItem + 4, answers.responses[4].digitValue() % 2},
                                                {FirstQuestionItem + 99, answers.responses[99].digitValue() % 4},
                                                {FirstQuestionItem + 122, answers.responses[122].digitValue() % 4}};
        for (const auto& [id, index] : doubles)
            sheet.mark(id, index, 120, 8.0);
        // Rubbed-out answers next to real ones must not count.
        sheet.smudge(FirstQuestionItem + 10, answers.responses[10].digitValue() % 2);
        sheet.smudge(FirstQuestionItem + 90, answers.responses[90].digitValue() % 4);
        sheet.smudge(FirstCourtItem, (answers.court[0] + 1) % 10);
        const QImage image = sheet.scan({1.2, QPointF(6, 6), 255, 5.0, 0.002, 5});

        TestProgramDir dir;
        const ScanOutcome outcome = scanImage(image, dir.path());
        QVERIFY2(outcome.ok, qPrintable(outcome.failure.text));
        const SheetReading& r = outcome.reading;
        QCOMPARE(r.Race, QString::number(answers.race));
        QCOMPARE(r.CourtCounts[2], QString::number(answers.court[2]));
        QCOMPARE(r.CourtCounts[0], QString::number(answers.court[0]));
        QCOMPARE(r.Responses, answers.responses);
        const QStringList listed = {QStringLiteral("Ethnicity"),       QStringLiteral("Ethnicity"),
                                    QStringLiteral("Assault Arrests"), QStringLiteral("Item 5"),
                                    QStringLiteral("Item 100"),        QStringLiteral("Item 123")};
        QCOMPARE(r.MultiMarks.entries(), listed);
        QCOMPARE(r.multiMarkMessage().title, QStringLiteral("Scan sheet Answers"));
    }

    void manyDoubleMarks_giveTheSecondWarning()
    {
        FilledSheet sheet(m_items);
        for (int n = 1; n <= 11; ++n) {
            sheet.mark(FirstQuestionItem + n - 1, 0);
            sheet.mark(FirstQuestionItem + n - 1, 1);
        }
        TestProgramDir dir;
        const ScanOutcome outcome = scanImage(sheet.scan({}), dir.path());
        QVERIFY(outcome.ok);
        QCOMPARE(outcome.reading.MultiMarks.MultiMarkCount(), 11);
        QCOMPARE(outcome.reading.multiMarkMessage().title, QStringLiteral("Scan Sheet Answers"));
        // Unmarked demographics and court rows; on a straight clean sheet both marks count the same: the first wins.
        QCOMPARE(outcome.reading.Gender, QStringLiteral("N"));
        QCOMPARE(outcome.reading.CourtCounts[4], QStringLiteral("N"));
        QCOMPARE(outcome.reading.Responses.left(12), QStringLiteral("111111111110"));
    }

    void dateOfBirth_partlyMarked_isNotAvailableAndListed_data()
    {
        QTest::addColumn<QString>("dob");
        QTest::addColumn<QString>("dateText");
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<bool>("listed");
        QTest::newRow("complete, 20xx") << "031405"
                                        << "03/14/2005"
                                        << "03/14/2005" << false;
        QTest::newRow("complete, this year") << "121226"
                                             << "12/12/2026"
                                             << "12/12/2026" << false;
        QTest::newRow("complete, 19xx") << "071127"
                                        << "07/11/1927"
                                        << "07/11/1927" << false;
        QTest::newRow("month tens blank") << " 31487"
                                          << "N3/14/NN87"
                                          << "N_/__/____" << true;
        QTest::newRow("day units blank") << "031 87"
                                         << "03/1N/NN87"
                                         << "N_/__/____" << true;
        QTest::newRow("all blank") << "      "
                                   << "NN/NN/NNNN"
                                   << "N_/__/____" << false;
    }

    void dateOfBirth_partlyMarked_isNotAvailableAndListed()
    {
        QFETCH(QString, dob);
        QFETCH(QString, dateText);
        QFETCH(QString, boxText);
        QFETCH(bool, listed);
        SheetAnswers answers = SheetAnswers::random(9);
        answers.dob = dob;
        FilledSheet sheet(m_items);
        sheet.markAll(answers);
        TestProgramDir dir;
        const ScanOutcome outcome = scanImage(sheet.scan({-0.7, QPointF(2, 2), 255, 3.0, 0, 4}), dir.path());
        QVERIFY(outcome.ok);
        QCOMPARE(outcome.reading.DateText, dateText);
        QCOMPARE(outcome.reading.DateBoxText, boxText);
        QCOMPARE(outcome.reading.record(QStringLiteral("x")).DOB, boxText);
        QCOMPARE(outcome.reading.MultiMarks.entries().contains(SheetReading::DateReviewName), listed);
    }

    void scan_writesImagesAndPositionsBack()
    {
        FilledSheet sheet(m_items);
        sheet.markAll(SheetAnswers::random(3));
        TestProgramDir dir;
        const ScanOutcome outcome = scanImage(sheet.scan({1.4, QPointF(5, 0), 255, 4.0, 0, 8}), dir.path());
        QVERIFY(outcome.ok);
        QImage raw(dir.path() + QStringLiteral("/Raw.bmp"));
        QImage clean(dir.path() + QStringLiteral("/Scan.bmp"));
        QCOMPARE(raw.size(), QSize(850, 1400));
        QCOMPARE(clean.size(), QSize(850, 1400));
        // The cleaned page holds two levels only.
        const QImage cg = clean.convertToFormat(QImage::Format_Grayscale8);
        for (int y = 0; y < cg.height(); y += 7)
            for (int x = 0; x < cg.width(); x += 5)
                QVERIFY(cg.pixelColor(x, y).red() == 0 || cg.pixelColor(x, y).red() == 255);

        // Each row holds its first bubble as this (rotated) scan found it.
        DataWorkspace workspace(dir.path(), Profile(dir.path() + QStringLiteral("/Quillan.ini")));
        QString problem;
        auto db = workspace.OpenQuestionDatabase(&problem);
        QVERIFY(db);
        QSqlQuery q(db->db());
        QVERIFY(q.exec(QStringLiteral("SELECT ID, r, theta, x, y FROM ScanItem ORDER BY ID")));
        const float angle = outcome.reading.SheetAngle;
        int rows = 0;
        while (q.next()) {
            ++rows;
            const double t = (q.value(2).toDouble() + angle) * M_PI / 180;
            QVERIFY(std::abs(q.value(3).toInt() - q.value(1).toDouble() * std::cos(t)) <= 0.51);
            QVERIFY(std::abs(q.value(4).toInt() - q.value(1).toDouble() * std::sin(t)) <= 0.51);
        }
        QCOMPARE(rows, NumScanItems);
        // A straight sheet's positions differ: the write-back really happened.
        q.exec(QStringLiteral("SELECT y FROM ScanItem WHERE ID = 138"));
        QVERIFY(q.next());
        QVERIFY(q.value(0).toInt() != 320);
    }

    void failures_stopTheScanWithTheirMessage()
    {
        TestProgramDir dir;
        // Acquisition error.
        {
            DataWorkspace workspace(dir.path(), Profile(dir.path() + QStringLiteral("/Quillan.ini")));
            const ScanOutcome o = ScanSheet(AcquiredPage::failure(20094, QString()), workspace, kToday);
            QVERIFY(!o.ok);
            QCOMPARE(o.failure.title, QStringLiteral("Twain Error"));
            QCOMPARE(o.failure.text, QStringLiteral("Error '20094, Scanner paper jam."));
        }
        // A blank page has no anchor.
        QImage blank(850, 1400, QImage::Format_Grayscale8);
        blank.fill(255);
        ScanOutcome o = scanImage(blank, dir.path());
        QVERIFY(!o.ok);
        QCOMPARE(o.failure.title, QStringLiteral("Scan Error"));
        QCOMPARE(o.failure.text, QStringLiteral("Anchor Box not found\nAborting scan."));
        QCOMPARE(o.failure.icon, Prompts::Icon::Critical);
        // The reference box torn off.
        QImage torn = FilledSheet(m_items).scan({});
        for (int y = 0; y < 160; ++y)
            for (int x = 790; x < 850; ++x)
                torn.scanLine(y)[x] = 255;
        o = scanImage(torn, dir.path());
        QCOMPARE(o.failure.text, QStringLiteral("Reference Box not found\nAborting scan."));
        // No question database.
        QFile::remove(dir.path() + QStringLiteral("/qn.mdb"));
        o = scanImage(FilledSheet(m_items).scan({}), dir.path());
        QVERIFY(!o.ok);
        QCOMPARE(o.failure.title, QStringLiteral("Scan Error"));
        QVERIFY2(o.failure.text.contains(QStringLiteral("qn.mdb")), qPrintable(o.failure.text));
    }

private:
    QList<ScanItem> m_items;
};

QTEST_MAIN(TestScanSheet)
#include "test_scan_sheet.moc"
