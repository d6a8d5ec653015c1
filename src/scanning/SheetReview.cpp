#include "SheetReview.h"

#include "AnswerSheet.h"
#include "TestDefinition.h"

#include <QHash>

namespace {

constexpr int kBox = 15;        // a bubble's read box
constexpr int kMargin = 10;     // around a field's bubbles
constexpr int kItemNumber = 45; // the room an item's number takes left of its row

// A box counts as marked on the image when it is as dark as a light pencil mark (the reader's own limit).
constexpr float kMarked = 0.05f;

} // namespace

QList<BubbleMark> SheetMarks(const ScanOutcome& outcome)
{
    QList<BubbleMark> marks;
    for (const LocationReading& l : outcome.reading.Locations) {
        for (int i = 0; i < l.bubbles.size(); ++i) {
            const bool chosen = i == l.chosen;
            const bool marked = i < l.darkness.size() && l.darkness[i] >= kMarked;
            if (!chosen && !(l.state != MarkState::Read && (marked || l.state == MarkState::Uncertain)))
                continue;
            marks.append({QRect(outcome.anchor + l.bubbles[i], QSize(kBox, kBox)), l.state, chosen});
        }
    }
    return marks;
}

QList<int> LocationsOfField(const QString& field)
{
    static const QHash<QString, QList<int>> fields = {
        {QStringLiteral("cmbGender"), {1}},
        {QStringLiteral("cmbRace"), {2}},
        {QStringLiteral("cmbEducation"), {3}},
        {QStringLiteral("cmbMarital"), {4}},
        {QStringLiteral("txtDrugArrests"), {FirstCourtItem}},
        {QStringLiteral("txtAlcoholArrests"), {FirstCourtItem + 1}},
        {QStringLiteral("txtAssaults"), {FirstCourtItem + 2}},
        {QStringLiteral("txtDVArrests"), {FirstCourtItem + 3}},
        {QStringLiteral("txtAnger"), {FirstCourtItem + 4}},
        {QStringLiteral("mebDateOfBirth"),
         {FirstDateItem, FirstDateItem + 1, FirstDateItem + 2, FirstDateItem + 3, FirstDateItem + 4,
          FirstDateItem + 5}},
    };
    if (field.startsWith(QLatin1String("Item "))) {
        bool ok = false;
        const int n = field.mid(5).toInt(&ok);
        return ok && n >= 1 && n <= NumItems ? QList<int>{FirstQuestionItem + n - 1} : QList<int>();
    }
    return fields.value(field);
}

QRect FieldRegion(const ScanOutcome& outcome, const QString& field)
{
    if (field == QLatin1String("txtName")) {
        // The name the client wrote on the sheet's name line, printed below the header.
        const QPoint nameLine = QPoint(60, 92) - AnswerSheet::AnchorBox.topLeft();
        return QRect(outcome.anchor + nameLine, QSize(440, 26));
    }
    QRect region;
    for (int id : LocationsOfField(field)) {
        for (const LocationReading& l : outcome.reading.Locations) {
            if (l.id != id)
                continue;
            for (const QPoint& b : l.bubbles)
                region |= QRect(outcome.anchor + b, QSize(kBox, kBox));
        }
    }
    if (region.isNull())
        return region;
    // An item's number is printed left of its row: show it too.
    const int left = field.startsWith(QLatin1String("Item ")) ? kItemNumber : kMargin;
    return region.adjusted(-left, -kMargin, kMargin, kMargin);
}
