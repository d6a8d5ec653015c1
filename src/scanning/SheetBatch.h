#pragma once
// A batch of answer sheets read in one go: every page is read and listed, in the order read, as ready, needing
// review (several marks, or marks too light or too close to call) or rejected with its reason; one page that
// cannot be read never stops the rest. The supervisor then names and reviews each sheet in that order, and may set
// a rejected one aside.

#include "ScanSheet.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

enum class BatchState { Ready, NeedsReview, Rejected, Saved, SetAside };

struct BatchSheet {
    QString source; // the image file, or the feeder's page
    ScanOutcome outcome;
    BatchState state = BatchState::Ready;
    // Rejected: why, in one paragraph. Needs review: the locations to check.
    QString reason;
    int client = 0; // saved as this client
};

class SheetBatch {
public:
    SheetBatch(QList<ScanItem> layout, const QDate& today) : m_layout(std::move(layout)), m_today(today) {}

    // Reads one page and lists it.
    const BatchSheet& add(const QString& source, const AcquiredPage& page);

    const QList<BatchSheet>& sheets() const { return m_sheets; }
    int size() const { return static_cast<int>(m_sheets.size()); }
    int count(BatchState state) const;

    // The first sheet from `from` on that is neither saved nor set aside; -1 when there is none.
    int nextToReview(int from = 0) const;
    void markSaved(int index, int client);
    void setAside(int index);

    // The state as the list shows it: "Ready", "Needs review", "Rejected", "Saved", "Set aside".
    static QString stateText(BatchState state);
    // What the list shows beside the state: the reason, the locations to check, or the client saved.
    static QString details(const BatchSheet& sheet);
    // "7 sheets read: 4 ready, 1 needs review, 2 rejected."
    QString summary() const;

private:
    QList<ScanItem> m_layout;
    QDate m_today;
    QList<BatchSheet> m_sheets;
};

// The image files of `folder` a batch reads, in name order (numbers in names counted as numbers); at most
// `limit`, with the number left over in `more`.
QStringList SheetFilesIn(const QString& folder, int limit, int* more = nullptr);

// A refusal's message as one paragraph for a list: its lines joined, "Aborting scan." left out.
QString RefusalReason(const ScanMessage& failure);
