// The client information window driven from the keyboard: the form's Enter order and refusals, typing into the
// lists and the date box, what a new client leaves in memory, cancelling, the edit limit and a failed save.

#include "IntakeFixture.h"
#include "MaskedDateBox.h"
#include "MenuButtons.h"
#include "frmClientInfo.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using InfoWindow = Opened<frmClientInfo>;

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

// Keys a whole new client: name, gender Male, date, race Black, marital Single, education High school graduate.
void keyNewClient(frmClientInfo& w, const QString& date = QStringLiteral("03141987"))
{
    const QStringList keys{"Doe, Jordan", "1", date, "2", "1", "4"};
    for (int i = 0; i < 6; ++i) {
        inputs(w)[i]->setFocus();
        typeText(keys[i]);
    }
}

QString nameOf(const QWidget* w)
{
    return w ? w->objectName() : QStringLiteral("(none)");
}

} // namespace

class TestClientInfo : public QObject {
    Q_OBJECT
private slots:
    void keys_orderAndRefusals()
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
        QCOMPARE(f.prompts.shown.last().icon, Prompts::Icon::Critical);

        // Filled, Enter and Tab follow the form's own order; Backtab walks the tab order back without checking.
        keyNewClient(f.w);
        f.prompts.clear();
        const std::tuple<const char*, int, const char*> rows[] = {{"txtName", Qt::Key_Return, "mebDateOfBirth"},
                                                                  {"txtName", Qt::Key_Tab, "mebDateOfBirth"},
                                                                  {"cmbGender", Qt::Key_Return, "cmbRace"},
                                                                  {"cmbRace", Qt::Key_Return, "cmbEducation"},
                                                                  {"cmbEducation", Qt::Key_Return, "cmbMarital"},
                                                                  {"cmbMarital", Qt::Key_Tab, "mebDateOfBirth"},
                                                                  {"mebDateOfBirth", Qt::Key_Return, "cmdMenuChoice_0"},
                                                                  {"mebDateOfBirth", Qt::Key_Enter, "cmdMenuChoice_0"},
                                                                  {"cmdMenuChoice_0", Qt::Key_Backtab, "cmbEducation"},
                                                                  {"mebDateOfBirth", Qt::Key_Backtab, "cmbGender"},
                                                                  {"cmbGender", Qt::Key_Backtab, "txtName"}};
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
        QVERIFY(f.w.isVisible());
    }

    void typing()
    {
        // A field, the keys typed into it, what it then shows (a list's position, or the date box's text), the
        // beeps, and whether the date box then takes Enter.
        struct Row {
            const char* field;
            const char* keys;
            const char* shown;
            int beeps;
            bool accepted;
        };
        const Row rows[] = {
            {"cmbGender", "2", "2", 0, true},
            {"cmbGender", "3", "-1", 1, false},
            {"cmbGender", "2\b", "-1", 1, false},
            {"cmbRace", "3N", "-1", 0, false}, // the list opens
            {"cmbMarital", "\u2193\u2193", "1", 0, true},
            {"cmbEducation", "37", "7", 0, true},
            {"mebDateOfBirth", "n", "N_/__/____", 0, true},
            {"mebDateOfBirth", "12a31-2000", "12/31/2000", 2, true},
            {"mebDateOfBirth", "3/14/1987", "3_/14/1987", 0, false},
            {"mebDateOfBirth", "03141987\b\b", "03/14/19__", 0, false},
            {"mebDateOfBirth", "03162026", "03/16/2026", 0, false},
        };
        for (const Row& row : rows) {
            InfoWindow f;
            QWidget* target = f.w.findChild<QWidget*>(QLatin1String(row.field));
            target->setFocus();
            typeText(QString::fromUtf8(row.keys));
            QCOMPARE(f.prompts.beeps, row.beeps);
            if (auto* box = qobject_cast<QComboBox*>(target)) {
                QTRY_COMPARE(box->view()->isVisible(), QByteArray(row.keys).endsWith('N'));
                box->hidePopup();
                QCOMPARE(QString::number(box->currentIndex()), QString::fromLatin1(row.shown));
                continue;
            }
            QCOMPARE(f.w.mebDateOfBirth()->boxText(), QString::fromLatin1(row.shown));
            press(Qt::Key_Return);
            QCOMPARE(focused(), row.accepted ? static_cast<QWidget*>(f.w.menu().button(0)) : target);
            QCOMPARE(f.w.mebDateOfBirth()->boxText(),
                     row.accepted ? QString::fromLatin1(row.shown) : QStringLiteral("__/__/____"));
            QCOMPARE(f.prompts.shown.size(), row.accepted ? 0 : 1);
        }
    }

    void newClient_okTestsTheFieldsInOrderThenFillsTheNextSlotInMemory()
    {
        InfoWindow f;
        const QByteArray before = f.fileBytes();
        // Each press reports the first field that fails; fixing it moves the report on to the next one. A date
        // outside 1890 to today is refused here too.
        const QList<std::pair<QWidget*, QString>> order{{f.w.txtName(), "Ann"},
                                                        {f.w.cmbGender(), "2"},
                                                        {f.w.mebDateOfBirth(), "12311889"},
                                                        {f.w.mebDateOfBirth(), "01012027"},
                                                        {f.w.mebDateOfBirth(), "N"},
                                                        {f.w.cmbRace(), "1"},
                                                        {f.w.cmbEducation(), "3"},
                                                        {f.w.cmbMarital(), "2"}};
        for (const auto& [field, keys] : order) {
            f.prompts.clear();
            f.w.menu().press(0);
            QCOMPARE(nameOf(focused()), nameOf(field));
            QCOMPARE(f.prompts.shown.size(), 1);
            QCOMPARE(f.prompts.beeps, 1);
            QVERIFY(!f.flags.ContinueFlag);
            QCOMPARE(f.table.Clients[4], ClientRecord::blank());
            typeText(keys);
        }
        f.prompts.clear();
        f.w.menu().press(0);
        QTRY_VERIFY(!f.w.isVisible());
        QVERIFY(f.prompts.shown.isEmpty());
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(f.table.CurClient, 4);
        QCOMPARE(f.table.NumClients, 3);
        const ClientRecord& r = f.table.Clients[4];
        QCOMPARE(r.Name.trimmed() + r.Gender + r.Race + r.Marital + r.Education, QStringLiteral("Ann2123"));
        QCOMPARE(r.DOB, QStringLiteral("N         "));
        QCOMPARE(r.TestDate + r.EditCount + r.NameDeleted, QStringLiteral("03/15/202600"));
        QCOMPARE(r.Responses, QString(NumItems, QLatin1Char('0')));
        QCOMPARE(f.fileBytes(), before);
    }

    void cancel_leavesTheTableAndFileAsTheyWere()
    {
        for (bool editing : {false, true}) {
            InfoWindow f([editing](IntakeFixture& x) {
                x.flags.EditingClient = editing;
                x.flags.ContinueFlag = true;
            });
            const ClientRecord before = f.table.Clients[1];
            const QByteArray file = f.fileBytes();
            f.w.cmbGender()->setFocus();
            typeText(QStringLiteral("1"));
            press(Qt::Key_Return);
            f.w.txtName()->setFocus();
            typeText(QStringLiteral("Someone Else"));
            f.w.menu().button(1)->setFocus();
            press(Qt::Key_Return);
            QTRY_VERIFY(!f.w.isVisible());
            QVERIFY(!f.flags.ContinueFlag);
            QCOMPARE(f.table.CurClient, 1);
            QCOMPARE(f.table.Clients[1], before);
            QCOMPARE(f.table.Clients[4], ClientRecord::blank());
            QCOMPARE(f.fileBytes(), file);
        }
    }

    void edit_showsTheNameWithoutItsPadding()
    {
        InfoWindow f(Editing());
        const QString name = f.fileRecord(1).Name.trimmed();
        QCOMPARE(f.w.txtName()->text(), name); // the record's padding is not shown
        QCOMPARE(focused(), f.w.menu().button(0));
        press(Qt::Key_Return); // accepted as it is: nothing counts as a change
        QTRY_VERIFY(!f.w.isVisible());
        QCOMPARE(f.fileRecord(1).EditCount, QStringLiteral("0"));
        QCOMPARE(f.fileRecord(1).Name, ClientRecord::fit(name, 25));
    }

    void name_charactersTheFileCannotHold_refusedWithABeep_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("beeps");
        const QString latin = QString::fromUtf8("Jos\u00e9 Mu\u00f1oz \u0152\u0160\u20ac");
        QTest::newRow("Windows-1252 letters typed") << latin << false << latin << 0;
        QTest::newRow("Greek letter typed") << QString::fromUtf8("A\u03a9B") << false << QStringLiteral("AB") << 1;
        QTest::newRow("emoji typed") << QString::fromUtf8("A\U0001F600B") << false << QStringLiteral("AB") << 1;
        QTest::newRow("pasted with one refused character") << QString::fromUtf8("Ann \u0141ee") << true << QString() << 1;
    }
    void name_charactersTheFileCannotHold_refusedWithABeep()
    {
        QFETCH(QString, typed);
        QFETCH(bool, pasted);
        InfoWindow f;
        if (pasted) {
            f.w.txtName()->insert(typed);
        } else {
            // One key a character, as a keyboard of that language sends it.
            for (char32_t c : typed.toUcs4()) {
                QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&c, 1));
                QApplication::sendEvent(f.w.txtName(), &key);
            }
        }
        QTEST(f.w.txtName()->text(), "shown");
        QTEST(f.prompts.beeps, "beeps");
    }

    void edit_thirdChangeLocksForGood()
    {
        InfoWindow f(Editing());
        QCOMPARE(focused(), f.w.menu().button(0));
        QCOMPARE(f.w.cmbRace()->currentText(), QStringLiteral("Hispanic"));
        f.w.cmbGender()->setFocus();
        typeText(QStringLiteral("1"));
        press(Qt::Key_Return);
        f.w.txtName()->setFocus();
        typeText(QStringLiteral("Sample, Jordan"));
        press(Qt::Key_Return);
        QVERIFY(f.prompts.shown.isEmpty());
        f.w.mebDateOfBirth()->setFocus();
        typeText(QStringLiteral("04151990"));
        press(Qt::Key_Return); // the third change
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown.at(0).title, QStringLiteral("Edit Limit Reached"));
        QCOMPARE(inputsEnabled(f.w), QList<bool>(6, false));
        QCOMPARE(focused(), f.w.menu().button(0));
        press(Qt::Key_Return);
        QTRY_VERIFY(!f.w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        const ClientRecord saved = f.fileRecord(1);
        QCOMPARE(saved.Name.trimmed() + saved.Gender + saved.DOB, QStringLiteral("Sample, Jordan104/15/1990"));
        QCOMPARE(saved.EditCount + saved.TestDate, QStringLiteral("303/15/2026"));
        QCOMPARE(saved.Responses, QString(NumItems, QLatin1Char('1')));
        QCOMPARE(f.table.Clients[1], saved);

        // Reopened, the client says so and stays locked.
        f.prompts.clear();
        frmClientInfo again(f.ctx);
        QVERIFY(ShowActive(again));
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown.at(0).title, QStringLiteral("Edit Limit Reached"));
        QCOMPARE(inputsEnabled(again), QList<bool>(6, false));
        QCOMPARE(again.mebDateOfBirth()->boxText(), QStringLiteral("04/15/1990"));
    }

    void edit_nameDeleted_locksWithItsMessage()
    {
        InfoWindow f(Editing(3));
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown.at(0).title, QStringLiteral("Name Deleted"));
        QCOMPARE(inputsEnabled(f.w), QList<bool>(6, false));
        press(Qt::Key_Return);
        QTRY_VERIFY(!f.w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(f.fileRecord(3).Name, f.table.Clients[3].Name);
    }

    void edit_saveFails_keepsTheWindowOpenAndTheRecord()
    {
        InfoWindow f(Editing());
        const ClientRecord before = f.table.Clients[1];
        f.w.cmbGender()->setFocus();
        typeText(QStringLiteral("1"));
        // The data location goes away while the window is open.
        f.table.setDataPath(f.dir.path() + QStringLiteral("/gone"));
        f.w.menu().button(0)->setFocus();
        f.prompts.answers << Prompts::Answer::Cancel;
        press(Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(f.w.isVisible());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.prompts.texts(), QStringList{"Data disk not found!\r\rInsert data disk in drive A to continue."});
        QCOMPARE(f.table.Clients[1], before);
        QCOMPARE(f.w.cmbGender()->currentIndex(), 1);
        // Once the location is back, the same entries are saved.
        f.table.setDataPath(f.dir.path());
        press(Qt::Key_Return);
        QTRY_VERIFY(!f.w.isVisible());
        QCOMPARE(f.fileRecord(1).Gender + f.fileRecord(1).EditCount, QStringLiteral("11"));
    }
};

QTEST_MAIN(TestClientInfo)
#include "test_client_info.moc"
