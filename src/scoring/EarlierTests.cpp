#include "EarlierTests.h"

#include "AdministrationNotes.h"
#include "ClientTable.h"
#include "RecordDamage.h"
#include "ReportWriter.h"
#include "ScoreAndReport.h"

#include <QDir>
#include <QSet>
#include <algorithm>
#include <memory>

namespace {

const QString DateFormat = QStringLiteral("MM/dd/yyyy");

QDate dateOf(const QString& field)
{
    return QDate::fromString(field.trimmed(), DateFormat);
}

QString sentenceCase(const QString& word)
{
    const QString w = word.trimmed();
    return w.left(1).toUpper() + w.mid(1).toLower();
}

PastAdministration fromRun(const ClientRecord& r, int slot, const ScoringRun& run,
                           const std::optional<AdministrationNotes>& notes)
{
    PastAdministration a;
    a.origin = QStringLiteral("This data location, client %1").arg(slot);
    a.slot = slot;
    a.testDate = dateOf(r.TestDate);
    if (notes) {
        a.mode = notes->mode;
        a.language = notes->language;
    }
    for (int s = 1; s <= NumScales; ++s)
        a.scales[s] = {run.sheet.Percentile[s], RiskRange(run.sheet.Percentile[s]),
                       ReportsScaleNotScored(run.sheet, s)};
    a.invalid = IsInvalidReport(run.sheet);
    return a;
}

bool truthInvalid(const PastAdministration& a)
{
    return a.invalid || a.scales[1].percentile >= 95;
}

QString modeWords(Administration::Mode m)
{
    switch (m) {
    case Administration::Mode::Paper:
        return QStringLiteral("on paper");
    case Administration::Mode::Scan:
        return QStringLiteral("on a scanned sheet");
    case Administration::Mode::OnScreen:
        break;
    }
    return QStringLiteral("on screen");
}

QStringList warningsOf(const PastAdministration& then, const PastAdministration& now)
{
    QStringList w;
    if (!then.mode)
        w << QStringLiteral("How the earlier test was taken is not known: it has no administration notes.");
    if (!now.mode)
        w << QStringLiteral("How this test was taken is not known: it has no administration notes.");
    if (then.mode && now.mode && *then.mode != *now.mode)
        w << QStringLiteral("Taken in different ways: %1 then, %2 now.").arg(modeWords(*then.mode), modeWords(*now.mode));
    if (then.mode == Administration::Mode::OnScreen && now.mode == Administration::Mode::OnScreen &&
        !then.language.isEmpty() && !now.language.isEmpty() && then.language.compare(now.language, Qt::CaseInsensitive) != 0)
        w << QStringLiteral("Taken in different languages: %1 then, %2 now.")
                 .arg(LanguageText(then), LanguageText(now));
    if (truthInvalid(then))
        w << QStringLiteral("The earlier test is invalid (Truthfulness at the 95th percentile or above); only its "
                            "Truthfulness is compared.");
    if (truthInvalid(now))
        w << QStringLiteral("This test is invalid (Truthfulness at the 95th percentile or above); only its "
                            "Truthfulness is compared.");
    return w;
}

EarlierComparison compare(const PastAdministration& then, const PastAdministration& now)
{
    EarlierComparison c;
    c.earlier = then;
    if (then.testDate.isValid() && now.testDate.isValid())
        c.days = then.testDate.daysTo(now.testDate);
    // An invalid test's other percentiles are set to 99 by the scoring, not measured.
    const bool invalid = truthInvalid(then) || truthInvalid(now);
    for (int s = 1; s <= NumScales; ++s) {
        ScaleChange& sc = c.scales[s];
        sc.earlier = then.scales[s];
        sc.current = now.scales[s];
        const bool known = sc.earlier.percentile >= 0 && sc.current.percentile >= 0 && !sc.earlier.notScored &&
                           !sc.current.notScored;
        if (known && (s == 1 || !invalid))
            sc.change = sc.current.percentile - sc.earlier.percentile;
    }
    c.warnings = warningsOf(then, now);
    return c;
}

} // namespace

bool SameClient(const ClientRecord& a, const ClientRecord& b)
{
    const QString name = a.Name.simplified().toCaseFolded();
    const QDate born = dateOf(a.DOB);
    return !name.isEmpty() && born.isValid() && name == b.Name.simplified().toCaseFolded() && born == dateOf(b.DOB);
}

EarlierTests CompareEarlierTests(const QString& programDir, const ClientTable& clients, int slot,
                                 const PastAdministrationSource& elsewhere)
{
    EarlierTests out;
    auto run = std::make_unique<ScoringRun>();
    if ((out.error = LoadProgramScoringData(programDir, *run)))
        return out;
    out.scaleNames = run->wording.ScaleNames;
    out.rangeWords = run->wording.RangeWords;
    if ((out.error = ScoreClientScales(clients, static_cast<int16_t>(slot), *run)))
        return out;
    // Notes only say how a test was taken: a location whose notes file cannot be read compares without them.
    QList<NotesFile::Entry> notes;
    NotesFile::read(QDir(clients.DataPath).filePath(QLatin1String(NotesFile::FileName)), notes);
    const ClientRecord& record = clients.Clients[slot];
    out.current = fromRun(record, slot, *run, NotesFile::find(notes, slot, record));

    QList<PastAdministration> found;
    // A test this location holds itself, published from here or from a copy of it, is not one taken elsewhere.
    QSet<QString> held;
    if (const QString id = NotesFile::identity(notes, slot, record); !id.isEmpty())
        held.insert(id);
    for (int n = 1; n <= clients.NumClients; ++n) {
        const ClientRecord& other = clients.Clients[n];
        if (n == slot || !SameClient(record, other))
            continue;
        if (const QString id = NotesFile::identity(notes, n, other); !id.isEmpty())
            held.insert(id);
        const QDate tested = dateOf(other.TestDate);
        // Without both dates only the order of the client file tells which came first.
        const bool before = tested.isValid() && out.current.testDate.isValid()
                                ? tested < out.current.testDate || (tested == out.current.testDate && n < slot)
                                : n < slot;
        if (!before)
            continue;
        if (const ScoringError e = ScoreClientScales(clients, static_cast<int16_t>(n), *run)) {
            out.problems << QStringLiteral("The test of %1 on %2 could not be compared: %3")
                                .arg(ClientLabel(other, n, false), other.TestDate.trimmed(), e.message);
            continue;
        }
        found << fromRun(other, n, *run, NotesFile::find(notes, n, other));
    }
    if (elsewhere) {
        for (const PastAdministration& a : elsewhere(record))
            if ((!out.current.testDate.isValid() || !a.testDate.isValid() || a.testDate <= out.current.testDate) &&
                !held.contains(a.administrationId))
                found << a;
    }
    std::stable_sort(found.begin(), found.end(), [](const PastAdministration& a, const PastAdministration& b) {
        return a.testDate != b.testDate ? a.testDate > b.testDate : a.slot > b.slot;
    });
    for (const PastAdministration& a : found)
        out.earlier << compare(a, out.current);
    return out;
}

QString ModeText(const PastAdministration& a)
{
    if (!a.mode)
        return QStringLiteral("not known");
    switch (*a.mode) {
    case Administration::Mode::Paper:
        return QStringLiteral("Paper, keyed");
    case Administration::Mode::Scan:
        return QStringLiteral("Scanned sheet");
    case Administration::Mode::OnScreen:
        break;
    }
    return QStringLiteral("On screen");
}

QString LanguageText(const PastAdministration& a)
{
    if (!a.mode || (a.mode == Administration::Mode::OnScreen && a.language.isEmpty()))
        return QStringLiteral("not known");
    if (a.mode != Administration::Mode::OnScreen)
        return QStringLiteral("-");
    return sentenceCase(a.language);
}

QString HowTakenText(const PastAdministration& a)
{
    if (a.mode != Administration::Mode::OnScreen)
        return a.mode ? ModeText(a) : QStringLiteral("taken in a way not known");
    return QStringLiteral("On screen in %1")
        .arg(a.language.isEmpty() ? QStringLiteral("a language not known") : LanguageText(a));
}

QString DateText(const PastAdministration& a)
{
    return a.testDate.isValid() ? a.testDate.toString(DateFormat) : QStringLiteral("not known");
}

QString DaysText(const std::optional<qint64>& days)
{
    return days ? QString::number(*days) : QStringLiteral("not known");
}

QString PercentileText(const ScaleScore& s)
{
    if (s.notScored)
        return QStringLiteral("not scored");
    return s.percentile < 0 ? QStringLiteral("-") : QString::number(s.percentile);
}

QString RangeText(const EarlierTests& tests, const ScaleScore& s)
{
    if (s.notScored || s.range < 1 || s.range > NumRangeWords)
        return QStringLiteral("-");
    return sentenceCase(tests.rangeWords[s.range]);
}

QString ChangeText(const ScaleChange& c)
{
    if (!c.change)
        return QStringLiteral("-");
    return *c.change > 0 ? QStringLiteral("+%1").arg(*c.change) : QString::number(*c.change);
}

QString ScaleNameText(const EarlierTests& tests, int scale)
{
    const QString name = tests.scaleNames[scale].trimmed();
    return name.isEmpty() ? QStringLiteral("Scale %1").arg(scale) : sentenceCase(name);
}
