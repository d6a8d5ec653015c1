#pragma once
// The supervisor utilities' page on the data location's encryption: whether it is encrypted, and the commands that
// encrypt it, change its passphrase and remove the encryption, open once the secret code was given.

#include <QWidget>

struct AppContext;
class QLabel;
class QPushButton;

class ProtectionTab : public QWidget {
public:
    explicit ProtectionTab(AppContext& ctx, QWidget* parent = nullptr);

    // After the secret code: the commands that fit the location are enabled.
    void open();
    QPushButton* cmdEncrypt() const { return m_encrypt; }
    QPushButton* cmdChange() const { return m_change; }
    QPushButton* cmdRemove() const { return m_remove; }
    QLabel* lblStatus() const { return m_status; }

private:
    void refresh();

    AppContext& m_ctx;
    bool m_open = false;
    QLabel* m_status;
    QLabel* m_hint;
    QPushButton* m_encrypt;
    QPushButton* m_change;
    QPushButton* m_remove;
};
