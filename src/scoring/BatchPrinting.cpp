#include "BatchPrinting.h"

#include "ClientTable.h"
#include "ScoreAndReport.h"

BatchOutcome PrintBatch(const QString& programDir, ClientTable& table, const QList<int>& clients,
                        const BatchSteps& steps)
{
    const auto count = static_cast<int>(clients.size());
    BatchOutcome out;
    auto fail = [&](BatchOutcome::Result result, int client, const QString& problem) {
        out.result = result;
        out.client = client;
        out.problem = problem;
        return out;
    };
    for (int j = 1; j <= count; ++j) {
        const int client = clients[j - 1];
        if (steps.progress && !steps.progress(BatchStage::Scoring, j, count, client))
            return fail(BatchOutcome::Stopped, client, QString());
        table.CurClient = static_cast<int16_t>(client);
        if (const ScoringError e = steps.score())
            return fail(BatchOutcome::StepFailed, client, e.message);
        if (const ScoringError e = SaveNumberedCopy(programDir, j))
            return fail(BatchOutcome::CopyFailed, client, e.message);
    }
    out.stage = BatchStage::Printing;
    for (int j = 1; j <= count; ++j) {
        const int client = clients[j - 1];
        if (steps.progress && !steps.progress(BatchStage::Printing, j, count, client))
            return fail(BatchOutcome::Stopped, client, QString());
        table.CurClient = static_cast<int16_t>(client);
        if (const ScoringError e = RestoreNumberedCopy(programDir, j))
            return fail(BatchOutcome::CopyFailed, client, e.message);
        if (const QString problem = steps.print(client); !problem.isEmpty())
            return fail(BatchOutcome::StepFailed, client, problem);
        out.printed = j;
    }
    return out;
}

QString PrintAllReports(const QString& programDir, ClientTable& table, const BatchSteps& steps)
{
    QList<int> clients;
    for (int n = 1; n <= table.NumClients; ++n)
        clients << n;
    const BatchOutcome out = PrintBatch(programDir, table, clients, steps);
    table.CurClient = table.NumClients > 0 ? 1 : 0;
    const bool scoring = out.stage == BatchStage::Scoring;
    switch (out.result) {
    case BatchOutcome::Done:
        return {};
    case BatchOutcome::Stopped:
        return scoring ? QStringLiteral("Printing was stopped before any report was printed.")
                       : QStringLiteral("Printing was stopped after %1 of %2 reports.")
                             .arg(out.printed)
                             .arg(clients.size());
    case BatchOutcome::StepFailed:
        return (scoring ? QStringLiteral("The report of client %1 could not be written: %2")
                        : QStringLiteral("The report of client %1 could not be printed: %2"))
            .arg(out.client)
            .arg(out.problem);
    case BatchOutcome::CopyFailed:
        break;
    }
    return out.problem;
}
