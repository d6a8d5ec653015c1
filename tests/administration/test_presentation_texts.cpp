// The presentation's words in both languages, as the client reads them.

#include "PresentationTexts.h"

#include <QRegularExpression>
#include <QTest>

class TestPresentationTexts : public QObject {
    Q_OBJECT
private slots:
    void instructions_screens_data()
    {
        QTest::addColumn<bool>("spanish");
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QList<int>>("emptyLines"); // 1-based
        QTest::addColumn<int>("checkedLine");       // 1-based
        QTest::addColumn<QString>("checkedText");
        QTest::newRow("English 0")
            << false << 0 << 11 << QList<int>{2, 4, 6, 8, 10} << 7
            << "You may use the Up and Down Arrow keys to change your answers, but be sure the answer you selected is "
               "highlighted before you press  the Enter key. You may also use the Tab key to have the question "
               "repeated.";
        QTest::newRow("English 0 last")
            << false << 0 << 11 << QList<int>{2, 4, 6, 8, 10} << 11
            << "If you have any questions, ask the  testing supervisor for help.  When you "
               "understand these instructions, you may begin. Press the Enter key to begin.";
        QTest::newRow("English 1") << false << 1 << 9 << QList<int>{2, 4, 6, 8} << 5
                                   << "If a statement is TRUE highlight \"True\" then press Enter.";
        QTest::newRow("English 1 last") << false << 1 << 9 << QList<int>{2, 4, 6, 8} << 9
                                        << "     Press Enter to begin.";
        QTest::newRow("English 2") << false << 2 << 10 << QList<int>{2, 7, 9} << 6
                                   << "                   Very Often or Always";
        QTest::newRow("English 3") << false << 3 << 3 << QList<int>{2} << 1
                                   << "The statements in this section describe you or your situation. Highlight the "
                                      "answer (1, 2, 3 or 4) that is accurate for you, then press Enter. ";
        QTest::newRow("Spanish 0") << true << 0 << 4 << QList<int>{} << 3
                                   << QString::fromUtf8("Conteste a las preguntas como usted se siente hoy, o como "
                                                        "usted se ha   sentido en los últimos 30 días.");
        QTest::newRow("Spanish 1") << true << 1 << 2 << QList<int>{1} << 2
                                   << QString::fromUtf8(
                                          "Deberá responder «Verdadero» o «Falso» a las siguientes frases. "
                                          "Si una frase es Verdadera,ponga una X bajo la V de Verdadero. "
                                          "Si la frase es Falsa ponga una X bajo  la F de Falso en su "
                                          "hoja de respuestas. ");
        QTest::newRow("Spanish 2") << true << 2 << 6 << QList<int>{2} << 6 << "            4. Muy a menudo";
        QTest::newRow("Spanish 3") << true << 3 << 2 << QList<int>{1} << 2
                                   << QString::fromUtf8("Las frases de esta sección deben describirlo a usted o su "
                                                        "situación. Elija la respuesta más exacta.  Ponga una X en su "
                                                        "hoja de respuestas bajo el número (1, 2, 3, ó 4) que usted "
                                                        "elija para su respuesta.");
    }
    void instructions_screens()
    {
        QFETCH(bool, spanish);
        QFETCH(int, section);
        QFETCH(int, lines);
        QFETCH(QList<int>, emptyLines);
        QFETCH(int, checkedLine);
        QFETCH(QString, checkedText);
        const QString text = PresentationTexts::InstructionText(spanish, section);
        QVERIFY(!text.endsWith(QLatin1Char('\n')));
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[^\r]\n|\r[^\n]"))));
        const QStringList got = text.split(QStringLiteral("\r\n"));
        QCOMPARE(got.size(), lines);
        for (int i = 1; i <= lines; ++i)
            QCOMPARE(got[i - 1].isEmpty(), emptyLines.contains(i));
        QCOMPARE(got[checkedLine - 1], checkedText);
    }

    void instructions_outsideTheFourScreens_empty_data()
    {
        QTest::addColumn<int>("section");
        QTest::newRow("-1") << -1;
        QTest::newRow("4") << 4;
        QTest::newRow("large") << 32767;
    }
    void instructions_outsideTheFourScreens_empty()
    {
        QFETCH(int, section);
        QCOMPARE(PresentationTexts::InstructionText(false, section), QString());
        QCOMPARE(PresentationTexts::InstructionText(true, section), QString());
        QCOMPARE(PresentationTexts::InstructionSound(section), QString());
    }

    void instructions_sounds()
    {
        QCOMPARE(PresentationTexts::InstructionSound(0), QStringLiteral("Inst0.wav"));
        QCOMPARE(PresentationTexts::InstructionSound(3), QStringLiteral("Inst3.wav"));
    }

    void helpLines_data()
    {
        QTest::addColumn<bool>("spanish");
        QTest::addColumn<bool>("audioOn");
        QTest::addColumn<QString>("answerHelp");
        QTest::newRow("English with audio")
            << false << true << "Press Enter to select this answer. Press Tab or Arrows to hear question again.";
        QTest::newRow("English silent") << false << false << "Press Enter to select this answer.";
        QTest::newRow("Spanish with audio")
            << true << true
            << QString::fromUtf8("Ilumine la respuesta que usted escoja y luego oprima la tecla «Enter».");
        QTest::newRow("Spanish silent")
            << true << false
            << QString::fromUtf8("Ilumine la respuesta que usted escoja y luego oprima la tecla «Enter».");
    }
    void helpLines()
    {
        QFETCH(bool, spanish);
        QFETCH(bool, audioOn);
        QFETCH(QString, answerHelp);
        QCOMPARE(PresentationTexts::AnswerHelp(spanish, audioOn), answerHelp);
    }

    // The closing message breaks its lines with bare CRs, and its Spanish title, unlike the note's, has no accent.
    void closingMessage_keepsItsOwnForm()
    {
        QCOMPARE(PresentationTexts::ClosingText(false).count(QStringLiteral("\r\rPress Enter to continue.")), 1);
        QVERIFY(PresentationTexts::ClosingText(true).endsWith(
            QStringLiteral("\r\rOprima la tecla <<Enter>> para terminar.")));
        QCOMPARE(PresentationTexts::ClosingTitle(true), QStringLiteral("Nota de Presentacion"));
        QCOMPARE(PresentationTexts::SectionNoteTitle(true), QString::fromUtf8("Nota de Presentación"));
        QCOMPARE(PresentationTexts::ClosingTitle(false), PresentationTexts::SectionNoteTitle(false));
    }
};

QTEST_GUILESS_MAIN(TestPresentationTexts)
#include "test_presentation_texts.moc"
