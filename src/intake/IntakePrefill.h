#pragma once
// Values another part of the program (the scan review) puts into the intake windows before they are shown.

#include <QString>
#include <array>

// Fills frmClientInfo's controls. Codes are the record's one-character codes as read ("N" or empty mean "N/A");
// dateOfBirth is "mm/dd/yyyy" or a text beginning with "N", and may hold "N" for an unread digit.
struct ClientInfoPrefill {
    QString name;
    QString gender;
    QString dateOfBirth;
    QString race;
    QString marital;
    QString education;
};

// Fills frmCourtHistory's five boxes in their order: drug, alcohol, assault, domestic violence, anger programs.
struct CourtHistoryPrefill {
    std::array<QString, 5> counts;
};
