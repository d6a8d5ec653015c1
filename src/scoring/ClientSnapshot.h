#pragma once
// The text copy of the client being scored, as the report prints it.

#include <QString>
#include <array>
#include <cstdint>

struct ClientSnapshot {
    QString Name;      // 25 characters, padded
    QString Gender;    // 1
    QString DOB;       // 10
    QString Race;      // 1
    QString Marital;   // 1
    QString Education; // 1
    QString TestDate;  // 10
    // Court[1..5]: drug-related, alcohol-related, assault, domestic violence arrests, anger management programs;
    // two characters each, "-1" already turned into "N".
    std::array<QString, 6> Court;
    int16_t TestNumber = 0;
};
