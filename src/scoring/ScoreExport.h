#pragma once
// The scores of every client of a data location as one table, for spreadsheets and statistics: CSV or JSON.

#include "ScoringError.h"

#include <QByteArray>
#include <QStringList>

class ClientTable;

enum class ExportFormat { Csv, Json };

struct ScoreExportOptions {
    ExportFormat format = ExportFormat::Csv;
    // Without name and date of birth; the age at the test instead.
    bool deidentified = false;
    // The location's audit-trail head (COUNT:TAG) when the export was made: a last CSV line "audit_head,..." and a
    // field "audit_head" of each JSON object. Empty for a location without a trail.
    QString auditHead;
};

struct ScoreExport {
    QByteArray bytes;     // the whole file: CSV (UTF-8 with a byte-order mark, CR LF) or a JSON array
    int clients = 0;      // rows written
    QStringList problems; // one sentence per client that could not be scored (its row has empty scale fields)
    ScoringError error;   // set when nothing could be scored (a data file of the program folder is unusable)
};

// Scores every client of `clients` in client order, each as ScoreAndReport does (report composed, report.prn left
// alone), and lays the results out one row or object per client, each ending with the client's administration notes
// from the data location (empty or null for a client without notes that match it).
ScoreExport ExportScores(const QString& programDir, const ClientTable& clients, QChar brandCode,
                         const ScoreExportOptions& options);
