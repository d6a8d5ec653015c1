#pragma once
// Printing the reports of many clients. Every report is scored into a numbered copy before the first comes out, so
// a client that cannot be scored stops the batch before anything is printed; the copies then come out in order.

#include "ScoringError.h"

#include <QList>
#include <QString>
#include <functional>

class ClientTable;

enum class BatchStage { Scoring, Printing };

struct BatchSteps {
    // Scores client `table.CurClient` into report.prn.
    std::function<ScoringError()> score;
    // Prints report.prn as the report of `client`; what kept it from coming out, or an empty string.
    std::function<QString(int client)> print;
    // Told before each step: its stage, its place n of count and its client; false stops the batch there.
    std::function<bool(BatchStage stage, int n, int count, int client)> progress;
};

struct BatchOutcome {
    enum Result { Done, Stopped, StepFailed, CopyFailed };
    Result result = Done;
    BatchStage stage = BatchStage::Scoring; // where a batch that did not finish ended
    int printed = 0;                        // reports that came out
    int client = 0;                         // the client at fault
    QString problem;                        // what went wrong, for the supervisor
};

// Scores `clients` in order into numbered copies 1..n of the program folder, then restores and prints each copy in
// order. `table.CurClient` is the client of each step and is left at the last one.
BatchOutcome PrintBatch(const QString& programDir, ClientTable& table, const QList<int>& clients,
                        const BatchSteps& steps);

// Prints every client's report with PrintBatch; `table.CurClient` ends at the first client. Returns what to tell the
// supervisor when a report did not come out, or an empty string when every report did.
QString PrintAllReports(const QString& programDir, ClientTable& table, const BatchSteps& steps);
