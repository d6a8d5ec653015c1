#include "ScanChain.h"

#include "AppContext.h"
#include "Clock.h"
#include "FileDialogs.h"
#include "FileScanner.h"
#include "Profile.h"
#include "SaneScanner.h"
#include "SavedSheets.h"
#include "ScanMessages.h"
#include "ScanSheet.h"
#include "SheetImagePanel.h"
#include "WindowRoutines.h"
#include "frmMyInputBox.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QScopeGuard>
#include <QStandardPaths>
#include <optional>

namespace {

const QString SingleScanTitle = QStringLiteral("Scan Answer Sheet");

Prompts::Answer show(AppContext& ctx, const ScanMessage& m, Prompts::Buttons buttons)
{
    return ctx.prompts.message(m.text, m.title, m.icon, buttons);
}

// A page read from an image file the supervisor chooses; nothing when the chooser was cancelled. `source`
// receives the file's name.
std::optional<AcquiredPage> pageFromFile(AppContext& ctx, QWidget* parent, QString& source)
{
    if (!ctx.files)
        return std::nullopt;
    const QString path = ctx.files->openFile(parent, QStringLiteral("Open Scanned Answer Sheet"), SheetImageFolder(ctx),
                                             SheetImageFilters());
    if (path.isEmpty())
        return std::nullopt;
    // Only a convenience for the next scan: a settings file that cannot be written costs nothing else.
    ctx.settings.write(QLatin1String(SaneSettings::Section), QLatin1String(ImageFolderKey),
                       QFileInfo(path).absolutePath());
    MouseWait();
    AcquiredPage page = FileScanner(path).acquire();
    MouseDefault();
    source = QFileInfo(path).fileName();
    return page;
}

// Acquires the page and reads it; nothing when the supervisor stopped or a message ended the scan. `source`
// receives where the sheet came from, `imageHash` the page's hash as a batch keeps it.
std::optional<ScanOutcome> acquireAndRead(AppContext& ctx, QWidget* parent, const QString& name, QString& source,
                                          QByteArray& imageHash)
{
    std::optional<AcquiredPage> page;
    bool fromFile = false;
    source = QStringLiteral("from the scanner");
    if (ctx.scanner) {
        if (show(ctx, ScanMessages::InsertSheet(name), Prompts::Buttons::OkCancel) != Prompts::Answer::Ok)
            return std::nullopt;
        MouseWait();
        page = ctx.scanner->acquire();
        MouseDefault();
    } else {
        // No scanner in this run: the sheet can only come from an image file.
        page = pageFromFile(ctx, parent, source);
        if (!page)
            return std::nullopt;
        fromFile = true;
    }

    for (;;) {
        // A sheet saved before would become a second client with the same answers: only when the supervisor says so.
        if (page->ok())
            if (const int savedAs = SavedSheets::read(ctx.table.DataPath).clientOf(SavedSheets::hashOf(page->image));
                savedAs > 0 &&
                ctx.prompts.message(QStringLiteral("This answer sheet's image was already saved as client %1.\r\rRead "
                                                   "it again and save it as a new client?")
                                        .arg(savedAs),
                                    SingleScanTitle, Prompts::Icon::Question,
                                    Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
                return std::nullopt;
        MouseWait();
        ScanOutcome outcome = ScanSheet(*page, ctx.workspace, ctx.clock.today());
        MouseDefault();
        if (outcome.ok) {
            imageHash = SavedSheets::hashOf(page->image);
            return outcome;
        }
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
        page = pageFromFile(ctx, parent, source);
        if (!page)
            return std::nullopt;
        fromFile = true;
    }
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

std::optional<QString> AskClientName(AppContext& ctx, QWidget* parent)
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

QString SheetImageFolder(const AppContext& ctx)
{
    const QString saved =
        ctx.settings.read(QLatin1String(SaneSettings::Section), QLatin1String(ImageFolderKey), QString(), 1024);
    if (!saved.isEmpty() && QFileInfo(saved).isDir())
        return saved;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

bool ReviewSheet(AppContext& ctx, QWidget* parent, const ScanReviewWindows& windows, const QString& name,
                 const ScanOutcome& outcome, const QString& source)
{
    const SheetReading& reading = outcome.reading;
    ctx.flags.EditingClient = false;
    ctx.flags.ScanReview = true;
    ctx.reviewPanel = [&outcome, &source](QWidget* window) -> SheetReviewPanel* {
        return new SheetImagePanel(outcome, source, window);
    };
    // Whatever way the review ends, the windows opened after it are no review.
    const auto done = qScopeGuard([&ctx] {
        ctx.flags.ScanReview = false;
        ctx.reviewPanel = nullptr;
    });
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

void RunScanChain(AppContext& ctx, QWidget* parent, const ScanReviewWindows& windows)
{
    ctx.flags.ContinueFlag = false;
    const std::optional<QString> name = AskClientName(ctx, parent);
    if (!name)
        return;
    QString source;
    QByteArray imageHash;
    const std::optional<ScanOutcome> outcome = acquireAndRead(ctx, parent, *name, source, imageHash);
    if (!outcome)
        return;

    const ScanMessage marks = outcome->reading.reviewMessage();
    if (!marks.isNull())
        show(ctx, marks, marks.buttons);

    ctx.flags.ContinueFlag = ReviewSheet(ctx, parent, windows, *name, *outcome, source);
    if (ctx.flags.ContinueFlag)
        ctx.client.audit(QStringLiteral("scanned-sheet-saved"), ctx.table.NumClients,
                         {{QStringLiteral("image-sha256"), QString::fromLatin1(imageHash)},
                          {QStringLiteral("source"), source}});
    // Kept as a batch keeps it, so that the same sheet read later in a batch is listed as already saved.
    if (ctx.flags.ContinueFlag)
        if (const QString unkept = SavedSheets::read(ctx.table.DataPath).record(imageHash, ctx.table.NumClients);
            !unkept.isEmpty())
            ctx.prompts.message(unkept, SingleScanTitle, Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
}
