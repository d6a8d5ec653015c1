// The client information and court history windows driven from the keyboard: each form's Enter order and refusals,
// typing into its fields, what OK stores, the edit limit, a failed save, and the ways of leaving. Whole new clients
// and an edit are walked by the whole-program test.

#include "IntakeFixture.h"
#include "MaskedDateBox.h"
#include "MenuButtons.h"
#include "frmClientInfo.h"
#include "frmCourtHistory.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using InfoWindow = Opened<frmClientInfo>;
using CourtWindow = Opened<frmCourtHistory>;

QList<QWidget*> inputs(frmClientInfo& w)
{
    return {w.txtName(), w.cmbGender(), w.mebDateOfBirth(), w.cmbRace(), w.cmbMarital(), w.cmbEducation()};
}

QList<bool> inputsEnabled(frmClientInfo& w)
{
    QList<bool> out;
    for (QWidget* i : inputs(w))
        out << i->isEnabled();
    return out;
}

QString nameOf(const QWidget* w)
{
    return w ? w->objectName() : QStringLiteral("(none)");
}

QString counts(const ClientRecord& r)
{
    return r.DrugArrests + r.AlcoholArrests + r.Assaults + r.DVArrests + r.Anger;
}

// With the data location gone OK keeps the window, the entries and the record; once it is back they are saved.
template <class W> void saveFailsThenSucceeds(QWidget* field, const char* keys, Opened<W>& f)
{
    const ClientRecord before = f.table.current();
    field->setFocus();
    typeText(QLatin1String(keys));
    f.table.setDataPath(f.dir.path() + QStringLiteral("/gone"));
    f.prompts.answers << Prompts::Answer::Cancel;
    f.w.menu().button(0)->setFocus();
    press(Qt::Key_Return);
    QCoreApplication::processEvents();
    QVERIFY(f.w.isVisible());
    QVERIFY(!f.flags.ContinueFlag);
    QCOMPARE(f.prompts.shown.size(), 1);
    QCOMPARE(f.table.current(), before);
    QCOMPARE(focused(), f.w.menu().button(0));
    f.table.setDataPath(f.dir.path());
    press(Qt::Key_Return);
    QTRY_VERIFY(!f.w.isVisible());
    QVERIFY(f.flags.ContinueFlag);
    QCOMPARE(f.fileRecord(f.table.CurClient), f.table.current());
}

} // namespace

class TestIntakeWindows : public QObject {
    Q_OBJECT
private slots:
    void clientInfo_orderAndRefusals()
    {
        InfoWindow f;
        QCOMPARE(focused(), f.w.txtName());
        press(Qt::Key_Escape); // no way out
        // Each field left empty is refused, with a beep and a message, and keeps the focus.
        for (QWidget* field : inputs(f.w)) {
            field->setFocus();
            press(Qt::Key_Tab);
            QCOMPARE(focused(), field);
        }
        QCOMPARE(f.prompts.beeps, 6);
        QCOMPARE(f.prompts.shown.size(), 6);
        const QStringList keys{"Doe, Jordan", "1", "03141987", "2", "1", "4"};
        for (int i = 0; i < 6; ++i) {
            inputs(f.w)[i]->setFocus();
            typeText(keys[i]);
        }
        f.prompts.clear();
        // Filled, Enter and Tab follow the form's own order; Backtab walks the tab order back without checking.
        const std::tuple<const char*, int, const char*> rows[] = {
            {"txtName", Qt::Key_Tab, "mebDateOfBirth"},           {"cmbGender", Qt::Key_Return, "cmbRace"},
            {"cmbRace", Qt::Key_Return, "cmbEducation"},          {"cmbEducation", Qt::Key_Return, "cmbMarital"},
            {"cmbMarital", Qt::Key_Tab, "mebDateOfBirth"},        {"mebDateOfBirth", Qt::Key_Enter, "cmdMenuChoice_0"},
            {"cmdMenuChoice_0", Qt::Key_Backtab, "cmbEducation"}, {"mebDateOfBirth", Qt::Key_Backtab, "cmbGender"}};
        for (const auto& [from, key, to] : rows) {
            f.w.findChild<QWidget*>(QLatin1String(from))->setFocus();
            press(key);
            QCOMPARE(nameOf(focused()), QString::fromLatin1(to));
            // The label of the field with the focus is bold.
            for (int i = 0; i < 6; ++i)
                QCOMPARE(f.w.findChild<QLabel*>(QStringLiteral("lblInfo_%1").arg(i))->font().bold(),
                         focused() == inputs(f.w)[i]);
        }
        QVERIFY(f.prompts.shown.isEmpty());
        QCOMPARE(f.prompts.beeps, 0);
    }

    void clientInfo_typing()
    {
        // A field, the keys typed into it, what it then shows (a list's position, or the date box's text), the
        // beeps, and whether the date box then takes Enter. Characters the client file cannot hold are refused.
        const std::tuple<const char*, const char*, const char*, int, bool> rows[] = {
            {"cmbGender", "2", "2", 0, true},
            {"cmbGender", "2\b", "-1", 1, false},
            {"cmbRace", "3N", "-1", 0, false}, // the list opens
            {"cmbMarital", "\u2193\u2193", "1", 0, true},
            {"mebDateOfBirth", "n", "N_/__/____", 0, true},
            {"mebDateOfBirth", "12a31-2000", "12/31/2000", 2, true},
            {"mebDateOfBirth", "3/14/1987", "3_/14/1987", 0, false},
            {"mebDateOfBirth", "03162026", "03/16/2026", 0, false},
            {"txtName", "Jos\u00e9 \u0152\u20ac\u03a9\U0001F600", "Jos\u00e9 \u0152\u20ac", 2, true}};
        for (const auto& [field, keys, shown, beeps, accepted] : rows) {
            InfoWindow f;
            QWidget* target = f.w.findChild<QWidget*>(QLatin1String(field));
            target->setFocus();
            // One key a character, as a keyboard of that language sends it.
            for (char32_t c : QString::fromUtf8(keys).toUcs4()) {
                QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&c, 1));
                if (target == f.w.txtName())
                    QApplication::sendEvent(target, &key);
                else
                    typeText(key.text());
            }
            QCOMPARE(f.prompts.beeps, beeps);
            if (target == f.w.txtName()) {
                QCOMPARE(f.w.txtName()->text(), QString::fromUtf8(shown));
            } else if (auto* box = qobject_cast<QComboBox*>(target)) {
                QTRY_COMPARE(box->view()->isVisible(), QByteArray(keys).endsWith('N'));
                box->hidePopup();
                QCOMPARE(QString::number(box->currentIndex()), QString::fromLatin1(shown));
            } else {
                QCOMPARE(f.w.mebDateOfBirth()->boxText(), QString::fromLatin1(shown));
                press(Qt::Key_Return);
                QCOMPARE(focused(), accepted ? static_cast<QWidget*>(f.w.menu().button(0)) : target);
                QCOMPARE(f.w.mebDateOfBirth()->boxText(), QLatin1String(accepted ? shown : "__/__/____"));
                QCOMPARE(f.prompts.shown.size(), accepted ? 0 : 1);
            }
        }
        // Pasted text with one refused character is refused whole.
        InfoWindow f;
        f.w.txtName()->insert(QString::fromUtf8("Ann \u0141ee"));
        QCOMPARE(f.w.txtName()->text(), QString());
        QCOMPARE(f.prompts.beeps, 1);
    }

    void clientInfo_okTestsTheFieldsInOrderThenTakesTheNextSlot()
    {
        InfoWindow f;
        const QByteArray before = f.fileBytes();
        // Each press reports the first field that fails; fixing it moves the report on to the next one.
        const QList<std::pair<QWidget*, QString>> order{
            {f.w.txtName(), "Ann"},      {f.w.cmbGender(), "2"}, {f.w.mebDateOfBirth(), "12311889"},
            {f.w.mebDateOfBirth(), "N"}, {f.w.cmbRace(), "1"},   {f.w.cmbEducation(), "3"},
            {f.w.cmbMarital(), "2"}};
        for (const auto& [field, keys] : order) {
            f.prompts.clear();
            f.w.menu().press(0);
            QCOMPARE(nameOf(focused()), nameOf(field));
            QCOMPARE(f.prompts.beeps, 1);
            QCOMPARE(f.table.Clients[4], ClientRecord::blank());
            typeText(keys);
        }
        f.w.menu().press(0);
        QTRY_VERIFY(!f.w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(f.table.CurClient, 4);
        QCOMPARE(f.table.NumClients, 3);
        QCOMPARE(f.table.Clients[4].DOB, QStringLiteral("N         "));
        QCOMPARE(f.fileBytes(), before);
    }

    void clientInfo_thirdChangeLocksForGood()
    {
        InfoWindow f(Editing());
        QCOMPARE(f.w.txtName()->text(), f.fileRecord(1).Name.trimmed()); // the record's padding is not shown
        const std::pair<QWidget*, const char*> changes[] = {
            {f.w.cmbGender(), "1"}, {f.w.txtName(), "Sample, Jordan"}, {f.w.mebDateOfBirth(), "04151990"}};
        for (const auto& [field, keys] : changes) {
            QVERIFY(f.prompts.shown.isEmpty());
            field->setFocus();
            typeText(QLatin1String(keys));
            press(Qt::Key_Return);
        }
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown.at(0).title, QStringLiteral("Edit Limit Reached"));
        QCOMPARE(inputsEnabled(f.w), QList<bool>(6, false));
        press(Qt::Key_Return);
        QTRY_VERIFY(!f.w.isVisible());
        const ClientRecord saved = f.fileRecord(1);
        QCOMPARE(saved.Name.trimmed() + saved.Gender + saved.DOB + saved.EditCount,
                 QStringLiteral("Sample, Jordan104/15/19903"));
        // Reopened, the client says so and stays locked; so does a client whose name was deleted.
        for (int client : {1, 3}) {
            f.prompts.clear();
            Editing(client)(f);
            frmClientInfo again(f.ctx);
            QVERIFY(ShowActive(again));
            QCOMPARE(f.prompts.texts().size(), 1);
            QCOMPARE(f.prompts.shown.at(0).title, client == 1 ? "Edit Limit Reached" : "Name Deleted");
            QCOMPARE(inputsEnabled(again), QList<bool>(6, false));
        }
    }

    void saveFails()
    {
        {
            InfoWindow f(Editing());
            saveFailsThenSucceeds(f.w.cmbGender(), "1", f);
            QCOMPARE(f.fileRecord(1).Gender + f.fileRecord(1).EditCount, QStringLiteral("11"));
        }
        CourtWindow f(Editing(2));
        saveFailsThenSucceeds(f.w.txtDVArrests(), "3", f);
        QCOMPARE(counts(f.fileRecord(2)), QStringLiteral("0 2 N 3 12"));
    }

    void courtHistory_confirmAndType()
    {
        // Typed into the first box and confirmed with Enter: what the box keeps, and whether the focus moves on.
        // A third character beeps unless the two are selected to be replaced.
        const std::tuple<const char*, bool, const char*, bool> rows[] = {
            {"n", false, "N", true},  {" 7", false, "7", true},   {"00", false, "00", false},
            {"  ", false, "", false}, {"123", false, "12", true}, {"12", true, "4", true}};
        for (const auto& [keys, selectAll, kept, valid] : rows) {
            CourtWindow f(NewClient);
            QCOMPARE(focused(), f.w.box(0));
            typeText(QLatin1String(keys));
            if (selectAll) {
                f.w.box(0)->selectAll();
                typeText(QStringLiteral("4"));
            }
            press(Qt::Key_Return);
            QCOMPARE(f.w.box(0)->text(), QString::fromLatin1(kept));
            QCOMPARE(focused(), f.w.box(valid ? 1 : 0));
            QCOMPARE(f.prompts.beeps, QByteArray(keys).size() == 3 || !valid ? 1 : 0);
        }
    }

    void courtHistory_okReportsTheFirstBadBoxThenStoresInMemory()
    {
        CourtWindow f(NewClient);
        const QByteArray file = f.fileBytes();
        for (int i = 0; i < frmCourtHistory::BoxCount; ++i)
            f.w.box(i)->setText(i == 2 ? QStringLiteral("00") : QStringLiteral("1"));
        f.w.menu().press(0);
        QCOMPARE(focused(), f.w.txtAssaults());
        QVERIFY(!f.flags.ContinueFlag);
        // A lower-case n not yet confirmed with Enter is stored as "N" too.
        f.w.txtAssaults()->setText(QString());
        typeText(QStringLiteral("n"));
        QTest::mouseClick(f.w.menu().button(0), Qt::LeftButton);
        QTRY_VERIFY(!f.w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(counts(f.table.Clients[4]), QStringLiteral("1 1 N 1 1 "));
        QCOMPARE(f.fileBytes(), file);
    }

    void courtHistory_leaving()
    {
        // Cancel Input clears the flag; Alt+Shift+F10, on a button or in a box, leaves it as it was. A new client is
        // blanked, an edited one left as it was.
        const std::tuple<bool, bool, bool, bool, bool> rows[] = {
            // editing, Alt+Shift+F10, on a button, flag before, flag after
            {false, false, true, true, false},
            {true, false, true, true, false},
            {false, true, true, true, true},
            {true, true, false, false, false}};
        for (const auto& [editing, altShiftF10, onButton, flagBefore, flagAfter] : rows) {
            CourtWindow f([&](IntakeFixture& x) {
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
            QCOMPARE(f.fileBytes(), file);
        }
    }
};

QTEST_MAIN(TestIntakeWindows)
#include "test_intake_windows.moc"
