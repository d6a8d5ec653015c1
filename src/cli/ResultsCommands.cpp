// veltrane-cli publish, import and summary: a data location's results into a store, a carried bundle loaded into
// one, and what a store holds, counted.

#include "Commands.h"

#include "ClientTable.h"
#include "LocationLock.h"
#include "Profile.h"
#include "Publication.h"
#include "ReportWriter.h"
#include "Settings.h"
#include "Summary.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

const char* kPublishUsage =
    "usage: veltrane-cli publish [--program-dir DIR] [--data-dir DIR] [--to TARGET] [--passphrase-file FILE]\n"
    "\n"
    "Scores every client of the data location and writes each scored administration into a results store, in one\n"
    "transaction: no name, no date of birth and no free text; the office, the location's and the administration's\n"
    "identities, the test date, the age at test, the codes and counts, the scores, the administration notes, the\n"
    "audit-trail head, the scoring files' SHA-256 and the program version. Publishing again adds nothing; a client\n"
    "changed since is added as a new version that supersedes the earlier one, which is kept as it was.\n"
    "\n"
    "  --program-dir DIR  the program folder; by default the folder the program runs on\n"
    "  --data-dir DIR     the data location; by default the one the program last opened\n"
    "  --to TARGET        a SQLite file, postgresql://[user@]host[:port]/database, or FILE.vltbundle (a file to\n"
    "                     carry to a store and load there with veltrane-cli import); by default Store= of\n"
    "                     section Results of the settings file, else results.sqlite in the site folder\n"
    "  --passphrase-file FILE  the passphrase of an encrypted data location, on the first line of FILE; without\n"
    "                     it the passphrase is typed on the terminal\n"
    "\n"
    "Office= of section Results names the office. With AgencyKey= (hex or base64) each administration carries a\n"
    "client key: an HMAC-SHA256 of the name and date of birth that links a client's tests without naming him.\n"
    "A PostgreSQL password comes from ~/.pgpass, or is asked for on the terminal; never from an argument.\n"
    "Not while a program has the data location open. Exit status: 0 published; 1 nothing was published, or a\n"
    "client could not be scored (the others are published).\n";

const char* kImportUsage =
    "usage: veltrane-cli import FILE.vltbundle --to TARGET\n"
    "\n"
    "Loads a bundle written by publish --to FILE.vltbundle into a results store (a SQLite file or\n"
    "postgresql://[user@]host[:port]/database), in one transaction. What the store already holds is not added\n"
    "again, so a bundle loaded twice counts once. A bundle that was changed or cut short is refused whole.\n"
    "Exit status: 0 loaded; 1 nothing was loaded.\n";

const char* kSummaryUsage =
    "usage: veltrane-cli summary --from TARGET [--office NAME] [--since DATE] [--format text|csv|json]\n"
    "                            [--program-dir DIR]\n"
    "\n"
    "Counts the current version of each administration of a results store: administrations by office and month,\n"
    "and for each scale how many fell in each range (low, medium, problem, maximum, not scored) and the median\n"
    "percentile. Invalid administrations are counted apart and left out of the scales.\n"
    "\n"
    "  --from TARGET      a SQLite file or postgresql://[user@]host[:port]/database\n"
    "  --office NAME      only this office\n"
    "  --since DATE       only tests on or after DATE (yyyy-mm-dd)\n"
    "  --format text|csv|json  text (the default), CSV (CR LF) or a JSON object\n"
    "  --program-dir DIR  name the scales in the text as this program folder's wording does (else by number)\n"
    "Exit status: 0 summarised; 1 the store cannot be read, or a bad argument.\n";

// The password the server asks for, read from the terminal with its echo off; none without a terminal.
std::optional<QString> askOnTerminal(const QString& question)
{
    const int tty = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (tty < 0)
        return std::nullopt;
    termios was{};
    const bool terminal = tcgetattr(tty, &was) == 0;
    std::optional<QString> out;
    if (terminal) {
        termios quiet = was;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        const QByteArray q = question.toUtf8() + ' ';
        if (::write(tty, q.constData(), size_t(q.size())) >= 0 && tcsetattr(tty, TCSAFLUSH, &quiet) == 0) {
            QByteArray line;
            char c = 0;
            while (::read(tty, &c, 1) == 1 && c != '\n')
                line += c;
            tcsetattr(tty, TCSAFLUSH, &was);
            (void)!::write(tty, "\n", 1);
            out = QString::fromUtf8(line);
            line.fill('\0');
        }
    }
    ::close(tty);
    return out;
}

std::optional<Results::StoreTarget> targetOf(const char* command, const QString& text)
{
    QString why;
    std::optional<Results::StoreTarget> t = Results::StoreTarget::parse(text, &why);
    if (!t)
        fail(command, why);
    return t;
}

Results::PublishProgress progressOnTerminal(const char* verb)
{
    if (!isatty(STDERR_FILENO))
        return {};
    return [verb](int done, int total) {
        if (done == total || done % 100 == 0)
            std::fprintf(stderr, "\r%s %d of %d%s", verb, done, total, done == total ? "\n" : "");
        return true;
    };
}

} // namespace

int PublishCommand(const QStringList& args)
{
    const char* name = "publish";
    const Args a = parse(args, {QStringLiteral("--program-dir"), QStringLiteral("--data-dir"), QStringLiteral("--to")},
                         {});
    if (a.help) {
        std::fputs(kPublishUsage, stdout);
        return 0;
    }
    if (const QString p = argumentProblem(a, {}); !p.isEmpty())
        return fail(name, p, kPublishUsage);
    const QString given = a.values.value(QStringLiteral("--program-dir"));
    if (const QString p = given.isEmpty() ? QString() : missingFolder(QStringLiteral("program folder"), given);
        !p.isEmpty())
        return fail(name, p);
    const QString program = QDir::cleanPath(CommandProgramDir(given));
    if (program.isEmpty() || program == QLatin1String("."))
        return 1;
    const Profile settings(program + QStringLiteral("/Quillan.ini"));
    const QString data = QDir::cleanPath(a.values.value(QStringLiteral("--data-dir"), GetINIFilePath(settings)));
    if (const QString p = dataDirProblem(a, data); !p.isEmpty())
        return fail(name, p);
    Results::PublishRequest request;
    request.programDir = program;
    request.config = Results::ReadResultsConfig(settings, CommandSiteFolder());
    if (!request.config.problem.isEmpty())
        std::fprintf(stderr, "veltrane-cli publish: %s\n", qPrintable(request.config.problem));
    const std::optional<Results::StoreTarget> target =
        targetOf(name, a.values.value(QStringLiteral("--to"), request.config.store));
    if (!target)
        return 1;
    request.target = *target;
    // Identities are kept in the location's notes: never beside a program that writes them too.
    LocationLock lock;
    if (const QString held = takeLock(lock, data); !held.isEmpty())
        return fail(name, held);
    ClientTable table;
    if (const QString p = LoadCommandClients(table, data); !p.isEmpty())
        return fail(name, p);
    const QString brand = GetINIBrandCode(settings);
    request.brandCode = brand.isEmpty() ? PublisherBrandCode : brand.at(0);
    request.auditHead = AuditTrail::headOf(data);
    request.now = QDateTime::currentDateTimeUtc();
    request.ownFolders = CommandOwnFolders(program, data);
    request.askPassword = askOnTerminal;
    request.progress = progressOnTerminal("published");
    const Results::PublishOutcome out = Results::PublishLocation(table, request);
    for (const QString& problem : out.problems)
        std::fprintf(stderr, "veltrane-cli publish: %s\n", qPrintable(problem));
    if (!out.error.isEmpty())
        return fail(name, out.error);
    std::printf("%s\n", qPrintable(out.message().section(QLatin1Char('\r'), 0, 0)));
    const AuditDetails details = {{QStringLiteral("to"), request.target.text()},
                                  {QStringLiteral("administrations"), QString::number(out.administrations)},
                                  {QStringLiteral("new"), QString::number(out.count.added)},
                                  {QStringLiteral("new_versions"), QString::number(out.count.superseding)}};
    if (const QString e = record(table, QStringLiteral("publish"), details); !e.isEmpty())
        return fail(name, e);
    return out.problems.isEmpty() ? 0 : 1;
}

int ImportCommand(const QStringList& args)
{
    const char* name = "import";
    QStringList rest = args;
    QString bundle;
    if (!rest.isEmpty() && !rest.first().startsWith(QLatin1String("-")))
        bundle = rest.takeFirst();
    const Args a = parse(rest, {QStringLiteral("--to")}, {});
    if (a.help) {
        std::fputs(kImportUsage, stdout);
        return 0;
    }
    if (const QString p = argumentProblem(a, {QStringLiteral("--to")}); !p.isEmpty() || bundle.isEmpty())
        return fail(name, p.isEmpty() ? QStringLiteral("the bundle file is required") : p, kImportUsage);
    const std::optional<Results::StoreTarget> target = targetOf(name, a.values.value(QStringLiteral("--to")));
    if (!target)
        return 1;
    if (target->kind == Results::StoreTarget::Kind::Bundle)
        return fail(name, QStringLiteral("--to names a store (a SQLite file or a PostgreSQL database), not a bundle"));
    // A file that is no bundle is refused before any store is made for it.
    QString why;
    if (!Results::ReadBundleFile(bundle, &why))
        return fail(name, why);
    Results::Store store(*target);
    if (const QString e = store.open(askOnTerminal); !e.isEmpty())
        return fail(name, QStringLiteral("Nothing was imported. %1").arg(e));
    const Results::PublishOutcome out = Results::ImportBundle(bundle, store, progressOnTerminal("loaded"));
    if (!out.error.isEmpty())
        return fail(name, out.error);
    std::printf("%d administrations in the bundle: %d new, %d new versions of earlier ones, %d already there.\n",
                out.administrations, out.count.added, out.count.superseding, out.count.unchanged);
    return 0;
}

int SummaryCommand(const QStringList& args)
{
    const char* name = "summary";
    const Args a = parse(args,
                         {QStringLiteral("--from"), QStringLiteral("--office"), QStringLiteral("--since"),
                          QStringLiteral("--format"), QStringLiteral("--program-dir")},
                         {});
    if (a.help) {
        std::fputs(kSummaryUsage, stdout);
        return 0;
    }
    if (const QString p = argumentProblem(a, {QStringLiteral("--from")}); !p.isEmpty())
        return fail(name, p, kSummaryUsage);
    const QString format = a.values.value(QStringLiteral("--format"), QStringLiteral("text"));
    if (format != QLatin1String("text") && format != QLatin1String("csv") && format != QLatin1String("json"))
        return fail(name, QStringLiteral("--format must be text, csv or json, not '%1'").arg(format), kSummaryUsage);
    Results::SummaryFilter filter;
    filter.office = a.values.value(QStringLiteral("--office"));
    if (a.values.contains(QStringLiteral("--since"))) {
        filter.since = QDate::fromString(a.values.value(QStringLiteral("--since")), Qt::ISODate);
        if (!filter.since.isValid())
            return fail(name, QStringLiteral("--since must be a date yyyy-mm-dd"), kSummaryUsage);
    }
    const std::optional<Results::StoreTarget> target = targetOf(name, a.values.value(QStringLiteral("--from")));
    if (!target)
        return 1;
    if (target->kind == Results::StoreTarget::Kind::Sqlite && !QFileInfo::exists(target->path))
        return fail(name, QStringLiteral("The results store %1 does not exist.").arg(target->text()));
    Results::Store store(*target);
    if (const QString e = store.open(askOnTerminal); !e.isEmpty())
        return fail(name, e);
    QString error;
    const Results::Summary summary = Results::Summarize(store, filter, &error);
    if (!error.isEmpty())
        return fail(name, error);
    const QString program = a.values.value(QStringLiteral("--program-dir"));
    const QStringList names = program.isEmpty() ? QStringList() : Results::ProgramScaleNames(program);
    if (!program.isEmpty() && names.isEmpty())
        return fail(name, QStringLiteral("The program folder %1 has no readable scoring files.").arg(shown(program)));
    const QByteArray out = Results::FormatSummary(summary,
                                                  format == QLatin1String("json")  ? Results::SummaryFormat::Json
                                                  : format == QLatin1String("csv") ? Results::SummaryFormat::Csv
                                                                                   : Results::SummaryFormat::Text,
                                                  names);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
