// The court history window driven from the keyboard: the validity rule, the two-character boxes, saving, cancelling
// and Alt+Shift+F10.

#include "IntakeFixture.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "frmCourtHistory.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

using CourtWindow = Opened<frmCourtHistory>;

const QString ErrorText = QStringLiteral("Type a number from 0 to 99 or N for Not Available. Press Enter to continue.");

// Stands in for the client information window having accepted a new client into slot NumClients + 1.
void NewClient(IntakeFixture& f)
{
    f.flags.EditingClient = false;
    f.table.CurClient = static_cast<int16_t>(f.table.NumClients + 1);
    f.table.current() = MakeRecord({QStringLiteral("Newcomer, Sam")});
}

// Keys one answer per box, each confirmed with Enter.
void keyAnswers(frmCourtHistory& w, const QStringList& answers)
{
    w.box(0)->setFocus();
    for (const QString& a : answers) {
        typeText(a);
        press(Qt::Key_Return);
    }
}

} // namespace

class TestCourtHistory : public QObject {
    Q_OBJECT
private slots:
    void newClient_opensEmptyWithFocusOnTheFirstBox()
    {
        CourtWindow f(NewClient);
        QCOMPARE(f.w.windowTitle(), QStringLiteral("Court History"));
        QCOMPARE(focused(), f.w.txtDrugArrests());
        for (int i = 0; i < frmCourtHistory::BoxCount; ++i) {
            QVERIFY(f.w.box(i)->text().isEmpty());
            QCOMPARE(f.w.box(i)->maxLength(), 2);
        }
        QCOMPARE(f.w.lblClientName()->text(), ClientRecord::fit(QStringLiteral("Newcomer, Sam"), 25));
        QVERIFY(f.w.lblClientName()->isVisible());
        QVERIFY(LabelIsBold(&f.w, 0));
        QCOMPARE(f.w.msgPanel()->caption(),
                 QStringLiteral("Type a value 0 to 99 or N for Not Available, then press Enter."));
    }

    void edit_opensWithTheRecordsCountsAndFocusOnOk()
    {
        CourtWindow f(Editing());
        QStringList shown;
        for (int i = 0; i < frmCourtHistory::BoxCount; ++i)
            shown << f.w.box(i)->text();
        QCOMPARE(shown, (QStringList{"0", "2", "N", "0", "12"}));
        QCOMPARE(focused(), f.w.menu().button(0));
        QCOMPARE(f.w.msgPanel()->caption(),
                 QStringLiteral("If information is correct press Enter or press Tab to change an entry."));
    }

    void enter_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("kept");
        QTest::newRow("N") << "N" << true << "N";
        QTest::newRow("n becomes N") << "n" << true << "N";
        QTest::newRow("0") << "0" << true << "0";
        QTest::newRow("1") << "1" << true << "1";
        QTest::newRow("99") << "99" << true << "99";
        QTest::newRow("blank before a digit") << " 7" << true << "7";
        QTest::newRow("two zeros") << "00" << false << "00";
        QTest::newRow("minus one") << "-1" << false << "-1";
        QTest::newRow("N and a digit") << "N1" << false << "N1";
        QTest::newRow("a letter") << "x" << false << "x";
        QTest::newRow("a digit and a letter") << "5a" << false << "5a";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("blanks") << "  " << false << "";
    }
    void enter()
    {
        QFETCH(QString, keys);
        QFETCH(bool, valid);
        CourtWindow f(NewClient);
        typeText(keys);
        press(Qt::Key_Return);
        QTEST(f.w.box(0)->text(), "kept");
        QCOMPARE(focused(), f.w.box(valid ? 1 : 0));
        QCOMPARE(f.prompts.beeps, valid ? 0 : 1);
        QCOMPARE(f.prompts.texts(), valid ? QStringList() : QStringList{ErrorText});
        if (!valid) {
            QCOMPARE(f.prompts.shown.at(0).title, QStringLiteral("Data Entry Error"));
            QCOMPARE(f.prompts.shown.at(0).icon, Prompts::Icon::Critical);
        }
    }

    void enterOrder_runsThroughTheFiveBoxesToOk()
    {
        CourtWindow f(NewClient);
        QStringList seen;
        for (int i = 0; i < frmCourtHistory::BoxCount; ++i) {
            typeText(QStringLiteral("1"));
            press(i % 2 ? Qt::Key_Tab : Qt::Key_Return);
            seen << focused()->objectName();
            if (i + 1 < frmCourtHistory::BoxCount)
                QVERIFY(LabelIsBold(&f.w, i + 1) && !LabelIsBold(&f.w, i));
        }
        QCOMPARE(seen,
                 (QStringList{"txtAlcoholArrests", "txtAssaults", "txtDVArrests", "txtAnger", "cmdMenuChoice_0"}));
        QVERIFY(!LabelIsBold(&f.w, 4));
    }

    void typing_data()
    {
        // The anger box holds "12"; a selection of `selected` characters from `from` (none: cursor at `from`).
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        Row("third character", 2, 0, "3", "12", 1);
        Row("third and fourth", 2, 0, "34", "12", 2);
        Row("both selected are replaced", 0, 2, "4", "4", 0);
        Row("one of two selected", 1, 1, "5", "12", 1);
        Row("Backspace is never refused", 2, 0, "\b", "1", 0);
    }
    void typing()
    {
        QFETCH(int, from);
        QFETCH(int, selected);
        QFETCH(QString, keys);
        CourtWindow f(Editing());
        f.w.txtAnger()->setFocus();
        if (selected)
            f.w.txtAnger()->setSelection(from, selected);
        else
            f.w.txtAnger()->setCursorPosition(from);
        typeText(keys);
        QTEST(f.w.txtAnger()->text(), "text");
        QTEST(f.prompts.beeps, "beeps");
    }

    void informationOk_newClient_storesTheCountsInMemory()
    {
        CourtWindow f(NewClient);
        const QByteArray file = f.fileBytes();
        keyAnswers(f.w, {"n", "0", "7", "99"});
        // A lower-case n not yet confirmed with Enter is stored as "N" too.
        typeText(QStringLiteral("n"));
        QTest::mouseClick(f.w.menu().button(0), Qt::LeftButton);
        QTRY_VERIFY(!f.w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        const ClientRecord& r = f.table.Clients[4];
        QCOMPARE(r.DrugArrests + r.AlcoholArrests + r.Assaults + r.DVArrests + r.Anger, QStringLiteral("N 0 7 99N "));
        QCOMPARE(f.fileBytes(), file);
        QCOMPARE(f.table.CurClient, 4);
    }

    void informationOk_thirdBoxInvalid_reportsItOnceAndStoresNothing()
    {
        CourtWindow f(NewClient);
        const ClientRecord before = f.table.current();
        for (int i = 0; i < frmCourtHistory::BoxCount; ++i)
            f.w.box(i)->setText(i == 2 ? QStringLiteral("00") : QStringLiteral("1"));
        f.w.menu().button(0)->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(f.prompts.texts(), QStringList{ErrorText});
        QCOMPARE(focused(), f.w.txtAssaults());
        QVERIFY(f.w.isVisible());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.table.current(), before);
    }

    void informationOk_edit_writesTheFileAtOnce()
    {
        CourtWindow f(Editing(2));
        f.w.txtDVArrests()->setFocus();
        typeText(QStringLiteral("3"));
        press(Qt::Key_Return);
        f.w.menu().press(0);
        QTRY_VERIFY(!f.w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        const ClientRecord saved = f.fileRecord(2);
        QCOMPARE(saved.DVArrests, QStringLiteral("3 "));
        QCOMPARE(saved.Anger, QStringLiteral("12"));
        QCOMPARE(saved, f.table.Clients[2]);
        QCOMPARE(f.fileRecord(1), f.table.Clients[1]);
    }

    void informationOk_saveFails_keepsTheWindowAndTheRecord()
    {
        CourtWindow f(Editing());
        const ClientRecord before = f.table.Clients[1];
        f.w.txtDrugArrests()->setFocus();
        typeText(QStringLiteral("4"));
        f.table.setDataPath(f.dir.path() + QStringLiteral("/gone"));
        f.prompts.answers << Prompts::Answer::Cancel;
        f.w.menu().press(0);
        QCoreApplication::processEvents();
        QVERIFY(f.w.isVisible());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.prompts.texts(), QStringList{"Data disk not found!\r\rInsert data disk in drive A to continue."});
        QCOMPARE(f.table.Clients[1], before);
        QCOMPARE(f.w.txtDrugArrests()->text(), QStringLiteral("4"));
    }

    void leave_newClientIsBlankedAnEditLeftAsItWas_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<bool>("altShiftF10");
        QTest::addColumn<bool>("onButton");
        QTest::addColumn<bool>("flagBefore");
        QTest::addColumn<bool>("flagAfter");
        Row("Cancel Input, new client", false, false, true, true, false);
        Row("Cancel Input, edit", true, false, true, true, false);
        // Alt+Shift+F10 leaves the flag as it was.
        Row("Alt+Shift+F10 on a button, new client", false, true, true, true, true);
        Row("Alt+Shift+F10 in a box, edit, flag false", true, true, false, false, false);
        Row("Alt+Shift+F10 in a box, edit, flag true", true, true, false, true, true);
    }
    void leave_newClientIsBlankedAnEditLeftAsItWas()
    {
        QFETCH(bool, editing);
        QFETCH(bool, altShiftF10);
        QFETCH(bool, onButton);
        QFETCH(bool, flagBefore);
        CourtWindow f([&](IntakeFixture& x) {
            editing ? Editing(2)(x) : NewClient(x);
            x.flags.ContinueFlag = flagBefore;
        });
        const ClientRecord before = f.table.Clients[2];
        const QByteArray file = f.fileBytes();
        keyAnswers(f.w, {"9", "2"});
        if (onButton)
            f.w.menu().button(1)->setFocus();
        if (altShiftF10)
            press(Qt::Key_F10, Qt::AltModifier | Qt::ShiftModifier);
        else
            press(Qt::Key_Return);
        QTRY_VERIFY(!f.w.isVisible());
        QTEST(f.flags.ContinueFlag, "flagAfter");
        QCOMPARE(f.table.CurClient, editing ? 2 : 1);
        QCOMPARE(f.table.Clients[2], before);
        QCOMPARE(f.table.Clients[4], ClientRecord::blank());
        QCOMPARE(f.table.NumClients, 3);
        QCOMPARE(f.fileBytes(), file);
        QVERIFY(f.prompts.shown.isEmpty());
    }

    void prefill_putsTheScannedCountsInTheBoxes()
    {
        CourtWindow f(
            [](IntakeFixture& x) {
                NewClient(x);
                x.flags.ScanReview = true;
            },
            [](frmCourtHistory& w) {
                w.Prefill({{QStringLiteral("3"), QStringLiteral("N"), QStringLiteral("0"), QStringLiteral("9"),
                            QStringLiteral("N")}});
            });
        QCOMPARE(focused(), f.w.menu().button(0));
        press(Qt::Key_Return);
        QTRY_VERIFY(!f.w.isVisible());
        const ClientRecord& r = f.table.Clients[4];
        QCOMPARE(r.DrugArrests + r.AlcoholArrests + r.Assaults + r.DVArrests + r.Anger, QStringLiteral("3 N 0 9 N "));
    }
};

QTEST_MAIN(TestCourtHistory)
#include "test_court_history.moc"
