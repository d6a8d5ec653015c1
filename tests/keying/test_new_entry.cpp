// The answer grid window driven by keys: a whole sheet keyed, refused keys, moving between grids, Save and Cancel.

#include "AnswerType.h"
#include "KeyingEnv.h"
#include "MenuButtons.h"
#include "ModalDriver.h"
#include "Panel3D.h"
#include "ResponseGrid.h"
#include "frmNewEntry.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
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

void keyDigits(const QString& digits)
{
    for (QChar c : digits)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

QColor cellBack(ResponseGrid* g, int row, int col)
{
    return g->item(row - 1, col)->background().color();
}

} // namespace

class TestNewEntry : public QObject {
    Q_OBJECT

    std::unique_ptr<KeyingEnv> m_env;
    std::unique_ptr<frmNewEntry> m_window;

    frmNewEntry* open()
    {
        m_window = std::make_unique<frmNewEntry>(m_env->ctx);
        if (!m_window->loadError().isEmpty())
            qFatal("%s", qPrintable(m_window->loadError()));
        m_window->show();
        if (!QTest::qWaitForWindowActive(m_window.get()))
            qFatal("window not active");
        return m_window.get();
    }
    ResponseGrid* focusedGrid() const { return qobject_cast<ResponseGrid*>(QApplication::focusWidget()); }
    void pressButton(int i)
    {
        while (QApplication::focusWidget() != m_window->menu().button(i))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(m_window->menu().button(i), Qt::Key_Return);
    }

private slots:
    void init()
    {
        m_env = std::make_unique<KeyingEnv>();
        QVERIFY(m_env->databaseError.isEmpty());
    }
    void cleanup()
    {
        m_window.reset();
        m_env.reset();
    }

    void open_gridsByAnswerType_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("cols");
        QTest::newRow("first true/false") << 1 << 0 << 1 << "0" << 3;
        QTest::newRow("last true/false") << 86 << 0 << 86 << "0" << 3;
        QTest::newRow("first frequency") << 87 << 1 << 1 << "3" << 5;
        QTest::newRow("last frequency") << 110 << 1 << 24 << "3" << 5;
        QTest::newRow("own answers") << 115 << 2 << 3 << "2" << 5;
        QTest::newRow("Mostly True, five answers") << 114 << 3 << 2 << "4" << 6;
        QTest::newRow("Often, five answers") << 117 << 4 << 1 << "5" << 6;
        QTest::newRow("Yes/No") << 120 << 5 << 1 << "1" << 3;
    }
    void open_gridsByAnswerType()
    {
        QFETCH(int, item);
        QFETCH(int, grid);
        QFETCH(int, row);
        QFETCH(QString, tag);
        QFETCH(int, cols);
        m_env = std::make_unique<KeyingEnv>(SheetWithOtherForms());
        m_env->addClient("Lane, Robin", SampleSheet());
        frmNewEntry* w = open();
        QCOMPARE(w->gridCount(), 6);
        ResponseGrid* g = w->grid(grid);
        QCOMPARE(g->objectName(), QString("grdResponses_%1").arg(grid));
        QCOMPARE(g->tag, tag);
        QCOMPARE(g->columnCount(), cols);
        QCOMPARE(g->item(row - 1, 0)->text(), QString("%1.").arg(item));
        QCOMPARE(g->horizontalHeaderItem(0)->text(), QStringLiteral("Num"));
        QCOMPARE(g->horizontalHeaderItem(cols - 1)->text(), QString::number(cols - 1));
        QCOMPARE(w->sectionLabel(grid)->text(), QString("Section %1").arg(grid + 1));
        QVERIFY(g->isVisible());
        QCOMPARE(w->sectionLabel(grid)->x(), g->x());
        if (grid > 0)
            QVERIFY(g->x() > w->grid(grid - 1)->geometry().right());
    }

    void keyFullSheet_savesResponses_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::newRow("new client is counted") << false;
        QTest::newRow("existing client is not") << true;
    }
    void keyFullSheet_savesResponses()
    {
        QFETCH(bool, editing);
        m_env->addClient("First, Ann", EmptyResponses());
        const int slot = editing ? 1 : m_env->startNewClient("Reyes, Dana");
        m_env->flags.EditingClient = editing;
        frmNewEntry* w = open();
        QCOMPARE(w->lblClientName()->text(), ClientRecord::fit(m_env->table.Clients[slot].Name, 25));
        QCOMPARE(w->msgPanel()->caption(), AnswerTypeHelp(0));
        const QString sheet = SampleSheet();
        keyDigits(sheet.left(86));
        QCOMPARE(focusedGrid(), w->grid(1));
        QCOMPARE(w->msgPanel()->caption(),
                 QStringLiteral("0=No answer, 1=Rare/Never, 2=Sometimes, 3=Often, 4=Very Often, Tab=Next grid"));
        keyDigits(sheet.mid(86, 24));
        QCOMPARE(focusedGrid(), w->grid(2));
        QCOMPARE(m_env->prompts.beeps, 0);
        keyDigits(sheet.mid(110));
        QCOMPARE(m_env->prompts.beeps, 1); // the very last item
        QCOMPARE(w->keying()->row(2), 13);
        pressButton(0);
        QTRY_VERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QVERIFY(m_env->flags.ContinueFlag);
        QCOMPARE(m_env->table.Clients[slot].Responses, sheet);
        QCOMPARE(m_env->recordOnDisk(slot).Responses, sheet);
        QCOMPARE(m_env->table.NumClients, int16_t(editing ? 1 : 2));
        QCOMPARE(m_env->clientFile().size(), m_env->table.NumClients * ClientRecord::Size);
    }

    void keyInGrid_acceptedMarksAndAdvancesRefusedBeeps_data()
    {
        // On the first row of a grid: 1 the key is the answer, 0 it is refused with a beep, -1 the window takes it.
        QTest::addColumn<int>("grid");
        QTest::addColumn<char>("key");
        QTest::addColumn<int>("outcome");
        QTest::newRow("3 in true/false") << 0 << '3' << 0;
        QTest::newRow("5 in true/false") << 0 << '5' << 0;
        QTest::newRow("letter") << 0 << 'a' << 0;
        QTest::newRow("Enter") << 0 << '\r' << 0;
        QTest::newRow("Escape") << 0 << '\x1b' << 0;
        QTest::newRow("percent sign") << 0 << '%' << -1;
        QTest::newRow("apostrophe") << 0 << '\'' << -1;
        QTest::newRow("2 in true/false") << 0 << '2' << 1;
        QTest::newRow("0 clears the mark") << 0 << '0' << 1;
        QTest::newRow("space") << 1 << ' ' << 0;
        QTest::newRow("5 in frequency") << 1 << '5' << 0;
        QTest::newRow("4 in frequency") << 1 << '4' << 1;
        QTest::newRow("5 in own answers") << 2 << '5' << 0;
        QTest::newRow("5 in the Mostl grid") << 3 << '5' << 1;
        QTest::newRow("6 in five answers") << 3 << '6' << 0;
        QTest::newRow("5 in the Often grid") << 4 << '5' << 1;
        QTest::newRow("3 in yes/no") << 5 << '3' << 0;
    }
    void keyInGrid_acceptedMarksAndAdvancesRefusedBeeps()
    {
        QFETCH(int, grid);
        QFETCH(char, key);
        QFETCH(int, outcome);
        m_env = std::make_unique<KeyingEnv>(SheetWithOtherForms());
        const QString sheet = SampleSheet();
        m_env->addClient("Lane, Robin", sheet);
        frmNewEntry* w = open();
        for (int i = 0; i < grid; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ResponseGrid* g = w->grid(grid);
        QCOMPARE(focusedGrid(), g);
        const int item = w->keying()->itemAt(grid, 1);
        QTest::keyClick(g, key);
        const bool accepted = outcome == 1;
        QCOMPARE(m_env->prompts.beeps, outcome == 0 ? 1 : 0);
        QCOMPARE(w->keying()->row(grid), accepted ? 2 : 1);
        const QChar answer = accepted ? QChar(key) : sheet.at(item - 1);
        QCOMPARE(w->keying()->answer(item), answer);
        for (int col = 1; col < g->columnCount(); ++col)
            QCOMPARE(g->item(0, col)->text(), col == answer.digitValue() ? QStringLiteral("X") : QString());
        QCOMPARE(focusedGrid(), g);
        QVERIFY(w->isVisible());
    }

    void highlight_followsCurrentRowAndFocus()
    {
        m_env->addClient("Lane, Robin", SampleSheet());
        frmNewEntry* w = open();
        ResponseGrid* g0 = w->grid(0);
        const QColor cyan(0, 255, 255), white(255, 255, 255), navy(0, 0, 128);
        QCOMPARE(cellBack(g0, 1, 1), cyan);
        QCOMPARE(cellBack(g0, 1, 2), cyan);
        QCOMPARE(g0->item(0, 1)->foreground().color(), QColor(Qt::black));
        QCOMPARE(cellBack(g0, 1, 0), white);
        QCOMPARE(g0->item(0, 0)->foreground().color(), navy);
        QCOMPARE(cellBack(g0, 2, 1), white);
        QCOMPARE(g0->horizontalHeaderItem(1)->background().color(), w->palette().color(QPalette::Button));
        QTest::keyClick(g0, Qt::Key_Down);
        QCOMPARE(cellBack(g0, 1, 1), white);
        QCOMPARE(cellBack(g0, 2, 1), cyan);
        // Leaving the grid draws its row plain; coming back lights it again.
        QTest::keyClick(g0, Qt::Key_Tab);
        QCOMPARE(cellBack(g0, 2, 1), white);
        QCOMPARE(cellBack(w->grid(1), 1, 4), cyan);
        QTest::keyClick(w->grid(1), Qt::Key_Backtab);
        QCOMPARE(cellBack(g0, 2, 1), cyan);
        QCOMPARE(w->keying()->row(0), 2);
        // A click puts the cursor on the row clicked.
        QTest::mouseClick(w->grid(1)->viewport(), Qt::LeftButton, {},
                          w->grid(1)->visualRect(w->grid(1)->model()->index(4, 0)).center());
        QCOMPARE(focusedGrid(), w->grid(1));
        QCOMPARE(w->keying()->row(1), 5);
        QCOMPARE(cellBack(w->grid(1), 5, 2), cyan);
        QCOMPARE(cellBack(g0, 2, 1), white);
    }

    void upKey_atFirstRow_data()
    {
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("focusGrid");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("beeps");
        QTest::newRow("grid 0 beeps") << 0 << 0 << 1 << 1;
        QTest::newRow("grid 1 goes to the last item of grid 0") << 1 << 0 << 86 << 0;
        QTest::newRow("grid 2 goes to the last item of grid 1") << 2 << 1 << 24 << 0;
    }
    void upKey_atFirstRow()
    {
        QFETCH(int, grid);
        QFETCH(int, focusGrid);
        QFETCH(int, row);
        QFETCH(int, beeps);
        m_env->addClient("Lane, Robin", SampleSheet());
        frmNewEntry* w = open();
        for (int i = 0; i < grid; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(w->grid(grid), Qt::Key_Up);
        QCOMPARE(m_env->prompts.beeps, beeps);
        QCOMPARE(focusedGrid(), w->grid(focusGrid));
        QCOMPARE(w->keying()->row(focusGrid), row);
        QCOMPARE(cellBack(w->grid(focusGrid), row, 1), QColor(0, 255, 255));
        // The row is scrolled into view: the last 17 rows of the grid.
        const int rows = w->grid(focusGrid)->Rows();
        QCOMPARE(w->grid(focusGrid)->TopRow(), row == 1 ? 1 : rows - 17);
        if (grid != focusGrid)
            QCOMPARE(cellBack(w->grid(grid), 1, 1), QColor(255, 255, 255));
    }

    void keying_scrollsByTheRule_data()
    {
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("topRow");
        // The cursor is on row keys + 1; rows outside the 17 shown bring the view to row - 1, or to Rows - 17 near
        // the end of the 86 items (Rows 87).
        QTest::newRow("row 17 is still shown") << 16 << 1;
        QTest::newRow("row 18") << 17 << 17;
        QTest::newRow("row 33") << 32 << 17;
        QTest::newRow("row 34") << 33 << 33;
        QTest::newRow("row 66") << 65 << 65;
        QTest::newRow("row 82") << 81 << 70;
    }
    void keying_scrollsByTheRule()
    {
        QFETCH(int, keys);
        QFETCH(int, topRow);
        m_env->addClient("Lane, Robin", SampleSheet());
        frmNewEntry* w = open();
        keyDigits(QString(keys, '1'));
        QCOMPARE(w->keying()->row(0), keys + 1);
        QCOMPARE(w->grid(0)->TopRow(), topRow);
    }

    void tabOrder_gridsThenSaveThenCancel()
    {
        m_env = std::make_unique<KeyingEnv>(SheetWithOtherForms());
        m_env->addClient("Lane, Robin", SampleSheet());
        frmNewEntry* w = open();
        QStringList order;
        for (int i = 0; i < 8; ++i) {
            order << QApplication::focusWidget()->objectName();
            if (i < 7)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"grdResponses_0", "grdResponses_1", "grdResponses_2", "grdResponses_3",
                                     "grdResponses_4", "grdResponses_5", "cmdMenuChoice_0", "cmdMenuChoice_1"}));
        QCOMPARE(w->msgPanel()->caption(), QStringLiteral("DISCARD data, close this window and return to Main Menu"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(w->msgPanel()->caption(), QStringLiteral("SAVE data, close this window and return to Main Menu"));
    }

    void cancel_byClient_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<bool>("byFrame");
        QTest::newRow("new client") << false << false;
        QTest::newRow("existing client") << true << false;
        QTest::newRow("existing client, window closed") << true << true;
    }
    void cancel_byClient()
    {
        QFETCH(bool, editing);
        QFETCH(bool, byFrame);
        m_env->addClient("First, Ann", SampleSheet());
        if (editing) {
            m_env->flags.EditingClient = true;
        } else {
            m_env->startNewClient("New, Nell");
        }
        const int slot = m_env->table.CurClient;
        const ClientRecord before = m_env->table.Clients[slot];
        const QByteArray fileBefore = m_env->clientFile();
        frmNewEntry* w = open();
        keyDigits("2121");
        if (byFrame)
            w->close();
        else
            pressButton(1);
        QTRY_VERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Rejected));
        QVERIFY(!m_env->flags.ContinueFlag);
        QCOMPARE(m_env->clientFile(), fileBefore);
        QCOMPARE(m_env->table.NumClients, int16_t(1));
        if (editing)
            QCOMPARE(m_env->table.Clients[slot], before);
        else
            QCOMPARE(m_env->table.Clients[slot], ClientRecord::blank());
        QCOMPARE(m_env->table.Clients[1].Name.trimmed(), QStringLiteral("First, Ann"));
    }

    void save_fails_showsMessageAndKeepsWindow()
    {
        m_env->startNewClient("New, Nell");
        const QString data = m_env->table.DataPath;
        QVERIFY(QDir().rename(data, data + "-away")); // the data disk is taken out
        frmNewEntry* w = open();
        keyDigits("2121");
        m_env->prompts.answers << Prompts::Answer::Cancel;
        pressButton(0);
        QCOMPARE(m_env->prompts.texts(),
                 QStringList{"Data disk not found!\r\rInsert data disk in drive A to continue."});
        QVERIFY(w->isVisible());
        QVERIFY(w->menu().button(0)->isEnabled());
        QCOMPARE(m_env->table.NumClients, int16_t(0));
        QCOMPARE(m_env->table.Clients[1].Responses, EmptyResponses());
        // With the disk back the same answers are saved.
        QVERIFY(QDir().rename(data + "-away", data));
        QTest::keyClick(w->menu().button(0), Qt::Key_Return);
        QTRY_VERIFY(!w->isVisible());
        QCOMPARE(m_env->table.NumClients, int16_t(1));
        QCOMPARE(m_env->recordOnDisk(1).Responses.left(5), QStringLiteral("21210"));
    }

    void run_withoutQuestionDatabase_reportsAndDropsNewClient()
    {
        m_env = std::make_unique<KeyingEnv>(StandardSheet(), false);
        m_env->addClient("First, Ann", SampleSheet());
        m_env->startNewClient("New, Nell");
        m_env->flags.ContinueFlag = true;
        RunNewEntry(m_env->ctx, nullptr);
        QCOMPARE(m_env->prompts.shown.size(), 1);
        QVERIFY(m_env->prompts.shown.first().text.contains("qn.mdb"));
        QVERIFY(!m_env->flags.ContinueFlag);
        QCOMPARE(m_env->table.Clients[2], ClientRecord::blank());
        QCOMPARE(m_env->table.NumClients, int16_t(1));
    }

    void run_keysAndSavesThroughModalWindow()
    {
        m_env->startNewClient("New, Nell");
        ModalDriver driver;
        bool reached = false;
        driver.onNextModal([&](QWidget* modal) {
            auto* w = qobject_cast<frmNewEntry*>(modal);
            if (!w || !QTest::qWaitForWindowActive(w)) {
                ModalDriver::rejectAll();
                return;
            }
            reached = true;
            keyDigits(SampleSheet());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(w->menu().button(0), Qt::Key_Return);
        });
        RunNewEntry(m_env->ctx, nullptr);
        QVERIFY(reached);
        QVERIFY(m_env->flags.ContinueFlag);
        QCOMPARE(m_env->table.NumClients, int16_t(1));
        QCOMPARE(m_env->recordOnDisk(1).Responses, SampleSheet());
    }
};

QTEST_MAIN(TestNewEntry)
#include "test_new_entry.moc"
