#pragma once
// The court-history answers: what a box may hold, what is stored, and the two-character typing limit.

#include <QString>

// "N" (either case) alone, "0" alone, or a whole number 1 to 99, after surrounding blanks are removed.
bool CourtCountValid(const QString& text);

// The answer as confirmed: blanks removed and a lone "n" made "N".
QString ConfirmedCourtCount(const QString& text);

// Whether a typed character must be refused because the box is full: it holds two characters and not both are
// selected (Backspace, Enter and Tab never count).
bool CourtKeyOverflows(const QString& text, int selectedLength);
