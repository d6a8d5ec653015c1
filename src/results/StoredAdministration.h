#pragma once
// One published version of an administration as a results store holds it: identity, the client without name or date
// of birth, the scores and the history of how it was scored. Nothing in it identifies the client.

#include <QJsonObject>
#include <QString>
#include <array>
#include <optional>

namespace Results {

constexpr int Scales = 6;

struct ScaleResult {
    int raw = 0;
    int percentile = 0;
    QString range; // low, medium, problem, maximum or not_scored
    bool operator==(const ScaleResult&) const = default;
};

struct StoredAdministration {
    QString administrationId;
    int version = 1;
    std::optional<int> supersedes; // the version this one replaces
    QString locationId;
    QString office;
    QString clientKey; // hex HMAC-SHA256; empty without an agency key
    QString testDate;  // yyyy-MM-dd
    std::optional<int> ageAtTest;
    QString gender, race, marital, education;                                  // codes as stored
    QString drugArrests, alcoholArrests, assaultArrests, dvArrests, angerPrograms; // counts as stored
    QString mode;     // screen, paper or scan; empty when not known
    QString language; // empty when none or not known
    std::array<ScaleResult, Scales> scales;
    bool invalid = false;
    bool truthfulnessInvalid = false;
    QJsonObject notes; // the administration's figures as the score export names them; empty when none are kept
    QString auditHead;
    QString scoringSha256; // of the scoring and wording files that scored it
    QString programVersion;
    QString publishedAt; // UTC, ISO 8601
    QString contentHash;

    // The fields kept as plain text, by their column and JSON name, in column order.
    struct TextField {
        const char* name;
        QString StoredAdministration::*member;
    };
    static const std::array<TextField, 15>& textFields();

    // Everything but the version, what it supersedes, the publication time and the trail head, as one object.
    QJsonObject content() const;
    QJsonObject toJson() const;
    static std::optional<StoredAdministration> fromJson(const QJsonObject& o);
    // The hex SHA-256 of content(): publishing the same content again adds nothing.
    QString computeContentHash() const;
};

} // namespace Results
