// The verification window driven by keys: a sheet keyed again, differences keyed once more, Backspace, refusals.

#include "KeyingEnv.h"
#include "Panel3D.h"
#include "frmVerify.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QString StoredSheet()
{
    QString s;
    for (int i = 1; i <= 123; ++i)
        s += QChar('0' + (i <= 86 ? (i * 5) % 3 : (i * 3) % 5));
    return s;
}

} // namespace

class TestVerify : public QObject {
    Q_OBJECT

    std::unique_ptr<KeyingEnv> m_env;
    std::unique_ptr<frmVerify> m_window;

    frmVerify* open()
    {
        m_window = std::make_unique<frmVerify>(m_env->ctx);
        m_window->show();
        if (!QTest::qWaitForWindowActive(m_window.get()))
            qFatal("window not active");
        return m_window.get();
    }
    void key(const QString& digits)
    {
        for (QChar c : digits)
            QTest::keyClick(m_window->txtCurQuestion(), c.toLatin1());
    }

private slots:
    void init()
    {
        m_env = std::make_unique<KeyingEnv>();
        m_env->addClient("First, Ann", EmptyResponses());
        m_env->addClient("Verify, Val", StoredSheet());
    }
    void cleanup()
    {
        m_window.reset();
        m_env.reset();
    }

    void keySecondTime_differencesKeyedOnceMoreAndStored_data()
    {
        // Item 40 is stored as 1 and keyed 2 the second time when the keyings differ.
        QTest::addColumn<bool>("differs");
        QTest::addColumn<char>("correction");
        QTest::newRow("keyed as stored") << false << '1';
        QTest::newRow("item 40 differs, corrected as stored") << true << '1';
        QTest::newRow("item 40 differs, second keying confirmed") << true << '2';
        QTest::newRow("item 40 differs, no answer") << true << '0';
    }
    void keySecondTime_differencesKeyedOnceMoreAndStored()
    {
        QFETCH(bool, differs);
        QFETCH(char, correction);
        QString stored = StoredSheet();
        stored[39] = '1';
        m_env->table.Clients[2].Responses = stored;
        QVERIFY(!m_env->table.SaveClient(2));
        const QByteArray fileBefore = m_env->clientFile();
        QString second = stored;
        second[39] = differs ? '2' : '1';
        frmVerify* w = open();
        key(second);
        if (differs) {
            QCOMPARE(m_env->prompts.texts(),
                     QStringList{"Data Correction needed. Please correct the following questions."});
            QCOMPARE(m_env->prompts.shown[0].title, QStringLiteral("Data Corrections"));
            QVERIFY(w->isVisible());
            QVERIFY(w->keying().correctionPass());
            QCOMPARE(w->keying().list(), QList<int>{40});
            QCOMPARE(w->lblCurQuestion()->text(), QStringLiteral("Question #40"));
            QVERIFY(!w->Frame1()->isVisible());
            QCOMPARE(w->txtCurQuestion()->text(), QString());
            QCOMPARE(m_env->recordOnDisk(2).Responses, stored);
            key(QString(QChar(correction)));
            second[39] = correction;
        }
        QTRY_VERIFY(!w->isVisible());
        QCOMPARE(m_env->prompts.shown.size(), differs ? 2 : 1);
        const FakePrompts::Shown& done = m_env->prompts.shown.last();
        QCOMPARE(done.text, differs ? QStringLiteral("Data Verification complete.")
                                    : QStringLiteral("Data Verification complete. No corrections needed."));
        QCOMPARE(done.title, differs ? QStringLiteral("Data Verification") : QStringLiteral("Data Verification."));
        QCOMPARE(done.icon, Prompts::Icon::None);
        QCOMPARE(done.buttons, Prompts::Buttons::Ok);
        QCOMPARE(m_env->table.Clients[2].Responses, second);
        QCOMPARE(m_env->recordOnDisk(2).Responses, second);
        QCOMPARE(m_env->recordOnDisk(1).Responses, EmptyResponses());
        if (!differs)
            QCOMPARE(m_env->clientFile(), fileBefore);
        QVERIFY(m_env->flags.ContinueFlag);
        QCOMPARE(m_env->prompts.beeps, 0);
    }

    void backspace_stepsBackAndBeepsAtFirstQuestion()
    {
        frmVerify* w = open();
        QCOMPARE(w->windowTitle(), QStringLiteral("Test Data Input Verification"));
        QCOMPARE(w->lblCurQuestion()->text(), QStringLiteral("Question #1"));
        QCOMPARE(w->pnlMessage()->caption(),
                 QStringLiteral("Enter response data from answer sheet. Press Backspace for previous question."));
        QTest::keyClick(w->txtCurQuestion(), Qt::Key_Backspace);
        QCOMPARE(m_env->prompts.beeps, 1);
        QCOMPARE(w->keying().position(), 1);
        QVERIFY(!w->Frame1()->isVisible());
        key("120");
        QVERIFY(w->Frame1()->isVisible());
        QCOMPARE(w->lblPrevQuestion()->text(), QStringLiteral("Question #3"));
        QCOMPARE(w->txtPrevQuestion()->text(), QStringLiteral("0"));
        QCOMPARE(w->lblCurQuestion()->text(), QStringLiteral("Question #4"));
        QTest::keyClick(w->txtCurQuestion(), Qt::Key_Backspace);
        QCOMPARE(w->lblCurQuestion()->text(), QStringLiteral("Question #3"));
        QCOMPARE(w->lblPrevQuestion()->text(), QStringLiteral("Question #2"));
        QCOMPARE(w->txtPrevQuestion()->text(), QStringLiteral("2"));
        QTest::keyClick(w->txtCurQuestion(), Qt::Key_Backspace);
        QTest::keyClick(w->txtCurQuestion(), Qt::Key_Backspace);
        QCOMPARE(w->lblCurQuestion()->text(), QStringLiteral("Question #1"));
        QVERIFY(!w->Frame1()->isVisible());
        QCOMPARE(w->txtPrevQuestion()->text(), QString());
        QTest::keyClick(w->txtCurQuestion(), Qt::Key_Backspace);
        QCOMPARE(m_env->prompts.beeps, 2);
        // Keyed again, the item takes the new value.
        key("2");
        QCOMPARE(w->keying().keyed(1), QChar('2'));
        QCOMPARE(w->keying().keyed(2), QChar('2'));
    }

    void keys_refusedOrAcceptedBySection_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<char>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("3 at item 10") << 10 << '3' << false;
        QTest::newRow("3 at item 100") << 100 << '3' << true;
        QTest::newRow("5 at item 10") << 10 << '5' << false;
        QTest::newRow("5 at item 100") << 100 << '5' << false;
        QTest::newRow("2 at item 86") << 86 << '2' << true;
        QTest::newRow("3 at item 86") << 86 << '3' << false;
        QTest::newRow("4 at item 87") << 87 << '4' << true;
        QTest::newRow("0 at item 50") << 50 << '0' << true;
        QTest::newRow("letter") << 50 << 'a' << false;
        QTest::newRow("Enter") << 50 << '\r' << false;
    }
    void keys_refusedOrAcceptedBySection()
    {
        QFETCH(int, item);
        QFETCH(char, key);
        QFETCH(bool, accepted);
        frmVerify* w = open();
        this->key(StoredSheet().left(item - 1));
        QCOMPARE(w->lblCurQuestion()->text(), QString("Question #%1").arg(item));
        if (key == '\r')
            QTest::keyClick(w->txtCurQuestion(), Qt::Key_Return);
        else
            QTest::keyClick(w->txtCurQuestion(), key);
        QCOMPARE(m_env->prompts.beeps, accepted ? 0 : 1);
        QCOMPARE(w->keying().position(), accepted ? item + 1 : item);
        QCOMPARE(w->keying().keyed(item), accepted ? QChar(key) : QChar('0'));
        QCOMPARE(w->txtCurQuestion()->text(), QString());
    }

    void cancel_leavesRecordAsItWas()
    {
        frmVerify* w = open();
        const QByteArray fileBefore = m_env->clientFile();
        key("2222");
        QTest::keyClick(w->txtCurQuestion(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmdCancel());
        QCOMPARE(w->pnlMessage()->caption(),
                 QStringLiteral("Press Enter to Cancel Data Verification and return to Main Menu"));
        QTest::keyClick(w->cmdCancel(), Qt::Key_Return);
        QTRY_VERIFY(!w->isVisible());
        QVERIFY(!m_env->flags.ContinueFlag);
        QCOMPARE(m_env->table.Clients[2].Responses, StoredSheet());
        QCOMPARE(m_env->clientFile(), fileBefore);
        QVERIFY(m_env->prompts.shown.isEmpty());
    }

    void save_fails_offersRetryAndNeverClaimsSuccess_data()
    {
        QTest::addColumn<bool>("retryWithDiskBack");
        QTest::newRow("given up") << false;
        QTest::newRow("retried") << true;
    }
    void save_fails_offersRetryAndNeverClaimsSuccess()
    {
        QFETCH(bool, retryWithDiskBack);
        frmVerify* w = open();
        QString second = StoredSheet();
        second[0] = second[0] == '1' ? '2' : '1';
        key(second);
        const QString moved = m_env->dir.path() + "/moved";
        QVERIFY(QDir().rename(m_env->table.DataPath, moved));
        m_env->prompts.onShow = [&](const FakePrompts::Shown& box) {
            if (box.icon != Prompts::Icon::Critical)
                return;
            if (retryWithDiskBack) {
                QDir().rename(moved, m_env->table.DataPath);
                m_env->prompts.answers.enqueue(Prompts::Answer::Ok);
            } else {
                m_env->prompts.answers.enqueue(Prompts::Answer::Cancel);
            }
        };
        key(QString(second[0]));
        QTRY_VERIFY(!w->isVisible());
        const QStringList texts = m_env->prompts.texts();
        QCOMPARE(texts.size(), retryWithDiskBack ? 3 : 2);
        QCOMPARE(texts[1], "Data disk not found!\r\rInsert data disk in drive A to continue.");
        QCOMPARE(m_env->prompts.shown[1].buttons, Prompts::Buttons::OkCancel);
        if (retryWithDiskBack) {
            QCOMPARE(texts[2], QStringLiteral("Data Verification complete."));
            QCOMPARE(m_env->table.Clients[2].Responses, second);
            QCOMPARE(m_env->recordOnDisk(2).Responses, second);
            QVERIFY(m_env->flags.ContinueFlag);
        } else {
            QCOMPARE(m_env->table.Clients[2].Responses, StoredSheet());
            QVERIFY(!m_env->flags.ContinueFlag);
        }
    }

    void run_withoutClients_doesNothing()
    {
        KeyingEnv empty;
        RunVerify(empty.ctx, nullptr);
        QVERIFY(!empty.flags.ContinueFlag);
        QVERIFY(empty.prompts.shown.isEmpty());
    }
};

QTEST_MAIN(TestVerify)
#include "test_verify.moc"
