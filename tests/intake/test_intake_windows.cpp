// The client information and court history windows driven from the keyboard: each form's Enter order and refusals,
// typing into its fields, what OK stores, the edit limit, a failed save, and the ways of leaving. Whole new clients
// and an edit are walked by the whole-program test.

#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "MaskedDateBox.h"
#include "MenuButtons.h"
#include "Profile.h"
#include "TestDefinition.h"
#include "TestFiles.h"
#include "frmClientInfo.h"
#include "frmCourtHistory.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

// Female, 03/14/1987, Hispanic, single, high school graduate; court counts 0, 2, N, 0, 12.
inline ClientRecord MakeRecord(const QString& name, const QString& editCount = "0", const QString& nameDeleted = "0")
{
    ClientRecord r = ClientRecord::blank();
    r.Name = name;
    for (auto [field, value] : {std::pair{&r.Gender, "2"}, {&r.DOB, "03/14/1987"}, {&r.Race, "3"}, {&r.Marital, "1"},
                                {&r.Education, "4"}, {&r.DrugArrests, "0"}, {&r.AlcoholArrests, "2"}, {&r.Assaults, "N"},
                                {&r.DVArrests, "0"}, {&r.Anger, "12"}})
        *field = QString::fromLatin1(value);
    r.EditCount = editCount;
    r.NameDeleted = nameDeleted;
    r.fitFields();
    return r;
}

// Today is 03/15/2026. Client 1 is an ordinary client, client 2 is at the edit limit, client 3's name was deleted.
class IntakeFixture {
public:
    IntakeFixture()
    {
        table.setDataPath(dir.path());
        WriteFile(table.ClientFilePath, MakeRecord("Sample, Avery").toBytes() +
                                            MakeRecord("Example, Jordan", "3").toBytes() +
                                            MakeRecord("Xqzvrt, Pmwlk", "0", "1").toBytes());
        table.LoadClients();
    }

    QByteArray fileBytes() const { return ReadBytes(table.ClientFilePath); }
    ClientRecord fileRecord(int n) const
    {
        return ClientRecord::fromBytes(fileBytes().mid((n - 1) * ClientRecord::Size, ClientRecord::Size));
    }

    QTemporaryDir dir;
    ClientTable table;
    SessionFlags flags;
    FakePrompts prompts;
    FakeClock clock{QDate(2026, 3, 15)};
    Profile settings{dir.path() + QStringLiteral("/Quillan.ini")};
    DataWorkspace workspace{dir.path(), settings};
    AppContext ctx{table, flags, prompts, clock, settings, workspace, dir.path()};
};

using Setup = std::function<void(IntakeFixture&)>;

// Editing client `n` of the file, as the main menu's edit chain does.
inline Setup Editing(int n = 1)
{
    return [n](IntakeFixture& f) {
        f.flags.EditingClient = true;
        f.table.CurClient = static_cast<int16_t>(n);
    };
}

// What the client information window leaves behind when it accepts a new client into slot NumClients + 1.
inline void NewClient(IntakeFixture& f)
{
    f.flags.EditingClient = false;
    f.table.CurClient = static_cast<int16_t>(f.table.NumClients + 1);
    f.table.current() = MakeRecord("Newcomer, Sam");
}

// Shows a window, waits until it is active and lets its activation notices run.
inline bool ShowActive(QWidget& w)
{
    w.show();
    const bool active = QTest::qWaitForWindowActive(&w);
    QCoreApplication::processEvents();
    return active;
}

// A fixture, prepared by `setup`, with window W open and active on it. `setup` runs before the window is made, so
// the window opens on the prepared flags and client.
template <class W> struct Opened : IntakeFixture {
    explicit Opened(const Setup& setup = {}) : w((setup ? setup(*this) : void(), ctx))
    {
        if (!ShowActive(w))
            qFatal("%s did not become active", W::staticMetaObject.className());
    }
    W w;
};

inline QWidget* focused()
{
    return QApplication::focusWidget();
}

// Backtab is sent with Shift, as the keyboard sends it.
inline void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    if (key == Qt::Key_Backtab)
        mods |= Qt::ShiftModifier;
    QTest::keyClick(focused(), Qt::Key(key), mods);
}

// Types into the widget focused at each key; "\b" is Backspace.
inline void typeText(const QString& text)
{
    for (QChar c : text)
        QTest::keyClicks(focused(), QString(c));
}

using InfoWindow = Opened<frmClientInfo>;
using CourtWindow = Opened<frmCourtHistory>;

QList<QWidget*> inputs(frmClientInfo& w)
{
    return {w.txtName(), w.cmbGender(), w.mebDateOfBirth(), w.cmbRace(), w.cmbMarital(), w.cmbEducation()};
}

bool anyEnabled(frmClientInfo& w)
{
    const QList<QWidget*> fields = inputs(w);
    return std::any_of(fields.begin(), fields.end(), [](QWidget* i) { return i->isEnabled(); });
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
    QVERIFY(f.w.isVisible() && !f.flags.ContinueFlag && focused() == f.w.menu().button(0));
    QCOMPARE(f.prompts.shown.size(), 1);
    QCOMPARE(f.table.current(), before);
    f.table.setDataPath(f.dir.path());
    press(Qt::Key_Return);
    QTRY_VERIFY(!f.w.isVisible() && f.flags.ContinueFlag);
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
        // Each field left empty is refused, with a beep and a message, and keeps the focus; then it is filled.
        const QStringList keys{"Doe, Jordan", "1", "03141987", "2", "1", "4"};
        for (int i = 0; i < 6; ++i) {
            inputs(f.w)[i]->setFocus();
            press(Qt::Key_Tab);
            QCOMPARE(focused(), inputs(f.w)[i]);
            typeText(keys[i]);
        }
        QVERIFY(f.prompts.beeps == 6 && f.prompts.shown.size() == 6);
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
            QCOMPARE(focused(), f.w.findChild<QWidget*>(QLatin1String(to)));
        }
        QVERIFY(f.prompts.shown.isEmpty() && f.prompts.beeps == 0);
    }

    void clientInfo_typing()
    {
        // The date box and the name, the keys typed, what the field then shows, the beeps, and whether the date box
        // then takes Enter. Characters the client file cannot hold are refused; the lists' keys are the logic's.
        const std::tuple<const char*, const char*, const char*, int, bool> rows[] = {
            {"mebDateOfBirth", "12a31-2000", "12/31/2000", 2, true},
            {"mebDateOfBirth", "3/14/1987", "3_/14/1987", 0, false},
            {"txtName", "Jos\u00e9 \u0152\u20ac\u03a9\U0001F600", "Jos\u00e9 \u0152\u20ac", 2, true}};
        for (const auto& [field, keys, shown, beeps, accepted] : rows) {
            InfoWindow f;
            QWidget* target = f.w.findChild<QWidget*>(QLatin1String(field));
            target->setFocus();
            // One key a character, as a keyboard of that language sends it.
            for (char32_t c : QString::fromUtf8(keys).toUcs4()) {
                QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&c, 1));
                target == f.w.txtName() ? void(QApplication::sendEvent(target, &key)) : typeText(key.text());
            }
            QCOMPARE(f.prompts.beeps, beeps);
            if (target == f.w.txtName()) {
                QCOMPARE(f.w.txtName()->text(), QString::fromUtf8(shown));
                continue;
            }
            QCOMPARE(f.w.mebDateOfBirth()->boxText(), QString::fromLatin1(shown));
            press(Qt::Key_Return);
            QCOMPARE(focused(), accepted ? static_cast<QWidget*>(f.w.menu().button(0)) : target);
            QCOMPARE(f.prompts.shown.size(), accepted ? 0 : 1);
        }
        // Pasted text with one refused character is refused whole.
        InfoWindow f;
        f.w.txtName()->insert(QString::fromUtf8("Ann \u0141ee"));
        QVERIFY(f.w.txtName()->text().isEmpty() && f.prompts.beeps == 1);
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
            QCOMPARE(focused(), field);
            QVERIFY(f.prompts.beeps == 1 && f.table.Clients[4] == ClientRecord::blank());
            typeText(keys);
        }
        f.w.menu().press(0);
        QTRY_VERIFY(!f.w.isVisible() && f.flags.ContinueFlag);
        QVERIFY(f.table.CurClient == 4 && f.table.NumClients == 3 && f.table.Clients[4].DOB == "N         ");
        QCOMPARE(f.fileBytes(), before);
    }

    void clientInfo_thirdChangeLocksForGood()
    {
        InfoWindow f(Editing());
        const std::pair<QWidget*, const char*> changes[] = {
            {f.w.cmbGender(), "1"}, {f.w.txtName(), "Sample, Jordan"}, {f.w.mebDateOfBirth(), "04151990"}};
        for (const auto& [field, keys] : changes) {
            QVERIFY(f.prompts.shown.isEmpty());
            field->setFocus();
            typeText(QLatin1String(keys));
            press(Qt::Key_Return);
        }
        QCOMPARE(f.prompts.texts().size(), 1);
        QVERIFY(f.prompts.shown.at(0).title == "Edit Limit Reached" && !anyEnabled(f.w));
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
            QVERIFY(f.prompts.shown.at(0).title == (client == 1 ? "Edit Limit Reached" : "Name Deleted") &&
                    !anyEnabled(again));
        }
    }

    // Only a change between real dates of birth counts toward the edit limit; "not available" is no change.
    void clientInfo_notAvailableDateLeavesTheEditCount_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("saved"); // DOB and EditCount as stored after OK
        QTest::newRow("to N/A") << "03/14/1987" << QStringList{"N"} << "N         0";
        QTest::newRow("to N/A and back") << "03/14/1987" << QStringList{"N", "03141987"} << "03/14/19870";
        QTest::newRow("from N/A") << "N" << QStringList{"03141987"} << "03/14/19870";
        QTest::newRow("from N/A, then another") << "N" << QStringList{"03141987", "04151990"} << "04/15/19901";
        QTest::newRow("through N/A to another") << "03/14/1987" << QStringList{"N", "04151990"} << "04/15/19901";
    }
    void clientInfo_notAvailableDateLeavesTheEditCount()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, entries);
        InfoWindow f([&stored](IntakeFixture& fixture) {
            Editing()(fixture);
            fixture.table.Clients[1].DOB = ClientRecord::fit(stored, 10);
        });
        for (const QString& keys : entries) {
            f.w.mebDateOfBirth()->setFocus();
            typeText(keys);
            press(Qt::Key_Return);
        }
        f.w.menu().press(0);
        QTRY_VERIFY(!f.w.isVisible() && f.flags.ContinueFlag);
        QTEST(f.fileRecord(1).DOB + f.fileRecord(1).EditCount, "saved");
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

    void courtHistory_okReportsTheFirstBadBoxThenStoresInMemory()
    {
        CourtWindow f(NewClient);
        const QByteArray file = f.fileBytes();
        // Enter on a refused count keeps the focus; a third character beeps. The rules are the logic's.
        typeText(QStringLiteral("00"));
        press(Qt::Key_Return);
        QVERIFY(focused() == f.w.box(0) && f.prompts.beeps == 1);
        typeText(QStringLiteral("\b\b123"));
        press(Qt::Key_Return);
        QVERIFY(focused() == f.w.box(1) && f.w.box(0)->text() == "12" && f.prompts.beeps == 2);
        for (int i = 0; i < frmCourtHistory::BoxCount; ++i)
            f.w.box(i)->setText(i == 2 ? QStringLiteral("00") : QStringLiteral("1"));
        f.w.menu().press(0);
        QVERIFY(focused() == f.w.txtAssaults() && !f.flags.ContinueFlag);
        // A lower-case n not yet confirmed with Enter is stored as "N" too.
        f.w.txtAssaults()->setText(QString());
        typeText(QStringLiteral("n"));
        QTest::mouseClick(f.w.menu().button(0), Qt::LeftButton);
        QTRY_VERIFY(!f.w.isVisible() && f.flags.ContinueFlag);
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
            altShiftF10 ? press(Qt::Key_F10, Qt::AltModifier | Qt::ShiftModifier) : press(Qt::Key_Return);
            QTRY_VERIFY(!f.w.isVisible());
            QCOMPARE(f.flags.ContinueFlag, flagAfter);
            QCOMPARE(f.table.CurClient, editing ? 2 : 1);
            QVERIFY(f.table.Clients[2] == before && f.table.Clients[4] == ClientRecord::blank());
            QCOMPARE(f.fileBytes(), file);
        }
    }
};

QTEST_MAIN(TestIntakeWindows)
#include "test_intake_windows.moc"
