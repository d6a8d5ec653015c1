// The court history window driven from the keyboard: confirming a box, the two-character boxes, what OK stores or
// writes, a failed save, and every way of leaving.

#include "IntakeFixture.h"
#include "MenuButtons.h"
#include "frmCourtHistory.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

using CourtWindow = Opened<frmCourtHistory>;

QString counts(const ClientRecord& r)
{
    return r.DrugArrests + r.AlcoholArrests + r.Assaults + r.DVArrests + r.Anger;
}

} // namespace

class TestCourtHistory : public QObject {
    Q_OBJECT
private slots:
    void confirmBox()
    {
        // Typed into the first box and confirmed with Enter: what the box keeps, and whether the focus moves on.
        const std::tuple<const char*, const char*, bool> rows[] = {
            {"n", "N", true}, {"99", "99", true}, {" 7", "7", true}, {"00", "00", false}, {"  ", "", false}};
        for (const auto& [keys, kept, valid] : rows) {
            CourtWindow f(NewClient);
            QCOMPARE(focused(), f.w.box(0));
            typeText(QLatin1String(keys));
            press(Qt::Key_Return);
            QCOMPARE(f.w.box(0)->text(), QString::fromLatin1(kept));
            QCOMPARE(focused(), f.w.box(valid ? 1 : 0));
            QCOMPARE(f.prompts.beeps, valid ? 0 : 1);
            QCOMPARE(f.prompts.shown.size(), valid ? 0 : 1);
        }
    }

    void typing_twoCharacters()
    {
        // The anger box holds "12": a selection of `selected` characters from `from` (none: the cursor at `from`).
        const std::tuple<int, int, const char*, const char*, int> rows[] = {
            {2, 0, "34", "12", 2}, {0, 2, "4", "4", 0}, {1, 1, "5", "12", 1}, {2, 0, "\b", "1", 0}};
        for (const auto& [from, selected, keys, text, beeps] : rows) {
            CourtWindow f(Editing());
            f.w.txtAnger()->setFocus();
            if (selected)
                f.w.txtAnger()->setSelection(from, selected);
            else
                f.w.txtAnger()->setCursorPosition(from);
            typeText(QLatin1String(keys));
            QCOMPARE(f.w.txtAnger()->text(), QString::fromLatin1(text));
            QCOMPARE(f.prompts.beeps, beeps);
        }
    }

    void ok_newClient_reportsTheFirstBadBoxThenStoresInMemory()
    {
        CourtWindow f(NewClient);
        const QByteArray file = f.fileBytes();
        const ClientRecord before = f.table.current();
        for (int i = 0; i < frmCourtHistory::BoxCount; ++i)
            f.w.box(i)->setText(i == 2 ? QStringLiteral("00") : QStringLiteral("1"));
        f.w.menu().press(0);
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(focused(), f.w.txtAssaults());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.table.current(), before);
        // A lower-case n not yet confirmed with Enter is stored as "N" too.
        f.w.txtAssaults()->setText(QString());
        typeText(QStringLiteral("n"));
        QTest::mouseClick(f.w.menu().button(0), Qt::LeftButton);
        QTRY_VERIFY(!f.w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(counts(f.table.Clients[4]), QStringLiteral("1 1 N 1 1 "));
        QCOMPARE(f.table.CurClient, 4);
        QCOMPARE(f.fileBytes(), file);
    }

    void ok_edit_writesAtOnceUnlessTheSaveFails()
    {
        CourtWindow f(Editing(2));
        const ClientRecord before = f.table.Clients[2];
        f.w.txtDVArrests()->setFocus();
        typeText(QStringLiteral("3"));
        press(Qt::Key_Return);
        f.table.setDataPath(f.dir.path() + QStringLiteral("/gone"));
        f.prompts.answers << Prompts::Answer::Cancel;
        f.w.menu().press(0);
        QCoreApplication::processEvents();
        QVERIFY(f.w.isVisible());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.prompts.texts(), QStringList{"Data disk not found!\r\rInsert data disk in drive A to continue."});
        QCOMPARE(f.table.Clients[2], before);
        QCOMPARE(f.w.txtDVArrests()->text(), QStringLiteral("3"));
        f.table.setDataPath(f.dir.path());
        f.w.menu().press(0);
        QTRY_VERIFY(!f.w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(counts(f.fileRecord(2)), QStringLiteral("0 2 N 3 12"));
        QCOMPARE(f.fileRecord(2), f.table.Clients[2]);
        QCOMPARE(f.fileRecord(1), f.table.Clients[1]);
    }

    void leave_newClientIsBlankedAnEditLeftAsItWas()
    {
        // Cancel Input clears the flag; Alt+Shift+F10, on a button or in a box, leaves it as it was.
        const std::tuple<bool, bool, bool, bool, bool> rows[] = {
            // editing, Alt+Shift+F10, on a button, flag before, flag after
            {false, false, true, true, false},
            {true, false, true, true, false},
            {false, true, true, true, true},
            {true, true, false, false, false},
            {true, true, false, true, true}};
        for (const auto& [editing, altShiftF10, onButton, flagBefore, flagAfter] : rows) {
            CourtWindow f([editing = editing, flagBefore = flagBefore](IntakeFixture& x) {
                editing ? Editing(2)(x) : NewClient(x);
                x.flags.ContinueFlag = flagBefore;
            });
            const ClientRecord before = f.table.Clients[2];
            const QByteArray file = f.fileBytes();
            f.w.box(0)->setFocus();
            typeText(QStringLiteral("9"));
            press(Qt::Key_Return);
            if (onButton)
                f.w.menu().button(1)->setFocus();
            if (altShiftF10)
                press(Qt::Key_F10, Qt::AltModifier | Qt::ShiftModifier);
            else
                press(Qt::Key_Return);
            QTRY_VERIFY(!f.w.isVisible());
            QCOMPARE(f.flags.ContinueFlag, flagAfter);
            QCOMPARE(f.table.CurClient, editing ? 2 : 1);
            QCOMPARE(f.table.Clients[2], before);
            QCOMPARE(f.table.Clients[4], ClientRecord::blank());
            QCOMPARE(f.table.NumClients, 3);
            QCOMPARE(f.fileBytes(), file);
            QVERIFY(f.prompts.shown.isEmpty());
        }
    }
};

QTEST_MAIN(TestCourtHistory)
#include "test_court_history.moc"
