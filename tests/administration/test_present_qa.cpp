// The presentation window taken with the keyboard: instructions screens, items and answers, section notes, stepping
// back, abandoning, the sounds asked for and the client record written at the end.

#include "MenuButtons.h"
#include "Panel3D.h"
#include "PresentFixture.h"
#include "WindowRoutines.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

struct Opened {
    std::unique_ptr<frmPresentQA> window;
    QString error;
};

Opened open(PresentFixture& f, const QString& language)
{
    Opened o;
    o.window = std::make_unique<frmPresentQA>(*f.ctx);
    o.window->Language = language;
    if (!o.window->Load(&o.error))
        return o;
    o.window->show();
    if (!QTest::qWaitForWindowActive(o.window.get()))
        o.error = QStringLiteral("the window did not become active");
    return o;
}

QString instructions(const frmPresentQA& w)
{
    return w.txtInstructions()->toPlainText();
}

const QString EnglishAnswerHelp =
    QStringLiteral("Press Enter to select this answer. Press Tab or Arrows to hear question again.");

} // namespace

class TestPresentQA : public QObject {
    Q_OBJECT
private slots:
    void wholeTest_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("screenStarts");
        QTest::addColumn<QStringList>("screenEnds");
        QTest::addColumn<QStringList>("help"); // instructions, question, answer
        QTest::addColumn<QStringList>("boxes"); // note text, note title, closing text, closing title
        QTest::newRow("English")
            << "English" << "Question Presentation"
            << QStringList{"General Instructions\n\nMany statements in this inventory are personal.",
                           "Section 1\n\nThe statements in this section are to be answered TRUE or FALSE.",
                           "The next series of statements contain items you should rate to describe yourself.",
                           "The statements in this section describe you or your situation. Highlight the answer (1, "
                           "2, 3 or 4)"}
            << QStringList{"you may begin. Press the Enter key to begin.", "\n\n     Press Enter to begin.",
                           "then press Enter.\n\n     Press Enter to begin.",
                           "then press Enter. \n\n     Press Enter to begin."}
            << QStringList{"When ready press Enter to continue.",
                           "Use Up or Down arrow keys to highlight answer, then press Enter. Press F10 to go back to "
                           "previous question.",
                           EnglishAnswerHelp}
            << QStringList{"You have completed this part of the test. Press Enter to continue.", "Presentation Note",
                           "You have completed the test. Thank you for your participation.\r\rPress Enter to "
                           "continue.",
                           "Presentation Note"};
        QTest::newRow("Spanish")
            << "Spanish" << "Presentación de preguntas"
            << QStringList{"Instrucciones\nEl objetivo de este cuestionario",
                           "\nDeberá responder «Verdadero» o «Falso» a las siguientes frases.",
                           "Clasifique cada frase seleccionando la respuesta que",
                           "\nLas frases de esta sección deben describirlo a usted o su situación."}
            << QStringList{"Debe responder a todas las frases en su hoja de respuestas.",
                           "la F de Falso en su hoja de respuestas. ", "\n            4. Muy a menudo",
                           "que usted elija para su respuesta."}
            << QStringList{"Oprima la tecla «Enter» para seguir.",
                           "Oprima las teclas de flechas Hacia Arriba o Hacia Abajo para iluminar su respuesta. Luego "
                           "oprima la tecla «Enter». Oprima la tecla «F10» para ver la pregunta anterior.",
                           "Ilumine la respuesta que usted escoja y luego oprima la tecla «Enter»."}
            << QStringList{"Usted ha terminado esta parte de la prueba. Oprima la tecla «Enter» para seguir.",
                           "Nota de Presentación",
                           "Usted ha terminado la prueba. Se le agradece su participacion.\r\rOprima la tecla "
                           "<<Enter>> para terminar.",
                           "Nota de Presentacion"};
    }
    void wholeTest()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, screenStarts);
        QFETCH(QStringList, screenEnds);
        QFETCH(QStringList, help);
        QFETCH(QStringList, boxes);
        PresentFixture f;
        QVERIFY2(f.databaseError.isEmpty(), qPrintable(f.databaseError));
        f.startNewClient();
        const QByteArray before = f.fileBytes();
        Opened o = open(f, language);
        QVERIFY2(o.error.isEmpty(), qPrintable(o.error));
        frmPresentQA& w = *o.window;
        QTEST(w.windowTitle(), "caption");
        QCOMPARE(f.table.NumClients, 3);

        // Each instructions screen as it is left, with the item waiting behind it.
        QStringList screens;
        QList<int> behind;
        QStringList noteAt;
        f.prompts.onShow = [&](const FakePrompts::Shown&) {
            noteAt << QString::number(w.presentation()->CurrentItem().ID);
        };
        QString expectedResponses;
        QStringList expectedSounds{"Inst0.wav", "Inst1.wav"};
        for (int id = 1; id <= NumItems; ++id) {
            expectedResponses += QChar('1' + SpreadSlot(id));
            if (id == 87 || id == 111)
                expectedSounds << QStringLiteral("Inst%1.wav").arg(id == 87 ? 2 : 3);
            const QString q = QStringLiteral("Q%1").arg(id, 3, 10, QLatin1Char('0'));
            expectedSounds << q + QStringLiteral(".wav");
            for (int a = 1; a <= SpreadSlot(id) + 1; ++a)
                expectedSounds << q + QStringLiteral("A%1.wav").arg(a);
        }

        for (int guard = 0; guard < 5000 && w.isVisible(); ++guard) {
            const Presentation* p = w.presentation();
            if (p->InstructionsShowing()) {
                QVERIFY(w.fraInstructions()->isVisible());
                QCOMPARE(w.msgPanel()->caption(), help[0]);
                screens << instructions(w);
                behind << p->CurrentItem().ID;
                PressKey(&w, Qt::Key_Return);
                continue;
            }
            const int id = p->CurrentItem().ID;
            QVERIFY(!w.fraInstructions()->isVisible());
            QCOMPARE(w.txtQuestion()->toPlainText(), QStringLiteral("%1. Statement %1").arg(id));
            QCOMPARE(QApplication::focusWidget(), w.txtQuestion());
            if (id == 1)
                QCOMPARE(w.msgPanel()->caption(), help[1]);
            PressKey(&w, Qt::Key_Down);
            if (id == 1)
                QCOMPARE(w.msgPanel()->caption(), help[2]);
            for (int i = 0; i < SpreadSlot(id); ++i)
                PressKey(&w, Qt::Key_Down);
            PressKey(&w, Qt::Key_Return);
        }
        QTRY_VERIFY(!w.isVisible());

        QCOMPARE(screens.size(), 4);
        for (int s = 0; s < 4; ++s) {
            QVERIFY2(screens[s].startsWith(screenStarts[s]), qPrintable(screens[s]));
            QVERIFY2(screens[s].endsWith(screenEnds[s]), qPrintable(screens[s]));
        }
        QCOMPARE(behind, (QList<int>{1, 1, 87, 111}));
        QCOMPARE(f.prompts.texts(), (QStringList{boxes[0], boxes[0], boxes[2]}));
        QCOMPARE(f.prompts.shown[1].title, boxes[1]);
        QCOMPARE(f.prompts.shown[2].title, boxes[3]);
        // The notes come up once items 86 and 110 are answered; the item behind is already the next one.
        QCOMPARE(noteAt, (QStringList{"87", "111", "123"}));
        QCOMPARE(f.playedNames(), expectedSounds);
        for (const QString& path : f.audio.played)
            QCOMPARE(QFileInfo(path).dir().dirName(), language.toUpper());

        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(f.table.NumClients, 4);
        QCOMPARE(f.fileBytes().left(3 * ClientRecord::Size), before.left(3 * ClientRecord::Size));
        const ClientRecord saved = f.fileRecord(4);
        QCOMPARE(saved.Responses, expectedResponses);
        QCOMPARE(saved.Name.trimmed(), QStringLiteral("Newcomer, Robin"));
        QCOMPARE(f.table.Clients[4].Responses, expectedResponses);
    }

    void stepBack_data()
    {
        QTest::addColumn<int>("lastOfSection");
        QTest::addColumn<int>("section");
        QTest::newRow("back from item 87") << 86 << 1;
        QTest::newRow("back from item 111") << 110 << 2;
    }
    void stepBack()
    {
        QFETCH(int, lastOfSection);
        QFETCH(int, section);
        PresentFixture f;
        f.startNewClient();
        Opened o = open(f, QStringLiteral("English"));
        QVERIFY2(o.error.isEmpty(), qPrintable(o.error));
        frmPresentQA& w = *o.window;

        // On an instructions screen F10 does nothing at all.
        const QString general = instructions(w);
        PressKey(&w, Qt::Key_F10);
        QCOMPARE(f.prompts.beeps, 0);
        QCOMPARE(instructions(w), general);
        QVERIFY(w.presentation()->InstructionsShowing());

        QVERIFY(TakeTest(w, SpreadSlot, 1));
        PressKey(&w, Qt::Key_F10);
        QCOMPARE(f.prompts.beeps, 1);
        QCOMPARE(w.txtQuestion()->toPlainText(), QStringLiteral("1. Statement 1"));

        QVERIFY(TakeTest(w, SpreadSlot, lastOfSection + 1));
        const int notes = f.prompts.shown.size();
        PressKey(&w, Qt::Key_F10);
        QCOMPARE(w.txtQuestion()->toPlainText(), QStringLiteral("%1. Statement %1").arg(lastOfSection));
        QVERIFY(!w.fraInstructions()->isVisible());
        QCOMPARE(QApplication::focusWidget(), w.txtQuestion());
        QCOMPARE(f.playedNames().last(), QStringLiteral("Q%1.wav").arg(lastOfSection, 3, 10, QLatin1Char('0')));
        QCOMPARE(f.prompts.shown.size(), notes);

        // Answered again, the section's end brings its note and the next screen once more.
        const int other = (SpreadSlot(lastOfSection) + 1) % FixtureAnswerCount(lastOfSection);
        for (int i = 0; i <= other; ++i)
            PressKey(&w, Qt::Key_Down);
        PressKey(&w, Qt::Key_Return);
        QCOMPARE(f.prompts.shown.size(), notes + 1);
        QCOMPARE(f.prompts.shown.last().text,
                 QStringLiteral("You have completed this part of the test. Press Enter to continue."));
        QVERIFY(w.presentation()->InstructionsShowing());
        QCOMPARE(w.presentation()->InstructionsSection(), section + 1);
        QCOMPARE(w.presentation()->CurrentItem().ID, lastOfSection + 1);
        QCOMPARE(w.presentation()->ItemAnswer(lastOfSection), other + 1);
        QCOMPARE(f.playedNames().last(), QStringLiteral("Inst%1.wav").arg(section + 1));
        QVERIFY(w.isVisible());
    }

    void answerSlots_data()
    {
        QTest::addColumn<int>("item");
        QTest::newRow("true or false") << 1;
        QTest::newRow("rating") << 87;
        QTest::newRow("three answers") << 120;
        QTest::newRow("five answers") << 121;
        QTest::newRow("last item") << 123;
    }
    void answerSlots()
    {
        QFETCH(int, item);
        const int count = FixtureAnswerCount(item);
        PresentFixture f;
        f.startNewClient();
        Opened o = open(f, QStringLiteral("English"));
        QVERIFY2(o.error.isEmpty(), qPrintable(o.error));
        frmPresentQA& w = *o.window;
        QVERIFY(TakeTest(w, SpreadSlot, item));

        for (int s = 0; s < frmPresentQA::Slots; ++s) {
            QCOMPARE(w.menu().button(s)->isVisible(), s < count);
            QCOMPARE(w.txtButtonText(s)->isVisible(), s < count);
            if (s < count)
                QCOMPARE(w.txtButtonText(s)->text(), QStringLiteral("A%1 of %2").arg(s + 1).arg(item));
        }
        QCOMPARE(w.txtQuestion()->palette().color(QPalette::Base), HighlightColor);

        // Down walks the answers the item offers, then hands the focus back to the question, which is spoken again.
        for (int s = 0; s < count; ++s) {
            PressKey(&w, Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), w.menu().button(s));
            QCOMPARE(w.menu().panel(s)->backColor(), HighlightColor);
            QVERIFY(w.txtButtonText(s)->font().bold());
            if (s > 0) {
                QCOMPARE(w.menu().panel(s - 1)->backColor(), NormalColor);
                QVERIFY(!w.txtButtonText(s - 1)->font().bold());
            }
        }
        QCOMPARE(w.txtQuestion()->palette().color(QPalette::Base), NormalColor);
        f.audio.clear();
        PressKey(&w, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.txtQuestion());
        QCOMPARE(f.playedNames(), QStringList{QStringLiteral("Q%1.wav").arg(item, 3, 10, QLatin1Char('0'))});

        // Up on the first answer returns to the question; letters change nothing.
        PressKey(&w, Qt::Key_Down);
        PressKey(&w, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), w.txtQuestion());
        PressKey(&w, Qt::Key_X);
        QCOMPARE(w.txtQuestion()->toPlainText(), QStringLiteral("%1. Statement %1").arg(item));

        // A click on an answer's text chooses that answer.
        QTest::mouseClick(w.txtButtonText(count - 1), Qt::LeftButton);
        QCOMPARE(w.presentation()->ItemAnswer(item), count);
    }

    void abandon_data()
    {
        QTest::addColumn<int>("at");
        QTest::newRow("general instructions") << 0;
        QTest::newRow("item 50") << 50;
        QTest::newRow("item 123") << 123;
    }
    void abandon()
    {
        QFETCH(int, at);
        PresentFixture f;
        f.startNewClient();
        const QByteArray before = f.fileBytes();
        Opened o = open(f, QStringLiteral("English"));
        QVERIFY2(o.error.isEmpty(), qPrintable(o.error));
        frmPresentQA& w = *o.window;
        if (at > 0)
            QVERIFY(TakeTest(w, SpreadSlot, at));

        // Escape is no way out of the test.
        PressKey(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible());
        PressKey(&w, Qt::Key_F10, Qt::ShiftModifier | Qt::AltModifier);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(f.fileBytes(), before);
        QCOMPARE(f.table.NumClients, 3);
        QCOMPARE(f.table.CurClient, 1);
        QVERIFY(f.table.Clients[4].Name.trimmed().isEmpty());
        QVERIFY(f.flags.ContinueFlag);
        QCOMPARE(f.audio.calls.last(), QStringLiteral("stop"));
    }

    void silent_data()
    {
        QTest::addColumn<bool>("noService");
        QTest::newRow("no output device") << false;
        QTest::newRow("no audio service") << true;
    }
    void silent()
    {
        QFETCH(bool, noService);
        PresentFixture f;
        f.audio.available = false;
        if (noService)
            f.ctx->audio = nullptr;
        f.startNewClient();
        Opened o = open(f, QStringLiteral("English"));
        QVERIFY2(o.error.isEmpty(), qPrintable(o.error));
        frmPresentQA& w = *o.window;
        QVERIFY(!w.AudioOn());
        QVERIFY(TakeTest(w, SpreadSlot, 88));
        PressKey(&w, Qt::Key_Down);
        QCOMPARE(w.msgPanel()->caption(), QStringLiteral("Press Enter to select this answer."));
        QVERIFY(TakeTest(w));
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(f.table.NumClients, 4);
        QVERIFY(f.audio.calls.isEmpty());
    }

    void saveFails_data()
    {
        QTest::addColumn<bool>("retryWorks");
        QTest::newRow("drive back, Retry") << true;
        QTest::newRow("Cancel") << false;
    }
    void saveFails()
    {
        QFETCH(bool, retryWorks);
        PresentFixture f;
        f.startNewClient();
        const QByteArray before = f.fileBytes();
        QVERIFY(QDir(f.dataDir()).removeRecursively());
        f.prompts.onShow = [&](const FakePrompts::Shown& box) {
            if (box.title != QLatin1String("Answers Not Saved") || !retryWorks)
                return;
            QDir().mkpath(f.dataDir());
            QFile file(f.table.ClientFilePath);
            if (file.open(QIODevice::WriteOnly))
                file.write(before);
        };
        for (int note = 0; note < 3; ++note)
            f.prompts.answers.enqueue(Prompts::Answer::Ok);
        f.prompts.answers.enqueue(retryWorks ? Prompts::Answer::Retry : Prompts::Answer::Cancel);
        Opened o = open(f, QStringLiteral("English"));
        QVERIFY2(o.error.isEmpty(), qPrintable(o.error));
        QVERIFY(TakeTest(*o.window, SpreadSlot));
        QTRY_VERIFY(!o.window->isVisible());

        QCOMPARE(f.prompts.shown.size(), 4);
        const FakePrompts::Shown& box = f.prompts.shown[3];
        QCOMPARE(box.buttons, Prompts::Buttons::RetryCancel);
        QVERIFY2(box.text.contains(QDir::toNativeSeparators(f.table.ClientFilePath)), qPrintable(box.text));
        QVERIFY(f.flags.ContinueFlag);
        if (retryWorks) {
            QCOMPARE(f.table.NumClients, 4);
            QCOMPARE(f.fileRecord(4).Name.trimmed(), QStringLiteral("Newcomer, Robin"));
        } else {
            QCOMPARE(f.table.NumClients, 3);
            QCOMPARE(f.table.CurClient, 1);
            QVERIFY(f.table.Clients[4].Name.trimmed().isEmpty());
        }
    }
};

QTEST_MAIN(TestPresentQA)
#include "test_present_qa.moc"
