#include "AuditTrailTab.h"

#include "AppContext.h"
#include "Clock.h"
#include "FileDialogs.h"
#include "PrivateFile.h"
#include "Prompts.h"
#include "WindowRoutines.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

AuditTrailTab::AuditTrailTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    m_head = new QLabel(this);
    m_head->setObjectName(QStringLiteral("lblAuditHead"));
    m_client = new QComboBox(this);
    m_client->setObjectName(QStringLiteral("cmbAuditClient"));
    m_client->setAccessibleName(QStringLiteral("Client"));
    m_verify = new QPushButton(QStringLiteral("Verify"), this);
    m_verify->setObjectName(QStringLiteral("cmdAuditVerify"));
    m_export = new QPushButton(QStringLiteral("Export…"), this);
    m_export->setObjectName(QStringLiteral("cmdAuditExport"));
    m_entries = new QTableWidget(0, 6, this);
    m_entries->setObjectName(QStringLiteral("grdAuditTrail"));
    m_entries->setAccessibleName(QStringLiteral("Audit Trail"));
    m_entries->setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("Time (UTC)"), QStringLiteral("User"),
                                          QStringLiteral("Client"), QStringLiteral("Event"), QStringLiteral("Details")});
    m_entries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_entries->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_entries->verticalHeader()->hide();
    m_entries->horizontalHeader()->setStretchLastSection(true);
    m_result = new QLabel(QStringLiteral("Click Execute Selection and give the secret code to see the audit trail."),
                          this);
    m_result->setObjectName(QStringLiteral("lblAuditResult"));
    m_result->setWordWrap(true);
    auto* label = new QLabel(QStringLiteral("&Client:"), this);
    label->setBuddy(m_client);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_client, 1);
    row->addWidget(m_verify);
    row->addWidget(m_export);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_head);
    layout->addLayout(row);
    layout->addWidget(m_entries, 1);
    layout->addWidget(m_result);
    for (QWidget* w : {static_cast<QWidget*>(m_client), static_cast<QWidget*>(m_verify),
                       static_cast<QWidget*>(m_export), static_cast<QWidget*>(m_entries)})
        w->setEnabled(false);
    connect(m_client, &QComboBox::currentIndexChanged, this, [this] { fill(); });
    connect(m_verify, &QPushButton::clicked, this, [this] { verify(); });
    connect(m_export, &QPushButton::clicked, this, [this] { exportCsv(); });
    m_head->setText(headText());
}

QString AuditTrailTab::headText() const
{
    return QStringLiteral("Trail head (write it down to check the trail later): %1")
        .arg(m_ctx.table.audit.head().text());
}

void AuditTrailTab::load()
{
    m_all = AuditTrail::entriesIn(m_ctx.table.DataPath);
    m_head->setText(headText());
    const QSignalBlocker block(m_client);
    m_client->clear();
    m_client->addItem(QStringLiteral("All clients"), 0);
    for (int n = 1; n <= m_ctx.table.NumClients; ++n)
        m_client->addItem(QStringLiteral("Client %1").arg(n), n);
    for (QWidget* w : {static_cast<QWidget*>(m_client), static_cast<QWidget*>(m_verify),
                       static_cast<QWidget*>(m_export), static_cast<QWidget*>(m_entries)})
        w->setEnabled(true);
    m_result->setText(QStringLiteral("%1 entries. Verify checks every entry's seal.").arg(m_all.size()));
    fill();
}

void AuditTrailTab::fill()
{
    const QList<AuditEntry> shown = AuditEntriesNewestFirst(m_all, m_client->currentData().toInt());
    m_entries->setRowCount(static_cast<int>(shown.size()));
    for (int r = 0; r < shown.size(); ++r) {
        const AuditEntry& e = shown[r];
        const QString cells[6] = {QString::number(e.seq), e.utc + QLatin1Char(' ') + e.offset,
                                  e.user + QLatin1Char('@') + e.computer,
                                  e.slot ? QString::number(e.slot) : QString(), e.event,
                                  (e.outcome == QLatin1String("ok") ? QString() : e.outcome + QStringLiteral("; ")) +
                                      e.detailsText()};
        for (int c = 0; c < 6; ++c)
            m_entries->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    m_entries->resizeColumnsToContents();
}

void AuditTrailTab::verify()
{
    MouseWait();
    const AuditVerification v = AuditTrail::verifyFolder(m_ctx.table.DataPath);
    MouseDefault();
    const QString text = v.holds() ? QStringLiteral("The audit trail holds: %1 entries, head %2.")
                                         .arg(v.head.count)
                                         .arg(v.head.text())
                                   : QStringLiteral("The audit trail does not hold. ") + v.message;
    m_result->setText(text);
    m_ctx.client.audit(QStringLiteral("audit-verified"), 0, {{QStringLiteral("entry"), QString::number(v.entry)}},
                       v.holds() ? QStringLiteral("holds") : QStringLiteral("failed"));
    // The list shows the trail the head names, the entry of this check included.
    m_all = AuditTrail::entriesIn(m_ctx.table.DataPath);
    m_head->setText(headText());
    fill();
    m_ctx.prompts.message(text, QStringLiteral("Audit Trail"),
                          v.holds() ? Prompts::Icon::Information : Prompts::Icon::Critical, Prompts::Buttons::Ok);
}

void AuditTrailTab::exportCsv()
{
    if (!m_ctx.files)
        return;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = m_ctx.files->saveFile(this, QStringLiteral("Export Audit Trail"),
                                         QDir(QFileInfo(documents).isDir() ? documents : QDir::homePath())
                                             .filePath(QStringLiteral("VLT audit trail %1.csv")
                                                           .arg(m_ctx.clock.today().toString(Qt::ISODate))),
                                         {QStringLiteral("CSV files (*.csv)")});
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".csv");
    const PrivateFile::CheckedOutput target = PrivateFile::CheckOutput(path, m_ctx.OwnFolders());
    const int client = m_client->currentData().toInt();
    QList<AuditEntry> rows = m_all;
    if (client > 0)
        rows.removeIf([client](const AuditEntry& e) { return e.slot != client; });
    const QString e = target.refused() ? target.refusal()
                                       : PrivateFile::WriteOutput(target, AuditCsv(rows, m_ctx.table.audit.head()));
    if (e.isEmpty())
        m_ctx.client.audit(QStringLiteral("audit-exported"), client, {{QStringLiteral("file"), path}});
    m_head->setText(headText());
    m_ctx.prompts.message(e.isEmpty() ? QStringLiteral("The audit trail was exported as\r%1").arg(QDir::toNativeSeparators(path))
                                      : QStringLiteral("The audit trail was not exported.\r%1").arg(e),
                          QStringLiteral("Export Audit Trail"),
                          e.isEmpty() ? Prompts::Icon::Information : Prompts::Icon::Critical, Prompts::Buttons::Ok);
}
