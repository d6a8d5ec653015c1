#pragma once
// The batch printing window: the supervisor picks clients from the list and their reports are scored, then printed
// one after another in list order: on the printer, on a printer chosen in the printer dialog (as one print job), or
// as one PDF file per client in a chosen folder.

#include "BatchPrinting.h"

#include <QDialog>
#include <functional>

struct AppContext;
class MenuButtons;
class Panel3D;
class QFrame;
class QGroupBox;
class QListWidget;
class QPlainTextEdit;
class ReportOutput;
class BatchProgress;

class frmPrintSelected : public QDialog {
    Q_OBJECT
public:
    frmPrintSelected(AppContext& ctx, ReportOutput& output, QWidget* parent = nullptr);

    QListWidget* lbNameDisplay() const { return m_list; }
    QGroupBox* fraClient() const { return m_fraClient; }
    QPlainTextEdit* txtInstructions() const { return m_instructions; }
    QFrame* fraAll() const { return m_frame; }
    MenuButtons& menu() { return *m_menu; }
    Panel3D* msgPanel() const { return m_msgPanel; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList();
    void updatePrintButton();
    void printSelected();
    void printSelectedTo();
    void saveSelectedAsPdf();
    // Runs the batch of the chosen clients in list order, `progress` showing the scoring half and `printing` told
    // before each report comes out. A batch that ended while scoring has been explained and the window closed.
    BatchOutcome printChosen(BatchProgress* progress, const std::function<QString(int client)>& print,
                             const std::function<bool(int n, int count, int client)>& printing = {});
    int chosenCount() const;
    // Says why the batch ended early (a problem, or the supervisor pressed Stop) and closes the window.
    void stop(const QString& why, bool stoppedByUser = false);
    void listFocus(bool in);

    AppContext& m_ctx;
    ReportOutput& m_output;
    bool m_activated = false;
    QFrame* m_frame;
    QGroupBox* m_fraClient;
    QListWidget* m_list;
    QPlainTextEdit* m_instructions;
    MenuButtons* m_menu;
    Panel3D* m_msgPanel;
};

// Shows the batch printing window modally; ContinueFlag tells whether every chosen report came out.
void RunPrintSelected(AppContext& ctx, QWidget* parent);
