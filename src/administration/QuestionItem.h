#pragma once
// One row of a question table: an item's text, its answers and the base names of the wave files that speak them.

#include <QString>
#include <array>
#include <cstdint>

struct QuestionItem {
    static constexpr int MaxAnswers = 5;

    int16_t ID = 0;
    QString TestQuestion;
    QString QuestionAudio;
    // ANSWER1..ANSWER5; an answer whose column is Null or empty is empty here, and the item does not offer it.
    std::array<QString, MaxAnswers> Answers;
    // ChoiceAudio1..ChoiceAudio5 as stored (Null reads as empty).
    std::array<QString, MaxAnswers> ChoiceAudio;

    bool hasAnswer(int slot) const { return slot >= 0 && slot < MaxAnswers && !Answers[slot].isEmpty(); }
};
