#include "ScoreAndReport.h"

#include "PrivateFile.h"
#include "RecordDamage.h"

#include <QDir>
#include <QFile>
#include <memory>

namespace {

ScoringError readFile(const QString& path, const QString& what, QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {
            path,
            QStringLiteral("The %1 %2 cannot be read: %3.").arg(what, QDir::toNativeSeparators(path), f.errorString())};
    bytes = f.readAll();
    return {};
}

ScoringError copyFile(const QString& from, const QString& to)
{
    // Neither name is followed if it is a link: a copy never prints or overwrites a file someone pointed it at.
    QByteArray bytes;
    if (const int err = PrivateFile::Read(from, bytes))
        return {from, QStringLiteral("The report file %1 cannot be read: %2.")
                          .arg(QDir::toNativeSeparators(from), PrivateFile::ErrorText(err))};
    if (const int err = PrivateFile::Replace(to, bytes))
        return {to, QStringLiteral("The report copy %1 cannot be written: %2.")
                        .arg(QDir::toNativeSeparators(to), PrivateFile::ErrorText(err))};
    return {};
}

} // namespace

ScoringError LoadProgramScoringData(const QString& programDir, ScoringRun& run)
{
    const QString scoringPath = programDir + QLatin1Char('/') + QLatin1String(ScoringFileName);
    const QString wordingPath = programDir + QLatin1Char('/') + QLatin1String(WordingFileName);
    QByteArray scoring;
    QByteArray wording;
    if (ScoringError e = readFile(scoringPath, QStringLiteral("scoring tables file"), scoring))
        return e;
    if (ScoringError e = readFile(wordingPath, QStringLiteral("report wording file"), wording))
        return e;
    return LoadScoringData(scoring, wording, run.tables, run.wording, QDir::toNativeSeparators(scoringPath),
                           QDir::toNativeSeparators(wordingPath));
}

ScoringError ScoreClientScales(const ClientTable& clients, int16_t n, ScoringRun& run)
{
    if (n < 1 || n > clients.NumClients || n > ClientTable::MaxClients)
        return {clients.ClientFilePath,
                clients.NumClients < 1 ? QStringLiteral("There are no clients on this data location to score.")
                                       : QStringLiteral("Client %1 does not exist; the clients are numbered 1 to %2.")
                                             .arg(n)
                                             .arg(clients.NumClients)};
    // A damaged record would score as something it never said (a count of "-9" subtracts, a letter counts as
    // omitted), so it gets no report at all.
    if (const QString damage = clients.damage(n); !damage.isEmpty())
        return {clients.ClientFilePath,
                QStringLiteral("%1 has a damaged record in the client file %2: its %3. No report is made for it.")
                    .arg(ClientLabel(clients.Clients[n], n), QDir::toNativeSeparators(clients.ClientFilePath), damage)};
    if (ScoringError e = TakeClientSnapshot(clients.Clients[n], n, run.snapshot, run.sheet)) {
        e.file = clients.ClientFilePath;
        e.message += QStringLiteral(" (client file %1)").arg(QDir::toNativeSeparators(clients.ClientFilePath));
        return e;
    }
    ComputeRawScores(run.tables, run.snapshot, run.sheet);
    ComputePercentiles(run.tables, run.snapshot, run.sheet);
    return {};
}

ScoringError ScoreClient(const QString& programDir, const ClientTable& clients, QChar brandCode, ScoringRun& run,
                         QByteArray& report)
{
    if (ScoringError e = ScoreClientScales(clients, clients.CurClient, run))
        return e;
    return ComposeReport(run, brandCode, ProgramFolderParagraphs(programDir), report);
}

ScoringError ScoreAndReport(const QString& programDir, const ClientTable& clients, QChar brandCode, ScoringRun* run)
{
    std::unique_ptr<ScoringRun> own;
    if (!run) {
        own = std::make_unique<ScoringRun>();
        run = own.get();
    }
    // A client that does not exist is named before any data file is read.
    QByteArray report;
    if (clients.CurClient < 1 || clients.CurClient > clients.NumClients)
        return ScoreClient(programDir, clients, brandCode, *run, report);
    if (ScoringError e = LoadProgramScoringData(programDir, *run))
        return e;
    if (ScoringError e = ScoreClient(programDir, clients, brandCode, *run, report))
        return e;
    return SaveReportFile(programDir, report);
}

QString NumberedCopyPath(const QString& programDir, int n)
{
    return programDir + QStringLiteral("/temp") + QString::number(n);
}

ScoringError SaveNumberedCopy(const QString& programDir, int n)
{
    return copyFile(ReportFilePath(programDir), NumberedCopyPath(programDir, n));
}

ScoringError RestoreNumberedCopy(const QString& programDir, int n)
{
    return copyFile(NumberedCopyPath(programDir, n), ReportFilePath(programDir));
}
