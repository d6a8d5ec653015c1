// veltrane-cli protect: encrypting a data location, changing its passphrase, removing the encryption.

#include "Commands.h"

#include "AuditTrail.h"
#include "ClientTable.h"
#include "LocationLock.h"
#include "LocationProtection.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace {

const char* const kUsage =
    "usage: veltrane-cli protect --data-dir DIR encrypt|change|remove [--passphrase-file FILE]\n"
    "                            [--recovery-passphrase-file FILE]\n"
    "\n"
    "Encrypts every file of the data location that holds client data (AES-256-GCM, the key derived from the\n"
    "passphrase with scrypt), changes its passphrase, or writes the location plain again.\n"
    "\n"
    "  --data-dir DIR                  the data location holding DATA401.QN\n"
    "  encrypt                         a new passphrase (at least 12 characters, not all of one kind, not the\n"
    "                                  location's name); with --recovery-passphrase-file a second one that opens\n"
    "                                  the location as well\n"
    "  change                          the passphrase in use, then the new one, which replaces it; with\n"
    "                                  --recovery-passphrase-file the recovery passphrase is replaced too\n"
    "  remove                          the passphrase in use; every file is written plain again\n"
    "  --passphrase-file FILE          read the passphrase from the first line of FILE (for change: the one in\n"
    "                                  use on the first line, the new one on the second); without it the\n"
    "                                  passphrase is typed on the terminal, not shown\n"
    "  --recovery-passphrase-file FILE the recovery passphrase on the first line of FILE\n"
    "\n"
    "Not while a program has the data location open. Exit status: 0 done; 1 a bad argument, a wrong or refused\n"
    "passphrase, the location in use, or a step that failed (the location is then as it was).\n";

int fail(const QString& message, bool withUsage = false)
{
    std::fprintf(stderr, "veltrane-cli protect: %s\n", qPrintable(message));
    if (withUsage)
        std::fprintf(stderr, "\n%s", kUsage);
    return 1;
}

// A new passphrase from line `line` of `file`, or typed twice on the terminal; checked against the rules.
std::optional<QString> newPassphrase(const QString& file, int line, const QString& folder, const QString& label,
                                     QString& error)
{
    QString typed;
    if (!file.isEmpty()) {
        QStringList lines;
        if (!PassphraseLines(file, lines, error))
            return std::nullopt;
        if (lines.size() <= line) {
            error = QStringLiteral("The passphrase file %1 has no line %2.").arg(QDir::toNativeSeparators(file)).arg(line + 1);
            return std::nullopt;
        }
        typed = lines[line];
    } else {
        const std::optional<QString> first = PassphraseFromTerminal(QStringLiteral("New %1: ").arg(label));
        const std::optional<QString> again =
            first ? PassphraseFromTerminal(QStringLiteral("The new %1 again: ").arg(label)) : std::nullopt;
        if (!first || !again) {
            error = QStringLiteral("No terminal to type the %1 on: give --passphrase-file FILE.").arg(label);
            return std::nullopt;
        }
        if (*first != *again) {
            error = QStringLiteral("The two entries differ; nothing was changed.");
            return std::nullopt;
        }
        typed = *first;
    }
    error = LocationProtection::PassphraseRefusal(typed, folder);
    if (!error.isEmpty())
        return std::nullopt;
    return typed;
}

std::optional<QString> currentPassphrase(const QString& file, QString& error)
{
    if (!file.isEmpty()) {
        QStringList lines;
        if (!PassphraseLines(file, lines, error))
            return std::nullopt;
        return lines.first();
    }
    const std::optional<QString> typed = PassphraseFromTerminal(QStringLiteral("Passphrase in use: "));
    if (!typed)
        error = QStringLiteral("No terminal to type the passphrase on: give --passphrase-file FILE.");
    return typed;
}

} // namespace

int ProtectCommand(const QStringList& given)
{
    QStringList args = given;
    QString action;
    for (const char* a : {"encrypt", "change", "remove"})
        if (args.contains(QLatin1String(a))) {
            if (!action.isEmpty())
                return fail(QStringLiteral("give one of encrypt, change and remove"), true);
            action = QLatin1String(a);
            args.removeOne(action);
        }
    QString data, passFile, recoveryFile;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::printf("%s", kUsage);
            return 0;
        }
        QString* target = arg == QLatin1String("--data-dir")                   ? &data
                          : arg == QLatin1String("--passphrase-file")          ? &passFile
                          : arg == QLatin1String("--recovery-passphrase-file") ? &recoveryFile
                                                                                : nullptr;
        if (!target)
            return fail(QStringLiteral("unknown argument '%1'").arg(arg), true);
        if (i + 1 >= args.size() || args[i + 1].isEmpty() || !target->isEmpty())
            return fail(QStringLiteral("%1 needs one value").arg(arg), true);
        *target = args[++i];
    }
    if (data.isEmpty() || action.isEmpty())
        return fail(QStringLiteral("--data-dir and one of encrypt, change and remove are required"), true);
    data = QDir::cleanPath(data);
    if (!QFileInfo(data).isDir())
        return fail(QStringLiteral("The data folder %1 does not exist.").arg(QDir::toNativeSeparators(data)));

    LocationLock lock;
    const LocationLock::Attempt held = lock.acquire(data);
    if (held.status == LocationLock::Status::InUse)
        return fail(QStringLiteral("The data location %1 is in use by %2. Close the program there first. Nothing was "
                                   "changed.")
                        .arg(QDir::toNativeSeparators(data),
                             held.holder.isEmpty() ? QStringLiteral("another copy of Veltrane") : held.holder));
    if (const QString e = LocationProtection::FinishConversion(data); !e.isEmpty())
        return fail(e);

    QString error, done;
    QString event;
    if (action == QLatin1String("encrypt")) {
        const std::optional<QString> pass = newPassphrase(passFile, 0, data, QStringLiteral("passphrase"), error);
        std::optional<QString> recovery;
        if (pass && !recoveryFile.isEmpty())
            recovery = newPassphrase(recoveryFile, 0, data, QStringLiteral("recovery passphrase"), error);
        if (!pass || (!recoveryFile.isEmpty() && !recovery))
            return fail(error);
        error = LocationProtection::Encrypt(data, *pass, recovery.value_or(QString()));
        done = QStringLiteral("The data location %1 is encrypted.");
        event = QStringLiteral("location-encrypted");
    } else if (action == QLatin1String("change")) {
        const std::optional<QString> current = currentPassphrase(passFile, error);
        std::optional<QString> next, recovery;
        if (current)
            next = newPassphrase(passFile, 1, data, QStringLiteral("passphrase"), error);
        if (next && !recoveryFile.isEmpty())
            recovery = newPassphrase(recoveryFile, 0, data, QStringLiteral("recovery passphrase"), error);
        if (!current || !next || (!recoveryFile.isEmpty() && !recovery))
            return fail(error);
        error = LocationProtection::ChangePassphrase(data, *current, *next, recovery.value_or(QString()));
        done = QStringLiteral("The passphrase of %1 was changed.");
        event = QStringLiteral("passphrase-changed");
    } else {
        const std::optional<QString> current = currentPassphrase(passFile, error);
        if (!current)
            return fail(error);
        error = LocationProtection::RemoveEncryption(data, *current);
        done = QStringLiteral("The data location %1 is no longer encrypted.");
        event = QStringLiteral("encryption-removed");
    }
    if (!error.isEmpty())
        return fail(error);
    ClientTable table;
    table.setDataPath(data);
    FileError e = table.audit.open(data, QFileInfo(table.ClientFilePath).size() > 0);
    if (!e)
        e = table.audit.append(event, 0, {{QStringLiteral("by"), QStringLiteral("veltrane-cli")}});
    table.audit.close(false);
    std::printf("%s\n", qPrintable(done.arg(QDir::toNativeSeparators(data))));
    if (e)
        std::fprintf(stderr, "veltrane-cli protect: the audit trail could not be written: %s\n",
                     qPrintable(e.description));
    return 0;
}
