#pragma once
// The supervisor utilities: reports behind the secret code, data verification, Delete Names, and, behind the code as
// well, score export, the backup and restore of the client file, how the current client's test was taken and how it
// compares with the client's earlier tests.

#include <QDialog>
#include <functional>
#include <optional>

struct AppContext;
class MenuButtons;
class Panel3D;
class InterruptedTestsTab;
class ResultsTab;
class QCheckBox;
class QLabel;
class QRadioButton;
class QTabWidget;

// What an operation tells the supervisor, and whether it did all it was asked.
struct OperationOutcome {
    bool complete = false;
    QString message;
    bool failed = false; // nothing was written
};

// The windows and operations of other subsystems the utilities start; an empty one is not part of this build.
struct SupervisorServices {
    std::function<void(QWidget* parent)> viewReport;    // the current client's report window
    std::function<void(QWidget* parent)> printSelected; // choosing clients whose reports to print
    std::function<void(QWidget* parent)> verify;        // keying the current client's answers a second time
    // Scores, then prints every client's report, telling `progress` before each step (scoring or printing client n
    // of count; false stops); what to tell the supervisor, or an empty string when every report came out.
    std::function<QString(const std::function<bool(bool printing, int n, int count)>& progress)> printAll;
    // From now on printAll saves each report as a PDF file of its own in `folder` instead of printing it.
    std::function<void(const QString& folder)> savePdfFilesIn;
    // Scores every client and writes the scores to `path` as CSV or JSON, with or without names.
    std::function<OperationOutcome(const QString& path, bool json, bool deidentified)> exportScores;
    // Continues the interrupted test `id` where it stopped; the secret code was given.
    std::function<void(QWidget* parent, const QString& id)> continueTest;
    // The current client's earlier tests beside this one; the secret code was given.
    std::function<void(QWidget* parent)> earlierTests;
    // Asks for a results server's password that ~/.pgpass does not hold; empty, or none returned: not asked.
    std::function<std::optional<QString>(QWidget* parent, const QString& question)> askStorePassword;
};

class frmSupervisorOptions : public QDialog {
    Q_OBJECT
public:
    frmSupervisorOptions(AppContext& ctx, SupervisorServices services, QWidget* parent = nullptr);

    bool EmptyDisk = false;

    void DeleteClientNames();
    // Prints every client's report, or with `pdfFolder` saves each as a PDF file there.
    void PrintAllReports(const QString& pdfFolder = QString());
    // Each returns false when it failed, so the window stays open on the button to try again.
    bool ExportScores(bool json);
    bool BackUpClientFile();
    void RestoreClientFile();

    QTabWidget* tabs() const { return m_tabs; }
    QRadioButton* printOption(int i) const { return m_options[i]; }
    QRadioButton* dataOption(int i) const { return m_dataOptions[i]; }
    QCheckBox* chkDeidentified() const { return m_deidentified; }
    QLabel* lblNameDisplay() const { return m_name; }
    QLabel* lblAdministrationNotes() const { return m_notes; }
    class AuditTrailTab* auditTab() const { return m_audit; }
    class ProtectionTab* protectionTab() const { return m_protection; }
    MenuButtons& menu() { return *m_menu; }
    Panel3D* msgPanel() const { return m_msgPanel; }
    Panel3D* tabPanel() const { return m_tabPanel; }
    int chosenPrintOption() const { return m_printOption; }
    int chosenDataOption() const { return m_dataOption; }
    InterruptedTestsTab* interruptedTests() const { return m_waiting; }
    ResultsTab* resultsTab() const { return m_results; }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void setupNotesTab();
    void setupAuditTab();
    void setupResultsTab();
    void tabChanged(int index);
    void execute();
    QString currentName() const;
    // The tab of interrupted tests; a location without clients opens on it when a test waits there.
    void setupInterruptedTab();
    void continueOrAbandon();

    AppContext& m_ctx;
    SupervisorServices m_services;
    int m_lastTab = 0;
    int m_printOption = 0;
    int m_dataOption = 0;
    bool m_activated = false;
    QWidget* m_frame;
    QTabWidget* m_tabs;
    Panel3D* m_tabPanel;
    QRadioButton* m_options[5];
    QRadioButton* m_dataOptions[4];
    QCheckBox* m_deidentified;
    QLabel* m_name;
    QLabel* m_notes = nullptr;
    class AuditTrailTab* m_audit = nullptr;
    class ProtectionTab* m_protection = nullptr;
    MenuButtons* m_menu;
    Panel3D* m_msgPanel;
    InterruptedTestsTab* m_waiting = nullptr;
    ResultsTab* m_results = nullptr;
};

void RunSupervisorOptions(AppContext& ctx, QWidget* parent, const SupervisorServices& services);
