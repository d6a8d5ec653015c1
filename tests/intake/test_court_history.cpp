// The court history window driven from the keyboard: the validity rule, the two-character boxes, saving, cancelling
// and Alt+Shift+F10.

#include "IntakeFixture.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "frmCourtHistory.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

QWidget* focused()
{
    return QApplication::focusWidget();
}

void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(focused(), Qt::Key(key), mods);
}

void typeText(const QString& text)
{
    QTest::keyClicks(focused(), text);
}

const QString ErrorText = QStringLiteral("Type a number from 0 to 99 or N for Not Available. Press Enter to continue.");

// Keys one answer per box, each confirmed with Enter.
void keyAnswers(frmCourtHistory& w, const QStringList& answers)
{
    w.box(0)->setFocus();
    for (const QString& a : answers) {
        typeText(a);
        press(Qt::Key_Return);
    }
}

// Stands in for the client information window having accepted a new client into slot NumClients + 1.
void startNewClient(IntakeFixture& f)
{
    f.flags.EditingClient = false;
    f.table.CurClient = static_cast<int16_t>(f.table.NumClients + 1);
    f.table.current() = MakeRecord({QStringLiteral("Newcomer, Sam")});
}

} // namespace

class TestCourtHistory : public QObject {
    Q_OBJECT
private slots:
    void newClient_opensEmptyWithFocusOnTheFirstBox()
    {
        IntakeFixture f(StandardClients());
        startNewClient(f);
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Court History"));
        QCOMPARE(focused(), w.txtDrugArrests());
        for (int i = 0; i < frmCourtHistory::BoxCount; ++i) {
            QVERIFY(w.box(i)->text().isEmpty());
            QCOMPARE(w.box(i)->maxLength(), 2);
        }
        QCOMPARE(w.lblClientName()->text(), ClientRecord::fit(QStringLiteral("Newcomer, Sam"), 25));
        QVERIFY(w.lblClientName()->isVisible());
        QVERIFY(LabelIsBold(&w, 0));
        QCOMPARE(w.msgPanel()->caption(),
                 QStringLiteral("Type a value 0 to 99 or N for Not Available, then press Enter."));
    }

    void opening_focusOnOkWhenEditingOrReviewing_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<bool>("review");
        QTest::newRow("editing") << true << false;
        QTest::newRow("scan review") << false << true;
    }
    void opening_focusOnOkWhenEditingOrReviewing()
    {
        QFETCH(bool, editing);
        QFETCH(bool, review);
        IntakeFixture f(StandardClients());
        if (!editing)
            startNewClient(f);
        f.flags.EditingClient = editing;
        f.flags.ScanReview = review;
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        QCOMPARE(focused(), w.menu().button(0));
        QCOMPARE(w.msgPanel()->caption(),
                 QStringLiteral("If information is correct press Enter or press Tab to change an entry."));
    }

    void edit_opensWithTheRecordsCounts()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        QStringList shown;
        for (int i = 0; i < frmCourtHistory::BoxCount; ++i)
            shown << w.box(i)->text();
        QCOMPARE(shown, (QStringList{"0", "2", "N", "0", "12"}));
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
        IntakeFixture f(StandardClients());
        startNewClient(f);
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        typeText(keys);
        press(Qt::Key_Return);
        QTEST(w.box(0)->text(), "kept");
        if (valid) {
            QCOMPARE(focused(), w.box(1));
            QVERIFY(f.prompts.shown.isEmpty());
            QCOMPARE(f.prompts.beeps, 0);
        } else {
            QCOMPARE(focused(), w.box(0));
            QCOMPARE(f.prompts.beeps, 1);
            QCOMPARE(f.prompts.shown.size(), 1);
            QCOMPARE(f.prompts.shown.at(0).text, ErrorText);
            QCOMPARE(f.prompts.shown.at(0).title, QStringLiteral("Data Entry Error"));
            QCOMPARE(f.prompts.shown.at(0).icon, Prompts::Icon::Critical);
        }
    }

    void enterOrder_runsThroughTheFiveBoxesToOk()
    {
        IntakeFixture f(StandardClients());
        startNewClient(f);
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        QStringList seen;
        for (int i = 0; i < frmCourtHistory::BoxCount; ++i) {
            typeText(QStringLiteral("1"));
            press(i % 2 ? Qt::Key_Tab : Qt::Key_Return);
            seen << focused()->objectName();
            if (i + 1 < frmCourtHistory::BoxCount)
                QVERIFY(LabelIsBold(&w, i + 1) && !LabelIsBold(&w, i));
        }
        QCOMPARE(seen,
                 (QStringList{"txtAlcoholArrests", "txtAssaults", "txtDVArrests", "txtAnger", "cmdMenuChoice_0"}));
        QVERIFY(!LabelIsBold(&w, 4));
    }

    void typing_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("selectAllFirst");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        QTest::newRow("third character") << "123" << false << "12" << 1;
        QTest::newRow("third and fourth") << "1234" << false << "12" << 2;
        QTest::newRow("both selected are replaced") << "4" << true << "4" << 0;
    }
    void typing()
    {
        QFETCH(QString, keys);
        QFETCH(bool, selectAllFirst);
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.txtAnger()->setFocus(); // holds "12"
        if (selectAllFirst)
            w.txtAnger()->selectAll();
        else
            w.txtAnger()->clear();
        typeText(keys);
        QTEST(w.txtAnger()->text(), "text");
        QTEST(f.prompts.beeps, "beeps");
    }

    void typing_oneOfTwoSelected_isRefused()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.txtAnger()->setFocus();
        w.txtAnger()->setSelection(1, 1);
        typeText(QStringLiteral("5"));
        QCOMPARE(w.txtAnger()->text(), QStringLiteral("12"));
        QCOMPARE(f.prompts.beeps, 1);
        // Backspace is never refused.
        w.txtAnger()->setCursorPosition(2);
        press(Qt::Key_Backspace);
        QCOMPARE(w.txtAnger()->text(), QStringLiteral("1"));
        QCOMPARE(f.prompts.beeps, 1);
    }

    void informationOk_newClient_storesTheCountsInMemory()
    {
        IntakeFixture f(StandardClients());
        startNewClient(f);
        const QByteArray file = f.fileBytes();
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        keyAnswers(w, {"n", "0", "7", "99", "N"});
        QCOMPARE(focused(), w.menu().button(0));
        press(Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        const ClientRecord& r = f.table.Clients[4];
        QCOMPARE(r.DrugArrests, QStringLiteral("N "));
        QCOMPARE(r.AlcoholArrests, QStringLiteral("0 "));
        QCOMPARE(r.Assaults, QStringLiteral("7 "));
        QCOMPARE(r.DVArrests, QStringLiteral("99"));
        QCOMPARE(r.Anger, QStringLiteral("N "));
        QCOMPARE(f.fileBytes(), file);
        QCOMPARE(f.table.CurClient, 4);
    }

    void informationOk_lowerNClickedStraightAway_isStoredAsN()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.txtDrugArrests()->setFocus();
        typeText(QStringLiteral("n"));
        QTest::mouseClick(w.menu().button(0), Qt::LeftButton);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(f.fileRecord(1).DrugArrests, QStringLiteral("N "));
    }

    void informationOk_thirdBoxInvalid_reportsItOnceAndStoresNothing()
    {
        IntakeFixture f(StandardClients());
        startNewClient(f);
        const ClientRecord before = f.table.current();
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        for (int i = 0; i < frmCourtHistory::BoxCount; ++i)
            w.box(i)->setText(i == 2 ? QStringLiteral("00") : QStringLiteral("1"));
        w.menu().button(0)->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(f.prompts.texts(), QStringList{ErrorText});
        QCOMPARE(focused(), w.txtAssaults());
        QVERIFY(w.isVisible());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.table.current(), before);
    }

    void informationOk_edit_writesTheFileAtOnce()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        f.table.CurClient = 2;
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.txtDVArrests()->setFocus();
        typeText(QStringLiteral("3"));
        press(Qt::Key_Return);
        w.menu().press(0);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        const ClientRecord saved = f.fileRecord(2);
        QCOMPARE(saved.DVArrests, QStringLiteral("3 "));
        QCOMPARE(saved.Anger, QStringLiteral("12"));
        QCOMPARE(saved, f.table.Clients[2]);
        QCOMPARE(f.fileRecord(1), f.table.Clients[1]);
    }

    void informationOk_saveFails_keepsTheWindowAndTheRecord()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        const ClientRecord before = f.table.Clients[1];
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.txtDrugArrests()->setFocus();
        typeText(QStringLiteral("4"));
        f.table.setDataPath(f.dir.path() + QStringLiteral("/gone"));
        w.menu().press(0);
        QCoreApplication::processEvents();
        QVERIFY(w.isVisible());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown.at(0).title, QStringLiteral("Court History Not Saved"));
        QCOMPARE(f.table.Clients[1], before);
        QCOMPARE(w.txtDrugArrests()->text(), QStringLiteral("4"));
    }

    void cancel_newClient_blanksItsSlotAndMakesClientOneCurrent()
    {
        IntakeFixture f(StandardClients());
        startNewClient(f);
        const QByteArray file = f.fileBytes();
        f.flags.ContinueFlag = true;
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        keyAnswers(w, {"1", "2"});
        w.menu().button(1)->setFocus();
        press(Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.table.Clients[4], ClientRecord::blank());
        QCOMPARE(f.table.CurClient, 1);
        QCOMPARE(f.table.NumClients, 3);
        QCOMPARE(f.fileBytes(), file);
    }

    void cancel_edit_leavesTheRecordAsItWas()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        f.table.CurClient = 2;
        const ClientRecord before = f.table.Clients[2];
        const QByteArray file = f.fileBytes();
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.txtDrugArrests()->setFocus();
        typeText(QStringLiteral("9"));
        press(Qt::Key_Return);
        w.menu().button(1)->setFocus();
        press(Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.table.CurClient, 2);
        QCOMPARE(f.table.Clients[2], before);
        QCOMPARE(f.fileBytes(), file);
    }

    void altShiftF10_closesWithoutSavingOrTouchingTheFlag_data()
    {
        QTest::addColumn<bool>("flag");
        QTest::newRow("flag false") << false;
        QTest::newRow("flag true") << true;
    }
    void altShiftF10_closesWithoutSavingOrTouchingTheFlag()
    {
        QFETCH(bool, flag);
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        f.flags.ContinueFlag = flag;
        const ClientRecord before = f.table.Clients[1];
        const QByteArray file = f.fileBytes();
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.txtAssaults()->setFocus();
        typeText(QStringLiteral("5"));
        press(Qt::Key_F10, Qt::AltModifier | Qt::ShiftModifier);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(f.flags.ContinueFlag, flag);
        QCOMPARE(f.table.Clients[1], before);
        QCOMPARE(f.fileBytes(), file);
        QVERIFY(f.prompts.shown.isEmpty());
    }

    void altShiftF10_onAButton_closesTooAndAbandonsANewClient()
    {
        IntakeFixture f(StandardClients());
        startNewClient(f);
        frmCourtHistory w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.menu().button(1)->setFocus();
        press(Qt::Key_F10, Qt::AltModifier | Qt::ShiftModifier);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(f.table.Clients[4], ClientRecord::blank());
        QCOMPARE(f.table.CurClient, 1);
    }

    void prefill_putsTheScannedCountsInTheBoxes()
    {
        IntakeFixture f(StandardClients());
        startNewClient(f);
        f.flags.ScanReview = true;
        frmCourtHistory w(*f.ctx);
        w.Prefill({{QStringLiteral("3"), QStringLiteral("N"), QStringLiteral("0"), QStringLiteral("9"),
                    QStringLiteral("N")}});
        QVERIFY(ShowActive(w));
        QCOMPARE(focused(), w.menu().button(0));
        press(Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        const ClientRecord& r = f.table.Clients[4];
        QCOMPARE(r.DrugArrests + r.AlcoholArrests + r.Assaults + r.DVArrests + r.Anger, QStringLiteral("3 N 0 9 N "));
    }
};

QTEST_MAIN(TestCourtHistory)
#include "test_court_history.moc"
