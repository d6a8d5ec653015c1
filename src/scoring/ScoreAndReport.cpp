#include "ScoreAndReport.h"

#include "PrivateFile.h"

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
    QByteArray bytes;
    if (ScoringError e = readFile(from, QStringLiteral("report file"), bytes))
        return e;
    if (const int err = PrivateFile::Replace(to, bytes))
        return {to, QStringLiteral("The report copy %1 cannot be written: %2.")
                        .arg(QDir::toNativeSeparators(to), PrivateFile::ErrorText(err))};
    return {};
}

} // namespace

ScoringError ScoreAndReport(const QString& programDir, const ClientTable& clients, QChar brandCode, ScoringRun* run)
{
    std::unique_ptr<ScoringRun> own;
    if (!run) {
        own = std::make_unique<ScoringRun>();
        run = own.get();
    }
    const int16_t n = clients.CurClient;
    if (n < 1 || n > clients.NumClients || n > ClientTable::MaxClients)
        return {clients.ClientFilePath,
                clients.NumClients < 1 ? QStringLiteral("There are no clients on this data location to score.")
                                       : QStringLiteral("Client %1 does not exist; the clients are numbered 1 to %2.")
                                             .arg(n)
                                             .arg(clients.NumClients)};

    const QString scoringPath = programDir + QLatin1Char('/') + QLatin1String(ScoringFileName);
    const QString wordingPath = programDir + QLatin1Char('/') + QLatin1String(WordingFileName);
    QByteArray scoring;
    QByteArray wording;
    if (ScoringError e = readFile(scoringPath, QStringLiteral("scoring tables file"), scoring))
        return e;
    if (ScoringError e = readFile(wordingPath, QStringLiteral("report wording file"), wording))
        return e;
    if (ScoringError e = LoadScoringData(scoring, wording, run->tables, run->wording,
                                         QDir::toNativeSeparators(scoringPath), QDir::toNativeSeparators(wordingPath)))
        return e;

    if (ScoringError e = TakeClientSnapshot(clients.Clients[n], n, run->snapshot, run->sheet)) {
        e.file = clients.ClientFilePath;
        e.message += QStringLiteral(" (client file %1)").arg(QDir::toNativeSeparators(clients.ClientFilePath));
        return e;
    }
    ComputeRawScores(run->tables, run->snapshot, run->sheet);
    ComputePercentiles(run->tables, run->snapshot, run->sheet);
    return WriteReport(programDir, *run, brandCode);
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
