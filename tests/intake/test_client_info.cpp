// The client information window driven from the keyboard: Enter order, list typing, the date box, the edit limit,
// the new-client fill and what reaches the client file.

#include "IntakeFixture.h"
#include "MaskedDateBox.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "frmClientInfo.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using InfoWindow = Opened<frmClientInfo>;

const QString DateMessage = QStringLiteral(
    "Enter date of birth month, day, year as MM/DD/YYYY or N for Not Available. Press Enter to continue.");

// Whether each of the six inputs is enabled, in screen order.
QList<bool> inputsEnabled(frmClientInfo& w)
{
    QList<bool> out;
    for (QWidget* i :
         QList<QWidget*>{w.txtName(), w.cmbGender(), w.mebDateOfBirth(), w.cmbRace(), w.cmbMarital(), w.cmbEducation()})
        out << i->isEnabled();
    return out;
}
const QList<bool> AllEnabled(6, true);
const QList<bool> AllLocked(6, false);

// Keys a whole new client: name, gender Male, date, race Black, marital Single, education High school graduate.
void keyNewClient(frmClientInfo& w, const QString& date = QStringLiteral("03141987"))
{
    const std::pair<QWidget*, QString> entries[] = {
        {w.txtName(), QStringLiteral("Doe, Jordan")}, {w.cmbGender(), QStringLiteral("1")},
        {w.cmbRace(), QStringLiteral("2")},           {w.cmbMarital(), QStringLiteral("1")},
        {w.cmbEducation(), QStringLiteral("4")},      {w.mebDateOfBirth(), date}};
    for (const auto& [field, keys] : entries) {
        field->setFocus();
        typeText(keys);
    }
}

} // namespace

class TestClientInfo : public QObject {
    Q_OBJECT
private slots:
    void newClient_opensEmptyWithFocusOnName()
    {
        InfoWindow f;
        QCOMPARE(f.w.windowTitle(), QStringLiteral("Client Information"));
        QCOMPARE(focused(), f.w.txtName());
        QVERIFY(f.w.txtName()->text().isEmpty());
        QCOMPARE(f.w.txtName()->maxLength(), 25);
        QCOMPARE(f.w.mebDateOfBirth()->boxText(), QStringLiteral("__/__/____"));
        for (QComboBox* c : {f.w.cmbGender(), f.w.cmbRace(), f.w.cmbMarital(), f.w.cmbEducation()})
            QCOMPARE(c->currentIndex(), -1);
        QCOMPARE(f.w.menu().button(0)->text(), QStringLiteral("Information OK"));
        QCOMPARE(f.w.menu().button(1)->text(), QStringLiteral("Cancel Input"));
        // Escape is no way out.
        press(Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(f.w.isVisible());
        QVERIFY(f.prompts.shown.isEmpty());
    }

    void enterOrder_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("name, Enter") << "txtName" << int(Qt::Key_Return) << "mebDateOfBirth";
        QTest::newRow("name, Tab") << "txtName" << int(Qt::Key_Tab) << "mebDateOfBirth";
        QTest::newRow("gender") << "cmbGender" << int(Qt::Key_Return) << "cmbRace";
        QTest::newRow("race") << "cmbRace" << int(Qt::Key_Return) << "cmbEducation";
        QTest::newRow("education") << "cmbEducation" << int(Qt::Key_Return) << "cmbMarital";
        QTest::newRow("marital, Tab") << "cmbMarital" << int(Qt::Key_Tab) << "mebDateOfBirth";
        QTest::newRow("date") << "mebDateOfBirth" << int(Qt::Key_Return) << "cmdMenuChoice_0";
        QTest::newRow("date, keypad Enter") << "mebDateOfBirth" << int(Qt::Key_Enter) << "cmdMenuChoice_0";
        // Backtab walks the tab order back without checking.
        QTest::newRow("OK, Backtab") << "cmdMenuChoice_0" << int(Qt::Key_Backtab) << "cmbEducation";
        QTest::newRow("education, Backtab") << "cmbEducation" << int(Qt::Key_Backtab) << "cmbMarital";
        QTest::newRow("marital, Backtab") << "cmbMarital" << int(Qt::Key_Backtab) << "cmbRace";
        QTest::newRow("race, Backtab") << "cmbRace" << int(Qt::Key_Backtab) << "mebDateOfBirth";
        QTest::newRow("date, Backtab") << "mebDateOfBirth" << int(Qt::Key_Backtab) << "cmbGender";
        QTest::newRow("gender, Backtab") << "cmbGender" << int(Qt::Key_Backtab) << "txtName";
    }
    void enterOrder()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        InfoWindow f;
        keyNewClient(f.w);
        f.w.findChild<QWidget*>(from)->setFocus();
        press(key);
        QTEST(nameOf(focused()), "to");
        QVERIFY(f.prompts.shown.isEmpty());
        QCOMPARE(f.prompts.beeps, 0);
    }

    void field_focusedThenLeftEmpty_showsHelpThenRefuses_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("label");
        QTest::addColumn<QString>("help");
        QTest::addColumn<QString>("emptyMessage");
        QTest::newRow("name") << "txtName" << 0
                              << "Type client's name (up to 25 characters) or N for not available, then press Enter."
                              << "Enter client's name. Press Enter to continue.";
        QTest::newRow("gender")
            << "cmbGender" << 1
            << "Use up or down arrow keys to select gender or N/A for not available, then press Enter."
            << "Press down arrow to select gender or N for not available. Press Enter to continue.";
        QTest::newRow("date") << "mebDateOfBirth" << 2
                              << "Type date of birth in the form MM/DD/YYYY or N for Not Available, then press Enter."
                              << DateMessage;
        QTest::newRow("race")
            << "cmbRace" << 3
            << "Use up or down arrow keys to select ethnicity/race or N/A for not available, then press Enter."
            << "Press down arrow to select ethnicity. Press Enter to continue.";
        QTest::newRow("marital")
            << "cmbMarital" << 4
            << "Use up or down arrow keys to select marital status or N/A for not available, then press Enter."
            << "Press down arrow key to select marital status. Press Enter to continue.";
        QTest::newRow("education")
            << "cmbEducation" << 5
            << "Use up or down arrow keys to select education level or N/A for not available, then press Enter."
            << "Press down arrow to select education level. Press Enter to continue.";
    }
    void field_focusedThenLeftEmpty_showsHelpThenRefuses()
    {
        QFETCH(QString, field);
        QFETCH(int, label);
        QFETCH(QString, emptyMessage);
        InfoWindow f;
        QWidget* target = f.w.findChild<QWidget*>(field);
        target->setFocus();
        for (int i = 0; i <= 5; ++i)
            QCOMPARE(LabelIsBold(&f.w, i), i == label);
        QTEST(f.w.msgPanel()->caption(), "help");
        press(Qt::Key_Tab);
        QCOMPARE(focused(), target);
        QCOMPARE(f.prompts.beeps, 1);
        QCOMPARE(f.prompts.texts(), QStringList{emptyMessage});
        QCOMPARE(f.prompts.shown.at(0).icon, Prompts::Icon::Critical);
        QCOMPARE(f.prompts.shown.at(0).buttons, Prompts::Buttons::Ok);
        f.w.menu().button(1)->setFocus();
        QVERIFY(!LabelIsBold(&f.w, label));
        QCOMPARE(f.w.msgPanel()->caption(), QStringLiteral("Cancel information input and return to Main Menu."));
    }

    void comboTyping_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<bool>("listOpen");
        Row("gender 2 is Female", "cmbGender", "2", 2, 0, false);
        Row("gender 3 refused", "cmbGender", "3", -1, 1, false);
        Row("gender N", "cmbGender", "N", 0, 0, false);
        Row("gender n", "cmbGender", "n", 0, 0, false);
        Row("gender M refused", "cmbGender", "2M", -1, 1, false);
        Row("Backspace empties with a beep", "cmbGender", "2\b", -1, 1, false);
        Row("race 6 is Other", "cmbRace", "6", 6, 0, false);
        Row("race 7 refused", "cmbRace", "7", -1, 1, false);
        Row("race N opens the list", "cmbRace", "3N", -1, 0, true);
        Row("marital 5 is Widowed", "cmbMarital", "5", 5, 0, false);
        Row("marital 6 refused", "cmbMarital", "6", -1, 1, false);
        Row("marital, arrow keys", "cmbMarital", "\u2193\u2193", 1, 0, false);
        Row("education 8", "cmbEducation", "8", 8, 0, false);
        Row("education 9 refused", "cmbEducation", "9", -1, 1, false);
        Row("education space refused", "cmbEducation", "3 ", -1, 1, false);
        Row("last digit wins", "cmbEducation", "37", 7, 0, false);
    }
    void comboTyping()
    {
        QFETCH(QString, combo);
        QFETCH(QString, keys);
        QFETCH(int, index);
        QFETCH(bool, listOpen);
        InfoWindow f;
        auto* box = f.w.findChild<QComboBox*>(combo);
        box->setFocus();
        typeText(keys);
        QTRY_COMPARE(box->view()->isVisible(), listOpen);
        box->hidePopup();
        QCOMPARE(box->currentIndex(), index);
        if (index < 0)
            QCOMPARE(box->currentText(), QString());
        QTEST(f.prompts.beeps, "beeps");
        QCOMPARE(focused(), box);
    }

    void dateBox_typedThenEnter_showsAcceptsOrRefuses_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<bool>("accepted");
        // Today is 03/15/2026.
        Row("N", "N", "N_/__/____", 0, true);
        Row("n shown upper case", "n", "N_/__/____", 0, true);
        Row("digits fill around the slashes", "03141987", "03/14/1987", 0, true);
        Row("letters refused between digits", "12a31-2000", "12/31/2000", 2, true);
        Row("born after 2000", "01012001", "01/01/2001", 0, true);
        Row("today", "03152026", "03/15/2026", 0, true);
        Row("first day of 1890", "01011890", "01/01/1890", 0, true);
        Row("slash moves past its position", "3/14/1987", "3_/14/1987", 0, false);
        Row("letter refused", "x", "__/__/____", 1, false);
        Row("N then a digit", "N1", "N1/__/____", 0, false);
        Row("Backspace clears positions", "03141987\b\b", "03/14/19__", 0, false);
        Row("02/30/1970", "02301970", "02/30/1970", 0, false);
        Row("before 1890", "12311889", "12/31/1889", 0, false);
        Row("tomorrow", "03162026", "03/16/2026", 0, false);
        Row("empty", "", "__/__/____", 0, false);
    }
    void dateBox_typedThenEnter_showsAcceptsOrRefuses()
    {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(int, beeps);
        QFETCH(bool, accepted);
        InfoWindow f;
        f.w.mebDateOfBirth()->setFocus();
        typeText(keys);
        QCOMPARE(f.w.mebDateOfBirth()->boxText(), shown);
        QCOMPARE(f.prompts.beeps, beeps);
        press(Qt::Key_Return);
        QCOMPARE(f.w.mebDateOfBirth()->boxText(), accepted ? shown : QStringLiteral("__/__/____"));
        QCOMPARE(focused(), accepted ? static_cast<QWidget*>(f.w.menu().button(0)) : f.w.mebDateOfBirth());
        QCOMPARE(f.prompts.beeps, beeps + (accepted ? 0 : 1));
        QCOMPARE(f.prompts.texts(), accepted ? QStringList() : QStringList{DateMessage});
    }

    void informationOk_newClient_fillsTheNextSlotInMemoryOnly_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("dob");
        Row("date", "03141987", "03/14/1987");
        Row("not available", "n", "N         ");
    }
    void informationOk_newClient_fillsTheNextSlotInMemoryOnly()
    {
        QFETCH(QString, keys);
        InfoWindow f;
        const QByteArray before = f.fileBytes();
        keyNewClient(f.w, keys);
        press(Qt::Key_Return);
        QCOMPARE(focused(), f.w.menu().button(0));
        press(Qt::Key_Return);
        QTRY_VERIFY(!f.w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(f.table.CurClient, 4);
        QCOMPARE(f.table.NumClients, 3);
        const ClientRecord& r = f.table.Clients[4];
        QCOMPARE(r.Name, ClientRecord::fit(QStringLiteral("Doe, Jordan"), 25));
        QCOMPARE(r.Gender + r.Race + r.Marital + r.Education, QStringLiteral("1214"));
        QTEST(r.DOB, "dob");
        QCOMPARE(r.Responses, QString(123, QLatin1Char('0')));
        QCOMPARE(r.EditCount, QStringLiteral("0"));
        QCOMPARE(r.NameDeleted, QStringLiteral("0"));
        QCOMPARE(r.TestDate, QStringLiteral("03/15/2026"));
        QCOMPARE(f.fileBytes(), before);
        QVERIFY(f.prompts.shown.isEmpty());
    }

    void informationOk_testsTheFieldsInOrder()
    {
        InfoWindow f;
        // Each press reports the first field that fails; fixing it moves the report on to the next one. A date
        // outside 1890 to today is refused here too, with the date's message.
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
            if (field == f.w.mebDateOfBirth())
                QCOMPARE(f.prompts.texts(), QStringList{DateMessage});
            QVERIFY(!f.flags.ContinueFlag);
            QCOMPARE(f.table.Clients[4], ClientRecord::blank());
            typeText(keys);
        }
        f.prompts.clear();
        f.w.menu().press(0);
        QTRY_VERIFY(!f.w.isVisible());
        QVERIFY(f.prompts.shown.isEmpty());
        QCOMPARE(f.table.Clients[4].Education, QStringLiteral("3"));
    }

    void cancel_leavesTheTableAndFileAsTheyWere_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::newRow("new client") << false;
        QTest::newRow("edited client") << true;
    }
    void cancel_leavesTheTableAndFileAsTheyWere()
    {
        QFETCH(bool, editing);
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

    void edit_opensFilledFromTheRecordWithFocusOnOk_data()
    {
        QTest::addColumn<QString>("dob");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        Row("date", "03/14/1987", "03/14/1987", "03/14/1987");
        Row("not available", "N_/__/____", "N_/__/____", "N         ");
    }
    void edit_opensFilledFromTheRecordWithFocusOnOk()
    {
        QFETCH(QString, dob);
        InfoWindow f(Editing(), {}, {{QStringLiteral("Sample, Avery"), dob}});
        QCOMPARE(f.w.txtName()->text(), ClientRecord::fit(QStringLiteral("Sample, Avery"), 25));
        QCOMPARE(f.w.cmbGender()->currentText(), QStringLiteral("Female"));
        QTEST(f.w.mebDateOfBirth()->boxText(), "shown");
        QCOMPARE(f.w.cmbRace()->currentText(), QStringLiteral("Hispanic"));
        QCOMPARE(f.w.cmbMarital()->currentText(), QStringLiteral("Single"));
        QCOMPARE(f.w.cmbEducation()->currentText(), QStringLiteral("High school graduate"));
        QCOMPARE(focused(), f.w.menu().button(0));
        QCOMPARE(f.w.msgPanel()->caption(),
                 QStringLiteral("If information is correct press Enter or press Tab to change an entry."));
        QCOMPARE(inputsEnabled(f.w), AllEnabled);
        QVERIFY(f.prompts.shown.isEmpty());
        // Accepted as it is: nothing counts as a change.
        press(Qt::Key_Return);
        QTRY_VERIFY(!f.w.isVisible());
        QTEST(f.fileRecord(1).DOB, "stored");
        QCOMPARE(f.fileRecord(1).EditCount, QStringLiteral("0"));
    }

    void edit_thirdChange_locksTheFieldsAndSavesCountThree()
    {
        InfoWindow f(Editing());
        f.w.cmbGender()->setFocus();
        typeText(QStringLiteral("1"));
        press(Qt::Key_Return); // leaves gender: first change
        QCOMPARE(f.w.editCount(), 1);
        f.w.txtName()->setFocus();
        typeText(QStringLiteral("Sample, Jordan"));
        press(Qt::Key_Return); // second change
        QCOMPARE(f.w.editCount(), 2);
        QVERIFY(f.prompts.shown.isEmpty());
        f.w.mebDateOfBirth()->setFocus();
        typeText(QStringLiteral("04151990"));
        press(Qt::Key_Return); // third change

        QCOMPARE(f.w.editCount(), 3);
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown.at(0).title, QStringLiteral("Edit Limit Reached"));
        QCOMPARE(f.prompts.shown.at(0).text,
                 QStringLiteral("This client's information has been edited\r3 times already. "
                                "Further editing of this\rinformation is no longer "
                                "permitted."));
        QCOMPARE(f.prompts.shown.at(0).icon, Prompts::Icon::Information);
        QCOMPARE(inputsEnabled(f.w), AllLocked);
        QCOMPARE(focused(), f.w.menu().button(0));
        QCOMPARE(f.w.msgPanel()->caption(), QStringLiteral("Exceeded limits of editing.  No further editing permitted. "
                                                           "Press Enter to save and continue."));

        press(Qt::Key_Return);
        QTRY_VERIFY(!f.w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        const ClientRecord saved = f.fileRecord(1);
        QCOMPARE(saved.Name, ClientRecord::fit(QStringLiteral("Sample, Jordan"), 25));
        QCOMPARE(saved.Gender + saved.DOB, QStringLiteral("104/15/1990"));
        QCOMPARE(saved.EditCount, QStringLiteral("3"));
        QCOMPARE(saved.TestDate, QStringLiteral("03/15/2026"));
        QCOMPARE(saved.Responses, QString(123, QLatin1Char('1')));
        QCOMPARE(f.table.Clients[1], saved);

        // Reopened, the client shows the limit and stays locked.
        f.prompts.clear();
        frmClientInfo again(*f.ctx);
        QVERIFY(ShowActive(again));
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown.at(0).title, QStringLiteral("Edit Limit Reached"));
        QCOMPARE(f.prompts.shown.at(0).text, QStringLiteral("This client's information has been changed 3 times.\rNo "
                                                            "further editing is permitted. Press Enter to continue."));
        QCOMPARE(inputsEnabled(again), AllLocked);
        QCOMPARE(focused(), again.menu().button(0));
        QCOMPARE(again.mebDateOfBirth()->boxText(), QStringLiteral("04/15/1990"));
    }

    void edit_changes_countOnlyRealChangesEachTime()
    {
        InfoWindow f(Editing());
        // An unfinished date left with the mouse is no value yet, and the same date keyed again is no change.
        f.w.mebDateOfBirth()->setFocus();
        typeText(QStringLiteral("0314"));
        f.w.cmbRace()->setFocus();
        f.w.mebDateOfBirth()->setFocus();
        typeText(QStringLiteral("03141987"));
        press(Qt::Key_Return);
        QCOMPARE(f.w.editCount(), 0);
        f.w.cmbGender()->setFocus();
        typeText(QStringLiteral("1"));
        press(Qt::Key_Return);
        // Leaving a field unchanged does not count.
        f.w.cmbMarital()->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(f.w.editCount(), 1);
        // Changed back and left for the OK button: counted again.
        f.w.cmbGender()->setFocus();
        typeText(QStringLiteral("2"));
        f.w.menu().button(0)->setFocus();
        QCOMPARE(f.w.editCount(), 2);
        press(Qt::Key_Return);
        QTRY_VERIFY(!f.w.isVisible());
        QCOMPARE(f.fileRecord(1).EditCount, QStringLiteral("2"));
        QCOMPARE(f.fileRecord(1).Gender, QStringLiteral("2"));
        QCOMPARE(f.fileRecord(2), f.table.Clients[2]);
    }

    void edit_nameDeleted_locksWithItsMessage()
    {
        InfoWindow f(Editing(3));
        QCOMPARE(f.flags.NameDeletedFlag, 1);
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown.at(0).title, QStringLiteral("Name Deleted"));
        QCOMPARE(f.prompts.shown.at(0).text, QStringLiteral("This client's name has been deleted.\rEditting this "
                                                            "information is no longer permitted."));
        QCOMPARE(f.prompts.shown.at(0).icon, Prompts::Icon::Information);
        QCOMPARE(inputsEnabled(f.w), AllLocked);
        QCOMPARE(f.w.msgPanel()->caption(),
                 QStringLiteral("Client name has been deleted.  No further editing permitted."));
        press(Qt::Key_Return);
        QTRY_VERIFY(!f.w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
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
        QCOMPARE(f.fileRecord(1).Gender, QStringLiteral("1"));
    }

    void prefill_fillsTheControlsForReview()
    {
        InfoWindow f([](IntakeFixture& x) { x.flags.ScanReview = true; },
                     [](frmClientInfo& w) {
                         w.Prefill({QStringLiteral("Scanned, Casey"), QStringLiteral("2"), QStringLiteral("07/04/19NN"),
                                    QStringLiteral("N"), QStringLiteral("0"), QStringLiteral("8")});
                     });
        QCOMPARE(focused(), f.w.txtName());
        QCOMPARE(f.w.txtName()->text(), QStringLiteral("Scanned, Casey"));
        QCOMPARE(f.w.cmbGender()->currentText(), QStringLiteral("Female"));
        QCOMPARE(f.w.mebDateOfBirth()->boxText(), QStringLiteral("07/04/19__"));
        QCOMPARE(f.w.cmbRace()->currentText(), QStringLiteral("N/A"));
        QCOMPARE(f.w.cmbMarital()->currentText(), QStringLiteral("N/A"));
        QCOMPARE(f.w.cmbEducation()->currentText(), QStringLiteral("Prof./grad school"));
        f.w.mebDateOfBirth()->setFocus();
        typeText(QStringLiteral("N"));
        f.w.menu().press(0);
        QTRY_VERIFY(!f.w.isVisible());
        QCOMPARE(f.table.CurClient, 4);
        QCOMPARE(f.table.Clients[4].Name, ClientRecord::fit(QStringLiteral("Scanned, Casey"), 25));
    }
};

QTEST_MAIN(TestClientInfo)
#include "test_client_info.moc"
