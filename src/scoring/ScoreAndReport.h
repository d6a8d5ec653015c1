#pragma once
// One scoring run: the data files of the program folder, the current client, the report file.

#include "ClientTable.h"
#include "ReportWriter.h"
#include "Scoring.h"

// Scores client `clients.CurClient` with QNB.TXT and QNRPT.TXT of the program folder and replaces report.prn there
// with its report. Nothing is kept between runs. On failure report.prn is left as it was and the error names the file
// at fault (a data file, a paragraph file, the client file for an unusable record, or the report file). When `run` is
// given it receives the tables, wording, snapshot and scores of the run.
ScoringError ScoreAndReport(const QString& programDir, const ClientTable& clients, QChar brandCode,
                            ScoringRun* run = nullptr);

// The first step of every run: QNB.TXT and QNRPT.TXT of the program folder, read into the run's tables and wording.
ScoringError LoadProgramScoringData(const QString& programDir, ScoringRun& run);

// The rest of a run short of writing report.prn, with the tables and wording already in `run`: scores client
// `clients.CurClient` and composes its report into `report`. Callers that score many clients (the score export)
// read the data files once and call this for each.
ScoringError ScoreClient(const QString& programDir, const ClientTable& clients, QChar brandCode, ScoringRun& run,
                         QByteArray& report);

// The scale scores of client `n` alone, with the tables already in `run`: no report is composed. Refuses a client
// that does not exist or whose record is damaged, as ScoreClient does.
ScoringError ScoreClientScales(const ClientTable& clients, int16_t n, ScoringRun& run);

// The numbered copy n of the report for batch printing: "temp" and n, without extension, in the program folder.
QString NumberedCopyPath(const QString& programDir, int n);
// Copies report.prn to numbered copy n, replacing an older one.
ScoringError SaveNumberedCopy(const QString& programDir, int n);
// Copies numbered copy n over report.prn.
ScoringError RestoreNumberedCopy(const QString& programDir, int n);
