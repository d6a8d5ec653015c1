#pragma once
// "Scan a Batch of Answer Sheets": reads every sheet of the scanner's feeder or of a folder of image files (up to
// the data location's free slots), listing each as it is read; then the supervisor names and reviews each sheet
// in order through the scan's review windows, and sets rejected ones aside. The batch itself (states, reasons,
// order) is SheetBatch; this window only shows it.

#include "ScanChain.h"
#include "SheetBatch.h"

#include <QDialog>

struct AppContext;
class MenuButtons;
class Panel3D;
class QLabel;
class QProgressBar;
class QTableWidget;

// Where a batch's sheets come from: the scanner's feeder, or these files.
struct BatchSource {
    bool feeder = false;
    QStringList files;
    int leftOver = 0; // files beyond the free slots, not read
};

class frmScanBatch : public QDialog {
    Q_OBJECT
public:
    enum Button { ReviewButton = 0, SetAsideButton = 1, CloseButton = 2 };

    frmScanBatch(AppContext& ctx, ScanReviewWindows windows, SheetBatch batch, BatchSource source, int freeSlots,
                 QWidget* parent = nullptr);
    ~frmScanBatch() override;

    const SheetBatch& batch() const { return m_batch; }
    bool reading() const { return m_reading; }
    QTableWidget* grdBatch() const { return m_list; }
    QLabel* lblBatchSummary() const { return m_summary; }
    QProgressBar* prgReading() const { return m_progress; }
    MenuButtons& menu() { return *m_menu; }

protected:
    void showEvent(QShowEvent* e) override;
    void reject() override;

private:
    void readNext();
    void readFeeder();
    void finishReading();
    void listSheet(int index);
    void updateSummary();
    void reviewSheets();
    void setAside();
    void closeBatch();

    AppContext& m_ctx;
    ScanReviewWindows m_windows;
    SheetBatch m_batch;
    BatchSource m_source;
    int m_freeSlots;
    int m_next = 0;
    bool m_reading = false;
    bool m_stop = false;
    bool m_started = false;

    QLabel* m_summary;
    QProgressBar* m_progress;
    QTableWidget* m_list;
    MenuButtons* m_menu;
    Panel3D* m_msgPanel;
};

// Runs a batch from the choice of its source to the closing of its list. Each sheet saved is a new client of the
// data location, counted as it is saved.
void RunScanBatch(AppContext& ctx, QWidget* parent, const ScanReviewWindows& windows);
