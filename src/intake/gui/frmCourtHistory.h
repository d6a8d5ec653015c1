#pragma once
// The court history window: five counts (arrests and anger management programs) of the current client, each
// "0" to "99" or "N", checked as they are keyed and stored in the client record.

#include "IntakePrefill.h"

#include <QDialog>
#include <array>
#include <optional>

struct AppContext;
class FieldKeys;
class MenuButtons;
class Panel3D;
class QFrame;
class QLabel;
class QLineEdit;

class frmCourtHistory : public QDialog {
    Q_OBJECT
public:
    explicit frmCourtHistory(AppContext& ctx, QWidget* parent = nullptr);
    ~frmCourtHistory() override;

    // The current record's five counts into the boxes.
    void GetCourtData();
    // The boxes into the current record; an edited client is written to the client file at once. False (with the
    // record as it was) when the file could not be written.
    bool SaveCourtData();
    // Fills the boxes with counts read elsewhere (a scanned sheet) before the window is shown.
    void Prefill(const CourtHistoryPrefill& values);

    static constexpr int BoxCount = 5;
    QLineEdit* box(int i) const { return m_boxes.at(i); }
    QLineEdit* txtDrugArrests() const { return m_boxes[0]; }
    QLineEdit* txtAlcoholArrests() const { return m_boxes[1]; }
    QLineEdit* txtAssaults() const { return m_boxes[2]; }
    QLineEdit* txtDVArrests() const { return m_boxes[3]; }
    QLineEdit* txtAnger() const { return m_boxes[4]; }
    QLabel* lblClientName() const { return m_lblClientName; }
    QFrame* frCourt() const { return m_frame; }
    MenuButtons& menu() { return *m_menu; }
    Panel3D* msgPanel() const { return m_msgPanel; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override;

private:
    bool confirmBox(QLineEdit* box);
    bool boxTyped(QLineEdit* box, QKeyEvent* e);
    void informationOk();
    void cancelInput();
    void abandon();

    AppContext& m_ctx;
    QWidget* m_area;
    QFrame* m_frame;
    QLabel* m_lblClientName;
    std::array<QLineEdit*, BoxCount> m_boxes{};
    MenuButtons* m_menu;
    Panel3D* m_msgPanel;
    FieldKeys* m_keys;
};

// Shows the court history window modally for the current client, filled from `prefill` when given; leaves the
// outcome in ctx.flags.ContinueFlag.
void RunCourtHistory(AppContext& ctx, QWidget* parent,
                     const std::optional<CourtHistoryPrefill>& prefill = std::nullopt);
