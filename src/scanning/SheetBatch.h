#pragma once
// A batch of answer sheets read in one go: every page is read and listed, in the order read, as ready, needing
// review (several marks, or marks too light or too close to call) or rejected with its reason; one page that
// cannot be read never stops the rest. The supervisor then names and reviews each sheet in that order, and may set
// a rejected one aside.

#include "SavedSheets.h"
#include "ScanSheet.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

enum class BatchState { Ready, NeedsReview, Rejected, Saved, SetAside, AlreadySaved };

struct BatchSheet {
    QString source; // the image file, or the feeder's page
    ScanOutcome outcome;
    BatchState state = BatchState::Ready;
    // Rejected: why, in one paragraph. Needs review: the locations to check.
    QString reason;
    int client = 0; // saved as this client (also before this batch: AlreadySaved)
    QByteArray imageHash;
};

class SheetBatch {
public:
    SheetBatch(QList<ScanItem> layout, const QDate& today) : m_layout(std::move(layout)), m_today(today) {}

    // The images already saved as clients of the data location: such a page is listed as saved, never read again.
    void useSavedSheets(SavedSheets saved) { m_saved = std::move(saved); }

    // Reads one page and lists it.
    const BatchSheet& add(const QString& source, const AcquiredPage& page);

    const QList<BatchSheet>& sheets() const { return m_sheets; }
    int size() const { return static_cast<int>(m_sheets.size()); }
    int count(BatchState state) const;

    // The first sheet from `from` on that is neither saved nor set aside; -1 when there is none.
    int nextToReview(int from = 0) const;
    // Marks the sheet saved as `client` and keeps its image's hash with the saved sheets; a later sheet of the same
    // image is then already saved. What could not be kept, or an empty string.
    QString markSaved(int index, int client);
    void setAside(int index);

    // The state as the list shows it: "Ready", "Needs review", "Rejected", "Saved", "Set aside".
    static QString stateText(BatchState state);
    // The same for one sheet: "Already saved as client 7" for an image saved before.
    static QString stateText(const BatchSheet& sheet);
    // What the list shows beside the state: the reason, the locations to check, or the client saved.
    static QString details(const BatchSheet& sheet);
    // "7 sheets read: 4 ready, 1 needs review, 2 rejected."
    QString summary() const;

private:
    QList<ScanItem> m_layout;
    QDate m_today;
    QList<BatchSheet> m_sheets;
    SavedSheets m_saved;
};

// The image files of `folder` a batch reads, in name order (numbers in names counted as numbers); at most
// `limit`, with the number left over in `more`.
QStringList SheetFilesIn(const QString& folder, int limit, int* more = nullptr);

// A refusal's message as one paragraph for a list: its lines joined, "Aborting scan." left out.
QString RefusalReason(const ScanMessage& failure);
