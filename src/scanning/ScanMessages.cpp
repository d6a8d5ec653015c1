#include "ScanMessages.h"

#include "ImagingErrorText.h"
#include "MultiMarkList.h"

#include <cmath>

namespace ScanMessages {

namespace {

// Up to this many entries the warning lists them; beyond it the sheet is called marked incorrectly.
constexpr int kListedEntries = 10;

ScanMessage scanError(const QString& text, const QString& hint = QString())
{
    QString full = text + QStringLiteral("\nAborting scan.");
    if (!hint.isEmpty())
        full += QStringLiteral("\n\n") + hint;
    return {QStringLiteral("Scan Error"), full, Prompts::Icon::Critical, Prompts::Buttons::Ok};
}

QString listed(const QStringList& names)
{
    QString text;
    for (qsizetype i = 0; i < names.size(); ++i) {
        // A row read twice (the demographic rows) is listed twice; show it once.
        if (i > 0 && names[i] == names[i - 1])
            continue;
        text += QStringLiteral("     ") + names[i].trimmed() + QLatin1Char('\n');
    }
    return text;
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

ScanMessage AnchorBoxNotFound(const QString& hint)
{
    return scanError(QStringLiteral("Anchor Box not found"), hint);
}

ScanMessage ReferenceBoxNotFound(const QString& hint)
{
    return scanError(QStringLiteral("Reference Box not found"), hint);
}

ScanMessage ScanProblem(const QString& problem)
{
    return scanError(problem);
}

ScanMessage MultipleMarks(const MultiMarkList& list, const QStringList& uncertain)
{
    const int count = list.MultiMarkCount();
    ScanMessage m;
    if (count > kListedEntries) {
        m = {QStringLiteral("Scan Sheet Answers"),
             QStringLiteral("Warning Many answers on this scanned answer sheet are \n"
                            "Marked incorrectly. Please review the answer sheet to \n"
                            "Ensure that proper answers have been scored."),
             Prompts::Icon::None, Prompts::Buttons::Ok};
    } else if (count > 0) {
        m = {QStringLiteral("Scan sheet Answers"),
             QStringLiteral("Warning! some items had multiple answers marked.\n"
                            "Please review the follwing answers.\n\n") +
                 listed(list.entries()),
             Prompts::Icon::None, Prompts::Buttons::Ok};
    }
    if (uncertain.isEmpty())
        return m;
    if (m.isNull())
        m = {QStringLiteral("Scan sheet Answers"), QString(), Prompts::Icon::None, Prompts::Buttons::Ok};
    else
        m.text += QLatin1Char('\n');
    if (uncertain.size() > kListedEntries)
        m.text += QStringLiteral("%1 marks on this sheet are too light or too close to call. Check every answer "
                                 "against the sheet's image; those marks are highlighted there.")
                      .arg(uncertain.size());
    else
        m.text += QStringLiteral("These marks are too light or too close to call. Check each against the sheet's "
                                 "image, where it is highlighted:\n\n") +
                  listed(uncertain);
    return m;
}

} // namespace ScanMessages

namespace SheetProblems {

QString ShortPage()
{
    return QStringLiteral(
        "The scanned page is shorter than the answer sheet: scan it on a legal-size glass or feeder.");
}

QString CutPage(const QString& edge)
{
    return QStringLiteral("The scanned page cuts off the answer sheet's %1 edge: place the sheet straight, within the "
                          "scanner's guides, and scan it again.")
        .arg(edge);
}

QString Sideways(QSize image)
{
    return QStringLiteral("The scanned page (%1 x %2 pixels) is wider than it is tall: the answer sheet was scanned "
                          "sideways. Scan it upright, short edge first.")
        .arg(image.width())
        .arg(image.height());
}

QString NotPageShaped(QSize image)
{
    return QStringLiteral("The image is %1 x %2 pixels, which is not the shape of an answer sheet: scan the whole "
                          "sheet as one page.")
        .arg(image.width())
        .arg(image.height());
}

QString ImageTooLarge(QSize image)
{
    return QStringLiteral("The image is %1 x %2 pixels, too large for one answer sheet: scan it at 100 to 600 dots "
                          "per inch.")
        .arg(image.width())
        .arg(image.height());
}

QString ImageTooSmall(QSize image)
{
    return QStringLiteral("The image is %1 x %2 pixels, too small to read an answer sheet from: scan the whole sheet "
                          "at 100 dots per inch or more.")
        .arg(image.width())
        .arg(image.height());
}

QString TooCoarse(double dpi)
{
    return QStringLiteral("The page was scanned at %1 dots per inch, too coarse to read the marks: scan it at 100 "
                          "dots per inch or more.")
        .arg(qRound(dpi));
}

QString PageTooLarge(QSizeF inches, double dpi)
{
    return QStringLiteral("At the %1 dots per inch the image states, the page would measure %2 by %3 inches, far "
                          "larger than the answer sheet: save the scan with its true resolution, or scan only the "
                          "sheet.")
        .arg(qRound(dpi))
        .arg(inches.width(), 0, 'f', 1)
        .arg(inches.height(), 0, 'f', 1);
}

QString BlankPage()
{
    return QStringLiteral("The scanned page is blank: put the answer sheet in face down and scan it again.");
}

QString NoBoxes()
{
    return QStringLiteral("The page does not show the answer sheet's two registration boxes (solid black squares at "
                          "its top corners): scan a Veltrane answer sheet, whole and face down.");
}

QString BoxesNotConfirmed()
{
    return QStringLiteral("What was found at the sheet's top corners is not its registration boxes (solid black "
                          "squares with white paper around them): the page is not an answer sheet, or a mark or "
                          "smudge lies on or beside a box. Scan a clean answer sheet.");
}

QString BoxDistance(double pixels, double statedDpi)
{
    QString text = QStringLiteral("The registration boxes lie %1 pixels apart instead of 786 at 100 dots per inch: "
                                  "the sheet was printed or scanned at the wrong size. Print the answer sheet at "
                                  "actual size (not fitted to the page) and scan it at 100 dots per inch.")
                       .arg(pixels, 0, 'f', 1);
    if (statedDpi > 0)
        text += QStringLiteral(" The image states %1 dots per inch; if that is wrong, save the scan with its true "
                               "resolution.")
                    .arg(qRound(statedDpi));
    return text;
}

QString TurnedTooFar(double degrees)
{
    return QStringLiteral("The answer sheet lies turned by %1 degrees, more than the 5 degrees it can be read at: "
                          "straighten it and scan it again.")
        .arg(std::abs(degrees), 0, 'f', 1);
}

} // namespace SheetProblems
