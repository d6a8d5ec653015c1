#pragma once
// The supervisor utilities' page of the results store: which store and office the settings name, publishing the
// data location there behind the secret code with progress, and the store's summary.

#include <QWidget>
#include <functional>
#include <optional>

struct AppContext;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class ResultsTab : public QWidget {
public:
    // Asked for the server's password when ~/.pgpass holds none; none gives up.
    using PasswordPrompt = std::function<std::optional<QString>(QWidget* parent, const QString& question)>;

    ResultsTab(AppContext& ctx, PasswordPrompt askPassword, QWidget* parent = nullptr);

    // Publishes once the secret code was given; false when nothing was published.
    bool publish();
    void showSummary();

    QPushButton* cmdPublish() const { return m_publish; }
    QPushButton* cmdSummary() const { return m_summary; }
    QLabel* lblStore() const { return m_store; }
    QLabel* lblResult() const { return m_result; }
    QPlainTextEdit* txtSummary() const { return m_text; }

private:
    AppContext& m_ctx;
    PasswordPrompt m_ask;
    QLabel* m_store;
    QPushButton* m_publish;
    QPushButton* m_summary;
    QLabel* m_result;
    QPlainTextEdit* m_text;
};
