#include "ResultsConfig.h"

#include "ClientRecord.h"
#include "PrivateFile.h"
#include "Profile.h"

#include <QDate>
#include <QDir>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>
#include <QUuid>
#include <cerrno>

namespace Results {

namespace {

constexpr int MinKeyBytes = 16;

QByteArray decodeKey(const QString& text, bool* ok)
{
    static const QRegularExpression hex(QStringLiteral("\\A(?:[0-9A-Fa-f]{2})+\\z"));
    QByteArray key;
    if (hex.match(text).hasMatch()) {
        key = QByteArray::fromHex(text.toLatin1());
    } else {
        const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (decoded)
            key = *decoded;
    }
    *ok = key.size() >= MinKeyBytes;
    return *ok ? key : QByteArray();
}

QString locationIdPath(const QString& folder)
{
    return QDir(folder).filePath(QLatin1String(LocationIdFileName));
}

// The identity kept at `path`: 0, with `id` empty when the file holds no UUID; or the errno of the read.
int readLocationId(const QString& path, QString& id)
{
    QByteArray bytes;
    if (const int err = PrivateFile::Read(path, bytes, 64))
        return err;
    const QUuid uuid = QUuid::fromString(QString::fromLatin1(bytes.trimmed()));
    id = uuid.isNull() ? QString() : uuid.toString(QUuid::WithoutBraces);
    return 0;
}

} // namespace

ResultsConfig ReadResultsConfig(const Profile& settings, const QString& siteFolder)
{
    const QString section = QStringLiteral("Results");
    ResultsConfig c;
    c.office = settings.read(section, QStringLiteral("Office"), QString(), 256).trimmed();
    c.store = settings.read(section, QStringLiteral("Store"), QString(), 1024).trimmed();
    if (c.store.isEmpty())
        c.store = QDir(siteFolder).filePath(QLatin1String(DefaultStoreName));
    const QString key = settings.read(section, QStringLiteral("AgencyKey"), QString(), 1024).trimmed();
    bool ok = true;
    if (!key.isEmpty())
        c.agencyKey = decodeKey(key, &ok);
    if (!ok)
        c.problem = QStringLiteral("The agency key (AgencyKey in section Results of %1) is not %2 bytes or more in "
                                   "hex or base64, so no client keys are published.")
                        .arg(QDir::toNativeSeparators(settings.path()))
                        .arg(MinKeyBytes);
    return c;
}

QString NormalisedIdentity(const ClientRecord& r)
{
    QString name;
    for (const QChar c : r.Name.normalized(QString::NormalizationForm_KD))
        if (c.isLetterOrNumber())
            name += c.toUpper();
    if (name.isEmpty())
        return {};
    const QString stored = r.DOB.trimmed();
    const QDate born = QDate::fromString(stored, QStringLiteral("MM/dd/yyyy"));
    return name + QLatin1Char('|') + (born.isValid() ? born.toString(Qt::ISODate) : stored);
}

QString ClientKey(const ClientRecord& r, const QByteArray& agencyKey)
{
    const QString identity = NormalisedIdentity(r);
    if (agencyKey.isEmpty() || identity.isEmpty())
        return {};
    return QString::fromLatin1(
        QMessageAuthenticationCode::hash(identity.toUtf8(), agencyKey, QCryptographicHash::Sha256).toHex());
}

QString LocationId(const QString& folder, QString* error)
{
    const QString path = locationIdPath(folder);
    for (int attempt = 0; attempt < 2; ++attempt) {
        QString known;
        int err = readLocationId(path, known);
        if (!err) {
            if (!known.isEmpty())
                return known;
            if (error)
                *error = QStringLiteral("The location identity %1 is damaged; remove it, and the next publication "
                                        "gives the location a new one.")
                             .arg(QDir::toNativeSeparators(path));
            return {};
        }
        if (err == ENOENT) {
            const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
            // Created exclusively: of two publishers at once, the second reads the first one's identity.
            err = PrivateFile::Create(path, (id + QLatin1Char('\n')).toLatin1());
            if (!err)
                return id;
            if (err == EEXIST)
                continue;
        }
        if (error)
            *error = QStringLiteral("The location identity %1 cannot be kept: %2.")
                         .arg(QDir::toNativeSeparators(path), PrivateFile::ErrorText(err));
        return {};
    }
    return {};
}

QString KnownLocationId(const QString& folder)
{
    QString id;
    return readLocationId(locationIdPath(folder), id) ? QString() : id;
}

} // namespace Results
