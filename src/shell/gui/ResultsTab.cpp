#include "ResultsTab.h"

#include "AppContext.h"
#include "BatchProgress.h"
#include "ProgramResults.h"
#include "Prompts.h"
#include "WindowRoutines.h"
#include "frmMyInputBox.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

ResultsTab::ResultsTab(AppContext& ctx, PasswordPrompt askPassword, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_ask(std::move(askPassword))
{
    const Results::ResultsConfig config = Results::ProgramResultsConfig(ctx);
    m_store = new QLabel(this);
    m_store->setObjectName(QStringLiteral("lblResultsStore"));
    m_store->setWordWrap(true);
    m_store->setTextFormat(Qt::PlainText);
    m_store->setText(QStringLiteral("Store: %1\nOffice: %2\nClient keys: %3")
                         .arg(Results::ConfiguredStoreText(ctx),
                              config.office.isEmpty() ? QStringLiteral("(none set)") : config.office,
                              config.agencyKey.isEmpty() ? QStringLiteral("off (no agency key)") : QStringLiteral("on")));
    m_publish = new QPushButton(QStringLiteral("&Publish Results…"), this);
    m_publish->setObjectName(QStringLiteral("cmdPublishResults"));
    m_summary = new QPushButton(QStringLiteral("Show S&ummary"), this);
    m_summary->setObjectName(QStringLiteral("cmdResultsSummary"));
    m_result = new QLabel(QStringLiteral("Publish Results writes every scored test of this data location into the "
                                         "store, without names or dates of birth."),
                          this);
    m_result->setObjectName(QStringLiteral("lblResultsResult"));
    m_result->setWordWrap(true);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtResultsSummary"));
    m_text->setAccessibleName(QStringLiteral("Results Summary"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* row = new QHBoxLayout;
    row->addWidget(m_publish);
    row->addWidget(m_summary);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_store);
    layout->addLayout(row);
    layout->addWidget(m_result);
    layout->addWidget(m_text, 1);
    connect(m_publish, &QPushButton::clicked, this, [this] {
        if (AskSecretCode(m_ctx, this))
            publish();
    });
    connect(m_summary, &QPushButton::clicked, this, [this] { showSummary(); });
}

bool ResultsTab::publish()
{
    const Results::PasswordPrompt ask = [this](const QString& q) {
        return m_ask ? m_ask(this, q) : std::optional<QString>();
    };
    const int clients = m_ctx.table.NumClients;
    std::optional<BatchProgress> progress;
    progress.emplace(window(), QStringLiteral("Publishing Results"),
                     QStringLiteral("Publishing administration %1 of %1").arg(clients));
    const Results::PublishOutcome out = Results::PublishOpenLocation(m_ctx, ask, [&progress](int done, int total) {
        return progress->step(QStringLiteral("Publishing administration %1 of %2").arg(done).arg(total), done, total);
    });
    progress.reset();
    m_result->setText(out.message().replace(QLatin1Char('\r'), QLatin1Char('\n')));
    if (!out.error.isEmpty()) {
        m_ctx.prompts.message(out.error, QStringLiteral("Publish Results"), Prompts::Icon::Exclamation,
                              Prompts::Buttons::Ok);
        return false;
    }
    showSummary();
    return true;
}

void ResultsTab::showSummary()
{
    QString error;
    const QString text = Results::ConfiguredSummary(
        m_ctx, [this](const QString& q) { return m_ask ? m_ask(this, q) : std::optional<QString>(); }, &error);
    m_text->setPlainText(error.isEmpty() ? text : error);
}
