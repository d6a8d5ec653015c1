// The scan as the supervisor goes through it, with the real review windows: the sheet from the scanner or an image
// file, every message that ends a scan, the multiple-marks warning, a client saved only when the review ends with
// Save; and a batch of sheets, some of them bad, read, listed and reviewed against the sheets' images.

#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
#include "FakeFileDialogs.h"
#include "FakePrompts.h"
#include "FilledSheet.h"
#include "MenuButtons.h"
#include "ModalDriver.h"
#include "Profile.h"
#include "ResponseGrid.h"
#include "ScanChain.h"
#include "Scanner.h"
#include "SheetImagePanel.h"
#include "frmClientInfo.h"
#include "frmCourtHistory.h"
#include "frmMyInputBox.h"
#include "frmNewEntry.h"
#include "frmScanBatch.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kName = QStringLiteral("Scanned, Sam");

class QueuedScanner final : public Scanner {
public:
    QList<AcquiredPage> pages;
    AcquiredPage acquire() override { return pages.takeFirst(); }
};

// A program folder with the demo question database, a data location with two clients, and the real windows.
struct Env {
    TestProgramDir program;
    QTemporaryDir data;
    Profile settings{program.path() + "/Quillan.ini"};
    DataWorkspace workspace{program.path(), settings};
    ClientTable table;
    SessionFlags flags;
    FakePrompts prompts;
    FakeClock clock{QDate(2026, 3, 15)};
    AppContext ctx{table, flags, prompts, clock, settings, workspace, program.path()};
    QueuedScanner scanner;
    QByteArray fileBefore;
    QString chosenFile; // the image-file chooser's answer
    FakeFileDialogs files;
    bool reviewedAsScan = false;
    ScanReviewWindows windows;
    QTimer watchdog; // closes a window that a failed step left open, so the test fails instead of hanging

    Env()
    {
        table.setDataPath(data.path());
        table.LoadClients();
        for (int16_t n = 1; n <= 2; ++n) {
            table.Clients[n] = ClientRecord::blank();
            table.Clients[n].Name = QStringLiteral("Client %1").arg(n);
            table.SaveClient(n);
        }
        table.NumClients = 2;
        fileBefore = fileBytes();
        ctx.scanner = &scanner;
        windows.clientInformation = [this](QWidget* p, const ClientInfoPrefill& v) {
            reviewedAsScan = flags.ScanReview && !flags.EditingClient;
            RunClientInfo(ctx, p, v);
        };
        windows.courtHistory = [this](QWidget* p, const CourtHistoryPrefill& v) { RunCourtHistory(ctx, p, v); };
        windows.answerGrid = [this](QWidget* p) { RunNewEntry(ctx, p); };
        files.openAnswers = [this] { return chosenFile; };
        ctx.files = &files;
        watchdog.callOnTimeout(&ModalDriver::rejectAll);
        watchdog.start(20000);
    }
    QByteArray fileBytes() const
    {
        QFile f(table.ClientFilePath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList titles() const
    {
        QStringList out;
        for (const FakePrompts::Shown& s : prompts.shown)
            out << s.title;
        return out;
    }
};

// Types `name` into the name prompt and accepts it (cancels the prompt when `name` is empty), checking its setup.
ModalDriver::Step answerName(const QString& name)
{
    return [name](QWidget* modal) {
        auto* box = qobject_cast<frmMyInputBox*>(modal);
        if (!box || box->windowTitle() != "Client Name Input" || box->txtInput()->maxLength() != 25 ||
            box->txtInput()->echoMode() != QLineEdit::Normal ||
            box->findChild<QLabel*>("lblHelpMsg")->text() != "Enter the name of client.")
            return ModalDriver::rejectAll();
        if (name.isEmpty())
            return QTest::keyClick(box->menu().button(1), Qt::Key_Return);
        QTest::keyClicks(box->txtInput(), name);
        QTest::keyClick(box->txtInput(), Qt::Key_Return);
        QTest::keyClick(box->menu().button(0), Qt::Key_Return);
    };
}

// Presses menu button `index` of the next modal window, which must be `window`.
ModalDriver::Step press(const QString& window, int index)
{
    return [window, index](QWidget* modal) {
        auto* button = modal->findChild<QPushButton*>(QStringLiteral("cmdMenuChoice_%1").arg(index));
        if (modal->objectName() != window || !button || !QTest::qWaitForWindowActive(modal))
            return ModalDriver::rejectAll();
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
    };
}

// A marked sheet with a blank court count, a date of birth in this century and one item marked twice.
SheetAnswers sampleAnswers()
{
    SheetAnswers a = SheetAnswers::random(21);
    a.court[3] = -1;
    a.dob = "031405";
    return a;
}

QImage sampleSheet(const SheetAnswers& a)
{
    FilledSheet sheet(DemoScanItems());
    sheet.markAll(a, 90);
    sheet.mark(FirstQuestionItem + 4, 2 - a.responses[4].digitValue(), 90);
    return sheet.scan({0.9, QPointF(4, -3), 250, 4.0, 0.001, 21});
}

} // namespace

class TestScanChain : public QObject {
    Q_OBJECT
private slots:
    void review_savedOrCancelled_data()
    {
        QTest::addColumn<int>("source"); // 0 scanner, 1 no scanner: image file, 2 scanner error: image file
        QTest::addColumn<int>("stop");   // 0 name, 1 insert box, 2 chooser, 3-5 the review windows; 6 saves
        QTest::addColumn<QStringList>("boxes");
        const QString insert = "Corvath Test Scan", twain = "Twain Error", marks = "Scan sheet Answers";
        QTest::newRow("scanner, saved") << 0 << 6 << QStringList{insert, marks};
        QTest::newRow("no scanner, image file, saved") << 1 << 6 << QStringList{marks};
        QTest::newRow("scanner error, image file, saved") << 2 << 6 << QStringList{insert, twain, marks};
        QTest::newRow("name prompt cancelled") << 0 << 0 << QStringList{};
        QTest::newRow("insert box cancelled") << 0 << 1 << QStringList{insert};
        QTest::newRow("image file chooser cancelled") << 1 << 2 << QStringList{};
        QTest::newRow("client information cancelled") << 0 << 3 << QStringList{insert, marks};
        QTest::newRow("court history cancelled") << 0 << 4 << QStringList{insert, marks};
        QTest::newRow("answer grid cancelled") << 0 << 5 << QStringList{insert, marks};
    }
    void review_savedOrCancelled()
    {
        QFETCH(int, source);
        QFETCH(int, stop);
        Env e;
        const SheetAnswers a = sampleAnswers();
        const QImage image = sampleSheet(a);
        e.scanner.pages << (source == 2 ? AcquiredPage::failure(20082, "No scanner was found.")
                                        : AcquiredPage{image, 0, {}});
        if (source == 1)
            e.ctx.scanner = nullptr;
        e.prompts.answers << (stop == 1 ? Prompts::Answer::Cancel : Prompts::Answer::Ok) << Prompts::Answer::Yes;
        QVERIFY(image.save(e.data.filePath("sheet.png")));
        if (stop != 2)
            e.chosenFile = e.data.filePath("sheet.png");
        frmMyInputBox::PasswordInput = true; // as the secret-code prompt leaves it
        ModalDriver driver;
        driver.onNextModal(answerName(stop == 0 ? QString() : kName));
        const QString review[] = {"frmClientInfo", "frmCourtHistory", "frmNewEntry"};
        for (int i = 0; i < 3 && stop >= 3 + i; ++i)
            driver.onNextModal(press(review[i], stop == 3 + i ? 1 : 0));
        RunScanChain(e.ctx, nullptr, e.windows);
        QVERIFY(driver.done());

        QTEST(e.titles(), "boxes");
        if (source == 0 && stop >= 1)
            QCOMPARE(e.prompts.shown[0].text, "Insert answer sheet for " + kName + "\n(face down) into scanner.");
        if (source == 2)
            QCOMPARE(e.prompts.shown[1].text, "Error '20082, Twain no Data Source.\nNo scanner was found.\n\n"
                                              "Read the answer sheet from an image file instead?");
        if (stop >= 3)
            QCOMPARE(e.prompts.shown.last().text,
                     "Warning! some items had multiple answers marked.\nPlease review the follwing answers.\n\n     "
                     "Item 5\n\nThese marks are too light or too close to call. Check each against the sheet's "
                     "image, where it is highlighted:\n\n     Item 5\n");
        QCOMPARE(e.scanner.pages.isEmpty(), source != 1 && stop >= 3);
        QCOMPARE(e.reviewedAsScan, stop >= 3);
        QCOMPARE(e.flags.ContinueFlag, stop == 6);
        QVERIFY(!e.flags.ScanReview);
        if (stop < 6) {
            QCOMPARE(e.table.NumClients, int16_t(2));
            QCOMPARE(e.fileBytes(), e.fileBefore);
            QCOMPARE(e.table.Clients[3].toBytes(), ClientRecord::blank().toBytes());
            return;
        }
        QCOMPARE(e.table.NumClients, int16_t(3));
        const ClientRecord r = ClientRecord::fromBytes(e.fileBytes().mid(2 * ClientRecord::Size));
        QCOMPARE(r.Name.trimmed(), kName);
        QCOMPARE(r.Gender + r.Race + r.Marital + r.Education,
                 QStringLiteral("%1%2%3%4").arg(a.gender).arg(a.race).arg(a.marital).arg(a.education));
        QCOMPARE(r.DOB, QStringLiteral("03/14/2005"));
        const QString court[] = {r.DrugArrests, r.AlcoholArrests, r.Assaults, r.DVArrests, r.Anger};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(court[i].trimmed(), i == 3 ? QStringLiteral("N") : QString::number(a.court[i]));
        QCOMPARE(QString(r.Responses).remove(4, 1), QString(a.responses).remove(4, 1)); // item 5: the double mark
        if (source != 0) // the next chooser starts where this sheet was found
            QCOMPARE(e.settings.read("Scanner", "ImageFolder", {}, 1024), e.data.path());
    }

    void failure_showsItsMessageAndLeavesNoClient_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("blank page") << 0 << "Scan Error"
                                    << "Anchor Box not found\nAborting scan\\.\n\nThe scanned page is blank.*";
        QTest::newRow("reference box hidden") << 1 << "Scan Error"
                                              << "Reference Box not found\nAborting scan\\.\n\n.*";
        QTest::newRow("question database gone") << 2 << "Scan Error"
                                                << ".*qn\\.mdb.*\nAborting scan\\.";
        QTest::newRow("scanner jammed, no file") << 3 << "Twain Error"
                                                 << "Error '20094, Scanner paper jam\\.\nJammed\\.\n\n"
                                                    "Read the answer sheet from an image file instead\\?";
        QTest::newRow("file unreadable, no other") << 4 << "Twain Error"
                                                   << "Error '200(07|09), .*notes\\.png.*\n\nChoose another image "
                                                      "file\\?";
    }
    void failure_showsItsMessageAndLeavesNoClient()
    {
        QFETCH(int, kind);
        Env e;
        QImage page = sampleSheet(sampleAnswers());
        if (kind == 0)
            page.fill(255);
        if (kind == 1)
            QPainter(&page).fillRect(QRect(740, 0, 110, 200), Qt::white);
        if (kind == 2)
            QVERIFY(QFile::remove(e.program.path() + "/qn.mdb"));
        e.scanner.pages << (kind == 3 ? AcquiredPage::failure(20094, "Jammed.") : AcquiredPage{page, 0, {}});
        if (kind == 4) {
            e.ctx.scanner = nullptr;
            e.chosenFile = e.data.filePath("notes.png");
            QFile f(e.chosenFile);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("not a picture") > 0);
        }
        e.prompts.answers << Prompts::Answer::Ok << Prompts::Answer::No;
        ModalDriver driver;
        driver.onNextModal(answerName(kName));
        RunScanChain(e.ctx, nullptr, e.windows);

        QCOMPARE(e.prompts.shown.size(), kind == 4 ? 1 : 2);
        QTEST(e.prompts.shown.last().title, "title");
        QFETCH(QString, pattern);
        const QRegularExpression re(QRegularExpression::anchoredPattern(pattern),
                                    QRegularExpression::DotMatchesEverythingOption);
        QVERIFY2(re.match(e.prompts.shown.last().text).hasMatch(), qPrintable(e.prompts.shown.last().text));
        QVERIFY(!e.reviewedAsScan);
        QCOMPARE(e.fileBytes(), e.fileBefore);
        QVERIFY(!e.flags.ContinueFlag);
    }

    void batch_ofSheetsSomeBad_runsToTheEndThroughTheWindows()
    {
        Env e;
        e.ctx.scanner = nullptr;
        QTemporaryDir folder;
        const SheetAnswers first = sampleAnswers(); // item 5 marked twice alike: needs review
        QVERIFY(sampleSheet(first).save(folder.filePath("sheet 1.png")));
        QImage blank(850, 1400, QImage::Format_Grayscale8);
        blank.fill(255);
        QVERIFY(blank.save(folder.filePath("sheet 2.png")));
        const SheetAnswers last = SheetAnswers::random(33);
        FilledSheet sheet(DemoScanItems());
        sheet.markAll(last);
        Scanning letter;
        letter.canvas = QSize(850, 1100);
        QVERIFY(sheet.scan(letter).save(folder.filePath("sheet 3.png")));
        QVERIFY(sheet.scan({-0.6, QPointF(3, 3), 250, 3.0, 0, 33}).save(folder.filePath("sheet 10.png")));
        QFile notes(folder.filePath("notes.txt"));
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("not a sheet") > 0);
        e.files.folderAnswers = [&] { return folder.path(); };

        ModalDriver driver;
        QStringList listed;
        driver.onNextModal("frmScanBatch", [&](QWidget* modal) {
            auto* window = qobject_cast<frmScanBatch*>(modal);
            QTRY_VERIFY_WITH_TIMEOUT(!window->reading(), 30000);
            for (int r = 0; r < window->grdBatch()->rowCount(); ++r)
                listed << window->grdBatch()->item(r, 1)->text() + " | " + window->grdBatch()->item(r, 2)->text() +
                              " | " + window->grdBatch()->item(r, 3)->text();
            // Every sheet in its turn: the bad ones set aside, the others named, reviewed and saved. The round opens
            // windows of its own, which the next steps answer.
            QTimer::singleShot(0, window, [window] {
                press("frmScanBatch", frmScanBatch::ReviewButton)(window);
                QVERIFY2(window->lblBatchSummary()->text().contains("Every sheet is saved or set aside."),
                         qPrintable(window->lblBatchSummary()->text()));
                press("frmScanBatch", frmScanBatch::CloseButton)(window);
            });
        });
        // The first sheet's review, against its image: the image follows the fields and the items.
        // Steps wait for their window by name: the batch window stays up between them.
        driver.onNextModal("frmMyInputBox", answerName("Batch, First"));
        driver.onNextModal("frmClientInfo", [](QWidget* modal) {
            auto* info = qobject_cast<frmClientInfo*>(modal);
            auto* panel = info->findChild<SheetImagePanel*>();
            QVERIFY(panel && panel->isVisible());
            info->cmbRace()->setFocus();
            QTRY_COMPARE(panel->field(), QStringLiteral("cmbRace"));
            const QScrollArea* area = panel->scrollArea();
            const QRectF shown(QPointF(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value()) /
                                   panel->zoom(),
                               QSizeF(area->viewport()->size()) / panel->zoom());
            QVERIFY(shown.contains(QRectF(panel->fieldRegion()).center()));
            QTest::keyClick(info->cmbRace(), Qt::Key_Plus, Qt::ControlModifier);
            QCOMPARE(panel->zoom(), 1.25);
            press("frmClientInfo", 0)(modal);
        });
        driver.onNextModal("frmCourtHistory", press("frmCourtHistory", 0));
        driver.onNextModal("frmNewEntry", [](QWidget* modal) {
            auto* grid = qobject_cast<frmNewEntry*>(modal);
            auto* panel = grid->findChild<SheetImagePanel*>();
            QVERIFY(panel);
            QTRY_COMPARE(panel->field(), QStringLiteral("Item 1"));
            for (int i = 0; i < 4; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QTRY_COMPARE(panel->field(), QStringLiteral("Item 5"));
            QVERIFY(panel->findChild<QLabel*>("lblSheetField")->text().contains("too light or too close to call"));
            press("frmNewEntry", 0)(modal);
        });
        // The two rejected sheets are set aside when the round comes to them (the prompts answer Yes); the last
        // sheet is saved as it was read.
        driver.onNextModal("frmMyInputBox", answerName("Batch, Last"));
        for (const char* window : {"frmClientInfo", "frmCourtHistory", "frmNewEntry"})
            driver.onNextModal(window, press(window, 0));
        RunScanBatch(e.ctx, nullptr, e.windows);
        QVERIFY(driver.done());
        QVERIFY(!QTest::currentTestFailed());

        QCOMPARE(listed.size(), 4);
        QVERIFY2(listed[0].startsWith("sheet 1.png | Needs review | several marks: Item 5; too light or too close to "
                                      "call: Item 5"),
                 qPrintable(listed[0]));
        QVERIFY2(listed[1].startsWith("sheet 2.png | Rejected | Anchor Box not found. The scanned page is blank"),
                 qPrintable(listed[1]));
        QVERIFY2(listed[2].startsWith("sheet 3.png | Rejected | The scanned page is shorter than the answer sheet"),
                 qPrintable(listed[2]));
        QCOMPARE(listed[3], "sheet 10.png | Ready | ");
        QCOMPARE(e.table.NumClients, int16_t(4));
        const QByteArray file = e.fileBytes();
        QCOMPARE(ClientRecord::fromBytes(file.mid(2 * ClientRecord::Size)).Name.trimmed(), "Batch, First");
        const ClientRecord saved = ClientRecord::fromBytes(file.mid(3 * ClientRecord::Size));
        QCOMPARE(saved.Name.trimmed(), "Batch, Last");
        QCOMPARE(saved.Responses, last.responses);
        QCOMPARE(e.settings.read("Scanner", "ImageFolder", {}, 1024), folder.path());
    }
};

QTEST_MAIN(TestScanChain)
#include "test_scan_chain.moc"
