#pragma once
// Short texts for the error numbers an acquisition can end with, for the "Twain Error" message.

#include <QString>
#include <cstdint>

// The text for `number`, or "" for a number not in the table.
QString ImagingErrorText(int16_t number);
