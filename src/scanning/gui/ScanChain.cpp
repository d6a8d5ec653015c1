#include "ScanChain.h"

#include "AppContext.h"
#include "Clock.h"
#include "FileDialogs.h"
#include "FileScanner.h"
#include "Profile.h"
#include "SaneScanner.h"
#include "ScanMessages.h"
#include "ScanSheet.h"
#include "WindowRoutines.h"
#include "frmMyInputBox.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>
#include <optional>

namespace {

Prompts::Answer show(AppContext& ctx, const ScanMessage& m, Prompts::Buttons buttons)
{
    return ctx.prompts.message(m.text, m.title, m.icon, buttons);
}

// The client's name, or nothing when the prompt was cancelled.
std::optional<QString> askClientName(AppContext& ctx, QWidget* parent)
{
    // The input box is shared with the secret-code prompt, which leaves it masked.
    frmMyInputBox::PasswordInput = false;
    frmMyInputBox box(ctx.prompts, parent);
    box.InputLength = ScanMessages::NameInputLength;
    box.HelpMessage = ScanMessages::NameHelpMessage;
    box.setWindowTitle(ScanMessages::NameCaption);
    box.exec();
    if (box.Cancelled)
        return std::nullopt;
    return box.InputValue;
}

QString startFolder(const AppContext& ctx)
{
    const QString saved =
        ctx.settings.read(QLatin1String(SaneSettings::Section), QLatin1String(ImageFolderKey), QString(), 1024);
    if (!saved.isEmpty() && QFileInfo(saved).isDir())
        return saved;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

// A page read from an image file the supervisor chooses; nothing when the chooser was cancelled.
std::optional<AcquiredPage> pageFromFile(AppContext& ctx, QWidget* parent)
{
    if (!ctx.files)
        return std::nullopt;
    const QString path =
        ctx.files->openFile(parent, QStringLiteral("Open Scanned Answer Sheet"), startFolder(ctx), SheetImageFilters());
    if (path.isEmpty())
        return std::nullopt;
    // Only a convenience for the next scan: a settings file that cannot be written costs nothing else.
    ctx.settings.write(QLatin1String(SaneSettings::Section), QLatin1String(ImageFolderKey),
                       QFileInfo(path).absolutePath());
    MouseWait();
    AcquiredPage page = FileScanner(path).acquire();
    MouseDefault();
    return page;
}

// Acquires the page and reads it; nothing when the supervisor stopped or a message ended the scan.
std::optional<SheetReading> acquireAndRead(AppContext& ctx, QWidget* parent, const QString& name)
{
    std::optional<AcquiredPage> page;
    bool fromFile = false;
    if (ctx.scanner) {
        if (show(ctx, ScanMessages::InsertSheet(name), Prompts::Buttons::OkCancel) != Prompts::Answer::Ok)
            return std::nullopt;
        MouseWait();
        page = ctx.scanner->acquire();
        MouseDefault();
    } else {
        // No scanner in this run: the sheet can only come from an image file.
        page = pageFromFile(ctx, parent);
        if (!page)
            return std::nullopt;
        fromFile = true;
    }

    for (;;) {
        MouseWait();
        ScanOutcome outcome = ScanSheet(*page, ctx.workspace, ctx.clock.today());
        MouseDefault();
        if (outcome.ok)
            return std::move(outcome.reading);
        if (page->ok()) {
            show(ctx, outcome.failure, outcome.failure.buttons);
            return std::nullopt;
        }
        // An acquisition error need not end the scan: no scanner, a jammed one, or a file that cannot be read can
        // all be answered by (another) image file.
        const QString offer = fromFile ? QStringLiteral("Choose another image file?")
                                       : QStringLiteral("Read the answer sheet from an image file instead?");
        ScanMessage failure = outcome.failure;
        failure.text += QStringLiteral("\n\n") + offer;
        if (show(ctx, failure, Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
            return std::nullopt;
        page = pageFromFile(ctx, parent);
        if (!page)
            return std::nullopt;
        fromFile = true;
    }
}

// Client information, court history and the answer grid, each filled from the sheet; true when the client was
// saved.
bool review(AppContext& ctx, QWidget* parent, const ScanReviewWindows& windows, const QString& name,
            const SheetReading& reading)
{
    ctx.flags.EditingClient = false;
    ctx.flags.ScanReview = true;
    MouseDefault();

    ctx.flags.ContinueFlag = false;
    if (!windows.clientInformation)
        return false;
    windows.clientInformation(
        parent, {name, reading.Gender, reading.DateBoxText, reading.Race, reading.Marital, reading.Education});
    if (!ctx.flags.ContinueFlag || !windows.courtHistory)
        return false;

    ctx.flags.ContinueFlag = false;
    CourtHistoryPrefill court;
    court.counts = reading.CourtCounts;
    windows.courtHistory(parent, court);
    if (!ctx.flags.ContinueFlag || !windows.answerGrid)
        return false;

    ClientTable& table = ctx.table;
    // The answers go only into the new client's slot, never over a client already in the file.
    if (table.CurClient <= table.NumClients || table.CurClient > ClientTable::MaxClients)
        return false;
    table.current().Responses = reading.Responses;
    ctx.flags.ContinueFlag = false;
    windows.answerGrid(parent);
    return ctx.flags.ContinueFlag;
}

} // namespace

QStringList SheetImageFilters()
{
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    QStringList patterns;
    for (const char* kind : {"png", "bmp", "jpg", "jpeg", "tif", "tiff", "pdf", "pgm", "ppm"}) {
        if (readable.contains(QByteArray(kind)))
            patterns << QStringLiteral("*.") + QLatin1String(kind);
    }
    // PNM, what this system's scanner tools save by default, is read by the PGM/PPM reader but has no name of its own.
    if (readable.contains("pgm"))
        patterns << QStringLiteral("*.pnm");
    return {QStringLiteral("Answer sheet images (%1)").arg(patterns.join(QLatin1Char(' '))),
            QStringLiteral("All files (*)")};
}

void RunScanChain(AppContext& ctx, QWidget* parent, const ScanReviewWindows& windows)
{
    ctx.flags.ContinueFlag = false;
    const std::optional<QString> name = askClientName(ctx, parent);
    if (!name)
        return;
    const std::optional<SheetReading> reading = acquireAndRead(ctx, parent, *name);
    if (!reading)
        return;

    const ScanMessage marks = reading->reviewMessage();
    if (!marks.isNull())
        show(ctx, marks, marks.buttons);

    const bool saved = review(ctx, parent, windows, *name, *reading);
    ctx.flags.ScanReview = false;
    ctx.flags.ContinueFlag = saved;
}
