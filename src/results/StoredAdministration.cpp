#include "StoredAdministration.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUuid>

namespace Results {

namespace {

QJsonValue optionalInt(const std::optional<int>& v)
{
    return v ? QJsonValue(*v) : QJsonValue();
}

std::optional<int> readOptionalInt(const QJsonValue& v)
{
    return v.isDouble() ? std::optional(v.toInt()) : std::nullopt;
}

} // namespace

const std::array<StoredAdministration::TextField, 15>& StoredAdministration::textFields()
{
    using S = StoredAdministration;
    static const std::array<TextField, 15> fields{{{"location_id", &S::locationId},
                                                   {"office", &S::office},
                                                   {"client_key", &S::clientKey},
                                                   {"test_date", &S::testDate},
                                                   {"gender", &S::gender},
                                                   {"race", &S::race},
                                                   {"marital", &S::marital},
                                                   {"education", &S::education},
                                                   {"drug_arrests", &S::drugArrests},
                                                   {"alcohol_arrests", &S::alcoholArrests},
                                                   {"assault_arrests", &S::assaultArrests},
                                                   {"dv_arrests", &S::dvArrests},
                                                   {"anger_programs", &S::angerPrograms},
                                                   {"mode", &S::mode},
                                                   {"language", &S::language}}};
    return fields;
}

QJsonObject StoredAdministration::content() const
{
    QJsonArray scaleArray;
    for (const ScaleResult& s : scales)
        scaleArray.append(QJsonObject{{QStringLiteral("raw"), s.raw},
                                      {QStringLiteral("percentile"), s.percentile},
                                      {QStringLiteral("range"), s.range}});
    QJsonObject o{{QStringLiteral("administration_id"), administrationId},
                  {QStringLiteral("age_at_test"), optionalInt(ageAtTest)},
                  {QStringLiteral("scales"), scaleArray},
                  {QStringLiteral("invalid"), invalid},
                  {QStringLiteral("truthfulness_invalid"), truthfulnessInvalid},
                  {QStringLiteral("notes"), notes},
                  {QStringLiteral("scoring_sha256"), scoringSha256},
                  {QStringLiteral("program_version"), programVersion}};
    for (const TextField& f : textFields())
        o.insert(QLatin1String(f.name), this->*f.member);
    return o;
}

QJsonObject StoredAdministration::toJson() const
{
    QJsonObject o = content();
    o.insert(QStringLiteral("version"), version);
    o.insert(QStringLiteral("supersedes"), optionalInt(supersedes));
    o.insert(QStringLiteral("audit_head"), auditHead);
    o.insert(QStringLiteral("published_at"), publishedAt);
    o.insert(QStringLiteral("content_hash"), contentHash);
    return o;
}

std::optional<StoredAdministration> StoredAdministration::fromJson(const QJsonObject& o)
{
    StoredAdministration a;
    const auto text = [&o](const char* key) { return o.value(QLatin1String(key)).toString(); };
    a.administrationId = text("administration_id");
    for (const TextField& f : textFields())
        a.*f.member = text(f.name);
    // An identity that is not a UUID cannot be a key of ours.
    if (QUuid::fromString(a.administrationId).isNull() || QUuid::fromString(a.locationId).isNull())
        return std::nullopt;
    a.version = o.value(QStringLiteral("version")).toInt(1);
    a.supersedes = readOptionalInt(o.value(QStringLiteral("supersedes")));
    a.ageAtTest = readOptionalInt(o.value(QStringLiteral("age_at_test")));
    const QJsonArray scaleArray = o.value(QStringLiteral("scales")).toArray();
    if (scaleArray.size() != Scales)
        return std::nullopt;
    for (int s = 0; s < Scales; ++s) {
        const QJsonObject so = scaleArray.at(s).toObject();
        a.scales[s] = {so.value(QStringLiteral("raw")).toInt(), so.value(QStringLiteral("percentile")).toInt(),
                       so.value(QStringLiteral("range")).toString()};
    }
    a.invalid = o.value(QStringLiteral("invalid")).toBool();
    a.truthfulnessInvalid = o.value(QStringLiteral("truthfulness_invalid")).toBool();
    a.notes = o.value(QStringLiteral("notes")).toObject();
    a.auditHead = text("audit_head");
    a.scoringSha256 = text("scoring_sha256");
    a.programVersion = text("program_version");
    a.publishedAt = text("published_at");
    a.contentHash = a.computeContentHash();
    return a;
}

QString StoredAdministration::computeContentHash() const
{
    // QJsonDocument writes an object's keys sorted, so equal content gives equal bytes.
    return QString::fromLatin1(
        QCryptographicHash::hash(QJsonDocument(content()).toJson(QJsonDocument::Compact), QCryptographicHash::Sha256)
            .toHex());
}

} // namespace Results
