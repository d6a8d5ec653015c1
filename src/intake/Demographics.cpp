#include "Demographics.h"

const QStringList& DemographicEntries(DemographicList list)
{
    static const QStringList gender{QStringLiteral("N/A"), QStringLiteral("Male"), QStringLiteral("Female")};
    static const QStringList race{
        QStringLiteral("N/A"),   QStringLiteral("Caucasian"),       QStringLiteral("Black"), QStringLiteral("Hispanic"),
        QStringLiteral("Asian"), QStringLiteral("Native American"), QStringLiteral("Other")};
    static const QStringList marital{QStringLiteral("N/A"),       QStringLiteral("Single"),
                                     QStringLiteral("Married"),   QStringLiteral("Divorced"),
                                     QStringLiteral("Separated"), QStringLiteral("Widowed")};
    static const QStringList education{QStringLiteral("N/A"),
                                       QStringLiteral("8th grade Or less"),
                                       QStringLiteral("Partial high school"),
                                       QStringLiteral("G. E D."),
                                       QStringLiteral("High school graduate"),
                                       QStringLiteral("Partial college"),
                                       QStringLiteral("Tech./business school"),
                                       QStringLiteral("College graduate"),
                                       QStringLiteral("Prof./grad school")};
    switch (list) {
    case DemographicList::Gender:
        return gender;
    case DemographicList::Race:
        return race;
    case DemographicList::Marital:
        return marital;
    case DemographicList::Education:
        break;
    }
    return education;
}

int HighestCode(DemographicList list)
{
    return static_cast<int>(DemographicEntries(list).size()) - 1;
}

int CodeValue(const QString& text)
{
    int i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128; ++i) {
        value = value * 10 + (text.at(i).unicode() - '0');
        if (value > 32767)
            return negative ? -32768 : 32767;
    }
    return static_cast<int>(negative ? -value : value);
}

int CodePosition(DemographicList list, const QString& code)
{
    const int value = CodeValue(code);
    return value >= 0 && value <= HighestCode(list) ? value : -1;
}

QString PositionCode(int position)
{
    return QString::number(position);
}

ComboKey ComboTyped(DemographicList list, QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
        const int code = c.unicode() - '0';
        if (code <= HighestCode(list))
            return {ComboKey::Action::Select, code};
        return {};
    }
    if (c == QLatin1Char('N') || c == QLatin1Char('n')) {
        if (list == DemographicList::Race)
            return {ComboKey::Action::OpenList, -1};
        return {ComboKey::Action::Select, 0};
    }
    return {};
}
