// The shared window conventions: menu buttons and their keys, the input box, the help line.

#include "FakePrompts.h"
#include "MenuButtons.h"
#include "ModalDriver.h"
#include "Panel3D.h"
#include "WindowGeometry.h"
#include "WindowRoutines.h"
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
    void menuButtons_keysFocusAndReset()
    {
        // Enter, keypad Enter and Space press; arrows and letters are swallowed and never move between buttons.
        for (auto [key, presses] : {std::pair{Qt::Key_Return, 1},
                                    {Qt::Key_Enter, 1},
                                    {Qt::Key_Space, 1},
                                    {Qt::Key_Down, 0},
                                    {Qt::Key_Right, 0},
                                    {Qt::Key_A, 0}}) {
            ButtonWindow w;
            QVERIFY(QTest::qWaitForWindowActive(&w.window));
            w.menu.button(2)->setFocus();
            QTest::keyClick(w.menu.button(2), key);
            QCOMPARE(w.presses[2], presses);
            QCOMPARE(QApplication::focusWidget(), w.menu.button(2));
        }
        // The focused button's panel alone is highlighted and its help shown.
        ButtonWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.menu.button(1)->setFocus();
        QTest::keyClick(w.menu.button(1), Qt::Key_Tab);
        QTRY_COMPARE(w.menu.panel(2)->backColor(), HighlightColor);
        QVERIFY(w.menu.button(2)->font().bold());
        QCOMPARE(w.msg->caption(), QStringLiteral("Help 2"));
        QCOMPARE(w.menu.lastFocused(), 2);
        for (int i : {0, 1, 3}) {
            QCOMPARE(w.menu.panel(i)->backColor(), NormalColor);
            QVERIFY(!w.menu.button(i)->font().bold());
        }
        // A count of three resets all four.
        for (int i = 0; i < 4; ++i)
            w.menu.panel(i)->setBackColor(HighlightColor);
        ResetMenuButtons(w.menu, 3);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(w.menu.panel(i)->backColor(), NormalColor);
    }

    void inputBox_emptyIsAskedForAndCancelKeepsThePreviousValue()
    {
        FakePrompts prompts;
        for (bool password : {false, true}) {
            frmMyInputBox box(prompts);
            frmMyInputBox::PasswordInput = password;
            box.show();
            QVERIFY(QTest::qWaitForWindowActive(&box));
            QCOMPARE(box.txtInput()->echoMode(), password ? QLineEdit::Password : QLineEdit::Normal);
            box.menu().press(0);
            QVERIFY(box.isVisible());
            QCOMPARE(QApplication::focusWidget(), box.txtInput());
        }
        QCOMPARE(prompts.texts(), (QStringList{"Please enter the required data.", "Please enter the secret code."}));
        frmMyInputBox::PasswordInput = false;
        frmMyInputBox box(prompts);
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

    void secretCodeBox_showsWhole()
    {
        FakePrompts prompts;
        ModalDriver driver;
        QString outside = QStringLiteral("never shown");
        driver.onNextModal([&](QWidget* m) {
            outside = ChildOutsideItsParent(*m); // the help text's two lines and the buttons show whole
            typeInto(m, "K");
        });
        QVERIFY(AskSecretCode(prompts));
        QCOMPARE(outside, QString());
    }

    void cleanup() { ModalDriver::rejectAll(); }
};

QTEST_MAIN(TestWindowConventions)
#include "test_window_conventions.moc"
