#pragma once
// The supervisor utilities' page of the data location's audit trail: its entries newest first, by client, checked
// and exported on request.

#include "AuditTrail.h"

#include <QWidget>

struct AppContext;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

class AuditTrailTab : public QWidget {
public:
    explicit AuditTrailTab(AppContext& ctx, QWidget* parent = nullptr);

    // The entries are shown only once the secret code was given.
    void load();
    void verify();
    void exportCsv();
    // The head of the trail as it stands: shown whether or not the entries are.
    QString headText() const;

    QTableWidget* entries() const { return m_entries; }
    QComboBox* cmbClient() const { return m_client; }
    QPushButton* cmdVerify() const { return m_verify; }
    QPushButton* cmdExport() const { return m_export; }
    QLabel* lblResult() const { return m_result; }

private:
    void fill();

    AppContext& m_ctx;
    QList<AuditEntry> m_all;
    QComboBox* m_client;
    QTableWidget* m_entries;
    QPushButton* m_verify;
    QPushButton* m_export;
    QLabel* m_head;
    QLabel* m_result;
};
