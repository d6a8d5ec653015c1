#include "Presentation.h"

#include "ClientTable.h"
#include "TestDefinition.h"

#include <algorithm>

namespace {

QString waveName(const QString& base)
{
    const QString name = base.trimmed();
    return name.isEmpty() ? QString() : name + QStringLiteral(".wav");
}

} // namespace

QString Presentation::NormalizeLanguage(const QString& language)
{
    return language.toUpper() == QLatin1String("SPANISH") ? language : QStringLiteral("ENGLISH");
}

Presentation::Presentation(QuestionSet questions, const QString& language)
    : m_questions(std::move(questions)), m_language(NormalizeLanguage(language))
{
    m_spanish = m_language.toUpper() == QLatin1String("SPANISH");
    GetNextQuestion();
    m_currentSection = 1;
}

Presentation::Step Presentation::Start()
{
    m_atGeneralInstructions = true;
    showInstructions(0);
    Step step;
    step.instructions = 0;
    return step;
}

Presentation::Step Presentation::Resume(const QString& responses, int next)
{
    for (int id = 1; id <= NumItems && id <= responses.size(); ++id)
        m_itemAnswers[id] = static_cast<int16_t>(std::max(0, responses.at(id - 1).digitValue()));
    Step step;
    if (next > NumItems || m_questions.Items.isEmpty()) {
        m_finished = true;
        step.finished = true;
        return step;
    }
    if (next > 1) {
        // Moving on from the row before loads item `next` as answering that row would, without its section's screen.
        m_firstQuestion = false;
        m_row = next - 2;
        m_questionNumber = next - 1;
        m_goingBack = true;
        GetNextQuestion();
        m_goingBack = false;
    }
    m_atGeneralInstructions = false;
    const int section = std::max(1, SectionOfItem(CurrentItem().ID));
    showInstructions(section);
    step.instructions = section;
    return step;
}

Presentation::Step Presentation::LeaveInstructions()
{
    Step step;
    if (!m_instructionsShowing || m_finished)
        return step;
    m_instructionsShowing = false;
    if (m_atGeneralInstructions) {
        m_atGeneralInstructions = false;
        showInstructions(1);
        step.instructions = 1;
    } else {
        step.focusQuestion = true;
    }
    return step;
}

Presentation::Step Presentation::SelectAnswer(int slot)
{
    Step step;
    if (m_instructionsShowing || m_finished || !SlotVisible(slot))
        return step;
    const int id = CurrentItem().ID;
    // ItemAnswers has room for items 1 to 123 only; a checked set has no other.
    if (id < 1 || id > NumItems)
        return step;
    m_itemAnswers[id] = static_cast<int16_t>(slot + 1);
    for (int section = 1; section <= 3; ++section) {
        if (id == SectionBounds[section])
            step.sectionDone = section;
    }
    const Step next = GetNextQuestion();
    step.finished = next.finished;
    step.instructions = next.instructions;
    step.focusQuestion = id < SectionBounds[3] && !next.finished && next.instructions < 0;
    return step;
}

Presentation::Step Presentation::StepBack()
{
    Step step;
    if (m_instructionsShowing || m_finished)
        return step;
    if (m_row >= 0 && CurrentItem().ID == 1) {
        step.beep = true;
        return step;
    }
    if (m_row < 0 || --m_row < 0) {
        m_row = 0;
        step.beep = true;
        return step;
    }
    // One row further back, so that moving forward one row shows the item before the one that was shown; no
    // instructions screen comes up even at a section's start.
    --m_row;
    m_goingBack = true;
    GetNextQuestion();
    m_goingBack = false;
    step.focusQuestion = true;
    return step;
}

Presentation::Step Presentation::GetNextQuestion()
{
    Step step;
    if (m_firstQuestion) {
        m_questionNumber = 1;
        m_firstQuestion = false;
    } else {
        ++m_questionNumber;
    }
    if (m_questionNumber > NumItems && !m_goingBack) {
        m_finished = true;
        step.finished = true;
        return step;
    }
    if (m_questionNumber > 1) {
        // A checked set has exactly items 1 to 123, so the last row is never passed; stay on it if it were.
        m_row = std::min(m_row + 1, std::max(0, static_cast<int>(m_questions.Items.size()) - 1));
        m_questionNumber = CurrentItem().ID;
    }
    if (!m_goingBack) {
        if (m_questionNumber == SectionBounds[1] + 1)
            step.instructions = 2;
        else if (m_questionNumber == SectionBounds[2] + 1)
            step.instructions = 3;
        if (step.instructions >= 0)
            showInstructions(step.instructions);
    }

    // The item is loaded even behind an instructions screen.
    const QuestionItem& item = CurrentItem();
    m_questionSound = waveName(item.QuestionAudio);
    for (int slot = 0; slot < QuestionItem::MaxAnswers; ++slot) {
        m_slotVisible[slot] = slot < 2 || item.hasAnswer(slot);
        if (m_slotVisible[slot])
            m_choiceSounds[slot] = waveName(item.ChoiceAudio[slot]);
    }
    if (const int section = SectionOfItem(item.ID))
        m_currentSection = section;
    return step;
}

void Presentation::showInstructions(int section)
{
    m_instructionsShowing = true;
    m_instructionsSection = section;
}

const QuestionItem& Presentation::CurrentItem() const
{
    // An unchecked, empty set shows an empty item rather than crashing.
    static const QuestionItem none;
    if (m_questions.Items.isEmpty())
        return none;
    return m_questions.Items.at(std::clamp(m_row, 0, static_cast<int>(m_questions.Items.size()) - 1));
}

QString Presentation::QuestionText() const
{
    const QuestionItem& item = CurrentItem();
    return QString::number(item.ID) + QStringLiteral(". ") + item.TestQuestion;
}

bool Presentation::SlotVisible(int slot) const
{
    return slot >= 0 && slot < QuestionItem::MaxAnswers && m_slotVisible[slot];
}

QString Presentation::AnswerText(int slot) const
{
    return SlotVisible(slot) ? CurrentItem().Answers[slot] : QString();
}

int Presentation::ItemAnswer(int id) const
{
    return id >= 1 && id <= NumItems ? m_itemAnswers[id] : 0;
}

QString Presentation::Responses() const
{
    QString responses;
    responses.reserve(NumItems);
    for (int id = 1; id <= NumItems; ++id)
        responses += QString::number(m_itemAnswers[id]).right(1);
    return responses;
}
