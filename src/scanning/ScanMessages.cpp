#include "ScanMessages.h"

#include "ImagingErrorText.h"
#include "MultiMarkList.h"

namespace ScanMessages {

namespace {

// Up to this many entries the warning lists them; beyond it the sheet is called marked incorrectly.
constexpr int kListedEntries = 10;

ScanMessage scanError(const QString& text)
{
    return {QStringLiteral("Scan Error"), text + QStringLiteral("\nAborting scan."), Prompts::Icon::Critical,
            Prompts::Buttons::Ok};
}

} // namespace

ScanMessage InsertSheet(const QString& clientName)
{
    return {QStringLiteral("Corvath Test Scan"),
            QStringLiteral("Insert answer sheet for ") + clientName + QStringLiteral("\n(face down) into scanner."),
            Prompts::Icon::None, Prompts::Buttons::OkCancel};
}

ScanMessage TwainError(int number, const QString& detail)
{
    QString text = QStringLiteral("Error '%1, %2.").arg(number).arg(ImagingErrorText(static_cast<int16_t>(number)));
    if (!detail.isEmpty())
        text += QLatin1Char('\n') + detail;
    return {QStringLiteral("Twain Error"), text, Prompts::Icon::None, Prompts::Buttons::Ok};
}

ScanMessage AnchorBoxNotFound()
{
    return scanError(QStringLiteral("Anchor Box not found"));
}

ScanMessage ReferenceBoxNotFound()
{
    return scanError(QStringLiteral("Reference Box not found"));
}

ScanMessage ScanProblem(const QString& problem)
{
    return scanError(problem);
}

ScanMessage MultipleMarks(const MultiMarkList& list)
{
    const int count = list.MultiMarkCount();
    if (count == 0)
        return {};
    if (count > kListedEntries)
        return {QStringLiteral("Scan Sheet Answers"),
                QStringLiteral("Warning Many answers on this scanned answer sheet are \n"
                               "Marked incorrectly. Please review the answer sheet to \n"
                               "Ensure that proper answers have been scored."),
                Prompts::Icon::None, Prompts::Buttons::Ok};
    QString text = QStringLiteral("Warning! some items had multiple answers marked.\n"
                                  "Please review the follwing answers.\n\n");
    const QStringList& entries = list.entries();
    for (int i = 0; i < count; ++i) {
        // A row read twice (the demographic rows) is listed twice; show it once.
        if (i > 0 && entries[i] == entries[i - 1])
            continue;
        text += QStringLiteral("     ") + entries[i].trimmed() + QLatin1Char('\n');
    }
    return {QStringLiteral("Scan sheet Answers"), text, Prompts::Icon::None, Prompts::Buttons::Ok};
}

} // namespace ScanMessages
