#pragma once
// Every prompt and message box of a scan, as values the scan window shows through its Prompts.

#include "Prompts.h"

#include <QString>

class MultiMarkList;

struct ScanMessage {
    QString title;
    QString text;
    Prompts::Icon icon = Prompts::Icon::None;
    Prompts::Buttons buttons = Prompts::Buttons::Ok;

    bool isNull() const { return title.isEmpty() && text.isEmpty(); }
    bool operator==(const ScanMessage&) const = default;
};

namespace ScanMessages {

// The client-name input box before a scan.
constexpr int NameInputLength = 25;
inline const QString NameHelpMessage = QStringLiteral("Enter the name of client.");
inline const QString NameCaption = QStringLiteral("Client Name Input");

// "Insert answer sheet for <name>" with OK and Cancel.
ScanMessage InsertSheet(const QString& clientName);

// "Error '<number>, <text>." titled "Twain Error"; `detail` (the device or file and what went wrong) follows on a
// line of its own when there is one.
ScanMessage TwainError(int number, const QString& detail = QString());

ScanMessage AnchorBoxNotFound();
ScanMessage ReferenceBoxNotFound();
// Any other fault that stops a scan (an image file or the question database), followed by "Aborting scan.".
ScanMessage ScanProblem(const QString& problem);

// The review warning for the locations in `list`; a null message when the list is empty.
ScanMessage MultipleMarks(const MultiMarkList& list);

} // namespace ScanMessages
