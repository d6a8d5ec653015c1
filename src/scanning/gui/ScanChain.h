#pragma once
// One scan of a marked answer sheet as the supervisor goes through it: the client's name, the sheet acquired from
// the scanner (or read from an image file the scanner's own software saved), the failure and multiple-marks
// messages, then the review windows filled from the sheet.

#include "IntakePrefill.h"

#include <QString>
#include <functional>
#include <optional>

struct AppContext;
struct ScanOutcome;
class QWidget;

// Its name filters: the image kinds this installation reads, then every file (so that a file of another kind gets
// a message that says why it cannot be read).
QStringList SheetImageFilters();

// The windows a scan hands over to, each shown modally and leaving its outcome in ContinueFlag. The app wires
// them to the client information, court history and answer grid windows.
struct ScanReviewWindows {
    std::function<void(QWidget* parent, const ClientInfoPrefill&)> clientInformation;
    std::function<void(QWidget* parent, const CourtHistoryPrefill&)> courtHistory;
    // Shows the answer grid for the current client, whose Responses already hold the answers read.
    std::function<void(QWidget* parent)> answerGrid;
};

// Settings file key (in the scanner's section) of the folder the last sheet image was chosen from.
constexpr const char* ImageFolderKey = "ImageFolder";

// The client's name from the scan's input box; nothing when it was cancelled.
std::optional<QString> AskClientName(AppContext& ctx, QWidget* parent);

// The review of one read sheet: client information, court history and the answer grid, each filled from the sheet,
// with the sheet's image beside them (`source` names it there). A new client takes slot NumClients + 1 only when
// its client information is accepted and is counted only when the answer grid saves it. True when it was saved.
bool ReviewSheet(AppContext& ctx, QWidget* parent, const ScanReviewWindows& windows, const QString& name,
                 const ScanOutcome& outcome, const QString& source);

// Where the image-file chooser starts: the folder the last sheet came from, else the pictures folder.
QString SheetImageFolder(const AppContext& ctx);

// Runs one scan from the name prompt to the end of the review. A new client takes slot NumClients + 1 only when
// its client information is accepted and is counted only when the answer grid saves it (the review windows blank
// a new client they end without saving); a failure before the review changes no client. ContinueFlag tells
// whether a client was saved.
void RunScanChain(AppContext& ctx, QWidget* parent, const ScanReviewWindows& windows);
