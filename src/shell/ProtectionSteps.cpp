#include "ProtectionSteps.h"

#include "ClientTable.h"
#include "Prompts.h"

#include <QDir>

namespace {

using namespace LocationProtection;

void tell(Prompts& prompts, const QString& text, bool failed)
{
    prompts.message(text, AppTitle(), failed ? Prompts::Icon::Critical : Prompts::Icon::Information,
                    Prompts::Buttons::Ok);
}

// The passphrase in use, asked until one opens the location; nothing when the user cancels.
std::optional<QString> currentPassphrase(const QString& folder, const QString& title, Prompts& prompts)
{
    for (;;) {
        const std::optional<QString> typed =
            prompts.askSecret(title, QStringLiteral("Type the passphrase of this data location."));
        if (!typed)
            return typed;
        const UnlockResult r = Unlock(SlotFilePath(folder), *typed, folder);
        if (r.ok())
            return typed;
        tell(prompts, r.message, r.status != UnlockResult::Status::WrongPassphrase);
        if (r.status != UnlockResult::Status::WrongPassphrase)
            return std::nullopt;
    }
}

// Lets go of the trail while its file is converted and takes it up again after.
template <typename Step>
QString withTrailClosed(ClientTable& table, Step step)
{
    table.audit.close(false);
    const QString e = step();
    if (FileError reopened = table.audit.open(table.DataPath, true); reopened && e.isEmpty())
        return reopened.description;
    return e;
}

} // namespace

SecretOptions NewPassphraseOptions(const QString& folder, const QString& other)
{
    SecretOptions o;
    o.twice = true;
    o.rating = [](const QString& typed) {
        return typed.isEmpty() ? QString() : QStringLiteral("Strength: %1").arg(StrengthText(Rate(typed)));
    };
    o.refusal = [folder, other](const QString& typed) {
        if (!other.isEmpty() && typed == other)
            return QStringLiteral("The recovery passphrase must differ from the passphrase.");
        return PassphraseRefusal(typed, folder);
    };
    return o;
}

QString ProtectionStatusText(const ClientTable& table)
{
    if (table.DataPath.isEmpty())
        return QStringLiteral("No data location is open.");
    const QString shown = QDir::toNativeSeparators(table.DataPath);
    return IsEncrypted(table.DataPath)
               ? QStringLiteral("The data location %1 is encrypted (AES-256-GCM). Its files cannot be read without "
                                "the passphrase.")
                     .arg(shown)
               : QStringLiteral("The data location %1 is not encrypted: anyone who finds the drive can read its "
                                "clients.")
                     .arg(shown);
}

void EncryptOpenLocation(ClientTable& table, Prompts& prompts, const Cost& cost)
{
    const QString folder = table.DataPath;
    if (IsEncrypted(folder))
        return tell(prompts, QStringLiteral("This data location is encrypted already."), false);
    const std::optional<QString> passphrase = prompts.askSecret(
        QStringLiteral("Encrypt Data Location"),
        QStringLiteral("Choose a passphrase of at least 12 characters, not all letters or all digits. Without it the "
                       "clients on this data location cannot be read."),
        NewPassphraseOptions(folder));
    if (!passphrase)
        return;
    std::optional<QString> recovery;
    if (prompts.message(QStringLiteral("Add a recovery passphrase, kept by the agency, that opens this data location "
                                       "as well?\r\rWith it a forgotten passphrase does not lose the clients."),
                        QStringLiteral("Encrypt Data Location"), Prompts::Icon::Question,
                        Prompts::Buttons::YesNo) == Prompts::Answer::Yes) {
        recovery = prompts.askSecret(QStringLiteral("Recovery Passphrase"),
                                     QStringLiteral("Choose the recovery passphrase the agency keeps."),
                                     NewPassphraseOptions(folder, *passphrase));
        if (!recovery)
            return;
    }
    const QString e = withTrailClosed(table, [&] { return Encrypt(folder, *passphrase, recovery.value_or(QString()), cost); });
    if (e.isEmpty())
        table.audit.append(QStringLiteral("location-encrypted"), 0,
                           {{QStringLiteral("recovery"), recovery ? QStringLiteral("yes") : QStringLiteral("no")}});
    tell(prompts,
         e.isEmpty() ? QStringLiteral("The data location is encrypted. Keep the passphrase safe: without it%1 its "
                                      "clients cannot be read.")
                           .arg(recovery ? QStringLiteral(" or the recovery passphrase") : QString())
                     : e,
         !e.isEmpty());
}

void ChangeOpenLocationPassphrase(ClientTable& table, Prompts& prompts, const Cost& cost)
{
    const QString folder = table.DataPath;
    if (!IsEncrypted(folder))
        return tell(prompts, QStringLiteral("This data location is not encrypted."), false);
    const std::optional<QString> current = currentPassphrase(folder, QStringLiteral("Change Passphrase"), prompts);
    if (!current)
        return;
    const std::optional<QString> next =
        prompts.askSecret(QStringLiteral("Change Passphrase"), QStringLiteral("Choose the new passphrase."),
                          NewPassphraseOptions(folder, *current));
    if (!next)
        return;
    const QString e = ChangePassphrase(folder, *current, *next, QString(), cost);
    if (e.isEmpty())
        table.audit.append(QStringLiteral("passphrase-changed"));
    tell(prompts, e.isEmpty() ? QStringLiteral("The passphrase was changed.") : e, !e.isEmpty());
}

void RemoveOpenLocationEncryption(ClientTable& table, Prompts& prompts)
{
    const QString folder = table.DataPath;
    if (!IsEncrypted(folder))
        return tell(prompts, QStringLiteral("This data location is not encrypted."), false);
    const std::optional<QString> current = currentPassphrase(folder, QStringLiteral("Remove Encryption"), prompts);
    if (!current)
        return;
    table.audit.append(QStringLiteral("encryption-removal-begun"));
    const QString e = withTrailClosed(table, [&] { return RemoveEncryption(folder, *current); });
    tell(prompts,
         e.isEmpty() ? QStringLiteral("The data location is no longer encrypted: anyone who finds the drive can read "
                                      "its clients.")
                     : e,
         !e.isEmpty());
}
