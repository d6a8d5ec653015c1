// The scan as the supervisor goes through it: the name prompt, the sheet from the scanner or an image file, every
// message that ends a scan, the multiple-marks warning, and the hand-over to the review windows (fakes that record
// what they were given, and the real windows for saving and cancelling).

#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "FilledSheet.h"
#include "MenuButtons.h"
#include "ModalDriver.h"
#include "Profile.h"
#include "ScanChain.h"
#include "Scanner.h"
#include "frmClientInfo.h"
#include "frmCourtHistory.h"
#include "frmMyInputBox.h"
#include "frmNewEntry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kName = QStringLiteral("Scanned, Sam");

class QueuedScanner final : public Scanner {
public:
    QList<AcquiredPage> pages;
    int calls = 0;
    AcquiredPage acquire() override
    {
        ++calls;
        return pages.isEmpty() ? AcquiredPage::failure(20000, QStringLiteral("nothing queued")) : pages.takeFirst();
    }
};

// A program folder with the demo question database and a data location holding two clients.
struct Env {
    TestProgramDir program;
    QTemporaryDir data;
    Profile settings{program.path() + QStringLiteral("/Quillan.ini")};
    DataWorkspace workspace{program.path(), settings};
    ClientTable table;
    SessionFlags flags;
    FakePrompts prompts;
    FakeClock clock{QDate(2026, 3, 15)};
    AppContext ctx{table, flags, prompts, clock, settings, workspace, program.path()};
    QueuedScanner scanner;
    QByteArray fileBefore;
    QString chosenFile;   // what the image-file chooser answers
    QString chooserStart; // where it was asked to start
    std::optional<ClientInfoPrefill> info;
    std::optional<CourtHistoryPrefill> court;
    QString gridResponses;
    int boxesBeforeReview = -1;

    Env()
    {
        table.setDataPath(data.path());
        for (int n = 1; n <= 2; ++n) {
            table.Clients[n] = ClientRecord::blank();
            table.Clients[n].Name = QStringLiteral("Client %1").arg(n);
            table.CurClient = static_cast<int16_t>(n);
            table.SaveClient(table.CurClient);
            table.CountNewClient();
        }
        fileBefore = fileBytes();
        ctx.scanner = &scanner;
    }
    QByteArray fileBytes() const
    {
        QFile f(table.ClientFilePath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString savePng(const QImage& image) const
    {
        const QString path = data.filePath(QStringLiteral("sheet.png"));
        return image.save(path, "PNG") ? path : QString();
    }
    // Review windows that record what they were given and act as the real ones do for a new client.
    ScanReviewWindows fakeWindows()
    {
        ScanReviewWindows w;
        w.clientInformation = [this](QWidget*, const ClientInfoPrefill& v) {
            info = v;
            boxesBeforeReview = flags.ScanReview && !flags.EditingClient ? int(prompts.shown.size()) : -2;
            table.CurClient = static_cast<int16_t>(table.NumClients + 1);
            table.current() = ClientRecord::blank();
            table.current().Name = v.name;
            flags.ContinueFlag = true;
        };
        w.courtHistory = [this](QWidget*, const CourtHistoryPrefill& v) {
            court = v;
            flags.ContinueFlag = true;
        };
        w.answerGrid = [this](QWidget*) {
            gridResponses = table.current().Responses;
            flags.ContinueFlag = !table.SaveClient(table.CurClient);
            table.CountNewClient();
        };
        w.chooseImageFile = [this](QWidget*, const QString& start) {
            chooserStart = start;
            return chosenFile;
        };
        return w;
    }
};

// Types `name` into the name prompt and accepts it, or cancels the prompt when `name` is empty.
ModalDriver::Step answerName(const QString& name)
{
    return [name](QWidget* modal) {
        auto* box = qobject_cast<frmMyInputBox*>(modal);
        if (!box || box->windowTitle() != QStringLiteral("Client Name Input") || box->txtInput()->maxLength() != 25 ||
            box->txtInput()->echoMode() != QLineEdit::Normal ||
            box->findChild<QLabel*>(QStringLiteral("lblHelpMsg"))->text() !=
                QStringLiteral("Enter the name of client.")) {
            ModalDriver::rejectAll();
            return;
        }
        if (name.isEmpty()) {
            QTest::keyClick(box->menu().button(1), Qt::Key_Return);
            return;
        }
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
        if (modal->objectName() != window || !button || !QTest::qWaitForWindowActive(modal)) {
            ModalDriver::rejectAll();
            return;
        }
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
    };
}

SheetAnswers sampleAnswers()
{
    SheetAnswers a = SheetAnswers::random(21);
    a.court[3] = -1;  // left blank: "N"
    a.dob = "031405"; // 2005 by the century rule, today being 2026
    return a;
}

QImage sampleSheet(const SheetAnswers& a)
{
    FilledSheet sheet(DemoScanItems());
    sheet.markAll(a, 90);
    return sheet.scan({0.9, QPointF(4, -3), 250, 4.0, 0.001, 21});
}

} // namespace

class TestScanChain : public QObject {
    Q_OBJECT
private slots:
    void sheet_fromEachSource_reachesTheReviewWindows_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("scanner") << 0 << QStringList{"Corvath Test Scan"};
        QTest::newRow("no scanner: image file") << 1 << QStringList{};
        QTest::newRow("scanner fails: image file") << 2 << QStringList{"Corvath Test Scan", "Twain Error"};
    }
    void sheet_fromEachSource_reachesTheReviewWindows()
    {
        QFETCH(int, source);
        Env e;
        const SheetAnswers a = sampleAnswers();
        const QImage image = sampleSheet(a);
        if (source == 0)
            e.scanner.pages << AcquiredPage{image, 0, {}};
        if (source == 1)
            e.ctx.scanner = nullptr;
        if (source == 2) {
            e.scanner.pages << AcquiredPage::failure(20082, QStringLiteral("No scanner was found."));
            e.prompts.answers << Prompts::Answer::Ok << Prompts::Answer::Yes;
        }
        e.chosenFile = e.savePng(image);
        frmMyInputBox::PasswordInput = true; // as the secret-code prompt leaves it
        ModalDriver driver;
        driver.onNextModal(answerName(kName));
        RunScanChain(e.ctx, nullptr, e.fakeWindows());
        QVERIFY(driver.done());

        QStringList titles;
        for (const FakePrompts::Shown& s : e.prompts.shown)
            titles << s.title;
        QTEST(titles, "boxes");
        if (source == 0)
            QCOMPARE(e.prompts.shown[0].text, "Insert answer sheet for " + kName + "\n(face down) into scanner.");
        if (source == 2)
            QCOMPARE(e.prompts.shown[1].text, "Error '20082, Twain no Data Source.\nNo scanner was found.\n\n"
                                              "Read the answer sheet from an image file instead?");
        QCOMPARE(e.boxesBeforeReview, titles.size()); // reviewed as a scanned new client, after every box
        QVERIFY(e.info && e.court);
        QCOMPARE(e.info->name, kName);
        QCOMPARE(QStringList({e.info->gender, e.info->race, e.info->education, e.info->marital}),
                 QStringList({QString::number(a.gender), QString::number(a.race), QString::number(a.education),
                              QString::number(a.marital)}));
        QCOMPARE(e.info->dateOfBirth, QStringLiteral("03/14/2005"));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(e.court->counts[i], i == 3 ? QStringLiteral("N") : QString::number(a.court[i]));
        QCOMPARE(e.gridResponses, a.responses);
        QCOMPARE(e.table.NumClients, int16_t(3));
        QVERIFY(e.flags.ContinueFlag);
        QVERIFY(!e.flags.ScanReview);
        QVERIFY(QFile::exists(e.program.path() + "/Raw.bmp") && QFile::exists(e.program.path() + "/Scan.bmp"));
        if (source != 0) // the next chooser starts where this sheet was found
            QCOMPARE(e.settings.read("Scanner", "ImageFolder", {}, 1024), QFileInfo(e.chosenFile).absolutePath());
    }

    void failure_showsItsMessageAndLeavesNoClient_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("blank page") << 0 << "Scan Error"
                                    << "Anchor Box not found\nAborting scan\\.";
        QTest::newRow("reference box hidden") << 1 << "Scan Error"
                                              << "Reference Box not found\nAborting scan\\.";
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
        RunScanChain(e.ctx, nullptr, e.fakeWindows());

        QCOMPARE(e.prompts.shown.size(), kind == 4 ? 1 : 2);
        QTEST(e.prompts.shown.last().title, "title");
        QFETCH(QString, pattern);
        const QRegularExpression re(QRegularExpression::anchoredPattern(pattern),
                                    QRegularExpression::DotMatchesEverythingOption);
        QVERIFY2(re.match(e.prompts.shown.last().text).hasMatch(), qPrintable(e.prompts.shown.last().text));
        QVERIFY(!e.info);
        QCOMPARE(e.table.NumClients, int16_t(2));
        QCOMPARE(e.fileBytes(), e.fileBefore);
        QVERIFY(!e.flags.ContinueFlag);
    }

    void multipleMarks_warnedBeforeTheReview_data()
    {
        QTest::addColumn<QList<QPoint>>("marks"); // (location ID, bubble)
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const QString head =
            "Warning! some items had multiple answers marked.\nPlease review the follwing answers.\n\n";
        QTest::newRow("none") << QList<QPoint>{{14, 1}} << QString() << QString();
        QTest::newRow("two items") << QList<QPoint>{{14, 0}, {14, 1}, {109, 0}, {109, 3}} << "Scan sheet Answers"
                                   << head + "     Item 5\n     Item 100\n";
        QTest::newRow("ethnicity, read twice")
            << QList<QPoint>{{2, 0}, {2, 3}} << "Scan sheet Answers" << head + "     Ethnicity\n";
        QList<QPoint> eleven;
        for (int id = 10; id <= 20; ++id)
            eleven << QPoint(id, 0) << QPoint(id, 1);
        QTest::newRow("eleven") << eleven << "Scan Sheet Answers"
                                << "Warning Many answers on this scanned answer sheet are \nMarked incorrectly. Please "
                                   "review the answer sheet to \nEnsure that proper answers have been scored.";
    }
    void multipleMarks_warnedBeforeTheReview()
    {
        QFETCH(QList<QPoint>, marks);
        QFETCH(QString, title);
        Env e;
        FilledSheet sheet(DemoScanItems());
        for (const QPoint& m : marks)
            sheet.mark(m.x(), m.y());
        e.scanner.pages << AcquiredPage{sheet.scan({-0.5, QPointF(3, 3), 255, 3.0, 0, 2}), 0, {}};
        ModalDriver driver;
        driver.onNextModal(answerName(kName));
        RunScanChain(e.ctx, nullptr, e.fakeWindows());

        QCOMPARE(e.prompts.shown.size(), title.isEmpty() ? 1 : 2);
        QCOMPARE(e.boxesBeforeReview, int(e.prompts.shown.size()));
        if (!title.isEmpty()) {
            QCOMPARE(e.prompts.shown[1].title, title);
            QTEST(e.prompts.shown[1].text, "text");
        }
    }

    void reviewStoppedByAWindowThatKeepsTheSlot_slotIsStillBlanked()
    {
        Env e;
        e.scanner.pages << AcquiredPage{sampleSheet(sampleAnswers()), 0, {}};
        ScanReviewWindows windows = e.fakeWindows();
        windows.courtHistory = [&e](QWidget*, const CourtHistoryPrefill&) { e.flags.ContinueFlag = false; };
        ModalDriver driver;
        driver.onNextModal(answerName(kName));
        RunScanChain(e.ctx, nullptr, windows);
        QCOMPARE(e.table.Clients[3].toBytes(), ClientRecord::blank().toBytes());
        QCOMPARE(e.table.NumClients, int16_t(2));
    }

    void cancelOrSave_inTheRealWindows_data()
    {
        QTest::addColumn<int>("stage"); // where the supervisor stops; 6 saves
        const char* names[] = {
            "name prompt", "insert sheet", "image file chooser", "client information", "court history",
            "answer grid", "saved"};
        for (int i = 0; i < 7; ++i)
            QTest::newRow(names[i]) << i;
    }
    void cancelOrSave_inTheRealWindows()
    {
        QFETCH(int, stage);
        Env e;
        const SheetAnswers a = sampleAnswers();
        e.scanner.pages << AcquiredPage{sampleSheet(a), 0, {}};
        if (stage == 1)
            e.prompts.answers << Prompts::Answer::Cancel;
        if (stage == 2)
            e.ctx.scanner = nullptr; // and the chooser answers nothing
        ScanReviewWindows windows = e.fakeWindows();
        windows.clientInformation = [&e](QWidget* p, const ClientInfoPrefill& v) { RunClientInfo(e.ctx, p, v); };
        windows.courtHistory = [&e](QWidget* p, const CourtHistoryPrefill& v) { RunCourtHistory(e.ctx, p, v); };
        windows.answerGrid = [&e](QWidget* p) { RunNewEntry(e.ctx, p); };
        ModalDriver driver;
        driver.onNextModal(answerName(stage == 0 ? QString() : kName));
        const QString review[] = {"frmClientInfo", "frmCourtHistory", "frmNewEntry"};
        for (int i = 0; i < 3 && stage >= 3 + i; ++i)
            driver.onNextModal(press(review[i], stage == 3 + i ? 1 : 0));
        RunScanChain(e.ctx, nullptr, windows);
        QVERIFY(driver.done());

        QCOMPARE(e.scanner.calls, stage == 0 || stage == 1 || stage == 2 ? 0 : 1);
        QCOMPARE(e.flags.ContinueFlag, stage == 6);
        if (stage == 6) {
            QCOMPARE(e.table.NumClients, int16_t(3));
            const ClientRecord saved = ClientRecord::fromBytes(e.fileBytes().mid(2 * ClientRecord::Size));
            QCOMPARE(saved.Name.trimmed(), kName);
            QCOMPARE(saved.DOB, QStringLiteral("03/14/2005"));
            QCOMPARE(saved.Assaults.trimmed(), QString::number(a.court[2]));
            QCOMPARE(saved.Responses, a.responses);
            return;
        }
        QCOMPARE(e.table.NumClients, int16_t(2));
        QCOMPARE(e.fileBytes(), e.fileBefore);
        QCOMPARE(e.table.Clients[3].toBytes(), ClientRecord::blank().toBytes());
    }
};

QTEST_MAIN(TestScanChain)
#include "test_scan_chain.moc"
