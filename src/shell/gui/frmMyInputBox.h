#pragma once
// Asks for one line of text, plain or masked; the caller reads InputValue and Cancelled after it closes.

#include <QDialog>
#include <functional>

struct AppContext;

class MenuButtons;
class Prompts;
class QLabel;
class QLineEdit;

class frmMyInputBox : public QDialog {
    Q_OBJECT
public:
    frmMyInputBox(Prompts& prompts, QWidget* parent = nullptr);

    // Shared by every use of the window: it keeps its last setting until a caller changes it.
    static bool PasswordInput;

    int InputLength = 0;
    QString HelpMessage;
    QString InputValue;
    bool Cancelled = false;

    QLineEdit* txtInput() const { return m_txtInput; }
    MenuButtons& menu() { return *m_menu; }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void informationOk();

    Prompts& m_prompts;
    QLabel* m_lblHelpMsg;
    QLineEdit* m_txtInput;
    MenuButtons* m_menu;
};

// Asks for the supervisor's secret code until it is given (true) or the prompt is cancelled (false).
bool AskSecretCode(Prompts& prompts, QWidget* parent = nullptr, const std::function<void(int wrong)>& onWrong = {});
// The same, with each wrong code counted in the open data location's audit trail.
bool AskSecretCode(AppContext& ctx, QWidget* parent = nullptr);
