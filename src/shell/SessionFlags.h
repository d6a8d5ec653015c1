#pragma once
// Flags that windows set for each other while a chain of windows runs.

#include <cstdint>

struct SessionFlags {
    bool ContinueFlag = false;  // the last modal window ended with "go on"
    bool EditingClient = false; // an existing client is being edited (false for a new one)
    bool ScanReview = false;    // the intake windows are reviewing a scanned sheet
    int16_t NameDeletedFlag = 0; // the current client's name was scrambled
};
