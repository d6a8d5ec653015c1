// A retested client's earlier tests beside the current one, over a client file of one person tested four times
// (and two look-alikes), with figures worked out by hand from the test norms: Alex's answers give 30, 54, 75, 27, 30,
// 48; Blair's 90, scale 2 not scored, 99, 56, 56, 9; Casey's are an invalid test (95, the rest 99).

#include "AdministrationNotes.h"
#include "ClientTable.h"
#include "EarlierTests.h"
#include "ScoringTestData.h"

#include <QTemporaryDir>

namespace {

ClientRecord tested(int answersOf, const char* name, const char* dob, const char* date)
{
    ClientRecord r = TestClient(answersOf);
    r.Name = QString::fromLatin1(name);
    r.DOB = QString::fromLatin1(dob);
    r.TestDate = QString::fromLatin1(date);
    r.fitFields();
    return r;
}

// The chosen comparison's scales, one line each: earlier, then current, then the change.
QStringList scaleLines(const EarlierTests& t, const EarlierComparison& c)
{
    QStringList out;
    for (int s = 1; s <= NumScales; ++s) {
        const ScaleChange& sc = c.scales[s];
        out << QStringLiteral("%1 %2 > %3 %4 = %5")
                   .arg(PercentileText(sc.earlier), RangeText(t, sc.earlier), PercentileText(sc.current),
                        RangeText(t, sc.current), ChangeText(sc));
    }
    return out;
}

} // namespace

class TestEarlierTests : public QObject {
    Q_OBJECT
private slots:
    void compare_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("withStore");
        QTest::addColumn<QString>("earlier"); // client number (or origin) : days before, newest first
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<QStringList>("scales"); // of the newest earlier test
        QTest::addColumn<int>("problems");
        const QString invalidNow = "This test is invalid (Truthfulness at the 95th percentile or above); only its "
                                   "Truthfulness is compared.";
        const QString invalidThen = "The earlier test is invalid (Truthfulness at the 95th percentile or above); only "
                                    "its Truthfulness is compared.";
        Row("two administrations: paper, then on screen", 3, false, QString("1:7"),
            QStringList{"Taken in different ways: on paper then, on screen now."},
            QStringList{"30 Low risk > 90 Maximum risk = +60", "54 Medium risk > not scored - = -",
                        "75 Problem risk > 99 Maximum risk = +24", "27 Low risk > 56 Medium risk = +29",
                        "30 Low risk > 56 Medium risk = +26", "48 Medium risk > 9 Low risk = -39"},
            0);
        Row("three administrations, this one invalid, languages differ", 5, false, QString("3:7 1:14"),
            QStringList{"Taken in different languages: Spanish then, English now.", invalidNow},
            QStringList{"90 Maximum risk > 95 Maximum risk = +5", "not scored - > 99 Maximum risk = -",
                        "99 Maximum risk > 99 Maximum risk = -", "56 Medium risk > 99 Maximum risk = -",
                        "56 Medium risk > 99 Maximum risk = -", "9 Low risk > 99 Maximum risk = -"},
            1);
        Row("same test date: the lower client number is earlier", 6, false, QString("5:0 3:7 1:14"),
            QStringList{"How this test was taken is not known: it has no administration notes.", invalidThen},
            QStringList{"95 Maximum risk > 30 Low risk = -65", "99 Maximum risk > 54 Medium risk = -",
                        "99 Maximum risk > 75 Problem risk = -", "99 Maximum risk > 27 Low risk = -",
                        "99 Maximum risk > 30 Low risk = -", "99 Maximum risk > 48 Medium risk = -"},
            1);
        Row("no earlier test", 1, false, QString(), QStringList{}, QStringList{}, 0);
        Row("same name, other date of birth", 4, false, QString(), QStringList{}, QStringList{}, 0);
        Row("with the results store: a later one left out", 3, true, QString("Office B:4 1:7"),
            QStringList{"Taken in different ways: on a scanned sheet then, on screen now."},
            QStringList{"10 Low risk > 90 Maximum risk = +80", "20 Low risk > not scored - = -",
                        "30 Low risk > 99 Maximum risk = +69", "40 Medium risk > 56 Medium risk = +16",
                        "50 Medium risk > 56 Medium risk = +6", "60 Medium risk > 9 Low risk = -51"},
            0);
    }
    void compare()
    {
        QFETCH(int, slot);
        QFETCH(bool, withStore);
        QFETCH(QString, earlier);
        QFETCH(QStringList, warnings);
        QFETCH(QStringList, scales);
        QFETCH(int, problems);

        QTemporaryDir dir;
        const ClientRecord records[] = {
            tested(1, "Retest, Robin", "01/02/1980", "11/02/2026"),
            TestClient(1),
            tested(2, "  retest,   ROBIN", "01/02/1980", "11/09/2026"),
            tested(1, "Retest, Robin", "01/03/1980", "11/05/2026"),
            tested(3, "Retest, Robin", "01/02/1980", "11/16/2026"),
            tested(1, "Retest, Robin", "01/02/1980", "11/16/2026"),
            tested(4, "Retest, Robin", "01/02/1980", "11/12/2026"), // no norms for its gender code
        };
        QByteArray file;
        for (const ClientRecord& r : records)
            file += r.toBytes();
        ClientTable table;
        table.setDataPath(dir.path());
        table.LoadFromBytes(file);
        const QString notesPath = dir.filePath(QLatin1String(NotesFile::FileName));
        for (auto [n, mode, language] : {std::tuple{1, Administration::Mode::Paper, ""},
                                         {3, Administration::Mode::OnScreen, "SPANISH"},
                                         {5, Administration::Mode::OnScreen, "english"}}) {
            AdministrationNotes notes;
            notes.mode = mode;
            notes.language = QString::fromLatin1(language);
            QVERIFY(NotesFile::keep(notesPath, n, records[n - 1], notes).isEmpty());
        }
        PastAdministrationSource store;
        if (withStore)
            store = [](const ClientRecord& r) {
                PastAdministration a;
                a.origin = "Office B";
                a.administrationId = "b-1";
                a.mode = Administration::Mode::Scan;
                for (int s = 1; s <= NumScales; ++s)
                    a.scales[s] = {10 * s, s <= 3 ? 1 : 2, false};
                PastAdministration later = a;
                a.testDate = QDate(2026, 11, 5);
                later.testDate = QDate(2026, 12, 1);
                return r.Name.startsWith("  retest") ? QList{later, a} : QList<PastAdministration>{};
            };

        const EarlierTests t = CompareEarlierTests(TestProgramDir(), table, slot, store);
        QVERIFY2(!t.error, qPrintable(t.error.message));
        QStringList found;
        for (const EarlierComparison& c : t.earlier)
            found << QStringLiteral("%1:%2").arg(c.earlier.slot ? QString::number(c.earlier.slot) : c.earlier.origin,
                                                 DaysText(c.days));
        QCOMPARE(found.join(' '), earlier);
        QCOMPARE(t.problems.size(), problems);
        if (problems)
            QVERIFY2(t.problems[0].startsWith("The test of Client 7 on 11/12/2026 could not be compared"),
                     qPrintable(t.problems[0]));
        if (t.earlier.isEmpty())
            return;
        QCOMPARE(t.earlier[0].warnings, warnings);
        QCOMPARE(scaleLines(t, t.earlier[0]), scales);
    }
};

QTEST_GUILESS_MAIN(TestEarlierTests)
#include "test_earlier_tests.moc"
