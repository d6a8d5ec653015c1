#pragma once
// The scores of every client of a data location as one table, for spreadsheets and statistics: CSV or JSON.

#include "AdministrationNotes.h"
#include "ClientRecord.h"
#include "ScoreSheet.h"
#include "ScoringError.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

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

// One client of a location as the export and the results store see it.
struct ScoredClient {
    int slot = 0;
    ClientRecord record;
    std::optional<ScoreSheet> sheet; // none when the client could not be scored
    std::optional<AdministrationNotes> notes;
};

struct ScoredLocation {
    QList<ScoredClient> clients; // slot order
    QStringList problems;        // one sentence per client that could not be scored
    ScoringError error;          // a data file of the program folder is unusable: nothing was scored
};

// Scores every client of `clients` as ScoreAndReport does (report composed, report.prn left alone); messages name a
// client by number only when `deidentified`.
ScoredLocation ScoreLocation(const QString& programDir, const ClientTable& clients, QChar brandCode,
                             bool deidentified);

// Whole years from the date of birth to the test date (both MM/dd/yyyy); none when either is not a date.
std::optional<int> AgeAtTest(const ClientRecord& r);

// The range of scale `s` as exports and stores name it: low, medium, problem, maximum or not_scored.
QString ScaleRangeName(const ScoreSheet& sheet, int s);
// The range a name ScaleRangeName gives stands for: 1..4, low to maximum; 0 for "not_scored" or any other text.
int ScaleRangeOfName(QStringView name);

// Scores every client of `clients` in client order, each as ScoreAndReport does (report composed, report.prn left
// alone), and lays the results out one row or object per client, each ending with the client's administration notes
// from the data location (empty or null for a client without notes that match it).
ScoreExport ExportScores(const QString& programDir, const ClientTable& clients, QChar brandCode,
                         const ScoreExportOptions& options);
