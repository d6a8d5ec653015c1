#pragma once
// The audit trail of a data location: one line per event, appended and flushed, each sealed by an HMAC-SHA256 over
// its content and the tag of the line before, under a key that belongs to the location. A rewritten, removed or
// reordered line breaks the chain; a trail cut short shows against a head noted earlier.

#include "FileError.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

using AuditDetails = QList<QPair<QString, QString>>;

struct AuditEntry {
    qint64 seq = 0;
    QString utc;    // yyyy-MM-ddTHH:mm:ss.zzzZ
    QString offset; // the computer's offset from UTC then, +hh:mm
    QString user;
    QString computer;
    QString version;
    int slot = 0; // 0: no client
    QString event;
    QString outcome;
    AuditDetails details;
    QByteArray prev; // the tag of the entry before, hex; zeros for the first
    QByteArray tag;  // hex

    QString detail(const QString& key) const;
    QString detailsText() const; // key=value, separated by "; "
};

struct AuditHead {
    qint64 count = 0;
    QString tag; // the last tag's first 16 hex digits
    QString text() const { return QStringLiteral("%1:%2").arg(count).arg(tag); }
    // COUNT:TAG as text() writes it; nullopt for anything else.
    static std::optional<AuditHead> parse(const QString& text);
};

struct AuditVerification {
    enum class Problem { None, Damaged, Changed, Removed, Reordered, KeyChanged, CutShort, NotTheHead };
    Problem problem = Problem::None;
    qint64 entry = 0;    // the first failing entry, by its place in the trail (1 = first)
    QString message;     // a sentence naming the entry and what is wrong
    AuditHead head;      // of the entries read
    int tornBytes = 0;   // the bytes of an unfinished last line left by a write cut short, not counted
    bool holds() const { return problem == Problem::None; }
};

class AuditTrail {
public:
    static constexpr const char* FileName = "DATA401.AUD";
    static constexpr const char* KeyFileName = "DATA401.KEY";

    struct Identity {
        QString user, computer, version;
        static Identity ofThisProgram(); // the OS user, the host name, the program's version
    };

    // Opens (creating the key and the trail when the location has none) the trail of data location `folder`. A
    // trail begun on a location that already held clients says so in its first entry. Only the end of the trail is
    // read, so opening costs the same however long it is. An unfinished last line (a write cut short) is cut off and
    // the cut is recorded. Writes nothing of its own otherwise.
    FileError open(const QString& folder, bool hadClients, const Identity& who = Identity::ofThisProgram());
    // Records the location closed (unless `record` is false: a command that only added its one entry) and lets go.
    void close(bool record = true);
    AuditTrail() = default;
    ~AuditTrail() { close(); }
    AuditTrail(AuditTrail&& other) noexcept { *this = std::move(other); }
    AuditTrail& operator=(AuditTrail&& other) noexcept;
    bool isOpen() const { return m_fd >= 0; }
    const QString& folder() const { return m_folder; }
    QString path() const;

    // Appends one entry and waits until it is on the disk. `when` defaults to now.
    FileError append(const QString& event, int slot = 0, const AuditDetails& details = {},
                     const QString& outcome = QStringLiteral("ok"), const QDateTime& when = {});
    // What the trail holds in place of a name or date of birth: a keyed fingerprint, the same for the same text
    // until forgetNames(). Its key is apart from the chain's, so that replacing it leaves the seals whole.
    QString fingerprint(const QString& value) const;
    // After Delete Names: a new fingerprint key, so no fingerprint in the trail can be matched to a name or date of
    // birth by trying them (a date of birth has few enough values to try them all).
    FileError forgetNames();
    AuditHead head() const { return {m_seq, QString::fromLatin1(m_tag.left(16))}; }

    static QList<AuditEntry> parse(const QByteArray& trail);
    // The entries of the trail in `folder`, read without checking their seals; none when it cannot be read.
    static QList<AuditEntry> entriesIn(const QString& folder);
    static AuditVerification verify(const QByteArray& trail, const QByteArray& key,
                                    const std::optional<AuditHead>& noted = std::nullopt);
    // The head of the trail of `folder` as its last line says, read from its end; empty without a trail.
    static QString headOf(const QString& folder);
    // Reads the trail and key of `folder` and verifies them.
    static AuditVerification verifyFolder(const QString& folder, const std::optional<AuditHead>& noted = std::nullopt,
                                          QByteArray* trail = nullptr);
    static QByteArray tagOf(const QByteArray& key, const QByteArray& prev, const QByteArray& content);
    // One line as written (content, prev, tag; without the newline), and its content part.
    static QByteArray encode(const AuditEntry& e);

    // A text for a field change: the value itself, or its fingerprint for a name or date of birth.
    static bool isPersonal(const QString& field);

private:
    FileError readTail();
    // Whether the trail's location is unlocked, so the trail is sealed and rewritten whole at each entry.
    bool sealed() const;
    // After the trail was replaced by a new file: takes up and locks the file now at the name.
    FileError relock();

    QString m_folder;
    Identity m_who;
    QByteArray m_key;
    QByteArray m_nameKey;
    int m_fd = -1;
    qint64 m_seq = 0;
    QByteArray m_tag;
};

// The entries of client `client` (all for 0), newest first.
QList<AuditEntry> AuditEntriesNewestFirst(const QList<AuditEntry>& entries, int client);

// The trail as CSV (a header, one row per entry, and a last row with the head) or as text lines.
QByteArray AuditCsv(const QList<AuditEntry>& entries, const AuditHead& head);
