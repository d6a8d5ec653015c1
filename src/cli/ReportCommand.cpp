// veltrane-cli report: scores one client of a data location and writes (and optionally prints to PDF) its report.

#include "Commands.h"

#include "ClientTable.h"
#include "PdfReportPrinter.h"
#include "PrivateFile.h"
#include "Profile.h"
#include "ReportPrinting.h"
#include "ScoreAndReport.h"
#include "Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

const char* kUsage =
    "usage: veltrane-cli report [--program-dir DIR] [--data-dir DIR] --client N [--scores] [--pdf FILE]\n"
    "                           [--passphrase-file FILE]\n"
    "\n"
    "Scores client N of the client file in the data folder with the scoring files of the program folder and\n"
    "writes the report to report.prn in the program folder, as the program does.\n"
    "\n"
    "  --program-dir DIR  the program folder (QNB.TXT, QNRPT.TXT, paragraph files, and Quillan.ini for the\n"
    "                     brand of the report's last line; report.prn is written here); by default the folder\n"
    "                     the program runs on (an installed program's is the user's site folder)\n"
    "  --data-dir DIR     the data location holding DATA401.QN; by default the one the program last opened\n"
    "  --client N         the client's number, 1 to the number of clients\n"
    "  --scores           print the six scales as one JSON object on standard output\n"
    "  --pdf FILE         also print the report into the PDF file FILE, as it would be printed\n"
    "  --passphrase-file FILE  the passphrase of an encrypted data location, on the first line of FILE;\n"
    "                     without it the passphrase is typed on the terminal, not shown\n"
    "\n"
    "Exit status: 0 done; 1 a data file, the client file or the client number is unusable; 2 bad arguments.\n";

int usageError(const QString& problem)
{
    std::fprintf(stderr, "veltrane-cli report: %s\n\n%s", qPrintable(problem), kUsage);
    return 2;
}

int failure(const QString& message)
{
    std::fprintf(stderr, "veltrane-cli report: %s\n", qPrintable(message));
    return 1;
}

QByteArray scoresJson(const ScoringRun& run)
{
    QJsonArray scales;
    for (int s = 1; s <= NumScales; ++s) {
        scales.append(QJsonObject{{QStringLiteral("scale"), s},
                                  {QStringLiteral("name"), run.wording.ScaleNames[s]},
                                  {QStringLiteral("raw"), run.sheet.RawPoints[s]},
                                  {QStringLiteral("percentile"), run.sheet.Percentile[s]},
                                  {QStringLiteral("omitted"), run.sheet.OmittedCount[s]},
                                  {QStringLiteral("endorsed"), s <= NumTableScales ? run.sheet.EndorsedCount[s] : 0}});
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("scales"), scales}}).toJson(QJsonDocument::Compact);
}

} // namespace

int runReport(const QStringList& args)
{
    QString programDir;
    QString dataDir;
    QString clientText;
    QString pdfPath;
    QString passphraseFile;
    bool scores = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == QLatin1String("--scores")) {
            scores = true;
            continue;
        }
        QString* target = nullptr;
        if (a == QLatin1String("--program-dir"))
            target = &programDir;
        else if (a == QLatin1String("--data-dir"))
            target = &dataDir;
        else if (a == QLatin1String("--client"))
            target = &clientText;
        else if (a == QLatin1String("--pdf"))
            target = &pdfPath;
        else if (a == QLatin1String("--passphrase-file"))
            target = &passphraseFile;
        else
            return usageError(QStringLiteral("unknown argument '%1'").arg(a));
        if (i + 1 >= args.size() || args[i + 1].isEmpty())
            return usageError(QStringLiteral("%1 needs a value").arg(a));
        if (!target->isEmpty())
            return usageError(QStringLiteral("%1 is given twice").arg(a));
        *target = args[++i];
    }
    if (clientText.isEmpty())
        return usageError(QStringLiteral("--client is required"));
    bool numeric = false;
    const int client = clientText.toInt(&numeric);
    if (!numeric)
        return usageError(QStringLiteral("--client needs a whole number, not '%1'").arg(clientText));

    if (!programDir.isEmpty() && !QFileInfo(programDir).isDir())
        return failure(
            QStringLiteral("The program folder %1 does not exist.").arg(QDir::toNativeSeparators(programDir)));
    const QString program = QDir::cleanPath(CommandProgramDir(programDir));
    if (program.isEmpty())
        return 1;
    const Profile settings(program + QStringLiteral("/Quillan.ini"));
    if (dataDir.isEmpty())
        dataDir = GetINIFilePath(settings);
    ClientTable table;
    table.setDataPath(QDir::cleanPath(dataDir));
    const QStringList own = CommandOwnFolders(program, table.DataPath);
    // Checked before the client is scored, and not again when the PDF is written.
    const PrivateFile::CheckedOutput pdfTarget = PrivateFile::CheckOutput(QFileInfo(pdfPath).absoluteFilePath(), own);
    if (!pdfPath.isEmpty() && pdfTarget.refused())
        return failure(QStringLiteral("The PDF was not saved. %1").arg(pdfTarget.refusal()));
    if (const QString e = UnlockDataDir(table.DataPath, passphraseFile); !e.isEmpty())
        return failure(e);
    // A checking tool must not change the location it checks, so a missing client file is not created.
    const ClientTable::LoadResult loaded = table.LoadClients(ClientTable::MissingFile::Refuse);
    if (loaded.error)
        return failure(ClientFileProblem(table, loaded.error));
    if (client < 1 || client > table.NumClients)
        return failure(table.NumClients == 0
                           ? QStringLiteral("The client file %1 holds no clients, so there is no client %2.")
                                 .arg(QDir::toNativeSeparators(table.ClientFilePath))
                                 .arg(client)
                           : QStringLiteral("There is no client %1 in %2: its clients are numbered 1 to %3.")
                                 .arg(client)
                                 .arg(QDir::toNativeSeparators(table.ClientFilePath))
                                 .arg(table.NumClients));
    table.CurClient = static_cast<int16_t>(client);

    ScoringRun run;
    // The brand the installation was provisioned with, read from its settings file as the program reads it.
    const QString brand = GetINIBrandCode(settings);
    if (ScoringError e = ScoreAndReport(program, table, brand.isEmpty() ? PublisherBrandCode : brand.at(0), &run))
        return failure(e.message);
    if (!pdfPath.isEmpty()) {
        PdfReportPrinter pdf(pdfTarget);
        const PrintOutcome printed = PrintReport(program, pdf);
        if (!printed.printed())
            return failure(printed.message);
    }
    if (scores)
        std::printf("%s\n", scoresJson(run).constData());
    return 0;
}
