#pragma once
// The questionnaire's fixed shape: item count, sections, answer choices and the response string.

#include <QString>
#include <array>
#include <cstdint>

constexpr int16_t NumItems = 123;

// Last item of each section, with a leading 0: section s holds items SectionBounds[s-1]+1 .. SectionBounds[s].
constexpr std::array<int16_t, 4> SectionBounds{0, 86, 110, 123};

// Answer choices per section, indexes 1..3 (index 0 unused).
constexpr std::array<int16_t, 4> SectionChoices{0, 2, 4, 4};

constexpr bool InRange(int16_t v, int16_t lo, int16_t hi)
{
    return lo <= v && v <= hi;
}

// The section (1..3) of item n, or 0 for a number outside 1..123.
constexpr int SectionOfItem(int n)
{
    for (int s = 1; s <= 3; ++s) {
        if (n >= INT16_MIN && n <= INT16_MAX
            && InRange(static_cast<int16_t>(n), static_cast<int16_t>(SectionBounds[s - 1] + 1), SectionBounds[s]))
            return s;
    }
    return 0;
}

// The number of answer choices of item n, or 0 for a number outside 1..123.
constexpr int ChoicesOfItem(int n)
{
    const int s = SectionOfItem(n);
    return s == 0 ? 0 : SectionChoices[s];
}

// A response string with every item unanswered.
inline QString EmptyResponses()
{
    return QString(NumItems, QLatin1Char('0'));
}

// The answer to item n (1-based) as a choice position, or 0 for no answer or a character that is not a valid choice.
int AnswerOf(const QString& responses, int n);
