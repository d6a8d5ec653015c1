#pragma once
// The words the presentation puts before the client, in English and Spanish: instructions screens, help lines,
// the section note and the closing message.

#include <QString>
#include <QStringList>

class PresentationTexts {
public:
    static constexpr int InstructionScreens = 4;

    // The lines of instructions screen `section` (0 general, 1 to 3 the sections); none outside 0 to 3.
    static QStringList InstructionLines(bool spanish, int section);
    // The screen as shown: its lines joined by CR LF, no line end after the last.
    static QString InstructionText(bool spanish, int section);
    // "Inst0.wav" to "Inst3.wav"; empty outside 0 to 3.
    static QString InstructionSound(int section);

    static QString WindowCaption(bool spanish);
    // Help lines of the status panel: on the instructions, on the question, on an answer.
    static QString InstructionsHelp(bool spanish);
    static QString QuestionHelp(bool spanish);
    static QString AnswerHelp(bool spanish, bool audioOn);

    static QString SectionNoteText(bool spanish);
    static QString SectionNoteTitle(bool spanish);
    // The message after the last item; its two parts are separated by two CR characters.
    static QString ClosingText(bool spanish);
    static QString ClosingTitle(bool spanish);
};
