#include "ProtectionTab.h"

#include "AppContext.h"
#include "LocationProtection.h"
#include "ProtectionSteps.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ProtectionTab::ProtectionTab(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblProtectionStatus"));
    m_status->setWordWrap(true);
    m_encrypt = new QPushButton(QStringLiteral("Encr&ypt this data location…"), this);
    m_encrypt->setObjectName(QStringLiteral("cmdEncrypt"));
    m_change = new QPushButton(QStringLiteral("C&hange passphrase…"), this);
    m_change->setObjectName(QStringLiteral("cmdChangePassphrase"));
    m_remove = new QPushButton(QStringLiteral("Re&move encryption…"), this);
    m_remove->setObjectName(QStringLiteral("cmdRemoveEncryption"));
    m_hint = new QLabel(QStringLiteral("Click Execute Selection and give the secret code to change the "
                                           "protection of this data location."),
                            this);
    m_hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    for (QPushButton* b : {m_encrypt, m_change, m_remove})
        layout->addWidget(b, 0, Qt::AlignLeft);
    layout->addStretch(1);
    layout->addWidget(m_hint);
    connect(m_encrypt, &QPushButton::clicked, this, [this] {
        EncryptOpenLocation(m_ctx.table, m_ctx.prompts);
        refresh();
    });
    connect(m_change, &QPushButton::clicked, this, [this] {
        ChangeOpenLocationPassphrase(m_ctx.table, m_ctx.prompts);
        refresh();
    });
    connect(m_remove, &QPushButton::clicked, this, [this] {
        RemoveOpenLocationEncryption(m_ctx.table, m_ctx.prompts);
        refresh();
    });
    refresh();
}

void ProtectionTab::open()
{
    m_open = true;
    refresh();
}

void ProtectionTab::refresh()
{
    m_status->setText(ProtectionStatusText(m_ctx.table));
    m_hint->setVisible(!m_open);
    const bool encrypted = LocationProtection::IsEncrypted(m_ctx.table.DataPath);
    m_encrypt->setEnabled(m_open && !encrypted);
    m_change->setEnabled(m_open && encrypted);
    m_remove->setEnabled(m_open && encrypted);
}
