// One scan as the supervisor goes through it, with the real review windows: every way it can end before a client is
// saved says why and changes no client; a scanner that fails hands over to an image file. The saved roads and the
// batch are walked through the whole program; a saved sheet is known to a later batch.

#include "AppContext.h"
#include "DataWorkspace.h"
#include "FakeClock.h"
#include "FakeFileDialogs.h"
#include "FakePrompts.h"
#include "FileScanner.h"
#include "FilledSheet.h"
#include "MenuButtons.h"
#include "ModalDriver.h"
#include "Profile.h"
#include "ScanChain.h"
#include "SheetBatch.h"
#include "TestFiles.h"
#include "frmClientInfo.h"
#include "frmCourtHistory.h"
#include "frmMyInputBox.h"
#include "frmNewEntry.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

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

// The scanner's page: 0 the sheet, else its error, -1 no scanner; what the image-file chooser answers; the message
// boxes' answers: O(k), C(ancel), Y(es), N(o) in turn, then OK or Yes; the review windows accepted before one is
// cancelled (3: saved, -1: none shown); the boxes' titles and the last one's text.
const QString Insert = "Corvath Test Scan", Twain = "Twain Error", Marks = "Scan sheet Answers", Scan = "Scan Error";
// clang-format off
struct Road { const char* tag; int page; const char* file; const char* boxAnswers; int review; QStringList titles; const char* last; };
const Road Roads[] = {
    {"scanner error, image file, saved", 20082, "sheet.png", "OY", 3, {Insert, Twain, Marks}, "Warning! .*Item 5\n"},
    {"name prompt cancelled", 0, "", "", -1, {}, ""},
    {"insert box cancelled", 0, "", "C", -1, {Insert}, "Insert answer sheet for Scanned, Sam\n\\(face down\\).*"},
    {"image file chooser cancelled", -1, "", "", -1, {}, ""},
    {"client information cancelled", 0, "", "", 0, {Insert, Marks}, ".*"},
    {"answer grid cancelled", 0, "", "", 2, {Insert, Marks}, ".*"},
    {"question database gone", 0, "", "", -1, {Insert, Scan}, ".*qn\\.mdb.*\nAborting scan\\."},
    {"scanner jammed, no file", 20094, "", "ON", -1, {Insert, Twain},
     "Error '20094, Scanner paper jam\\.\nJammed\\.\n\nRead the answer sheet from an image file instead\\?"},
    {"file unreadable, no other", -1, "notes.png", "N", -1, {Twain},
     "Error '200(07|09), .*notes\\.png.*\n\nChoose another image file\\?"},
    {"image saved before, not again", -1, "sheet.png", "N", -1, {"Scan Answer Sheet"}, ".*already saved as client 2\\..*"},
};
// clang-format on

} // namespace

class TestScanChain : public QObject {
    Q_OBJECT
private slots:
    void scan_endsWithItsMessage_data()
    {
        QTest::addColumn<int>("road");
        for (int i = 0; i < int(std::size(Roads)); ++i)
            QTest::newRow(Roads[i].tag) << i;
    }
    void scan_endsWithItsMessage()
    {
        QFETCH(int, road);
        const Road& r = Roads[road];
        // A program folder with the demo question database and a data location with two clients.
        TestProgramDir program;
        QTemporaryDir data;
        Profile settings(program.path() + "/Quillan.ini");
        DataWorkspace workspace(program.path(), settings);
        ClientTable table;
        SessionFlags flags;
        FakePrompts prompts;
        FakeClock clock(QDate(2026, 3, 15));
        AppContext ctx{table, flags, prompts, clock, settings, workspace, program.path()};
        table.setDataPath(data.path());
        table.LoadClients();
        for (int16_t n = 1; n <= 2; ++n) {
            table.Clients[n] = ClientRecord::blank();
            table.Clients[n].Name = QStringLiteral("Client %1").arg(n);
            table.SaveClient(n);
        }
        table.NumClients = 2;
        const auto fileBytes = [&table] { return ReadBytes(table.ClientFilePath); };
        const QByteArray before = fileBytes();

        // The sheet: a blank court count, a date in this century and item 5 marked twice alike.
        SheetAnswers a = SheetAnswers::random(21);
        a.court[3] = -1;
        a.dob = "031405";
        FilledSheet sheet(DemoScanItems());
        sheet.markAll(a, 90);
        sheet.mark(FirstQuestionItem + 4, 2 - a.responses[4].digitValue(), 90);
        const QImage page = sheet.scan({0.9, QPointF(4, -3), 250, 4.0, 0.001, 21, 150});
        QVERIFY(page.save(data.filePath("sheet.png")));
        QFile notes(data.filePath("notes.png"));
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("not a picture") > 0 && notes.flush());
        QueuedScanner scanner;
        scanner.pages << (r.page > 0 ? AcquiredPage::failure(r.page, "Jammed.") : AcquiredPage{page, 0, {}});
        if (r.page >= 0)
            ctx.scanner = &scanner;
        FakeFileDialogs files;
        const QString chosen = *r.file ? data.filePath(r.file) : QString();
        files.openAnswers = [chosen] { return chosen; };
        ctx.files = &files;
        for (const char* c = r.boxAnswers; *c; ++c)
            prompts.answers << Prompts::Answer(QByteArray("OCYN").indexOf(*c)); // in Answer's order
        if (QString(r.tag) == "question database gone")
            QVERIFY(QFile::remove(program.path() + "/qn.mdb"));
        if (QString(r.tag) == "image saved before, not again")
            SavedSheets::read(data.path()).record(SavedSheets::hashOf(FileScanner(chosen).acquire().image), 2);
        ScanReviewWindows windows;
        windows.clientInformation = [&ctx](QWidget* p, const ClientInfoPrefill& v) { RunClientInfo(ctx, p, v); };
        windows.courtHistory = [&ctx](QWidget* p, const CourtHistoryPrefill& v) { RunCourtHistory(ctx, p, v); };
        windows.answerGrid = [&ctx](QWidget* p) { RunNewEntry(ctx, p); };

        ModalDriver driver;
        driver.onNextModal([named = QString(r.tag) != "name prompt cancelled"](QWidget* modal) {
            auto* box = qobject_cast<frmMyInputBox*>(modal);
            if (!box || !named)
                return box ? QTest::keyClick(box->menu().button(1), Qt::Key_Return) : ModalDriver::rejectAll();
            QTest::keyClicks(box->txtInput(), "Scanned, Sam");
            QTest::keyClick(box->txtInput(), Qt::Key_Return);
            QTest::keyClick(box->menu().button(0), Qt::Key_Return);
        });
        const QString review[] = {"frmClientInfo", "frmCourtHistory", "frmNewEntry"};
        for (int i = 0; i < 3 && i <= r.review; ++i)
            driver.onNextModal(press(review[i], i == r.review ? 1 : 0));
        QTimer watchdog; // closes a window a failed step left open, so the test fails instead of hanging
        watchdog.callOnTimeout(&ModalDriver::rejectAll);
        watchdog.start(20000);
        RunScanChain(ctx, nullptr, windows);
        QVERIFY(driver.done());

        QStringList titles;
        for (const FakePrompts::Shown& s : prompts.shown)
            titles << s.title;
        QCOMPARE(titles, r.titles);
        const QRegularExpression last(QRegularExpression::anchoredPattern(r.last),
                                      QRegularExpression::DotMatchesEverythingOption);
        if (!titles.isEmpty())
            QVERIFY2(last.match(prompts.shown.last().text).hasMatch(), qPrintable(prompts.shown.last().text));
        // The page is kept as it came, at its own resolution, also when the scan is refused after it came.
        const QImage raw(program.path() + "/Raw.bmp");
        QCOMPARE(raw.convertToFormat(page.format()), titles.contains(Marks) || titles.contains(Scan) ? page : QImage());
        QCOMPARE(flags.ContinueFlag, r.review == 3);
        QVERIFY(!flags.ScanReview);
        if (r.review < 3) {
            QCOMPARE(table.NumClients, int16_t(2));
            QCOMPARE(fileBytes(), before);
            QCOMPARE(table.Clients[3].toBytes(), ClientRecord::blank().toBytes());
            return;
        }
        QCOMPARE(table.NumClients, int16_t(3));
        const ClientRecord saved = ClientRecord::fromBytes(fileBytes().mid(2 * ClientRecord::Size));
        QCOMPARE(saved.Name.trimmed(), "Scanned, Sam");
        QCOMPARE(saved.DOB + saved.DVArrests, "03/14/2005N ");
        QCOMPARE(QString(saved.Responses).remove(4, 1), QString(a.responses).remove(4, 1));
        // The same image read later in a batch is listed as saved, and adds no client.
        SheetBatch batch(DemoScanItems(), clock.today());
        batch.useSavedSheets(SavedSheets::read(data.path()));
        QCOMPARE(SheetBatch::stateText(batch.add(chosen, FileScanner(chosen).acquire())), "Already saved as client 3");
        // The next chooser starts where this sheet was found.
        QCOMPARE(settings.read("Scanner", "ImageFolder", {}, 1024), data.path());
    }
};

QTEST_MAIN(TestScanChain)
#include "test_scan_chain.moc"
