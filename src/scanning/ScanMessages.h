#pragma once
// Every prompt and message box of a scan, as values the scan window shows through its Prompts.

#include "Prompts.h"

#include <QSize>
#include <QString>
#include <QStringList>

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

// `hint`, when given, follows after a blank line: what the page showed and what to do.
ScanMessage AnchorBoxNotFound(const QString& hint = QString());
ScanMessage ReferenceBoxNotFound(const QString& hint = QString());
// Any other fault that stops a scan (an image file, the question database, a page that cannot be read whole),
// followed by "Aborting scan.".
ScanMessage ScanProblem(const QString& problem);

// The review warning for the locations in `list`, followed by the marks too light or too close to call
// (`uncertain`); a null message when both are empty.
ScanMessage MultipleMarks(const MultiMarkList& list, const QStringList& uncertain = QStringList());

} // namespace ScanMessages

// Why a page is refused, each saying what is wrong and what to do.
namespace SheetProblems {

QString ShortPage();
// The sheet runs off the page's "left", "right" or "top" edge.
QString CutPage(const QString& edge);
QString Sideways(QSize image);
QString NotPageShaped(QSize image);
QString ImageTooLarge(QSize image);
QString ImageTooSmall(QSize image);
QString TooCoarse(double dpi);
QString PageTooLarge(QSizeF inches, double dpi);
QString BlankPage();
QString NoBoxes();
QString BoxesNotConfirmed();
// The boxes lie `pixels` apart at 100 dpi; `statedDpi` is the resolution the image gave (0: none).
QString BoxDistance(double pixels, double statedDpi);
QString TurnedTooFar(double degrees);

} // namespace SheetProblems
