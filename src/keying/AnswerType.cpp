#include "AnswerType.h"

int AnswerTypeOf(const QString& answer2)
{
    const QString head = answer2.left(5);
    if (head == QLatin1String("False"))
        return AnswerType::TrueFalse;
    if (head == QLatin1String("No"))
        return AnswerType::YesNo;
    if (head == QLatin1String("Somet"))
        return AnswerType::Frequency;
    if (head == QLatin1String("Mostl"))
        return AnswerType::MostlyTrue;
    if (head == QLatin1String("Often"))
        return AnswerType::OftenScale;
    return AnswerType::OwnChoices;
}

int AnswerColumns(int type)
{
    switch (type) {
    case AnswerType::TrueFalse:
    case AnswerType::YesNo:
        return 2;
    case AnswerType::MostlyTrue:
    case AnswerType::OftenScale:
        return 5;
    default:
        return 4;
    }
}

QString AnswerTypeHelp(int type)
{
    switch (type) {
    case AnswerType::TrueFalse:
        return QStringLiteral("0=No answer, 1=True, 2=False, Tab=Next grid");
    case AnswerType::YesNo:
        return QStringLiteral("0=No answer, 1=Yes, 2=No, Tab=Next grid");
    case AnswerType::Frequency:
        return QStringLiteral("0=No answer, 1=Rare/Never, 2=Sometimes, 3=Often, 4=Very Often, Tab=Next grid");
    case AnswerType::MostlyTrue:
        return QStringLiteral(
            "0=No answer, 1=True, 2=Mostly True, 3=Can't Decide, 4=Mostly False, 5=False, Tab=Next grid");
    case AnswerType::OftenScale:
        return QStringLiteral(
            "0=No answer, 1=Very Often, 2=Often, 3=Can't Decide, 4=Often, 5=Very Often, Tab=Next grid");
    default:
        return QStringLiteral("0=No answer, 1=1, 2=2,  3=3, 4=4, Tab=Next grid");
    }
}

GridGeometry GeometryOf(int type)
{
    switch (AnswerColumns(type)) {
    case 2:
        return {1120, 3, 400, 200};
    case 5:
        return {1750, 6, 400, 200};
    default:
        return {1550, 5, 400, 200};
    }
}

bool GridAcceptsKey(int type, QChar key)
{
    if (key < QLatin1Char('0') || key > QLatin1Char('5'))
        return false;
    const int digit = key.unicode() - '0';
    if (digit <= 2)
        return true;
    if (digit <= 4)
        return type > AnswerType::YesNo;
    return type == AnswerType::MostlyTrue || type == AnswerType::OftenScale;
}
