#include "ClientRecord.h"

#include "Cp1252.h"

const std::array<ClientRecord::Field, 15>& ClientRecord::fields()
{
    static const std::array<Field, 15> table{{
        {&ClientRecord::Name, 0, 25, "Name"},
        {&ClientRecord::Gender, 25, 1, "Gender"},
        {&ClientRecord::DOB, 26, 10, "DOB"},
        {&ClientRecord::Race, 36, 1, "Race"},
        {&ClientRecord::Marital, 37, 1, "Marital"},
        {&ClientRecord::Education, 38, 1, "Education"},
        {&ClientRecord::TestDate, 39, 10, "TestDate"},
        {&ClientRecord::DrugArrests, 49, 2, "DrugArrests"},
        {&ClientRecord::AlcoholArrests, 51, 2, "AlcoholArrests"},
        {&ClientRecord::Assaults, 53, 2, "Assaults"},
        {&ClientRecord::DVArrests, 55, 2, "DVArrests"},
        {&ClientRecord::Anger, 57, 2, "Anger"},
        {&ClientRecord::Responses, 59, 123, "Responses"},
        {&ClientRecord::EditCount, 182, 1, "EditCount"},
        {&ClientRecord::NameDeleted, 183, 1, "NameDeleted"},
    }};
    return table;
}

bool ClientRecord::canHold(QChar c)
{
    return cp1252Code(c) >= 0x20 && c.isPrint();
}

QString ClientRecord::unpadded(const QString& value)
{
    qsizetype end = value.size();
    while (end > 0 && value.at(end - 1) == QLatin1Char(' '))
        --end;
    return value.left(end);
}

QString ClientRecord::fit(const QString& value, int width)
{
    if (value.size() >= width)
        return value.left(width);
    return value + QString(width - value.size(), QLatin1Char(' '));
}

void ClientRecord::fitFields()
{
    for (const Field& f : fields())
        this->*f.member = fit(this->*f.member, f.width);
}

ClientRecord ClientRecord::blank()
{
    ClientRecord r;
    r.fitFields();
    return r;
}

ClientRecord ClientRecord::fromBytes(QByteArrayView bytes)
{
    QByteArray full(Size, ' ');
    const qsizetype n = std::min<qsizetype>(bytes.size(), Size);
    std::copy(bytes.begin(), bytes.begin() + n, full.begin());
    const QString text = fromCp1252(full);
    ClientRecord r;
    for (const Field& f : fields())
        r.*f.member = text.mid(f.offset, f.width);
    return r;
}

QByteArray ClientRecord::toBytes() const
{
    QString text;
    text.reserve(Size);
    for (const Field& f : fields())
        text += fit(this->*f.member, f.width);
    return toCp1252(text);
}
