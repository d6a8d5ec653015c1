#pragma once
// The report window: scores the current client, shows the report page by page as it is laid out, and prints it on
// the printer, on a printer the user chooses, or into a PDF file.

#include <QDialog>
#include <functional>

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
    // "Print to…": the printer dialog, then the report on the printer and paper chosen.
    void PrintReportTo();
    // "Save as PDF…": a file name, then the report as a PDF file, page for page as printed.
    void SaveReportAsPdf();

    QTextEdit* Text1() const { return m_text; }
    QPushButton* cmdPrintReport() const;
    QPushButton* cmdCancel() const;
    QPushButton* cmdPrintTo() const;
    QPushButton* cmdSaveAsPdf() const;
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
    // Runs `work` with every button disabled and the hourglass showing, gives the focus back to the command's
    // button `own`, then shows the problem, if any.
    void runCommand(QPushButton* own, const std::function<QString()>& work);

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
