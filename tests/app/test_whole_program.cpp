// The whole program as main() builds it, walked from the main menu with the keys a supervisor and a client press:
// each road ends in the bytes of the client file and in what was shown, printed or played. Only the outermost
// edges are scripted: message boxes and beep, file choosers, the clock, printer, audio and scanner.

#include "AdministrationNotes.h"
#include "AuditTrail.h"
#include "ResultsStore.h"
#include "WholeProgramRoads.h"

#include <QComboBox>
#include <QTableWidget>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageAuthenticationCode>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QUuid>

namespace {

// The notes of the test just continued, in their tab and in both exports, equal those worked out by hand; a
// backup carries them, and a restore whose client 7 differs keeps the client and drops its notes.
void administrationNotes(Run& run)
{
    const QString expected = TestDataDir() + QStringLiteral("/administration/");
    const QString backups = run.dir.filePath(QStringLiteral("backups")), out = run.dir.filePath("scores");
    QVERIFY(QDir().mkpath(backups));
    run.files.folderAnswers = [backups] { return backups; };
    run.files.openAnswers = [backups] { return backups + '/' + QDir(backups).entryList({"*.QN"}).value(0); };
    QString notes;
    for (int option : {-1, 0, 1, 2}) {
        ModalDriver driver;
        run.files.saveAnswers = [out, option] { return out + (option ? ".json" : ".csv"); };
        run.supervisor(driver, option < 0 ? 4 : 3,
                       option < 0 ? QString() : QStringLiteral("optDataOption_%1").arg(option), true);
        if (option < 0)
            driver.onNextModal("frmSupervisorOptions", [&notes](QWidget* w) {
                notes = w->findChild<QLabel*>(QStringLiteral("lblAdministrationNotes"))->text();
                press(1)(w);
            });
        run.pressMenu(2);
        QVERIFY2(driver.done(), qPrintable(run.prompts.texts().join(" / ")));
    }
    QCOMPARE(notes + '\n', QString::fromUtf8(ReadBytes(expected + QStringLiteral("notes.txt"))));
    QStringList columns;
    QStringList csv = QString::fromUtf8(ReadBytes(out + QStringLiteral(".csv"))).split("\r\n");
    // The trail's head as it stood when the export was made ends it.
    QVERIFY2(csv.size() > 2 && csv[csv.size() - 2].startsWith(QStringLiteral("audit_head,")), qPrintable(csv.join('|')));
    csv.removeAt(csv.size() - 2);
    for (const QString& line : csv)
        columns << line.split(',').mid(std::max<qsizetype>(0, line.count(',') - 10)).join(',');
    QCOMPARE(columns.join('\n'), QString::fromUtf8(ReadBytes(expected + QStringLiteral("columns.csv"))));
    const QJsonArray json = QJsonDocument::fromJson(ReadBytes(out + QStringLiteral(".json"))).array();
    QVERIFY(json.at(0).toObject().value("administration").isNull());
    QVERIFY(json.at(6).toObject().value("audit_head").toString().contains(':'));
    QCOMPARE(json.at(6).toObject().value("administration"),
             QJsonDocument::fromJson(ReadBytes(expected + QStringLiteral("client7.json"))).object());
    const QStringList copies = QDir(backups).entryList({QStringLiteral("DATA401-*")});
    QVERIFY2(copies.size() == 4 && copies[0].endsWith(".AUD") && copies[1].endsWith(".KEY") &&
                 copies[2].endsWith(".NTS"),
             qPrintable(copies.join(' ')));

    // Sheet images saved since, as clients 1 and 7.
    const QByteArray sheets = QByteArray(64, 'a') + " 1\r\n" + QByteArray(64, 'b') + " 7\r\n";
    WriteFile(run.dataDir + QStringLiteral("/DATA401.SHA"), sheets);
    QByteArray backup = ReadBytes(run.files.openAnswers());
    backup[6 * ClientRecord::Size + 25] = '2'; // client 7's gender
    WriteFile(run.files.openAnswers(), backup);
    ModalDriver driver;
    run.supervisor(driver, 3, QStringLiteral("optDataOption_3"), true);
    run.pressMenu(2);
    QVERIFY(driver.done());
    QCOMPARE(run.fileBytes(), backup);
    QVERIFY(!QFileInfo::exists(run.dataDir + QStringLiteral("/DATA401.NTS")));
    QCOMPARE(ReadBytes(run.dataDir + QStringLiteral("/DATA401.SHA")), sheets.left(68));
    QCOMPARE(QDir(run.dataDir).entryList({QStringLiteral("DATA401-*-replaced.NTS")}).size(), 1);
}

// Publish Results from the Results tab, twice, into the SQLite store the settings name: every client once, keyed by
// the agency key, without names; the tab shows what was done and the store's summary, and the trail records it.
void publishResults(Run& run)
{
    const QString store = run.dir.filePath(QStringLiteral("agency/results.sqlite"));
    const QByteArray key(32, '\x5a');
    QFile ini(run.programDir + QStringLiteral("/Quillan.ini"));
    QVERIFY(ini.open(QIODevice::Append));
    ini.write("[Results]\nOffice=North Office\nStore=" + store.toUtf8() + "\nAgencyKey=" + key.toHex() + "\n");
    ini.close();
    for (const QString expected : {"7 administrations published: 7 new, 0 new versions of earlier ones, 0 already",
                                   "7 administrations published: 0 new, 0 new versions of earlier ones, 7 already"}) {
        ModalDriver driver;
        QString shown, summary;
        run.supervisor(driver, 8, {}, true);
        driver.onNextModal("frmSupervisorOptions", [&](QWidget* w) {
            shown = w->findChild<QLabel*>(QStringLiteral("lblResultsResult"))->text();
            summary = w->findChild<QPlainTextEdit*>(QStringLiteral("txtResultsSummary"))->toPlainText();
            press(1)(w);
        });
        run.pressMenu(2);
        QVERIFY2(driver.done(), qPrintable(run.prompts.texts().join(" / ")));
        QVERIFY2(shown.startsWith(expected), qPrintable(shown));
        QVERIFY2(summary.contains(QRegularExpression(QStringLiteral("North Office +2026-11 +5\nNorth Office +2026-12 +2\nTotal +7\n"))), qPrintable(summary));
        QVERIFY2(summary.contains(QStringLiteral("\nTruthfulness ")), qPrintable(summary));
    }
    QCOMPARE(run.trail(QStringLiteral("publish")).size(), 2);
    const QByteArray dump = RunProgram(QStringLiteral("sqlite3"), {store, QStringLiteral(".dump")}).out;
    QVERIFY(!dump.contains("Later") && !dump.contains("03/14/1987") && !dump.contains("1987-03-14"));
    const QByteArray later =
        QMessageAuthenticationCode::hash("LATERSAM|1987-03-14", key, QCryptographicHash::Sha256).toHex();
    QVERIFY2(dump.contains("'" + later + "','2026-12-07'"), dump.right(2000).constData());

    // Another office tested the client before; the store's copy of this location's own test is not one from
    // elsewhere, even once the location has lost its identity (a copy of the drive).
    Results::StoredAdministration south;
    south.administrationId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    south.locationId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    south.office = QStringLiteral("South Office");
    south.clientKey = QString::fromLatin1(later);
    south.testDate = QStringLiteral("2026-06-01");
    south.mode = QStringLiteral("paper");
    for (Results::ScaleResult& scale : south.scales)
        scale = {10, 30, QStringLiteral("low")};
    Results::Store direct(*Results::StoreTarget::parse(store, nullptr));
    QVERIFY(direct.open().isEmpty());
    QCOMPARE(direct.publish({south}).added, 1);
    QVERIFY(QFile::remove(run.dataDir + QStringLiteral("/DATA401.LID")));
    run.menu().lbNameDisplay()->setCurrentRow(6); // Later, Sam
    QStringList seen;
    ModalDriver driver;
    run.supervisor(driver, 0, QStringLiteral("optPrintOption_4"), true);
    driver.onNextModal("frmEarlierTests", [&seen](QWidget* w) {
        auto* list = w->findChild<QTreeWidget*>(QStringLiteral("lstEarlier"));
        for (int r = 0; r < list->topLevelItemCount(); ++r)
            seen << list->topLevelItem(r)->text(0) + ' ' + list->topLevelItem(r)->text(1);
        seen << w->findChild<QTableWidget*>(QStringLiteral("grdScales"))->item(0, 1)->text();
        QTest::keyClick(focused(), Qt::Key_Escape);
    });
    driver.onNextModal("frmSupervisorOptions", press(1));
    run.pressMenu(2);
    QVERIFY2(driver.done(), qPrintable(run.prompts.texts().join(" / ")));
    QCOMPARE(seen, QStringList({QStringLiteral("06/01/2026 Results store, South Office"), QStringLiteral("30")}));
}

} // namespace

class TestWholeProgram : public QObject {
    Q_OBJECT
private slots:
    void startUp_listsTheClientsOfTheSavedLocation()
    {
        Run run;
        // Left by a program that died: its lock went with it, its file stayed.
        WriteFile(run.dataDir + QStringLiteral("/DATA401.LCK"), "bob\nws2\n4242\n");
        QVERIFY(run.start());
        // A location from before the trail begins it at its first opening.
        const QList<AuditEntry> trail = run.trail();
        QCOMPARE(trail.size(), 2);
        QCOMPARE(trail[0].event, QStringLiteral("trail-begun-on-existing-location"));
        QCOMPARE(trail[1].event + trail[1].detailsText(),
                 QStringLiteral("location-openedclients=6; lock-taken-over-from=user bob on computer ws2"));
        QCOMPARE(run.menu().windowTitle(), QStringLiteral("Veltrane"));
        QCOMPARE(run.listLines().size(), 6);
        QCOMPARE(run.listLines().first(), QStringLiteral("1-Sample, Avery"));
        QVERIFY(run.prompts.shown.isEmpty());
    }

    // Add New Client by each entry method, to a stored and counted client.
    void addNewClient_data()
    {
        QTest::addColumn<QString>("method");
        QTest::newRow("on screen, English") << "English";
        QTest::newRow("on screen, Spanish") << "Spanish";
        QTest::newRow("paper and pencil") << "paper";
        QTest::newRow("scanner") << "scanner";
        QTest::newRow("no scanner: image file") << "file";
    }
    void addNewClient()
    {
        QFETCH(QString, method);
        const bool onScreen = method == "English" || method == "Spanish";
        const bool scanned = method == "scanner" || method == "file";
        Run run(method != "file");
        QVERIFY(run.start());

        const QString name = QStringLiteral("Newcomer, Robin");
        QString answers = SampleAnswers();
        SheetAnswers sheet = SheetAnswers::random(7);
        sheet.dob = QStringLiteral("031487");
        ModalDriver driver;
        driver.onNextModal("frmSelectEntryMethod", press(onScreen ? 0 : scanned ? 2 : 1));
        if (scanned) {
            FilledSheet filled(DemoScanItems());
            filled.markAll(sheet, 90);
            const QImage image = filled.scan({0.6, QPointF(3, -2), 245, 3.0, 0.0005, 7});
            run.scanner.pages << AcquiredPage{image, 0, {}};
            const QString file = run.dir.filePath(QStringLiteral("sheet.png"));
            QVERIFY(image.save(file));
            run.files.openAnswers = [file] { return file; };
            answers = sheet.responses;
            driver.onNextModal("frmMyInputBox", answerInputBox(name));
            acceptEach(driver, {"frmClientInfo", "frmCourtHistory", "frmNewEntry"});
        } else {
            driver.onNextModal("frmClientInfo", keyClientInfo(name));
            driver.onNextModal("frmCourtHistory", keyCourtHistory({"0", "3", "N", "1", "12"}));
            if (onScreen) {
                driver.onNextModal("frmSelectLanguage", press(method == "Spanish"));
                driver.onNextModal("frmPresentQA", takeTest(answers));
                driver.onNextModal("frmMyInputBox", answerInputBox(QStringLiteral("x")));
                driver.onNextModal("frmMyInputBox", answerInputBox(QStringLiteral("k")));
            } else {
                driver.onNextModal("frmNewEntry", keyGrid(answers, 0));
            }
        }
        run.pressMenu(1);
        QVERIFY2(driver.done(), qPrintable(run.prompts.texts().join(" / ")));

        QCOMPARE(run.fileBytes().left(run.demoClients.size()), run.demoClients);
        QCOMPARE(run.fileBytes().size(), run.demoClients.size() + ClientRecord::Size);
        const ClientRecord r = run.record(7);
        QCOMPARE(r.Name.trimmed(), name);
        QCOMPARE(r.Responses, answers);
        QCOMPARE(r.TestDate, TodayText);
        if (scanned) {
            QCOMPARE(r.Gender + r.Race + r.Marital + r.Education + r.DOB,
                     QString::asprintf("%d%d%d%d03/14/1987", sheet.gender, sheet.race, sheet.marital, sheet.education));
            QCOMPARE(run.scanner.pages.isEmpty(), method == "scanner");
            QCOMPARE(run.files.asked.size(), method == "file" ? 1 : 0);
        } else {
            QCOMPARE(r.Gender + r.DOB + r.Race + r.Marital + r.Education, QStringLiteral("103/14/1987214"));
            QCOMPARE(QStringList({r.DrugArrests, r.AlcoholArrests, r.Assaults, r.DVArrests, r.Anger}).join('|'),
                     QStringLiteral("0 |3 |N |1 |12"));
        }
        QCOMPARE(run.listLines().last(), QStringLiteral("7-") + name);
        // How the test was taken is kept beside the client, without the name; only a test on screen is timed.
        QList<NotesFile::Entry> notes;
        QVERIFY(NotesFile::read(run.dataDir + QStringLiteral("/DATA401.NTS"), notes));
        const std::optional<AdministrationNotes> kept = NotesFile::find(notes, 7, r);
        QVERIFY(kept && !ReadBytes(run.dataDir + QStringLiteral("/DATA401.NTS")).contains("Newcomer"));
        QCOMPARE(Administration::modeName(kept->mode), onScreen ? "screen" : scanned ? "scan" : "paper");
        QCOMPARE(kept->describe().join(' ').contains(QStringLiteral("timing not available")), !onScreen);
        if (onScreen) {
            // The spoken instructions and items came from the chosen language's folder; a wrong code was refused.
            QVERIFY(run.audio.played.size() > NumItems);
            QCOMPARE(QFileInfo(run.audio.played.last()).dir().dirName(), method.toUpper());
            QVERIFY(run.prompts.texts().contains(QStringLiteral("Incorrect password.  Please try again.")));
        } else {
            QVERIFY(run.audio.played.isEmpty());
        }
        QVERIFY(run.printer.jobs.isEmpty());
        const QList<AuditEntry> created = run.trail(QStringLiteral("client-created"));
        QCOMPARE(created.size(), 1);
        QCOMPARE(created[0].slot, 7);
        QCOMPARE(created[0].detail(QStringLiteral("mode")), onScreen ? "on screen" : scanned ? "scan" : "paper");
        QCOMPARE(created[0].detail(QStringLiteral("language")).toUpper(), onScreen ? method.toUpper() : QStringLiteral("NONE"));
        QCOMPARE(run.trail(QStringLiteral("secret-code-wrong")).size(), onScreen ? 1 : 0);
        const QList<AuditEntry> sheets = run.trail(QStringLiteral("scanned-sheet-saved"));
        QCOMPARE(sheets.size(), scanned ? 1 : 0);
        if (scanned)
            QCOMPARE(sheets[0].detail(QStringLiteral("image-sha256")).size(), 64);
        QVERIFY(!ReadBytes(run.dataDir + QStringLiteral("/DATA401.AUD")).contains("Newcomer"));
    }

    // Scan a Batch from the Options menu: a folder holding a good sheet, one with a mark too light to call and one
    // cut short, listed as read; the two read sheets named and reviewed in turn, the light mark keyed as judged.
    void scanBatch()
    {
        Run run;
        QVERIFY(run.start());
        QTemporaryDir folder;
        SheetAnswers sheets[2] = {SheetAnswers::random(31), SheetAnswers::random(32)};
        for (SheetAnswers& a : sheets) {
            a.court = {0, 5, -1, 9, 1};
            a.dob = QStringLiteral("031487");
        }
        sheets[1].responses[2] = QLatin1Char('0'); // item 3: only a light mark
        for (int i = 0; i < 3; ++i) {
            FilledSheet filled(DemoScanItems());
            filled.markAll(sheets[i % 2], 80);
            if (i == 1)
                filled.mark(FirstQuestionItem + 2, 0, 187);
            Scanning how{0.7, QPointF(4, -3), 250, 3.0, 0.001, quint32(i + 1)};
            if (i == 2)
                how.canvas = QSize(850, 1100); // a legal sheet on a letter-size glass
            QVERIFY(filled.scan(how).save(folder.filePath(QStringLiteral("sheet %1.png").arg(i + 1))));
        }
        run.files.folderAnswers = [&folder] { return folder.path(); };
        run.prompts.answers << Prompts::Answer::No; // not the feeder: a folder of image files
        ModalDriver driver;
        QStringList listed;
        driver.onNextModal("frmScanBatch", [&listed](QWidget* modal) {
            auto* window = qobject_cast<frmScanBatch*>(modal);
            QTRY_VERIFY_WITH_TIMEOUT(!window->reading(), 60000);
            const QTableWidget* grid = window->grdBatch();
            for (int r = 0; r < grid->rowCount(); ++r)
                listed << grid->item(r, 1)->text() + " | " + grid->item(r, 2)->text() + " | " +
                              grid->item(r, 3)->text();
            // The round opens windows of its own, which the next steps answer; rejected sheets are set aside (Yes).
            QTimer::singleShot(0, window, [window] {
                for (int button : {frmScanBatch::ReviewButton, frmScanBatch::CloseButton})
                    pressNow(window->menu().button(button));
            });
        });
        const QString names[2] = {QStringLiteral("Batch, Ready"), QStringLiteral("Batch, Review")};
        for (int i = 0; i < 2; ++i) {
            driver.onNextModal("frmMyInputBox", answerInputBox(names[i]));
            acceptEach(driver, {"frmClientInfo", "frmCourtHistory"});
            driver.onNextModal("frmNewEntry", [i](QWidget* w) {
                if (i == 1) { // the supervisor keys item 3 as judged from the sheet's image, which follows the item
                    auto* panel = w->findChild<SheetImagePanel*>();
                    for (int down = 0; down < 2; ++down)
                        QTest::keyClick(focused(), Qt::Key_Down);
                    QTRY_COMPARE(panel->field(), QStringLiteral("Item 3"));
                    QVERIFY(panel->findChild<QLabel*>("lblSheetField")->text().contains("too light or too close"));
                    QTest::keyClick(focused(), '2');
                }
                press(0)(w);
            });
        }
        run.menu().findChild<QAction*>(QStringLiteral("mnuScanBatch"))->trigger();
        QVERIFY2(driver.done(), qPrintable(run.prompts.texts().join(" / ")));

        QCOMPARE(listed,
                 QStringList({"sheet 1.png | Ready | ",
                              "sheet 2.png | Needs review | too light or too close to call: Item 3",
                              "sheet 3.png | Rejected | The scanned page is shorter than the answer sheet: scan "
                              "it on a legal-size glass or feeder."}));
        sheets[1].responses[2] = QLatin1Char('2');
        QCOMPARE(run.fileBytes().size(), run.demoClients.size() + 2 * ClientRecord::Size);
        QCOMPARE(run.fileBytes().left(run.demoClients.size()), run.demoClients);
        for (int i = 0; i < 2; ++i) {
            const SheetAnswers& a = sheets[i];
            ClientRecord expected = ClientRecord::blank();
            expected.Name = names[i];
            const QString values =
                QString::asprintf("%d|%d|%d|%d|03/14/1987|0|5|N|9|1", a.gender, a.race, a.marital, a.education);
            int f = 0;
            for (QString* field : {&expected.Gender, &expected.Race, &expected.Marital, &expected.Education,
                                   &expected.DOB, &expected.DrugArrests, &expected.AlcoholArrests, &expected.Assaults,
                                   &expected.DVArrests, &expected.Anger})
                *field = values.section('|', f, f), ++f;
            expected.Responses = a.responses;
            expected.TestDate = TodayText;
            expected.EditCount = expected.NameDeleted = QStringLiteral("0");
            expected.fitFields();
            QCOMPARE(run.record(7 + i).toBytes(), expected.toBytes());
            QCOMPARE(run.listLines().value(6 + i), QStringLiteral("%1-%2").arg(7 + i).arg(names[i]));
        }

        // The folder read again: the saved sheets are listed as such, and no client is added twice.
        const QByteArray saved = run.fileBytes();
        run.prompts.answers << Prompts::Answer::No;
        listed.clear();
        driver.onNextModal("frmScanBatch", [&listed](QWidget* modal) {
            auto* window = qobject_cast<frmScanBatch*>(modal);
            QTRY_VERIFY_WITH_TIMEOUT(!window->reading(), 60000);
            for (int r = 0; r < 2; ++r)
                listed << window->grdBatch()->item(r, 2)->text();
            QTimer::singleShot(0, window, [window] { pressNow(window->menu().button(frmScanBatch::ReviewButton)); });
            QTimer::singleShot(0, window, [window] { pressNow(window->menu().button(frmScanBatch::CloseButton)); });
        });
        run.menu().findChild<QAction*>(QStringLiteral("mnuScanBatch"))->trigger();
        QVERIFY(driver.done());
        QCOMPARE(listed, QStringList({"Already saved as client 7", "Already saved as client 8"}));
        QCOMPARE(run.fileBytes(), saved);
        QCOMPARE(QFileInfo(run.dataDir + "/DATA401.SHA").permissions() & 0077, QFile::Permissions());
    }

    // Edit Current Client: a changed marital status and one changed answer are stored, and the edit is counted.
    void editCurrentClient()
    {
        Run run;
        QVERIFY(run.start());
        const ClientRecord before = run.record(2);
        run.menu().lbNameDisplay()->setFocus();
        run.menu().lbNameDisplay()->setCurrentRow(0);
        QTest::keyClick(run.menu().lbNameDisplay(), Qt::Key_Down);
        ModalDriver driver;
        driver.onNextModal("frmClientInfo", [](QWidget* w) {
            typeInto(w->findChild<QWidget*>(QStringLiteral("cmbMarital")), QStringLiteral("3"));
            press(0)(w);
        });
        acceptEach(driver, {"frmCourtHistory"});
        driver.onNextModal("frmNewEntry", [](QWidget* w) {
            QTest::keyClick(focused(), '2'); // item 1, the grid's first row
            press(0)(w);
        });
        run.pressMenu(0);
        QVERIFY(driver.done());

        ClientRecord expected = before;
        expected.Marital = QStringLiteral("3");
        expected.Responses[0] = QLatin1Char('2');
        expected.TestDate = TodayText;
        const ClientRecord after = run.record(2);
        QCOMPARE(after.EditCount.trimmed().toInt(), before.EditCount.trimmed().toInt() + 1);
        expected.EditCount = after.EditCount;
        QCOMPARE(after.toBytes(), expected.toBytes());
        QStringList changes;
        for (const AuditEntry& e : run.trail())
            if (e.event.endsWith(QStringLiteral("-changed")))
                changes << QStringLiteral("%1 %2 %3").arg(e.slot).arg(e.event, e.detailsText());
        QStringList want{QStringLiteral("2 client-changed field=Marital; old=%1; new=3").arg(before.Marital.trimmed())};
        if (before.TestDate != TodayText)
            want << QStringLiteral("2 client-changed field=TestDate; old=%1; new=%2").arg(before.TestDate, TodayText);
        if (before.Responses[0] != QLatin1Char('2'))
            want << QStringLiteral("2 answers-changed field=Responses; items=1; old=%1; new=2").arg(before.Responses[0]);
        QCOMPARE(changes, want);
        QCOMPARE(run.fileBytes().size(), run.demoClients.size());
    }

    // Supervisor Options, reports tab: the current client's report window, the batch window, print all.
    void supervisorReports_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("documents");
        QTest::newRow("current client's report") << 0 << 1;
        QTest::newRow("selected clients") << 1 << 6;
        QTest::newRow("all clients") << 2 << 6;
    }
    void supervisorReports()
    {
        QFETCH(int, option);
        Run run;
        QVERIFY(run.start());
        run.menu().lbNameDisplay()->setCurrentRow(0);
        ModalDriver driver;
        run.supervisor(driver, 0, QStringLiteral("optPrintOption_%1").arg(option), true);
        if (option == 0) {
            // The default printer, a printer chosen in the dialog, then a PDF file.
            const QString pdf = run.dir.filePath(QStringLiteral("report.pdf"));
            run.files.saveAnswers = [pdf] { return pdf; };
            driver.onNextModal("frmViewReport", [](QWidget* w) {
                // One after the other, as each command ends: a command keeps the buttons disabled while it runs.
                QTimer::singleShot(0, w, [w] {
                    for (const char* name : {"cmdPrintReport", "cmdPrintTo", "cmdSaveAsPdf", "cmdCancel"})
                        pressNow(w->findChild<QPushButton*>(QLatin1String(name)));
                });
            });
        } else if (option == 1) {
            driver.onNextModal("frmPrintSelected", [](QWidget* w) {
                press(1)(w); // Select All
                press(0)(w); // Print Selected, which closes the window
            });
        }
        run.pressMenu(2);
        QVERIFY2(driver.done(), qPrintable(run.prompts.texts().join(" / ")));
        if (option == 0) {
            QCOMPARE(run.printerChooser.printer.jobs.size(), 1);
            QCOMPARE(run.printerChooser.printer.jobs.first().pages, run.printer.jobs.first().pages);
            QFile pdf(run.dir.filePath(QStringLiteral("report.pdf")));
            QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");
            QCOMPARE(run.prompts.shown.size(), 1); // where the PDF was saved
        } else {
            QVERIFY(run.prompts.shown.isEmpty());
        }

        // One document per client, in client order, each the client's whole report.
        QFETCH(int, documents);
        QCOMPARE(int(run.printer.jobs.size()), documents);
        for (int i = 0; i < documents; ++i) {
            const QList<QStringList>& pages = run.printer.jobs[i].pages;
            QVERIFY(pages.size() > 1);
            // The installation's brand (a distributor's) signs every report.
            QString all;
            for (const QStringList& p : pages)
                all += p.join('\n');
            QVERIFY2(all.contains(QStringLiteral("Distributed by")) && !all.contains(QStringLiteral("Norwick")),
                     qPrintable(all.right(600)));
            QCOMPARE(pages[0].value(3).mid(7, 43).trimmed(), "NAME            : " + run.demo(i + 1).Name.trimmed());
        }
        QStringList outputs;
        for (const AuditEntry& e : run.trail())
            if (e.event.startsWith(QStringLiteral("report")) || e.event.contains(QStringLiteral("print")))
                outputs << QStringLiteral("%1 %2").arg(e.slot).arg(e.event);
        const QStringList want[3] = {{"1 report-shown", "1 report-printed", "1 report-printed", "1 report-saved-pdf"},
                                     {"1 report-printed", "2 report-printed", "3 report-printed", "4 report-printed",
                                      "5 report-printed", "6 report-printed"},
                                     {"1 report-printed", "2 report-printed", "3 report-printed", "4 report-printed",
                                      "5 report-printed", "6 report-printed", "0 print-all"}};
        QCOMPARE(outputs, want[option]);
        QCOMPARE(run.fileBytes(), run.demoClients);
    }

    // A client tested twice, on paper and then on screen with the same answers, compared from the Reports tab with
    // the keys alone; nothing is printed or written to the report file.
    void earlierTests_showsTheRetestedClientSideBySide()
    {
        Run run;
        QVERIFY(run.start());
        for (bool onScreen : {false, true}) {
            ModalDriver driver;
            driver.onNextModal("frmSelectEntryMethod", press(onScreen ? 0 : 1));
            driver.onNextModal("frmClientInfo", keyClientInfo(QStringLiteral("Again, Sam")));
            driver.onNextModal("frmCourtHistory", keyCourtHistory({"0", "3", "N", "1", "12"}));
            if (onScreen) {
                driver.onNextModal("frmSelectLanguage", press(0));
                driver.onNextModal("frmPresentQA", takeTest(SampleAnswers()));
                driver.onNextModal("frmMyInputBox", answerInputBox(QStringLiteral("k")));
            } else {
                driver.onNextModal("frmNewEntry", keyGrid(SampleAnswers(), 0));
            }
            run.pressMenu(1);
            QVERIFY2(driver.done(), qPrintable(run.prompts.texts().join(" / ")));
        }
        QStringList seen;
        ModalDriver driver;
        run.supervisor(driver, 0, QStringLiteral("optPrintOption_4"), true);
        driver.onNextModal("frmEarlierTests", [&seen](QWidget* w) {
            auto* list = w->findChild<QTreeWidget*>(QStringLiteral("lstEarlier"));
            auto* grid = w->findChild<QTableWidget*>(QStringLiteral("grdScales"));
            QCOMPARE(focused(), list);
            QTest::keyClick(list, Qt::Key_Tab);
            QCOMPARE(focused(), grid);
            QTest::keyClick(grid, Qt::Key_Tab);
            QCOMPARE(focused(), w->findChild<QPushButton*>(QStringLiteral("cmdMenuChoice_0")));
            seen << w->findChild<QLabel*>(QStringLiteral("lblCurrent"))->text().section('\n', 1);
            for (int r = 0; r < list->topLevelItemCount(); ++r)
                for (int c = 0; c < list->columnCount(); ++c)
                    seen << list->topLevelItem(r)->text(c);
            seen << w->findChild<QLabel*>(QStringLiteral("lblWarnings"))->text();
            for (int r = 0; r < grid->rowCount(); ++r) {
                QCOMPARE(grid->item(r, 1)->text() + grid->item(r, 2)->text(),
                         grid->item(r, 3)->text() + grid->item(r, 4)->text());
                seen << grid->item(r, 5)->text();
            }
            QTest::keyClick(focused(), Qt::Key_Escape);
        });
        driver.onNextModal("frmSupervisorOptions", press(1));
        run.pressMenu(2);
        QVERIFY2(driver.done(), qPrintable(run.prompts.texts().join(" / ")));
        QCOMPARE(seen, QStringList({"This test: " + TodayText + ", On screen in English (This data location, client 8)",
                                    TodayText, "This data location, client 7", "Paper, keyed", "-", "0",
                                    "Taken in different ways: on paper then, on screen now.", "0", "0", "0", "0", "0",
                                    "0"}));
        QVERIFY(run.printer.jobs.isEmpty());
        QVERIFY(!QFileInfo::exists(run.programDir + QStringLiteral("/report.prn")));
    }

    // Verify Data: the stored answers keyed a second time, one of them differently, then corrected.
    void verifyData()
    {
        Run run;
        QVERIFY(run.start());
        run.menu().lbNameDisplay()->setCurrentRow(2);
        const ClientRecord before = run.record(3);
        QString second = before.Responses;
        second[39] = second[39] == QLatin1Char('1') ? QLatin1Char('2') : QLatin1Char('1');
        ModalDriver driver;
        run.supervisor(driver, 1);
        driver.onNextModal("frmVerify", [&](QWidget* w) {
            auto* input = w->findChild<QLineEdit*>(QStringLiteral("txtCurQuestion"));
            QVERIFY(input);
            for (QChar c : second)
                QTest::keyClick(input, c.toLatin1());
            // The one difference is asked again; the stored answer is keyed this time.
            QTest::keyClick(input, before.Responses.at(39).toLatin1());
        });
        run.pressMenu(2);
        QVERIFY(driver.done());
        QVERIFY2(run.prompts.texts().contains(QStringLiteral("Data Verification complete.")),
                 qPrintable(run.prompts.texts().join(" / ")));
        QCOMPARE(run.record(3).toBytes(), before.toBytes());
        QVERIFY(run.trail(QStringLiteral("verify-data-corrected")).isEmpty()); // keyed back as stored: no change
    }

    // Delete Names on a file of 53 records, after a backup onto the data location, a restore from it and printing
    // every report: every name of the 51 clients is scrambled in the client file, the backup (offered) and the file
    // the restore replaced, the reports are gone, records 52 and 53 stay byte for byte, and the run completes.
    void deleteNames()
    {
        Run run;
        QByteArray file = run.demoClients;
        for (int n = 7; n <= 53; ++n) {
            ClientRecord r = run.demo(1 + n % 6);
            r.Name = QStringLiteral("Extra, Client %1").arg(n);
            file += r.toBytes();
        }
        WriteFile(run.dataDir + QStringLiteral("/DATA401.QN"), file);
        // A test set aside keeps its client's name in the journal, and in the journal's copy beside each backup.
        Administration pending;
        pending.id = QStringLiteral("set-aside");
        pending.slot = 52;
        ClientRecord person = run.demo(2);
        person.Name = QStringLiteral("Pending, Person");
        pending.record = person.toBytes();
        pending.setAside = true;
        WriteFile(run.dataDir + QStringLiteral("/DATA401.JNL"), AdministrationJournal::toBytes({pending}));
        QVERIFY(run.start());
        run.files.folderAnswers = [&run] { return run.dataDir; };
        run.files.openAnswers = [&run] {
            return QDir(run.dataDir).entryInfoList({QStringLiteral("DATA401-*.QN")}, QDir::Files).value(0).filePath();
        };
        for (auto [tab, option] : {std::pair{3, "optDataOption_2"}, {3, "optDataOption_3"}, {0, "optPrintOption_2"},
                                   {2, ""}}) {
            if (tab == 2)
                run.prompts.clear();
            ModalDriver driver;
            run.supervisor(driver, tab, QLatin1String(option), tab != 2);
            run.pressMenu(2);
            QVERIFY2(driver.done(), option);
            if (tab == 0) // backed up, restored (the replaced file kept beside it), and every report printed
                QVERIFY(QFile::exists(run.programDir + QStringLiteral("/temp1")) &&
                        QDir(run.dataDir).entryList({QStringLiteral("DATA401-*.QN")}).size() == 2);
        }
        const QStringList texts = run.prompts.texts();
        QCOMPARE(texts.last(), QStringLiteral("Process complete. Press Enter to continue."));
        QVERIFY2(texts.size() == 5 && texts[1].startsWith(QStringLiteral("1 test(s) on this data disk are not")) &&
                     texts[2].startsWith(QStringLiteral("These backups on the data disk")) &&
                     texts[3].contains(QStringLiteral("holds 2 record(s) past the first 51")),
                 qPrintable(texts.join(" / ")));
        QCOMPARE(run.fileBytes().mid(51 * ClientRecord::Size), file.mid(51 * ClientRecord::Size));
        for (const QString& folder : {run.dataDir, run.programDir})
            for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
                QByteArray bytes = ReadBytes(f.filePath());
                QList<Administration> journal;
                if (AdministrationJournal::fromBytes(bytes, journal)) // its records are kept in base64
                    for (const Administration& a : journal)
                        bytes += a.record;
                for (int n = 1; n <= 52; ++n) {
                    const QString name =
                        n > 51 ? person.Name : ClientRecord::fromBytes(file.mid((n - 1) * ClientRecord::Size)).Name;
                    QVERIFY2(!bytes.contains(name.trimmed().toLatin1()), qPrintable(f.fileName() + ": " + name));
                }
            }
        QCOMPARE(QDir(run.dataDir).entryList({QStringLiteral("*.JNL")}).size(), 3); // kept, without the name
        QVERIFY(!run.listLines().join(' ').contains(QStringLiteral("damaged"))); // scrambled names are sound
        const ClientRecord first = run.record(1);
        QCOMPARE(first.NameDeleted + first.Responses + first.DOB, "1" + run.demo(1).Responses + run.demo(1).DOB);
        QStringList all;
        for (int n = 1; n <= 51; ++n)
            all << QString::number(n);
        QCOMPARE(run.trail(QStringLiteral("names-deleted")).value(0).detail(QStringLiteral("slots")), all.join(' '));
    }

    // Export & Backup: scores exported, the client file backed up, names deleted, then the backup restored.
    void exportBackUpAndRestore()
    {
        Run run;
        QVERIFY(run.start());
        const QString csv = run.dir.filePath(QStringLiteral("scores.csv")), backups = run.dir.filePath("backups");
        QVERIFY(QDir().mkpath(backups));
        run.files.saveAnswers = [csv] { return csv; };
        run.files.folderAnswers = [backups] { return backups; };
        run.files.openAnswers = [backups] {
            return QDir(backups).entryInfoList({QStringLiteral("*.QN")}, QDir::Files).value(0).filePath();
        };
        const auto operation = [&run](int tab, int option) {
            ModalDriver driver;
            run.supervisor(driver, tab, option < 0 ? QString() : QStringLiteral("optDataOption_%1").arg(option),
                           tab == 3);
            run.pressMenu(2);
            QVERIFY(driver.done());
        };
        operation(3, 0);  // export CSV
        operation(3, 2);  // back up
        operation(2, -1); // Delete Names
        QVERIFY(run.fileBytes() != run.demoClients);
        operation(3, 3); // restore
        QVERIFY2(!QTest::currentTestFailed(), "an operation did not run");

        QFile exported(csv);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QList<QByteArray> rows = exported.readAll().split('\n');
        QCOMPARE(rows.size(), 1 + 6 + 2); // header, one row per client, the trail's head, then the last line's end
        QVERIFY2(rows[1].startsWith("1,\"Sample, Avery\""), rows[1].constData());
        // The head when the export was made: the entry before the export's own.
        const AuditEntry exportEntry = run.trail(QStringLiteral("export")).value(0);
        QCOMPARE(rows[7].trimmed(), "audit_head," + QByteArray::number(exportEntry.seq - 1) + ':' + exportEntry.prev.left(16));
        QCOMPARE(run.fileBytes(), run.demoClients);
        QCOMPARE(run.listLines().first(), QStringLiteral("1-Sample, Avery"));
        // Each operation recorded with its file, and the trail went on past the restore: the backup's own trail,
        // shorter, is kept beside it.
        QStringList done;
        for (const AuditEntry& e : run.trail())
            if (QStringList{"export", "backup", "names-deleted", "restore"}.contains(e.event))
                done << e.event + QLatin1Char(' ') + QFileInfo(e.detail(QStringLiteral("file"))).fileName();
        const QString backup = QDir(backups).entryList({QStringLiteral("*.QN")}).value(0);
        QCOMPARE(done, QStringList({"export scores.csv", "backup " + backup, "names-deleted ", "restore " + backup}));
        const QString kept = run.trail(QStringLiteral("restore")).value(0).detail(QStringLiteral("its-trail-kept-as"));
        QVERIFY2(QFile::exists(kept) && QFileInfo(kept).absolutePath() == run.dataDir, qPrintable(kept));
        QVERIFY(AuditTrail::parse(ReadBytes(kept)).size() < run.trail().size());

        // The Audit Trail tab, behind the code: newest first, by client; Verify, then again once a text editor
        // has changed one entry's client number.
        const QString trailPath = run.dataDir + QStringLiteral("/DATA401.AUD");
        run.prompts.clear();
        ModalDriver driver;
        driver.onNextModal("frmSupervisorOptions", [&](QWidget* w) {
            auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("sstSupervisorOperations"));
            auto* page = w->findChild<QWidget*>(QStringLiteral("grdAuditTrail"))->parentWidget();
            tabs->setCurrentWidget(page);
            auto* grid = page->findChild<QTableWidget*>(QStringLiteral("grdAuditTrail"));
            // Looked at once the code was given and the entries are shown.
            auto* poll = new QTimer(w);
            poll->callOnTimeout(w, [&, w, page, grid, poll] {
                if (!grid->isEnabled())
                    return;
                poll->stop();
                const int entries = int(run.trail().size());
                QCOMPARE(grid->rowCount(), entries);
                QCOMPARE(grid->item(0, 0)->text(), QString::number(entries));
                auto* client = page->findChild<QComboBox*>(QStringLiteral("cmbAuditClient"));
                client->setCurrentIndex(1);
                QCOMPARE(grid->rowCount(), 0); // no entry of client 1: a restore and an export are of them all
                pressNow(page->findChild<QPushButton*>(QStringLiteral("cmdAuditVerify")));
                QByteArray bytes = ReadBytes(trailPath);
                bytes.replace("\tbackup\t", "\tbackup2\t");
                WriteFile(trailPath, bytes);
                pressNow(page->findChild<QPushButton*>(QStringLiteral("cmdAuditVerify")));
                pressNow(w->findChild<QPushButton*>(QStringLiteral("cmdMenuChoice_1")));
            });
            poll->start(50);
            press(0)(w);
        });
        driver.onNextModal("frmMyInputBox", answerInputBox(QStringLiteral("K")));
        run.pressMenu(2);
        QVERIFY(driver.done());
        const QStringList texts = run.prompts.texts();
        QVERIFY2(texts.size() == 2 && texts[0].startsWith(QStringLiteral("The audit trail holds: ")) &&
                     texts[1].contains(QStringLiteral("was changed after it was written")),
                 qPrintable(texts.join(" / ")));
    }

    // A test cut short at item 40 or in the court history: abandoning it left nothing, and the journal a crash there
    // leaves brings it back at the next start, continued where it stopped to the same record; or set aside and
    // continued later from the supervisor utilities; or too old to go on, and abandoned there.
    void interruptedTest_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("hoursLater");
        QTest::addColumn<int>("stop"); // the item shown when the program stopped; 0 for the court history
        QTest::newRow("continue") << "Yes" << 1 << 40;
        QTest::newRow("continue from the court history") << "Yes" << 1 << 0;
        QTest::newRow("set aside, continued later") << "No" << 1 << 40;
        QTest::newRow("too old, abandoned") << "" << 25 << 40;
    }
    void interruptedTest()
    {
        QFETCH(QString, answer);
        QFETCH(int, hoursLater);
        QFETCH(int, stop);
        const QString answers = SampleAnswers();
        const QStringList counts{"0", "3", "N", "1", "12"};
        QByteArray kept;
        Run run;
        const QString journalPath = run.dataDir + QStringLiteral("/DATA401.JNL");
        // The continued test is timed for its notes. The client's pace: under 1 s, 1.5 s and 2.5 s in turn, a pause
        // of over 2 minutes at item 60, item 100 spoken for 5 s and answered 0.5 s after, and item 49 first answered
        // "1", then changed back by stepping back from item 50.
        const bool timed = answer == "Yes" && stop == 40;
        bool changed = false;
        const BeforeAnswer pace = [&](frmPresentQA* w, int item) {
            if (!timed)
                return false;
            if (item == 100) {
                run.clock.advance(5000);
                run.audio.finish();
                QTest::qWait(200);
            }
            run.clock.advance(item == 60    ? 130800
                              : item == 100 ? 500
                              : item % 3 == 0 ? 800
                              : item % 3 == 1 ? 1500
                                              : 2500);
            if (item != 49 || changed)
                return false;
            changed = true;
            for (Qt::Key key : {Qt::Key_Down, Qt::Key_Return, Qt::Key_F10})
                QTest::keyClick(w->focusWidget(), key);
            return true;
        };
        QVERIFY(run.start());
        {
            ModalDriver driver;
            driver.onNextModal("frmSelectEntryMethod", press(0));
            driver.onNextModal("frmClientInfo", keyClientInfo(QStringLiteral("Later, Sam")));
            if (stop == 0) {
                driver.onNextModal("frmCourtHistory", [&](QWidget* w) {
                    kept = ReadBytes(journalPath);
                    press(1)(w); // Cancel Input
                });
            } else {
                driver.onNextModal("frmCourtHistory", keyCourtHistory(counts));
                driver.onNextModal("frmSelectLanguage", press(0));
                driver.onNextModal("frmPresentQA",
                                   takeTest(answers, stop, [&] { kept = ReadBytes(journalPath); }, pace));
                driver.onNextModal("frmMyInputBox", answerInputBox(QStringLiteral("k")));
            }
            run.pressMenu(1);
            QVERIFY2(driver.done(), qPrintable(run.prompts.texts().join(" / ")));
        }
        QCOMPARE(run.fileBytes(), run.demoClients);
        QVERIFY(!QFileInfo::exists(journalPath)); // abandoned: closed
        QCOMPARE(run.trail(QStringLiteral("administration-abandoned")).size(), 1);
        QVERIFY(!kept.isEmpty());

        // The crash: the program goes, the journal stays as it was.
        run.program.reset();
        WriteFile(journalPath, kept);
        run.clock.advance(qint64(hoursLater) * 3600 * 1000);
        run.rebuild();
        run.prompts.shown.clear();
        ModalDriver driver;
        // Continued, at start-up or later from the Interrupted Tests tab: the secret code, then where it stopped.
        int firstItem = 0; // after the section's instructions, the first item without an answer
        const auto continued = [&] {
            driver.onNextModal("frmMyInputBox", answerInputBox(QStringLiteral("k")));
            if (stop == 0) {
                driver.onNextModal("frmCourtHistory", keyCourtHistory(counts));
                driver.onNextModal("frmSelectLanguage", press(0));
            }
            driver.onNextModal("frmPresentQA", takeTest(answers, NumItems, {}, [&](frmPresentQA* w, int item) {
                                   firstItem = firstItem ? firstItem : item;
                                   return pace(w, item);
                               }));
            driver.onNextModal("frmMyInputBox", answerInputBox(QStringLiteral("k")));
        };
        if (!answer.isEmpty())
            run.prompts.answers << (answer == "Yes" ? Prompts::Answer::Yes : Prompts::Answer::No);
        if (answer == "Yes")
            continued();
        run.menu().SplashHoldTickMs = 1;
        QVERIFY(run.program->start());
        QVERIFY2(driver.done(), qPrintable(run.prompts.texts().join(" / ")));
        const QStringList texts = run.prompts.texts();
        if (hoursLater < 24)
            QVERIFY2(texts.contains(QStringLiteral("The test of Later, Sam was interrupted after item %1 of 123 on "
                                                   "12/07/2026 at %2 AM. Continue it now?")
                                        .arg(stop)
                                        .arg(timed ? "9:01" : "9:00")),
                     qPrintable(texts.join(" / ")));
        else
            QVERIFY(texts.value(0).contains(QStringLiteral("too old to be continued")));
        // Abandoned, the program gone, the test found cut short at the next start.
        QStringList events;
        for (const AuditEntry& e : run.trail())
            if (e.event.startsWith(QStringLiteral("administration")) || e.event.startsWith(QStringLiteral("location-c")))
                events << e.event + QLatin1Char(' ') + e.detail(QStringLiteral("after-item"));
        QCOMPARE(events.mid(0, 3), QStringList({"administration-abandoned ", "location-closed ",
                                                QStringLiteral("administration-interrupted %1").arg(stop)}));
        if (answer == "Yes")
            QCOMPARE(events.value(3), QStringLiteral("administration-resumed %1").arg(stop));
        if (answer != "Yes") {
            // Kept for later; the slot is not taken. The supervisor utilities list it, and continue or abandon it.
            QCOMPARE(run.fileBytes(), run.demoClients);
            QVERIFY(QFileInfo::exists(journalPath));
            QCOMPARE(run.listLines().size(), 6);
            run.prompts.clear();
            QStringList listed;
            driver.onNextModal("frmSupervisorOptions", [&](QWidget* w) {
                auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("sstSupervisorOperations"));
                for (int i = 0; i < tabs->count(); ++i)
                    if (tabs->tabText(i) == QStringLiteral("&Interrupted Tests"))
                        tabs->setCurrentIndex(i);
                const auto* list = w->findChild<QTreeWidget*>(QStringLiteral("lstInterruptedTests"));
                for (int c = 0; c < list->columnCount(); ++c)
                    listed << list->topLevelItem(0)->text(c);
                auto* next = w->findChild<QRadioButton*>(QStringLiteral("optInterruptedOption_0"));
                listed << (next->isEnabled() ? "may continue" : "only abandoned");
                if (!next->isEnabled())
                    w->findChild<QRadioButton*>(QStringLiteral("optInterruptedOption_1"))->click();
                press(0)(w);
            });
            if (answer == "No")
                continued();
            else
                driver.onNextModal("frmMyInputBox", answerInputBox(QStringLiteral("k"))); // then Yes to abandon
            run.pressMenu(2);
            QVERIFY2(driver.done(), qPrintable(run.prompts.texts().join(" / ")));
            QCOMPARE(listed, QStringList({"Later, Sam", "on screen", "40 of 123",
                                          answer == "No" ? "12/07/2026 9:00 AM" : "12/07/2026 9:00 AM (too old to "
                                                                                  "continue)",
                                          answer == "No" ? "may continue" : "only abandoned"}));
        }
        QVERIFY(!QFileInfo::exists(journalPath));
        if (answer == "") {
            QVERIFY(run.prompts.texts().value(0).startsWith(QStringLiteral("Abandon the test of Later, Sam?")));
            QCOMPARE(run.fileBytes(), run.demoClients);
            return;
        }
        QCOMPARE(firstItem, stop + 1);
        QCOMPARE(run.fileBytes().size(), run.demoClients.size() + ClientRecord::Size);
        QCOMPARE(run.record(7).Responses, answers);
        QCOMPARE(run.record(7).Name.trimmed() + run.record(7).DrugArrests + run.record(7).Anger,
                 QStringLiteral("Later, Sam0 12"));
        QCOMPARE(run.record(7).TestDate, TodayText);
        if (timed) {
            administrationNotes(run);
            publishResults(run);
        }
    }

    // The location encrypted from the Protection tab (a weak passphrase refused first), the program started again (a
    // wrong passphrase, then the right one), a client added, the encryption removed: the files on the location hold
    // no client's name while it is encrypted, and read as before once it is not.
    void encryptedLocation_encryptRestartAddRemove()
    {
        Run run;
        QVERIFY(run.start());
        const QString pass = QStringLiteral("Harbor lights 48"), name = QStringLiteral("Newcomer, Robin");
        const auto protection = [&](const char* command) {
            ModalDriver driver;
            driver.onNextModal("frmSupervisorOptions", [&driver, command](QWidget* w) {
                driver.onNextModal("frmMyInputBox", answerInputBox(QStringLiteral("K")));
                w->findChild<QTabWidget*>(QStringLiteral("sstSupervisorOperations"))->setCurrentIndex(7);
                QTimer::singleShot(0, w, [w, command] {
                    pressNow(w->findChild<QPushButton*>(QStringLiteral("cmdMenuChoice_0"))); // Execute: the code
                    pressNow(w->findChild<QPushButton*>(QLatin1String(command)));
                    qobject_cast<QDialog*>(w)->reject();
                });
            });
            run.pressMenu(2);
            QVERIFY2(driver.done(), qPrintable(run.prompts.texts().join(" / ")));
        };
        const auto noNameOnTheLocation = [&] {
            for (const QFileInfo& f : QDir(run.dataDir).entryInfoList(QDir::Files))
                for (const QString& n : {run.demo(1).Name.trimmed(), name, run.demo(1).DOB})
                    QVERIFY2(!ReadBytes(f.filePath()).contains(n.toLatin1()), qPrintable(f.fileName() + ": " + n));
        };
        run.prompts.secrets << QStringLiteral("short 1") << pass;
        run.prompts.answers << Prompts::Answer::No; // no recovery passphrase
        protection("cmdEncrypt");
        QVERIFY2(run.prompts.refusals.value(0).contains(QStringLiteral("12 characters")), qPrintable(run.prompts.refusals.join('/')));
        QCOMPARE(run.prompts.ratings, QStringList({QStringLiteral("Strength: weak"), QStringLiteral("Strength: strong")}));
        QVERIFY(run.prompts.texts().last().startsWith(QStringLiteral("The data location is encrypted.")));
        noNameOnTheLocation();

        run.prompts.clear();
        run.prompts.secrets << QStringLiteral("Harbor lights 49") << pass;
        run.rebuild();
        QVERIFY(run.start());
        QCOMPARE(run.prompts.secretTitles.size(), 2);
        QVERIFY(run.prompts.texts().value(0).contains(QStringLiteral("passphrase does not open")));
        QCOMPARE(run.listLines().first(), QStringLiteral("1-") + run.demo(1).Name.trimmed());

        ModalDriver driver;
        driver.onNextModal("frmSelectEntryMethod", press(1));
        driver.onNextModal("frmClientInfo", keyClientInfo(name));
        driver.onNextModal("frmCourtHistory", keyCourtHistory({"0", "3", "N", "1", "12"}));
        driver.onNextModal("frmNewEntry", keyGrid(SampleAnswers(), 0));
        run.pressMenu(1);
        QVERIFY2(driver.done(), qPrintable(run.prompts.texts().join(" / ")));
        QCOMPARE(run.listLines().last(), QStringLiteral("7-") + name);
        noNameOnTheLocation();
        QCOMPARE(run.trail(QStringLiteral("location-encrypted")).size(), 1);
        const QString backups = run.dir.filePath(QStringLiteral("backups"));
        QVERIFY(QDir().mkpath(backups));
        run.files.folderAnswers = [backups] { return backups; };
        run.files.openAnswers = [backups] { return backups + '/' + QDir(backups).entryList({"*.QN"}).value(0); };
        const auto dataOption = [&run](int option) {
            ModalDriver d;
            run.supervisor(d, 3, QStringLiteral("optDataOption_%1").arg(option), true);
            run.pressMenu(2);
            QVERIFY2(d.done(), qPrintable(run.prompts.texts().join(" / ")));
        };
        dataOption(2); // backup
        QVERIFY(ReadBytes(run.files.openAnswers()).startsWith("VLTSEAL"));

        run.prompts.secrets << pass;
        protection("cmdRemoveEncryption");
        QVERIFY(!QFileInfo::exists(run.dataDir + QStringLiteral("/DATA401.VLK")));
        QCOMPARE(run.fileBytes().left(run.demoClients.size()), run.demoClients);
        QCOMPARE(run.record(7).Name.trimmed(), name);

        // The encrypted backup, restored onto the plain location, asks for the passphrase it was made under.
        const QByteArray plain = run.fileBytes();
        const qsizetype asked = run.prompts.secretTitles.size();
        run.prompts.secrets << QStringLiteral("Harbor lights 49") << pass;
        dataOption(3);
        QCOMPARE(run.prompts.secretTitles.size(), asked + 2);
        QCOMPARE(QDir(run.dataDir).entryList({QStringLiteral("DATA401-*-replaced.QN")}).size(), 1);
        QCOMPARE(run.fileBytes(), plain);
    }

    void exit_endsTheProgram()
    {
        Run run;
        QVERIFY(run.start());
        QTimer::singleShot(0, [&run] { run.pressMenu(3); });
        QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(run.fileBytes(), run.demoClients);
    }

    // A second start for the same program folder brings the first to the front and builds nothing; when the first
    // is frozen, the second says so.
    void secondStart_handsOverToTheFirst()
    {
        Run run;
        QVERIFY(run.start());
        run.menu().hide();
        QVERIFY(!Program::build(run.programDir, {&run.prompts, &run.clock, &run.files}));
        QTRY_VERIFY(run.menu().isVisible());
        QVERIFY(run.prompts.texts().isEmpty());

        QLocalServer frozen; // takes the connection and never answers
        QVERIFY(frozen.listen(SingleInstance(run.dataDir).serverName()));
        QVERIFY(!Program::build(run.dataDir, {&run.prompts, &run.clock, &run.files}));
        QCOMPARE(run.prompts.texts().size(), 1);
        QVERIFY(run.prompts.texts().first().startsWith("Veltrane is already running but does not respond"));
    }

};

QTEST_MAIN(TestWholeProgram)
#include "test_whole_program.moc"
