#include "FakePrompts.h"
#include "MenuButtons.h"
#include "ModalDriver.h"
#include "Panel3D.h"
#include "WindowGeometry.h"
#include "WindowRoutines.h"
#include "frmAbout.h"
#include "frmMyInputBox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A window with four menu buttons that count their presses.
struct ButtonWindow {
    QWidget window;
    Panel3D* msg = new Panel3D("MsgPanel", &window);
    MenuButtons menu{&window, msg};
    int presses[4] = {0, 0, 0, 0};
    ButtonWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        for (int i = 0; i < 4; ++i) {
            menu.add(QStringLiteral("Button %1").arg(i), QStringLiteral("Help %1").arg(i), [this, i] { ++presses[i]; });
            layout->addWidget(menu.panel(i));
        }
        layout->addWidget(msg);
        window.show();
    }
};

void typeInto(QWidget* modal, const QString& text, bool ok = true)
{
    auto* box = qobject_cast<frmMyInputBox*>(modal);
    QVERIFY(box);
    QTest::keyClicks(box->txtInput(), text);
    QTest::keyClick(box->txtInput(), Qt::Key_Return); // Enter moves to "Information OK"
    QCOMPARE(QApplication::focusWidget(), box->menu().button(0));
    if (ok)
        QTest::keyClick(box->menu().button(0), Qt::Key_Return);
    else
        box->menu().press(1);
}

} // namespace

class TestWindowConventions : public QObject {
    Q_OBJECT
private slots:
    void menuButton_keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("presses");
        QTest::newRow("Enter presses") << int(Qt::Key_Return) << 1;
        QTest::newRow("keypad Enter presses") << int(Qt::Key_Enter) << 1;
        QTest::newRow("Space presses") << int(Qt::Key_Space) << 1;
        QTest::newRow("Down swallowed") << int(Qt::Key_Down) << 0;
        QTest::newRow("Right swallowed") << int(Qt::Key_Right) << 0;
        QTest::newRow("letter swallowed") << int(Qt::Key_A) << 0;
    }
    void menuButton_keys()
    {
        QFETCH(int, key);
        QFETCH(int, presses);
        ButtonWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.menu.button(2)->setFocus();
        QTest::keyClick(w.menu.button(2), Qt::Key(key));
        QCOMPARE(w.presses[2], presses);
        QCOMPARE(QApplication::focusWidget(), w.menu.button(2)); // arrows never move between buttons
    }

    void menuButton_focus_highlightsOnlyItsPanelAndShowsHelp()
    {
        ButtonWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.menu.button(1)->setFocus();
        QTRY_COMPARE(w.menu.panel(1)->backColor(), HighlightColor);
        QVERIFY(w.menu.button(1)->font().bold());
        QCOMPARE(w.msg->caption(), QStringLiteral("Help 1"));
        QCOMPARE(w.menu.lastFocused(), 1);
        QTest::keyClick(w.menu.button(1), Qt::Key_Tab);
        QTRY_COMPARE(w.menu.panel(2)->backColor(), HighlightColor);
        for (int i : {0, 1, 3}) {
            QCOMPARE(w.menu.panel(i)->backColor(), NormalColor);
            QVERIFY(!w.menu.button(i)->font().bold());
        }
    }

    void helpLine_drawsOnlyWhenItHasText_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("help") << "Help 1" << true;
    }
    void helpLine_drawsOnlyWhenItHasText()
    {
        QFETCH(QString, caption);
        QFETCH(bool, drawn);
        ButtonWindow w;
        w.msg->setMinimumHeight(TwipsToPixelsY(400, w.msg)); // as the windows' help lines are
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        w.msg->setCaption(QStringLiteral("Help 0"));
        w.msg->setCaption(caption);
        QTRY_VERIFY(w.msg->width() > 50);
        const QImage image = w.msg->grab().toImage();
        bool uniform = true;
        for (int y = 0; y < image.height() && uniform; ++y)
            for (int x = 0; x < image.width() && uniform; ++x)
                uniform = image.pixel(x, y) == image.pixel(0, 0);
        QCOMPARE(!uniform, drawn);
    }

    void resetMenuButtons_countThreeResetsFour()
    {
        ButtonWindow w;
        for (int i = 0; i < 4; ++i)
            w.menu.panel(i)->setBackColor(HighlightColor);
        ResetMenuButtons(w.menu, 3);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(w.menu.panel(i)->backColor(), NormalColor);
    }

    void inputBox_emptyOk_asksAndStaysOpen_data()
    {
        QTest::addColumn<bool>("password");
        QTest::addColumn<QString>("message");
        QTest::newRow("plain") << false << "Please enter the required data.";
        QTest::newRow("password") << true << "Please enter the secret code.";
    }
    void inputBox_emptyOk_asksAndStaysOpen()
    {
        QFETCH(bool, password);
        QFETCH(QString, message);
        FakePrompts prompts;
        frmMyInputBox box(prompts);
        frmMyInputBox::PasswordInput = password;
        box.show();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.menu().press(0);
        QCOMPARE(prompts.texts(), QStringList{message});
        QCOMPARE(prompts.shown[0].title, QStringLiteral("Input required"));
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Question);
        QVERIFY(box.isVisible());
        QCOMPARE(QApplication::focusWidget(), box.txtInput());
    }

    void inputBox_cancel_keepsPreviousValue()
    {
        FakePrompts prompts;
        frmMyInputBox box(prompts);
        frmMyInputBox::PasswordInput = false;
        ModalDriver driver;
        driver.onNextModal([](QWidget* m) { typeInto(m, "first"); });
        box.exec();
        QCOMPARE(box.InputValue, QStringLiteral("first"));
        QVERIFY(!box.Cancelled);
        driver.onNextModal([](QWidget* m) { typeInto(m, "second", false); });
        box.exec();
        QVERIFY(box.Cancelled);
        QCOMPARE(box.InputValue, QStringLiteral("first"));
    }

    void inputBox_passwordSetting_outlivesTheSecretPrompt()
    {
        FakePrompts prompts;
        ModalDriver driver;
        driver.onNextModal([](QWidget* m) { typeInto(m, "k"); });
        QVERIFY(AskSecretCode(prompts));
        frmMyInputBox plain(prompts);
        plain.show();
        QCOMPARE(plain.txtInput()->echoMode(), QLineEdit::Password);
        plain.close();
        frmMyInputBox::PasswordInput = false;
        plain.show();
        QCOMPARE(plain.txtInput()->echoMode(), QLineEdit::Normal);
    }

    void askSecretCode_refusesUntilTheCode()
    {
        FakePrompts prompts;
        ModalDriver driver;
        QStringList captions;
        driver.onNextModal([&](QWidget* m) {
            captions << m->windowTitle();
            QCOMPARE(static_cast<frmMyInputBox*>(m)->txtInput()->maxLength(), 8);
            QCOMPARE(ChildOutsideItsParent(*m), QString()); // the help text's two lines and the buttons show whole
            typeInto(m, "kk");
        });
        driver.onNextModal([](QWidget* m) { typeInto(m, "Q"); });
        driver.onNextModal([](QWidget* m) { typeInto(m, "K"); });
        QVERIFY(AskSecretCode(prompts));
        QVERIFY(driver.done());
        QCOMPARE(captions, QStringList{"Secret Code"});
        QCOMPARE(prompts.texts(),
                 (QStringList{"Incorrect password.  Please try again.", "Incorrect password.  Please try again."}));
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Critical);
    }

    void askSecretCode_cancelled_returnsFalse()
    {
        FakePrompts prompts;
        ModalDriver driver;
        driver.onNextModal([](QWidget* m) { typeInto(m, "", false); });
        QVERIFY(!AskSecretCode(prompts));
        QVERIFY(prompts.shown.isEmpty());
    }

    void about_modes_data()
    {
        QTest::addColumn<bool>("splash");
        QTest::addColumn<QString>("caption");
        QTest::newRow("about") << false << "About VLT";
        QTest::newRow("splash") << true << "Initializing...";
    }
    void about_modes()
    {
        QFETCH(bool, splash);
        QFETCH(QString, caption);
        frmAbout about("N");
        about.Splash = splash;
        about.HoldTickMs = 5;
        about.show();
        QCOMPARE(about.windowTitle(), caption);
        QCOMPARE(about.menu().panel(0)->isVisible(), !splash);
        QCOMPARE(about.findChild<Panel3D*>("pnl1")->caption(), QStringLiteral("Veltrane v4.01"));
        QCOMPARE(about.findChild<Panel3D*>("SSPanel1")->caption(), QStringLiteral("Norwick, Ltd."));
        QTRY_VERIFY(about.FadeDone);
        QCOMPARE(about.stripTwips(), 60); // ten ticks of 50 twips from 560
        QVERIFY(!about.strip(0)->isVisible());
        QVERIFY(!about.Timer1()->isActive());
        QElapsedTimer t;
        t.start();
        about.Unload();
        QVERIFY(!about.isVisible());
        if (splash)
            QVERIFY(t.elapsed() >= 4 * 5); // four hold ticks
    }

    void about_distributorBrand()
    {
        frmAbout about("D");
        QCOMPARE(about.findChild<Panel3D*>("SSPanel1")->caption(), QStringLiteral("Dallory, Inc."));
        QVERIFY(about.findChild<Panel3D*>("SSPanel4")->caption().startsWith("Website address: "));
        QVERIFY(about.findChild<Panel3D*>("SSPanel5")->caption().startsWith("E-mail address: "));
    }

    void cleanup() { ModalDriver::rejectAll(); }
};

QTEST_MAIN(TestWindowConventions)
#include "test_window_conventions.moc"
