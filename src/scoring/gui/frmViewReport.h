#pragma once
// The report window: scores the current client, shows the report page by page as it is laid out, and prints it.

#include <QDialog>

struct AppContext;
class MenuButtons;
class QFrame;
class QPushButton;
class QTextEdit;
class ReportOutput;

class frmViewReport : public QDialog {
    Q_OBJECT
public:
    frmViewReport(AppContext& ctx, ReportOutput& output, QWidget* parent = nullptr);

    void MOUSEWAIT();
    void MOUSEDEFAULT();
    // Runs the print command, as the print button does.
    void PrintReport();

    QTextEdit* Text1() const { return m_text; }
    QPushButton* cmdPrintReport() const;
    QPushButton* cmdCancel() const;
    QFrame* fraAll() const { return m_frame; }
    // Whether the activation scored the client and shows its report.
    bool reportShown() const { return m_shown; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void activate();
    void LoadReportText();
    void placeFrame();

    AppContext& m_ctx;
    ReportOutput& m_output;
    bool m_activated = false;
    bool m_shown = false;
    QFrame* m_frame;
    QTextEdit* m_text;
    MenuButtons* m_menu;
};

// Shows the current client's report window modally; ContinueFlag tells whether the report could be shown.
void RunViewReport(AppContext& ctx, QWidget* parent);
