// The verification window driven by keys: a sheet keyed again as stored, Backspace and refused keys, Cancel, and a
// failed save.

#include "KeyingEnv.h"
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
    s[39] = QLatin1Char('1');
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

    // Keyed the second time as stored: nothing to correct, nothing written. A difference and its correction are
    // walked by the whole-program test, a corrected answer written by the failed save's test below.
    void keySecondTime_asStored()
    {
        const QByteArray fileBefore = m_env->clientFile();
        frmVerify* w = open();
        key(StoredSheet());
        QTRY_VERIFY(!w->isVisible());
        QCOMPARE(m_env->prompts.texts().last(), QStringLiteral("Data Verification complete. No corrections needed."));
        QCOMPARE(m_env->clientFile(), fileBefore);
        QVERIFY(m_env->flags.ContinueFlag);
        QCOMPARE(m_env->prompts.beeps, 0);
    }

    void backspaceAndRefusedKeys()
    {
        frmVerify* w = open();
        QTest::keyClick(w->txtCurQuestion(), Qt::Key_Backspace);
        QCOMPARE(m_env->prompts.beeps, 1);
        QVERIFY(!w->Frame1()->isVisible());
        key("120");
        QVERIFY(w->Frame1()->isVisible());
        QCOMPARE(w->lblPrevQuestion()->text(), QStringLiteral("Question #3"));
        QCOMPARE(w->txtPrevQuestion()->text(), QStringLiteral("0"));
        QCOMPARE(w->lblCurQuestion()->text(), QStringLiteral("Question #4"));
        QTest::keyClick(w->txtCurQuestion(), Qt::Key_Backspace);
        QCOMPARE(w->lblCurQuestion()->text(), QStringLiteral("Question #3"));
        QCOMPARE(w->txtPrevQuestion()->text(), QStringLiteral("2"));
        // A key the item does not take beeps and leaves the item where it was.
        for (char c : {'3', 'a'})
            QTest::keyClick(w->txtCurQuestion(), c);
        QTest::keyClick(w->txtCurQuestion(), Qt::Key_Return);
        QCOMPARE(m_env->prompts.beeps, 4);
        QCOMPARE(w->keying().position(), 3);
        QCOMPARE(w->txtCurQuestion()->text(), QString());
        key("2");
        QCOMPARE(w->keying().keyed(3), QChar('2'));
    }

    void cancel_leavesTheRecordAsItWas()
    {
        frmVerify* w = open();
        const QByteArray fileBefore = m_env->clientFile();
        key("2222");
        QTest::keyClick(w->txtCurQuestion(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cmdCancel());
        QTest::keyClick(w->cmdCancel(), Qt::Key_Return);
        QTRY_VERIFY(!w->isVisible());
        QVERIFY(!m_env->flags.ContinueFlag);
        QCOMPARE(m_env->table.Clients[2].Responses, StoredSheet());
        QCOMPARE(m_env->clientFile(), fileBefore);
        QVERIFY(m_env->prompts.shown.isEmpty());

        KeyingEnv empty; // no client: nothing to verify
        RunVerify(empty.ctx, nullptr);
        QVERIFY(!empty.flags.ContinueFlag);
        QVERIFY(empty.prompts.shown.isEmpty());
    }

    void saveFails_offersRetryAndNeverClaimsSuccess()
    {
        for (bool retryWithDiskBack : {false, true}) {
            init();
            frmVerify* w = open();
            QString second = StoredSheet();
            second[0] = second[0] == '1' ? '2' : '1';
            key(second);
            const QString moved = m_env->dir.path() + "/moved";
            QVERIFY(QDir().rename(m_env->table.DataPath, moved));
            m_env->prompts.onShow = [&](const FakePrompts::Shown& box) {
                if (box.icon != Prompts::Icon::Critical)
                    return;
                if (retryWithDiskBack)
                    QDir().rename(moved, m_env->table.DataPath);
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
                QCOMPARE(m_env->recordOnDisk(2).Responses, second);
            cleanup();
        }
    }
};

QTEST_MAIN(TestVerify)
#include "test_verify.moc"
