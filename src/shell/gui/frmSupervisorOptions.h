#pragma once
// The supervisor utilities: reports behind the secret code, data verification, and Delete Names.

#include <QDialog>
#include <functional>

struct AppContext;
class MenuButtons;
class Panel3D;
class QLabel;
class QRadioButton;
class QTabWidget;

// The windows and operations of other subsystems the utilities start; an empty one is not part of this build.
struct SupervisorServices {
    std::function<void(QWidget* parent)> viewReport;    // the current client's report window
    std::function<void(QWidget* parent)> printSelected; // choosing clients whose reports to print
    std::function<void(QWidget* parent)> verify;        // keying the current client's answers a second time
    std::function<QString()> scoreAndReport;            // scores the current client into report.prn; error or empty
    std::function<QString()> printReport;               // prints report.prn; error or empty
};

class frmSupervisorOptions : public QDialog {
    Q_OBJECT
public:
    frmSupervisorOptions(AppContext& ctx, SupervisorServices services, QWidget* parent = nullptr);

    bool EmptyDisk = false;

    void DeleteClientNames();
    void PrintAllReports();

    QTabWidget* tabs() const { return m_tabs; }
    QRadioButton* printOption(int i) const { return m_options[i]; }
    QLabel* lblNameDisplay() const { return m_name; }
    MenuButtons& menu() { return *m_menu; }
    Panel3D* msgPanel() const { return m_msgPanel; }
    Panel3D* tabPanel() const { return m_tabPanel; }
    int chosenPrintOption() const { return m_printOption; }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void tabChanged(int index);
    void execute();
    QString currentName() const;

    AppContext& m_ctx;
    SupervisorServices m_services;
    int m_lastTab = 0;
    int m_printOption = 0;
    bool m_activated = false;
    QWidget* m_frame;
    QTabWidget* m_tabs;
    Panel3D* m_tabPanel;
    QRadioButton* m_options[3];
    QLabel* m_name;
    MenuButtons* m_menu;
    Panel3D* m_msgPanel;
};

void RunSupervisorOptions(AppContext& ctx, QWidget* parent, const SupervisorServices& services);
