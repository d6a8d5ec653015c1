#include "ProgramResults.h"

#include "AppContext.h"
#include "Clock.h"
#include "ProgramFolder.h"

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
    return error->isEmpty() ? QString::fromUtf8(FormatSummary(summary, SummaryFormat::Text)) : QString();
}

QString ConfiguredClientKey(const AppContext& ctx, const ClientRecord& record)
{
    return ClientKey(record, ProgramResultsConfig(ctx).agencyKey);
}

} // namespace Results
