#pragma once
// One client's fixed-width record of 184 characters, as stored in the client file.

#include <QByteArray>
#include <QString>
#include <array>

struct ClientRecord {
    QString Name;           // 25
    QString Gender;         // 1: "0" n/a, "1" male, "2" female
    QString DOB;            // 10: "mm/dd/yyyy", or text beginning with "N"
    QString Race;           // 1
    QString Marital;        // 1
    QString Education;      // 1
    QString TestDate;       // 10
    QString DrugArrests;    // 2: "0".."99" or "N"
    QString AlcoholArrests; // 2
    QString Assaults;       // 2
    QString DVArrests;      // 2
    QString Anger;          // 2
    QString Responses;      // 123
    QString EditCount;      // 1: "0".."3"
    QString NameDeleted;    // 1: "0" or "1"

    static constexpr int Size = 184;

    struct Field {
        QString ClientRecord::*member;
        int offset;
        int width;
        const char* name;
    };
    // Every field in file order.
    static const std::array<Field, 15>& fields();

    // A record with every field set to blanks of its width.
    static ClientRecord blank();
    // Reads a record from up to 184 bytes; missing bytes read as blanks.
    static ClientRecord fromBytes(QByteArrayView bytes);
    // Exactly 184 Windows-1252 bytes, each field padded with blanks or cut to its width.
    QByteArray toBytes() const;

    // Whether a record's text can hold `c`: the printable characters of Windows-1252, the client file's character set.
    // Any other character would be stored as "?".
    static bool canHold(QChar c);
    // A field's text as a person reads and edits it: without the blanks that pad it to its width.
    static QString unpadded(const QString& value);

    // Pads or cuts every field to its width, as a fixed-length text field does on assignment.
    void fitFields();
    static QString fit(const QString& value, int width);

    bool operator==(const ClientRecord&) const = default;
};
