#pragma once
// The course of an on-screen test without its window: which item or instructions screen is up, the answers given,
// stepping back, section ends and the end of the test. The window turns each step's outcome into widgets, focus,
// sounds and message boxes.

#include "FileError.h"
#include "QuestionSet.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class ClientTable;

class Presentation {
public:
    // What the window does after an event, in this order: (1) after a section's last item, stop the sound and show
    // the section note (sections 1 and 2) or clear the help line and show the closing message (section 3);
    // (2) when finished, store Responses() and close; (3) otherwise show the instructions screen named, playing its
    // sound; (4) otherwise, when asked, put the focus on the question box, which speaks the item. A beep comes alone.
    struct Step {
        int sectionDone = 0;
        bool finished = false;
        int instructions = -1;
        bool focusQuestion = false;
        bool beep = false;
    };

    // Anything but Spanish (in any case) is presented in English, under the name "ENGLISH".
    static QString NormalizeLanguage(const QString& language);

    // `questions` is a set QuestionSet::Load accepted; `language` names the sound folder and picks the texts.
    // Item 1 is loaded at once, behind an instructions screen that Start() fills.
    Presentation(QuestionSet questions, const QString& language);

    const QString& Language() const { return m_language; }
    bool IsSpanish() const { return m_spanish; }

    // The window's first activation: the general instructions.
    Step Start();
    // Instead of Start(), for a test taken up again: the answers given so far (one digit per item) are in place, and
    // the instructions of the section that holds item `next` come up before it. Past the last item it finishes.
    Step Resume(const QString& responses, int next);
    // Enter or Tab on an instructions screen.
    Step LeaveInstructions();
    // Answer `slot` (0 to 4) chosen for the item shown; ignored for a slot the item does not offer.
    Step SelectAnswer(int slot);
    // F10: back one item. Nothing while an instructions screen shows; a beep at item 1.
    Step StepBack();
    // Moves on to the next row and loads it, putting up a section's instructions screen at its first item, or
    // finishes the test after the last item. Answering an item does this itself.
    Step GetNextQuestion();

    bool InstructionsShowing() const { return m_instructionsShowing; }
    // The screen last put up (0 to 3), -1 before Start().
    int InstructionsSection() const { return m_instructionsSection; }
    bool AtGeneralInstructions() const { return m_atGeneralInstructions; }
    bool IsFinished() const { return m_finished; }

    // The item loaded (shown when no instructions screen is up).
    const QuestionItem& CurrentItem() const;
    int QuestionNumber() const { return m_questionNumber; }
    int CurrentSection() const { return m_currentSection; }
    // The question box's text: "17. " followed by the statement.
    QString QuestionText() const;
    bool SlotVisible(int slot) const;
    QString AnswerText(int slot) const;
    // Wave file names of the item and of its answer slots. A slot the item does not offer keeps the name it had
    // before; it cannot be reached, so it is never played.
    const QString& QuestionSound() const { return m_questionSound; }
    const QString& ChoiceSound(int slot) const { return m_choiceSounds.at(slot); }

    // The answer position (1 to 5) given to item `id`, 0 when none.
    int ItemAnswer(int id) const;
    // One digit per item 1 to 123: the answer position, "0" for an item never answered.
    QString Responses() const;

private:
    void showInstructions(int section);

    QuestionSet m_questions;
    QString m_language;
    bool m_spanish = false;
    // Recordset position: index into the items, -1 before the first.
    int m_row = 0;
    int m_questionNumber = 0;
    bool m_firstQuestion = true;
    bool m_goingBack = false;
    bool m_atGeneralInstructions = false;
    bool m_instructionsShowing = true;
    int m_instructionsSection = -1;
    bool m_finished = false;
    int m_currentSection = 1;
    QString m_questionSound;
    std::array<QString, QuestionItem::MaxAnswers> m_choiceSounds;
    std::array<bool, QuestionItem::MaxAnswers> m_slotVisible{true, true, false, false, false};
    std::array<int16_t, 124> m_itemAnswers{};
};
