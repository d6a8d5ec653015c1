#pragma once
// The answer grid window: a client's answers keyed from a paper answer sheet (or reviewed after a scan) into one
// small grid per answer type, then saved into the client's record.

#include "DataWorkspace.h"
#include "GridKeying.h"

#include <QDialog>
#include <QList>
#include <memory>
#include <optional>

struct AppContext;
class MenuButtons;
class Panel3D;
class QFrame;
class QLabel;
class ResponseGrid;
class SheetReviewPanel;

class frmNewEntry : public QDialog {
    Q_OBJECT
public:
    frmNewEntry(AppContext& ctx, QWidget* parent = nullptr);
    ~frmNewEntry() override;

    // Empty when the question table was read; otherwise why the grids cannot be shown.
    const QString& loadError() const { return m_loadError; }

    // Colours one cell (row 0 is the header) with &HBBGGRR values, and shows its text in picGridColor.
    void SetGridCellColor(ResponseGrid* grd, int RowNum, int ColNum, qint64 BkClr, qint64 FrClr);

    int gridCount() const { return static_cast<int>(m_grids.size()); }
    ResponseGrid* grid(int i) const { return m_grids.at(i); }
    QLabel* sectionLabel(int i) const { return m_sections.at(i); }
    const GridKeying* keying() const { return m_keying ? &*m_keying : nullptr; }
    MenuButtons& menu() { return *m_menu; }
    Panel3D* msgPanel() const { return m_msgPanel; }
    QFrame* frEntry() const { return m_frEntry; }
    QLabel* lblClientName() const { return m_lblClientName; }


public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildGrids(const QList<QuestionRow>& rows);
    void placeControls();
    void refresh();
    void syncRow(int g, int row);
    void apply(int g, const GridKeying::Outcome& outcome);
    void scrollIntoView(int g);

    void onTyped(int g, QChar key);
    void onUp(int g);
    void onDown(int g);
    void onRowChosen(int g, int row);
    void onFocusGained(int g);
    void onFocusLost(int g);

    void save();
    void cancel();
    void setButtonsEnabled(bool enabled);

    AppContext& m_ctx;
    SheetReviewPanel* m_sheetPanel = nullptr; // a scanned sheet's image, beside the grids during its review
    int m_shownItem = 0;                      // the item it shows
    std::unique_ptr<DataWorkspace::Database> m_questions;
    QString m_loadError;
    std::optional<GridKeying> m_keying;
    AnswerGridLayout m_layout;
    int m_frameWidth = 0; // twips
    bool m_activated = false;
    bool m_finished = false;

    struct Drawn {
        QList<int> marks;
        int litRow = 0;
    };
    QList<Drawn> m_drawn;

    QLabel* m_lblClientName;
    QFrame* m_frEntry;
    QLabel* m_picGridColor;
    QList<ResponseGrid*> m_grids;
    QList<QLabel*> m_sections;
    MenuButtons* m_menu;
    Panel3D* m_msgPanel;
};

// Shows the answer grid for the current client modally; ContinueFlag tells whether the answers were saved.
void RunNewEntry(AppContext& ctx, QWidget* parent);
