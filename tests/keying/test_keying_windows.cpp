// The answer grid and verification windows driven by keys. Answer grid: the grids it builds, the keys each takes,
// Cancel, a failed save and a missing question database. Verification: Cancel and a failed save; the keys it takes
// and a sheet keyed as stored are the logic's (test_answer_grids), a difference and its correction are walked by the
// whole-program test.

#include "KeyingEnv.h"
#include "MenuButtons.h"
#include "ResponseGrid.h"
#include "frmNewEntry.h"
#include "frmVerify.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// A sheet of answers that every grid of the standard sheet accepts: 1 and 2 in section 1, 1 to 4 after it.
QString SampleSheet()
{
    QString s;
    for (int i = 1; i <= 123; ++i)
        s += QChar('0' + (i <= 86 ? (i * 7) % 3 : (i * 7) % 5));
    return s;
}

QString StoredSheet()
{
    QString s;
    for (int i = 1; i <= 123; ++i)
        s += QChar('0' + (i <= 86 ? (i * 5) % 3 : (i * 3) % 5));
    s[39] = QLatin1Char('1');
    return s;
}

QWidget* focused()
{
    return QApplication::focusWidget();
}

} // namespace

class TestKeyingWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<KeyingEnv> m_env;
    std::unique_ptr<frmNewEntry> m_window;
    std::unique_ptr<frmVerify> m_verify;

    frmNewEntry* open(const QStringList& sheet = StandardSheet(), bool newClient = false)
    {
        m_window.reset();
        m_env = std::make_unique<KeyingEnv>(sheet);
        m_env->addClient("Lane, Robin", SampleSheet());
        if (newClient)
            m_env->startNewClient("New, Nell");
        m_env->flags.EditingClient = !newClient;
        return shown(m_window);
    }
    template <class W> W* shown(std::unique_ptr<W>& w)
    {
        w = std::make_unique<W>(m_env->ctx);
        w->show();
        if (!QTest::qWaitForWindowActive(w.get()))
            qFatal("window not active");
        return w.get();
    }

    // A first client with no answers and a second one to verify.
    frmVerify* openVerify()
    {
        m_verify.reset();
        m_env = std::make_unique<KeyingEnv>();
        m_env->addClient("First, Ann", EmptyResponses());
        m_env->addClient("Verify, Val", StoredSheet());
        return shown(m_verify);
    }
    void key(const QString& digits)
    {
        for (QChar c : digits)
            QTest::keyClick(focused(), c.toLatin1());
    }

private slots:
    void cleanup()
    {
        m_window.reset();
        m_verify.reset();
        m_env.reset();
    }

    void gridsAndTheirKeys()
    {
        frmNewEntry* w = open(StandardSheet(true));
        QCOMPARE(w->gridCount(), 6);
        QList<int> columns; // the grids' places are the layout's (test_answer_grids)
        for (int g = 0; g < 6; ++g)
            columns << w->grid(g)->columnCount();
        QCOMPARE(columns, (QList<int>{3, 5, 5, 6, 6, 3}));
        // Not keys of the grid: taken by the window without a beep.
        for (char key : {'%', '\''})
            QTest::keyClick(w->grid(0), key);
        QCOMPARE(m_env->prompts.beeps, 0);
        // In each grid a key it refuses beeps and changes nothing; one it takes marks its column and moves on.
        // Grid, the keys it refuses, the key it takes.
        const std::pair<QByteArray, char> rows[] = {{"35a\r\x1b", '2'}, {"5 ", '4'}, {"5", '0'},
                                                    {"6", '5'},         {"6", '5'},  {"3", '1'}};
        for (int g = 0; g < 6; ++g) {
            const auto [refused, taken] = rows[g];
            ResponseGrid* grid = w->grid(g);
            QCOMPARE(focused(), grid); // Tab goes from grid to grid, then to the buttons
            const int item = w->keying()->itemAt(g, 1);
            const int beeps = m_env->prompts.beeps;
            for (char key : refused)
                QTest::keyClick(grid, key);
            QCOMPARE(m_env->prompts.beeps, beeps + int(refused.size()));
            QCOMPARE(w->keying()->row(g), 1);
            QCOMPARE(w->keying()->answer(item), SampleSheet().at(item - 1));
            QTest::keyClick(grid, taken);
            // Taken on the very last item, the key beeps too: there is nowhere further to go.
            QCOMPARE(m_env->prompts.beeps, beeps + int(refused.size()) + (g == 5));
            QCOMPARE(w->keying()->row(g), std::min(2, w->keying()->rows(g) - 1)); // the last grid holds one item
            QCOMPARE(w->keying()->answer(item), QLatin1Char(taken));
            for (int col = 1; col < grid->columnCount(); ++col)
                QCOMPARE(grid->item(0, col)->text(), col == taken - '0' ? QStringLiteral("X") : QString());
            QTest::keyClick(grid, Qt::Key_Tab);
        }
        QVERIFY(focused() == w->menu().button(0) && w->isVisible());
    }

    // Cancel or the window's frame leave the client as it was; a failed save keeps the window and the answers.
    void cancelAndFailedSave()
    {
        for (int how : {0, 1, 2}) { // new client cancelled, existing client closed by the frame, new client saved
            frmNewEntry* w = open(StandardSheet(), how != 1);
            const int slot = m_env->table.CurClient;
            const ClientRecord before = m_env->table.current();
            const QByteArray fileBefore = m_env->clientFile();
            const QString data = m_env->table.DataPath;
            QVERIFY(how < 2 || QDir().rename(data, data + "-away")); // the data disk is taken out
            key("2121");
            m_env->prompts.answers << Prompts::Answer::Cancel;
            how == 1 ? void(w->close()) : w->menu().press(how == 0 ? 1 : 0);
            QCOMPARE(m_env->table.NumClients, int16_t(1));
            if (how == 2) {
                QCOMPARE(m_env->prompts.texts(),
                         QStringList{"Data disk not found!\r\rInsert data disk in drive A to continue."});
                QVERIFY(w->isVisible() && w->menu().button(0)->isEnabled());
                // With the disk back the same answers are saved.
                QVERIFY(QDir().rename(data + "-away", data));
                QTest::keyClick(w->menu().button(0), Qt::Key_Return);
                QTRY_VERIFY(!w->isVisible());
                QCOMPARE(ClientRecord::fromBytes(m_env->clientFile(2)).Responses.left(5), QStringLiteral("21210"));
                continue;
            }
            QTRY_VERIFY(!w->isVisible());
            QVERIFY(w->result() == QDialog::Rejected && !m_env->flags.ContinueFlag);
            QCOMPARE(m_env->clientFile(), fileBefore);
            QCOMPARE(m_env->table.Clients[slot], how == 0 ? ClientRecord::blank() : before);
        }
    }

    void run_withoutQuestionDatabase_reportsAndDropsNewClient()
    {
        m_env = std::make_unique<KeyingEnv>(StandardSheet(), false);
        m_env->addClient("First, Ann", SampleSheet());
        m_env->startNewClient("New, Nell");
        m_env->flags.ContinueFlag = true;
        RunNewEntry(m_env->ctx, nullptr);
        QCOMPARE(m_env->prompts.texts().size(), 1);
        QVERIFY(m_env->prompts.texts()[0].contains("qn.mdb") && !m_env->flags.ContinueFlag);
        QVERIFY(m_env->table.Clients[2] == ClientRecord::blank() && m_env->table.NumClients == 1);
    }

    // Cancel leaves the record as it was; the item before is shown beside the current one.
    void verify_cancel()
    {
        frmVerify* w = openVerify();
        const QByteArray fileBefore = m_env->clientFile();
        QVERIFY(!w->Frame1()->isVisible());
        key("120");
        QVERIFY(w->Frame1()->isVisible() &&
                w->lblPrevQuestion()->text() + w->txtPrevQuestion()->text() + w->lblCurQuestion()->text() ==
                    "Question #30Question #4");
        QTest::keyClick(w->txtCurQuestion(), Qt::Key_Tab);
        QCOMPARE(focused(), w->cmdCancel());
        QTest::keyClick(w->cmdCancel(), Qt::Key_Return);
        QTRY_VERIFY(!w->isVisible());
        QVERIFY(!m_env->flags.ContinueFlag && m_env->prompts.shown.isEmpty());
        QCOMPARE(m_env->table.Clients[2].Responses, StoredSheet());
        QCOMPARE(m_env->clientFile(), fileBefore);
    }

    void verify_saveFails_offersRetryAndNeverClaimsSuccess()
    {
        for (bool retryWithDiskBack : {false, true}) {
            frmVerify* w = openVerify();
            QString second = StoredSheet();
            second[0] = second[0] == '1' ? '2' : '1';
            key(second);
            const QString moved = m_env->dir.path() + "/moved";
            QVERIFY(QDir().rename(m_env->table.DataPath, moved));
            m_env->prompts.onShow = [&](const FakePrompts::Shown& box) {
                if (box.icon == Prompts::Icon::Critical && retryWithDiskBack)
                    QDir().rename(moved, m_env->table.DataPath);
                if (box.icon == Prompts::Icon::Critical)
                    m_env->prompts.answers.enqueue(retryWithDiskBack ? Prompts::Answer::Ok : Prompts::Answer::Cancel);
            };
            key(QString(second[0]));
            QTRY_VERIFY(!w->isVisible());
            const QStringList texts = m_env->prompts.texts();
            QCOMPARE(texts.size(), retryWithDiskBack ? 3 : 2);
            QCOMPARE(texts[1], "Data disk not found!\r\rInsert data disk in drive A to continue.");
            QCOMPARE(m_env->prompts.shown[1].buttons, Prompts::Buttons::OkCancel);
            QCOMPARE(m_env->table.Clients[2].Responses, retryWithDiskBack ? second : StoredSheet());
            QCOMPARE(m_env->flags.ContinueFlag, retryWithDiskBack);
            if (retryWithDiskBack)
                QCOMPARE(ClientRecord::fromBytes(m_env->clientFile(2)).Responses, second);
        }
    }
};

QTEST_MAIN(TestKeyingWindows)
#include "test_keying_windows.moc"
