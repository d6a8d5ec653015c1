#include "ProgramResults.h"

#include "AppContext.h"
#include "Clock.h"
#include "ProgramFolder.h"
#include "ResultsStore.h"
#include "ScoreExport.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace Results {

ResultsConfig ProgramResultsConfig(const AppContext& ctx)
{
    return ReadResultsConfig(ctx.settings,
                             SiteFolderPath(ProgramFolderPlaces::fromEnvironment(QCoreApplication::applicationDirPath())));
}

QString ConfiguredStoreText(const AppContext& ctx)
{
    const ResultsConfig config = ProgramResultsConfig(ctx);
    QString why;
    const std::optional<StoreTarget> target = StoreTarget::parse(config.store, &why);
    return target ? target->text() : why;
}

PublishOutcome PublishOpenLocation(AppContext& ctx, const PasswordPrompt& ask, const PublishProgress& progress)
{
    PublishRequest request;
    request.programDir = ctx.programDir;
    request.brandCode = ctx.BrandCode.isEmpty() ? QLatin1Char('N') : ctx.BrandCode.at(0);
    request.config = ProgramResultsConfig(ctx);
    PublishOutcome out;
    QString why;
    const std::optional<StoreTarget> target = StoreTarget::parse(request.config.store, &why);
    if (!target) {
        out.error = QStringLiteral("Nothing was published. %1").arg(why);
        return out;
    }
    request.target = *target;
    request.auditHead = ctx.table.audit.isOpen() ? ctx.table.audit.head().text() : QString();
    request.now = ctx.clock.now();
    request.ownFolders = ctx.OwnFolders();
    request.askPassword = ask;
    request.progress = progress;
    out = PublishLocation(ctx.table, request);
    if (!request.config.problem.isEmpty())
        out.problems.prepend(request.config.problem);
    if (out.error.isEmpty() && ctx.table.audit.isOpen())
        ctx.client.audit(QStringLiteral("publish"), 0,
                         {{QStringLiteral("to"), request.target.text()},
                          {QStringLiteral("administrations"), QString::number(out.administrations)},
                          {QStringLiteral("new"), QString::number(out.count.added)},
                          {QStringLiteral("new_versions"), QString::number(out.count.superseding)}});
    return out;
}

QString ConfiguredSummary(const AppContext& ctx, const PasswordPrompt& ask, QString* error)
{
    const ResultsConfig config = ProgramResultsConfig(ctx);
    const std::optional<StoreTarget> target = StoreTarget::parse(config.store, error);
    if (!target)
        return {};
    if (target->kind == StoreTarget::Kind::Bundle) {
        *error = QStringLiteral("Results are written to the bundle %1; its summary is the store's it is loaded into.")
                     .arg(target->text());
        return {};
    }
    if (target->kind == StoreTarget::Kind::Sqlite && !QFileInfo::exists(target->path)) {
        *error = QStringLiteral("Nothing has been published to %1 yet.").arg(target->text());
        return {};
    }
    Store store(*target);
    if (const QString e = store.open(ask); !e.isEmpty()) {
        *error = e;
        return {};
    }
    const Summary summary = Summarize(store, {}, error);
    return error->isEmpty()
               ? QString::fromUtf8(FormatSummary(summary, SummaryFormat::Text, ProgramScaleNames(ctx.programDir)))
               : QString();
}

QString ConfiguredClientKey(const AppContext& ctx, const ClientRecord& record)
{
    return ClientKey(record, ProgramResultsConfig(ctx).agencyKey);
}

namespace {

PastAdministration FromStore(const StoredAdministration& s)
{
    PastAdministration a;
    a.origin = s.office.isEmpty() ? QStringLiteral("Results store") : QStringLiteral("Results store, %1").arg(s.office);
    a.administrationId = s.administrationId;
    a.testDate = QDate::fromString(s.testDate, Qt::ISODate);
    for (const Administration::Mode m : {Administration::Mode::OnScreen, Administration::Mode::Paper,
                                         Administration::Mode::Scan})
        if (s.mode == QLatin1String(Administration::modeName(m)))
            a.mode = m;
    a.language = s.language;
    for (int i = 0; i < Scales; ++i) {
        ScaleScore& score = a.scales[i + 1];
        score.notScored = s.scales[i].range == QLatin1String("not_scored");
        score.range = ScaleRangeOfName(s.scales[i].range);
        score.percentile = score.notScored ? -1 : s.scales[i].percentile;
    }
    a.invalid = s.invalid || s.truthfulnessInvalid;
    return a;
}

} // namespace

PastAdministrationSource StoreEarlierTests(const AppContext& ctx, const PasswordPrompt& ask)
{
    return [&ctx, ask](const ClientRecord& record) {
        QList<PastAdministration> out;
        const QString key = ConfiguredClientKey(ctx, record);
        if (key.isEmpty())
            return out;
        const std::optional<StoreTarget> target = StoreTarget::parse(ProgramResultsConfig(ctx).store, nullptr);
        // A store that was never published to is not made by looking into it; a bundle cannot be looked into.
        if (!target || target->kind == StoreTarget::Kind::Bundle ||
            (target->kind == StoreTarget::Kind::Sqlite && !QFileInfo::exists(target->path)))
            return out;
        Store store(*target);
        if (!store.open(ask).isEmpty())
            return out;
        const QString here = KnownLocationId(ctx.table.DataPath);
        for (const StoredAdministration& s : administrationsOfClient(store, key))
            if (here.isEmpty() || s.locationId != here)
                out << FromStore(s);
        return out;
    };
}

} // namespace Results
