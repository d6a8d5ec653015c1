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

QWidget* focused()
{
    return QApplication::focusWidget();
}

void press(int key)
{
    QTest::keyClick(focused(), Qt::Key(key));
}

void typeText(const QString& text)
{
    QTest::keyClicks(focused(), text);
}

QString nameOf(const QWidget* w)
{
    return w ? w->objectName() : QStringLiteral("(none)");
}

QList<QWidget*> inputs(frmClientInfo& w)
{
    return {w.txtName(), w.cmbGender(), w.mebDateOfBirth(), w.cmbRace(), w.cmbMarital(), w.cmbEducation()};
}

// Keys a whole new client: name, gender Male, date, race Black, marital Single, education High school graduate.
void keyNewClient(frmClientInfo& w, const QString& date = QStringLiteral("03141987"))
{
    w.txtName()->setFocus();
    typeText(QStringLiteral("Doe, Jordan"));
    for (auto [field, code] : {std::pair<QWidget*, const char*>{w.cmbGender(), "1"},
                               {w.cmbRace(), "2"},
                               {w.cmbMarital(), "1"},
                               {w.cmbEducation(), "4"}}) {
        field->setFocus();
        typeText(QString::fromLatin1(code));
    }
    w.mebDateOfBirth()->setFocus();
    typeText(date);
}

} // namespace

class TestClientInfo : public QObject {
    Q_OBJECT
private slots:
    void newClient_opensEmptyWithFocusOnName()
    {
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Client Information"));
        QCOMPARE(focused(), w.txtName());
        QVERIFY(w.txtName()->text().isEmpty());
        QCOMPARE(w.mebDateOfBirth()->boxText(), QStringLiteral("__/__/____"));
        for (QComboBox* c : {w.cmbGender(), w.cmbRace(), w.cmbMarital(), w.cmbEducation()})
            QCOMPARE(c->currentIndex(), -1);
        QVERIFY(LabelIsBold(&w, 0));
        QCOMPARE(w.msgPanel()->caption(),
                 QStringLiteral("Type client's name (up to 25 characters) or N for not available, then press Enter."));
        QCOMPARE(w.menu().button(0)->text(), QStringLiteral("Information OK"));
        QCOMPARE(w.menu().button(1)->text(), QStringLiteral("Cancel Input"));
        QCOMPARE(w.txtName()->maxLength(), 25);
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
    }
    void enterOrder()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        keyNewClient(w);
        w.findChild<QWidget*>(from)->setFocus();
        press(key);
        QTEST(nameOf(focused()), "to");
        QVERIFY(f.prompts.shown.isEmpty());
        QCOMPARE(f.prompts.beeps, 0);
    }

    void backtab_followsTheTabOrder()
    {
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.menu().button(0)->setFocus();
        QStringList seen;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
            seen << nameOf(focused());
        }
        QCOMPARE(seen,
                 (QStringList{"cmbEducation", "cmbMarital", "cmbRace", "mebDateOfBirth", "cmbGender", "txtName"}));
    }

    void emptyField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");
        QTest::newRow("name") << "txtName"
                              << "Enter client's name. Press Enter to continue.";
        QTest::newRow("gender") << "cmbGender"
                                << "Press down arrow to select gender or N for not available. Press Enter to continue.";
        QTest::newRow("date") << "mebDateOfBirth"
                              << "Enter date of birth month, day, year as MM/DD/YYYY or N for Not Available. Press "
                                 "Enter to continue.";
        QTest::newRow("race") << "cmbRace"
                              << "Press down arrow to select ethnicity. Press Enter to continue.";
        QTest::newRow("marital") << "cmbMarital"
                                 << "Press down arrow key to select marital status. Press Enter to continue.";
        QTest::newRow("education") << "cmbEducation"
                                   << "Press down arrow to select education level. Press Enter to continue.";
    }
    void emptyField()
    {
        QFETCH(QString, field);
        QFETCH(QString, message);
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        QWidget* target = w.findChild<QWidget*>(field);
        target->setFocus();
        press(Qt::Key_Tab);
        QCOMPARE(focused(), target);
        QCOMPARE(f.prompts.beeps, 1);
        QCOMPARE(f.prompts.texts(), QStringList{message});
        QCOMPARE(f.prompts.shown.at(0).icon, Prompts::Icon::Critical);
        QCOMPARE(f.prompts.shown.at(0).buttons, Prompts::Buttons::Ok);
    }

    void comboTyping_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("beeps");
        QTest::newRow("gender 1 is Male") << "cmbGender"
                                          << "1" << 1 << 0;
        QTest::newRow("gender 2 is Female") << "cmbGender"
                                            << "2" << 2 << 0;
        QTest::newRow("gender N") << "cmbGender"
                                  << "N" << 0 << 0;
        QTest::newRow("gender n") << "cmbGender"
                                  << "n" << 0 << 0;
        QTest::newRow("gender M refused") << "cmbGender"
                                          << "2M" << -1 << 1;
        QTest::newRow("gender 3 refused") << "cmbGender"
                                          << "3" << -1 << 1;
        QTest::newRow("race 0 is N/A") << "cmbRace"
                                       << "0" << 0 << 0;
        QTest::newRow("race 6 is Other") << "cmbRace"
                                         << "6" << 6 << 0;
        QTest::newRow("race 7 refused") << "cmbRace"
                                        << "7" << -1 << 1;
        QTest::newRow("marital 5 is Widowed") << "cmbMarital"
                                              << "5" << 5 << 0;
        QTest::newRow("marital 6 refused") << "cmbMarital"
                                           << "6" << -1 << 1;
        QTest::newRow("marital N") << "cmbMarital"
                                   << "N" << 0 << 0;
        QTest::newRow("education 8") << "cmbEducation"
                                     << "8" << 8 << 0;
        QTest::newRow("education 9 refused") << "cmbEducation"
                                             << "9" << -1 << 1;
        QTest::newRow("education space refused") << "cmbEducation"
                                                 << "3 " << -1 << 1;
        QTest::newRow("last digit wins") << "cmbEducation"
                                         << "37" << 7 << 0;
    }
    void comboTyping()
    {
        QFETCH(QString, combo);
        QFETCH(QString, keys);
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        auto* box = w.findChild<QComboBox*>(combo);
        box->setFocus();
        typeText(keys);
        QTEST(box->currentIndex(), "index");
        QTEST(f.prompts.beeps, "beeps");
        QCOMPARE(focused(), box);
        QVERIFY(!box->view()->isVisible());
    }

    void comboTyping_backspaceEmptiesWithBeep()
    {
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.cmbGender()->setFocus();
        typeText(QStringLiteral("2"));
        press(Qt::Key_Backspace);
        QCOMPARE(w.cmbGender()->currentIndex(), -1);
        QCOMPARE(w.cmbGender()->currentText(), QString());
        QCOMPARE(f.prompts.beeps, 1);
    }

    void comboTyping_arrowKeysChooseFromTheList()
    {
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.cmbMarital()->setFocus();
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(w.cmbMarital()->currentText(), QStringLiteral("Single"));
        QCOMPARE(f.prompts.beeps, 0);
    }

    void raceN_opensTheList()
    {
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.cmbRace()->setFocus();
        typeText(QStringLiteral("3"));
        typeText(QStringLiteral("N"));
        QTRY_VERIFY(w.cmbRace()->view()->isVisible());
        QCOMPARE(w.cmbRace()->currentIndex(), -1);
        QCOMPARE(f.prompts.beeps, 0);
        w.cmbRace()->hidePopup();
    }

    void dateTyping_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("beeps");
        QTest::newRow("N") << "N"
                           << "N_/__/____" << 0;
        QTest::newRow("n shown upper case") << "n"
                                            << "N_/__/____" << 0;
        QTest::newRow("digits fill around the slashes") << "03141987"
                                                        << "03/14/1987" << 0;
        QTest::newRow("slash moves past its position") << "3/14/1987"
                                                       << "3_/14/1987" << 0;
        QTest::newRow("letter refused") << "x"
                                        << "__/__/____" << 1;
        QTest::newRow("letters refused between digits") << "12a31-2000"
                                                        << "12/31/2000" << 2;
        QTest::newRow("N then digits") << "N1"
                                       << "N1/__/____" << 0;
    }
    void dateTyping()
    {
        QFETCH(QString, keys);
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.mebDateOfBirth()->setFocus();
        typeText(keys);
        QTEST(w.mebDateOfBirth()->boxText(), "shown");
        QTEST(f.prompts.beeps, "beeps");
        QCOMPARE(focused(), w.mebDateOfBirth());
    }

    void dateTyping_backspaceClearsPositions()
    {
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.mebDateOfBirth()->setFocus();
        typeText(QStringLiteral("03141987"));
        press(Qt::Key_Backspace);
        press(Qt::Key_Backspace);
        QCOMPARE(w.mebDateOfBirth()->boxText(), QStringLiteral("03/14/19__"));
        QCOMPARE(f.prompts.beeps, 0);
    }

    void dateEnter_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("shown");
        // Today is 03/15/2026.
        QTest::newRow("N") << "N" << true << "N_/__/____";
        QTest::newRow("n") << "n" << true << "N_/__/____";
        QTest::newRow("12/31/2000") << "12312000" << true << "12/31/2000";
        QTest::newRow("born after 2000") << "01012001" << true << "01/01/2001";
        QTest::newRow("today") << "03152026" << true << "03/15/2026";
        QTest::newRow("first day of 1890") << "01011890" << true << "01/01/1890";
        QTest::newRow("02/30/1970") << "02301970" << false << "__/__/____";
        QTest::newRow("before 1890") << "12311889" << false << "__/__/____";
        QTest::newRow("tomorrow") << "03162026" << false << "__/__/____";
        QTest::newRow("unfinished") << "031419" << false << "__/__/____";
        QTest::newRow("empty") << "" << false << "__/__/____";
        QTest::newRow("N then a digit") << "N1" << false << "__/__/____";
    }
    void dateEnter()
    {
        QFETCH(QString, keys);
        QFETCH(bool, accepted);
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.mebDateOfBirth()->setFocus();
        typeText(keys);
        press(Qt::Key_Return);
        QTEST(w.mebDateOfBirth()->boxText(), "shown");
        if (accepted) {
            QCOMPARE(focused(), w.menu().button(0));
            QVERIFY(f.prompts.shown.isEmpty());
            QCOMPARE(f.prompts.beeps, 0);
        } else {
            QCOMPARE(focused(), w.mebDateOfBirth());
            QCOMPARE(f.prompts.beeps, 1);
            QCOMPARE(f.prompts.texts(),
                     QStringList{QStringLiteral("Enter date of birth month, day, year as MM/DD/YYYY "
                                                "or N for Not Available. Press Enter to continue.")});
        }
    }

    void fieldFocus_boldsItsLabelAndShowsItsHelp_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("label");
        QTest::addColumn<QString>("help");
        QTest::newRow("gender") << "cmbGender" << 1
                                << "Use up or down arrow keys to select gender or N/A for not available, then press "
                                   "Enter.";
        QTest::newRow("date") << "mebDateOfBirth" << 2
                              << "Type date of birth in the form MM/DD/YYYY or N for Not Available, then press Enter.";
        QTest::newRow("race") << "cmbRace" << 3
                              << "Use up or down arrow keys to select ethnicity/race or N/A for not available, then "
                                 "press Enter.";
        QTest::newRow("marital") << "cmbMarital" << 4
                                 << "Use up or down arrow keys to select marital status or N/A for not available, "
                                    "then press Enter.";
        QTest::newRow("education") << "cmbEducation" << 5
                                   << "Use up or down arrow keys to select education level or N/A for not available, "
                                      "then press Enter.";
    }
    void fieldFocus_boldsItsLabelAndShowsItsHelp()
    {
        QFETCH(QString, field);
        QFETCH(int, label);
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.findChild<QWidget*>(field)->setFocus();
        for (int i = 0; i <= 5; ++i)
            QCOMPARE(LabelIsBold(&w, i), i == label);
        QTEST(w.msgPanel()->caption(), "help");
        w.menu().button(1)->setFocus();
        QVERIFY(!LabelIsBold(&w, label));
        QCOMPARE(w.msgPanel()->caption(), QStringLiteral("Cancel information input and return to Main Menu."));
    }

    void fieldFocus_selectsTheWholeEntry()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.mebDateOfBirth()->setFocus(Qt::TabFocusReason);
        typeText(QStringLiteral("N"));
        QCOMPARE(w.mebDateOfBirth()->boxText(), QStringLiteral("N_/__/____"));
        w.txtName()->setFocus(Qt::TabFocusReason);
        typeText(QStringLiteral("Avery"));
        QCOMPARE(w.txtName()->text(), QStringLiteral("Avery"));
    }

    void informationOk_newClient_fillsTheNextSlotInMemoryOnly()
    {
        IntakeFixture f(StandardClients());
        const QByteArray before = f.fileBytes();
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        keyNewClient(w);
        press(Qt::Key_Return);
        QCOMPARE(focused(), w.menu().button(0));
        press(Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(f.table.CurClient, 4);
        QCOMPARE(f.table.NumClients, 3);
        const ClientRecord& r = f.table.Clients[4];
        QCOMPARE(r.Name, ClientRecord::fit(QStringLiteral("Doe, Jordan"), 25));
        QCOMPARE(r.Gender, QStringLiteral("1"));
        QCOMPARE(r.DOB, QStringLiteral("03/14/1987"));
        QCOMPARE(r.Race, QStringLiteral("2"));
        QCOMPARE(r.Marital, QStringLiteral("1"));
        QCOMPARE(r.Education, QStringLiteral("4"));
        QCOMPARE(r.Responses, QString(123, QLatin1Char('0')));
        QCOMPARE(r.EditCount, QStringLiteral("0"));
        QCOMPARE(r.NameDeleted, QStringLiteral("0"));
        QCOMPARE(r.TestDate, QStringLiteral("03/15/2026"));
        QCOMPARE(f.fileBytes(), before);
        QVERIFY(f.prompts.shown.isEmpty());
    }

    void informationOk_newClientWithoutDate_storesN()
    {
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        keyNewClient(w, QStringLiteral("n"));
        w.menu().press(0);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(f.table.Clients[4].DOB, ClientRecord::fit(QStringLiteral("N"), 10));
    }

    void informationOk_testsTheFieldsInOrder()
    {
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        // Each press reports the first field that fails; fixing it moves the report on to the next one.
        const QList<std::pair<QWidget*, QString>> order{{w.txtName(), "Ann"},      {w.cmbGender(), "2"},
                                                        {w.mebDateOfBirth(), "N"}, {w.cmbRace(), "1"},
                                                        {w.cmbEducation(), "3"},   {w.cmbMarital(), "2"}};
        for (const auto& [field, keys] : order) {
            f.prompts.clear();
            w.menu().press(0);
            QCOMPARE(nameOf(focused()), nameOf(field));
            QCOMPARE(f.prompts.shown.size(), 1);
            QCOMPARE(f.prompts.beeps, 1);
            typeText(keys);
        }
        f.prompts.clear();
        w.menu().press(0);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(f.prompts.shown.isEmpty());
        QCOMPARE(f.table.Clients[4].Education, QStringLiteral("3"));
    }

    void informationOk_dateOutsideTheYearRange_saysSoAndSavesNothing_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::newRow("before 1890") << "12311889";
        QTest::newRow("next year") << "01012027";
    }
    void informationOk_dateOutsideTheYearRange_saysSoAndSavesNothing()
    {
        QFETCH(QString, keys);
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        keyNewClient(w, keys);
        QTest::mouseClick(w.menu().button(0), Qt::LeftButton);
        QCOMPARE(focused(), w.mebDateOfBirth());
        QCOMPARE(f.prompts.texts(),
                 QStringList{QStringLiteral("Enter date of birth month, day, year as MM/DD/YYYY or N "
                                            "for Not Available. Press Enter to continue.")});
        QVERIFY(w.isVisible());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.table.CurClient, 1);
        QCOMPARE(f.table.Clients[4], ClientRecord::blank());
    }

    void cancel_newClient_leavesTheTableAlone()
    {
        IntakeFixture f(StandardClients());
        f.flags.ContinueFlag = true;
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        keyNewClient(w);
        w.menu().button(1)->setFocus();
        press(Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.table.CurClient, 1);
        QCOMPARE(f.table.Clients[4], ClientRecord::blank());
    }

    void escape_doesNotCloseTheWindow()
    {
        IntakeFixture f(StandardClients());
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        press(Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(w.isVisible());
    }

    void edit_opensFilledFromTheRecordWithFocusOnOk()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        QCOMPARE(w.txtName()->text(), ClientRecord::fit(QStringLiteral("Sample, Avery"), 25));
        QCOMPARE(w.cmbGender()->currentText(), QStringLiteral("Female"));
        QCOMPARE(w.mebDateOfBirth()->boxText(), QStringLiteral("03/14/1987"));
        QCOMPARE(w.cmbRace()->currentText(), QStringLiteral("Hispanic"));
        QCOMPARE(w.cmbMarital()->currentText(), QStringLiteral("Single"));
        QCOMPARE(w.cmbEducation()->currentText(), QStringLiteral("High school graduate"));
        QCOMPARE(focused(), w.menu().button(0));
        QCOMPARE(w.msgPanel()->caption(),
                 QStringLiteral("If information is correct press Enter or press Tab to change an entry."));
        QVERIFY(f.prompts.shown.isEmpty());
        for (QWidget* i : inputs(w))
            QVERIFY(i->isEnabled());
    }

    void edit_storedNotAvailableDate_showsN()
    {
        ClientSpec c{QStringLiteral("Testcase, Morgan")};
        c.dob = QStringLiteral("N_/__/____");
        IntakeFixture f({c});
        f.flags.EditingClient = true;
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        QCOMPARE(w.mebDateOfBirth()->boxText(), QStringLiteral("N_/__/____"));
        press(Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(f.fileRecord(1).DOB, ClientRecord::fit(QStringLiteral("N"), 10));
        QCOMPARE(f.fileRecord(1).EditCount, QStringLiteral("0"));
    }

    void edit_thirdChange_locksTheFieldsAndSavesCountThree()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));

        w.cmbGender()->setFocus();
        typeText(QStringLiteral("1"));
        press(Qt::Key_Return); // leaves gender: first change
        QCOMPARE(w.editCount(), 1);
        w.txtName()->setFocus();
        typeText(QStringLiteral("Sample, Jordan"));
        press(Qt::Key_Return); // second change
        QCOMPARE(w.editCount(), 2);
        QVERIFY(f.prompts.shown.isEmpty());
        w.cmbRace()->setFocus();
        typeText(QStringLiteral("5"));
        press(Qt::Key_Return); // third change

        QCOMPARE(w.editCount(), 3);
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown.at(0).title, QStringLiteral("Edit Limit Reached"));
        QCOMPARE(f.prompts.shown.at(0).text,
                 QStringLiteral("This client's information has been edited\r3 times already. "
                                "Further editing of this\rinformation is no longer "
                                "permitted."));
        QCOMPARE(f.prompts.shown.at(0).icon, Prompts::Icon::Information);
        for (QWidget* i : inputs(w))
            QVERIFY2(!i->isEnabled(), qPrintable(i->objectName()));
        QCOMPARE(focused(), w.menu().button(0));
        QCOMPARE(w.msgPanel()->caption(), QStringLiteral("Exceeded limits of editing.  No further editing permitted. "
                                                         "Press Enter to save and continue."));

        press(Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
        const ClientRecord saved = f.fileRecord(1);
        QCOMPARE(saved.Gender, QStringLiteral("1"));
        QCOMPARE(saved.Name, ClientRecord::fit(QStringLiteral("Sample, Jordan"), 25));
        QCOMPARE(saved.Race, QStringLiteral("5"));
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
        for (QWidget* i : inputs(again))
            QVERIFY(!i->isEnabled());
        QCOMPARE(focused(), again.menu().button(0));
        QCOMPARE(again.cmbRace()->currentText(), QStringLiteral("Native American"));
    }

    void edit_changeAndChangeBack_countsTwice()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.cmbGender()->setFocus();
        typeText(QStringLiteral("1"));
        press(Qt::Key_Return);
        w.cmbGender()->setFocus();
        typeText(QStringLiteral("2"));
        press(Qt::Key_Return);
        QCOMPARE(w.editCount(), 2);
        // Leaving a field unchanged does not count.
        w.cmbMarital()->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(w.editCount(), 2);
        w.menu().press(0);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(f.fileRecord(1).EditCount, QStringLiteral("2"));
        QCOMPARE(f.fileRecord(1).Gender, QStringLiteral("2"));
    }

    void edit_dateChanges_countOnlyWhenAccepted()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        // An unfinished date left with the mouse is no value yet.
        w.mebDateOfBirth()->setFocus();
        typeText(QStringLiteral("0314"));
        w.cmbRace()->setFocus();
        QCOMPARE(w.editCount(), 0);
        // A new date counts, and so does a change to "not available".
        w.mebDateOfBirth()->setFocus();
        typeText(QStringLiteral("04151990"));
        press(Qt::Key_Return);
        QCOMPARE(w.editCount(), 1);
        w.mebDateOfBirth()->setFocus();
        typeText(QStringLiteral("N"));
        press(Qt::Key_Return);
        QCOMPARE(w.editCount(), 2);
    }

    void edit_nameDeleted_locksWithItsMessage()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        f.table.CurClient = 3;
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        QCOMPARE(f.flags.NameDeletedFlag, 1);
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown.at(0).title, QStringLiteral("Name Deleted"));
        QCOMPARE(f.prompts.shown.at(0).text, QStringLiteral("This client's name has been deleted.\rEditting this "
                                                            "information is no longer permitted."));
        QCOMPARE(f.prompts.shown.at(0).icon, Prompts::Icon::Information);
        for (QWidget* i : inputs(w))
            QVERIFY(!i->isEnabled());
        QCOMPARE(w.msgPanel()->caption(),
                 QStringLiteral("Client name has been deleted.  No further editing permitted."));
        press(Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(f.flags.ContinueFlag);
    }

    void edit_cancel_leavesTheRecordUntouched()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        const ClientRecord before = f.table.Clients[1];
        const QByteArray file = f.fileBytes();
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.cmbGender()->setFocus();
        typeText(QStringLiteral("1"));
        press(Qt::Key_Return);
        w.txtName()->setFocus();
        typeText(QStringLiteral("Someone Else"));
        w.menu().button(1)->setFocus();
        press(Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.table.Clients[1], before);
        QCOMPARE(f.fileBytes(), file);
    }

    void edit_oneChange_isWrittenToTheFileAtOnce()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.cmbEducation()->setFocus();
        typeText(QStringLiteral("8"));
        w.menu().button(0)->setFocus();
        press(Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        const ClientRecord saved = f.fileRecord(1);
        QCOMPARE(saved.Education, QStringLiteral("8"));
        QCOMPARE(saved.EditCount, QStringLiteral("1"));
        QCOMPARE(f.fileRecord(2), f.table.Clients[2]);
    }

    void edit_saveFails_keepsTheWindowOpenAndTheRecord()
    {
        IntakeFixture f(StandardClients());
        f.flags.EditingClient = true;
        const ClientRecord before = f.table.Clients[1];
        frmClientInfo w(*f.ctx);
        QVERIFY(ShowActive(w));
        w.cmbGender()->setFocus();
        typeText(QStringLiteral("1"));
        // The data location goes away while the window is open.
        f.table.setDataPath(f.dir.path() + QStringLiteral("/gone"));
        w.menu().button(0)->setFocus();
        press(Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(w.isVisible());
        QVERIFY(!f.flags.ContinueFlag);
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown.at(0).title, QStringLiteral("Client Information Not Saved"));
        QVERIFY(f.prompts.shown.at(0).text.contains(QStringLiteral("DATA401.QN")));
        QCOMPARE(f.table.Clients[1], before);
        QCOMPARE(w.cmbGender()->currentIndex(), 1);

        // Once the location is back, the same entries are saved.
        f.table.setDataPath(f.dir.path());
        press(Qt::Key_Return);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(f.fileRecord(1).Gender, QStringLiteral("1"));
    }

    void prefill_fillsTheControlsForReview()
    {
        IntakeFixture f(StandardClients());
        f.flags.ScanReview = true;
        frmClientInfo w(*f.ctx);
        w.Prefill({QStringLiteral("Scanned, Casey"), QStringLiteral("2"), QStringLiteral("07/04/19NN"),
                   QStringLiteral("N"), QStringLiteral("0"), QStringLiteral("8")});
        QVERIFY(ShowActive(w));
        QCOMPARE(focused(), w.txtName());
        QCOMPARE(w.txtName()->text(), QStringLiteral("Scanned, Casey"));
        QCOMPARE(w.cmbGender()->currentText(), QStringLiteral("Female"));
        QCOMPARE(w.mebDateOfBirth()->boxText(), QStringLiteral("07/04/19__"));
        QCOMPARE(w.cmbRace()->currentText(), QStringLiteral("N/A"));
        QCOMPARE(w.cmbMarital()->currentText(), QStringLiteral("N/A"));
        QCOMPARE(w.cmbEducation()->currentText(), QStringLiteral("Prof./grad school"));
        w.mebDateOfBirth()->setFocus();
        typeText(QStringLiteral("N"));
        w.menu().press(0);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(f.table.CurClient, 4);
        QCOMPARE(f.table.Clients[4].Name, ClientRecord::fit(QStringLiteral("Scanned, Casey"), 25));
    }
};

QTEST_MAIN(TestClientInfo)
#include "test_client_info.moc"
