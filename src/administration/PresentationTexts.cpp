#include "PresentationTexts.h"

#include <array>
#include <vector>

namespace {

using Screen = std::vector<const char*>;

// Adjacent literals are the pieces of one line; their double blanks and trailing blanks are part of the text.
const std::array<Screen, 4> kEnglish{{
    {
        "General Instructions",
        "",
        "Many statements in this inventory are personal.  Your answers will be considered "
        "confidential.  Answer each statement truthfully and honestly.  Your court "
        "records may be used to check your answers.  Any dishonesty will likely "
        "be detected.",
        "",
        "A series of questions will be presented.  Read each statement carefully and "
        "choose the answer that is accurate for you.  Once your answer is selected you "
        "should depress the Down Arrow key to highlight the answer you selected and then "
        "press the Enter key.  An answer is highlighted when it has light blue around it.",
        "",
        "You may use the Up and Down Arrow keys to change your answers, but be sure the answer you"
        " "
        "selected is highlighted before you press  the Enter key. You may also use the Tab key to "
        "have the question repeated.",
        "",
        "Alcohol or drinking refers to beer, wine and other liquor.  Drugs refers to both "
        "prescription drugs and non-prescription drugs like marijuana (pot), cocaine "
        "(coke), crack, amphetamines, barbiturates and heroin.",
        "",
        "If you have any questions, ask the  testing supervisor for help.  When you understand these "
        "instructions, you may begin. Press the Enter key to begin.",
    },
    {
        "Section 1",
        "",
        "The statements in this section are to be answered TRUE or FALSE.",
        "",
        "If a statement is TRUE highlight \"True\" then press Enter.",
        "",
        "If a statement is FALSE highlight \"False\" then press Enter.",
        "",
        "     Press Enter to begin.",
    },
    {
        "The next series of statements contain items you should rate to "
        "describe yourself.  Rate each statement by selecting the answer that "
        "is accurate for you.  For example:",
        "",
        "                   Rare or Never",
        "                   Sometimes",
        "                   Often",
        "                   Very Often or Always",
        "",
        "Highlight the answer you select, then press Enter.",
        "",
        "     Press Enter to begin.",
    },
    {
        "The statements in this section describe you or your situation. Highlight "
        "the answer (1, 2, 3 or 4) that is accurate for you, then press Enter. ",
        "",
        "     Press Enter to begin.",
    },
}};

// The Spanish screens have no "press Enter" line of their own.
const std::array<Screen, 4> kSpanish{{
    {
        "Instrucciones",
        "El objetivo de este cuestionario es ayudarlo a identificar sus preocupaciones "
        " y sus necesidades. Es importante que usted coopere y que diga la verdad.",
        "Conteste a las preguntas como usted se siente hoy, o como usted se ha  "
        " sentido en los últimos 30 días.",
        " Complete la información de la parte superior de su hoja de respuestas.  "
        "Después conteste cada frase o pregunta."
        " Debe responder a todas las frases en su hoja de respuestas.",
    },
    {
        "",
        "Deberá responder «Verdadero» o «Falso» a las siguientes frases."
        " "
        "Si una frase es Verdadera,ponga una X bajo la V de Verdadero. "
        "Si la frase es Falsa ponga una X bajo  "
        "la F de Falso en su hoja de respuestas. ",
    },
    {
        "Clasifique cada frase seleccionando la respuesta que  "
        " usted piensa que mejor lo describe a usted. Ponga "
        " una X en la hoja de respuestas bajo el número que "
        " usted seleccione para su respuesta.  Use la siguiente  "
        " escala:  ",
        "",
        "            1. Rara vez o nunca",
        "            2. A veces",
        "            3. A menudo",
        "            4. Muy a menudo",
    },
    {
        "",
        "Las frases de esta sección deben describirlo a usted o su situación. "
        "Elija la respuesta más exacta.  Ponga una X en su hoja de respuestas bajo el "
        "número (1, 2, 3, ó 4) que usted elija para su respuesta.",
    },
}};

QString text(bool spanish, const char* english, const char* spanishText)
{
    return QString::fromUtf8(spanish ? spanishText : english);
}

} // namespace

QStringList PresentationTexts::InstructionLines(bool spanish, int section)
{
    if (section < 0 || section >= InstructionScreens)
        return {};
    QStringList lines;
    for (const char* line : (spanish ? kSpanish : kEnglish)[section])
        lines << QString::fromUtf8(line);
    return lines;
}

QString PresentationTexts::InstructionText(bool spanish, int section)
{
    return InstructionLines(spanish, section).join(QStringLiteral("\r\n"));
}

QString PresentationTexts::InstructionSound(int section)
{
    if (section < 0 || section >= InstructionScreens)
        return {};
    return QStringLiteral("Inst%1.wav").arg(section);
}

QString PresentationTexts::WindowCaption(bool spanish)
{
    return text(spanish, "Question Presentation", "Presentación de preguntas");
}

QString PresentationTexts::InstructionsHelp(bool spanish)
{
    return text(spanish, "When ready press Enter to continue.", "Oprima la tecla «Enter» para seguir.");
}

QString PresentationTexts::QuestionHelp(bool spanish)
{
    return text(spanish,
                "Use Up or Down arrow keys to highlight answer, then press Enter. Press F10 to go back to previous "
                "question.",
                "Oprima las teclas de flechas Hacia Arriba o Hacia Abajo para iluminar su respuesta. Luego oprima la "
                "tecla «Enter». Oprima la tecla «F10» para ver la pregunta anterior.");
}

QString PresentationTexts::AnswerHelp(bool spanish, bool audioOn)
{
    if (spanish)
        return QString::fromUtf8("Ilumine la respuesta que usted escoja y luego oprima la tecla «Enter».");
    // Without audio there is nothing to hear again.
    return audioOn ? QStringLiteral("Press Enter to select this answer. Press Tab or Arrows to hear question again.")
                   : QStringLiteral("Press Enter to select this answer.");
}

QString PresentationTexts::SectionNoteText(bool spanish)
{
    return text(spanish, "You have completed this part of the test. Press Enter to continue.",
                "Usted ha terminado esta parte de la prueba. Oprima la tecla «Enter» para seguir.");
}

QString PresentationTexts::SectionNoteTitle(bool spanish)
{
    return text(spanish, "Presentation Note", "Nota de Presentación");
}

QString PresentationTexts::ClosingText(bool spanish)
{
    return text(spanish, "You have completed the test. Thank you for your participation.\r\rPress Enter to continue.",
                "Usted ha terminado la prueba. Se le agradece su participacion.\r\rOprima la tecla <<Enter>> para "
                "terminar.");
}

QString PresentationTexts::ClosingTitle(bool spanish)
{
    // Unlike the section note's title, this one has no accent.
    return text(spanish, "Presentation Note", "Nota de Presentacion");
}
