#pragma once
// How an item is keyed from a paper sheet: its answer type, read from the question table, and what each type allows.

#include <QString>

// The answer types; a grid's tag holds one of these as a digit.
namespace AnswerType {
constexpr int TrueFalse = 0;
constexpr int YesNo = 1;
constexpr int OwnChoices = 2;
constexpr int Frequency = 3;
constexpr int MostlyTrue = 4;
constexpr int OftenScale = 5;
constexpr int Count = 6;
} // namespace AnswerType

// The type of an item from its second answer text; only the first five characters count.
int AnswerTypeOf(const QString& answer2);

// Number of answer columns of a grid of this type (2, 4 or 5).
int AnswerColumns(int type);

// The help line shown while a grid of this type has the focus.
QString AnswerTypeHelp(int type);

// Sizes of a grid of this type, in twips; Cols counts column 0 (the item numbers).
struct GridGeometry {
    int width;
    int cols;
    int firstColWidth;
    int answerColWidth;
};
GridGeometry GeometryOf(int type);

// Whether a key typed into a grid of this type is an answer: "0" to "2" always, "3" and "4" in four- and
// five-answer grids, "5" in five-answer grids.
bool GridAcceptsKey(int type, QChar key);
