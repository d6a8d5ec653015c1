#pragma once
// The Earlier Tests window: the current client's earlier administrations, and for the chosen one the six scales
// side by side with this test, under what makes the comparison doubtful. Shown only; never printed.

#include "EarlierTests.h"

#include <QDialog>

struct AppContext;
struct ClientRecord;
class MenuButtons;
class Panel3D;
class QFrame;
class QLabel;
class QTableWidget;
class QTreeWidget;

class frmEarlierTests : public QDialog {
    Q_OBJECT
public:
    frmEarlierTests(EarlierTests tests, const ClientRecord& client, QWidget* parent = nullptr);

    QLabel* lblCurrent() const { return m_current; }
    QTreeWidget* lstEarlier() const { return m_list; }
    QLabel* lblWarnings() const { return m_warnings; }
    QTableWidget* grdScales() const { return m_scales; }
    Panel3D* msgPanel() const { return m_msgPanel; }
    MenuButtons& menu() { return *m_menu; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setupList();
    void setupScales();
    void showChosen();

    EarlierTests m_tests;
    bool m_activated = false;
    QFrame* m_frame;
    QLabel* m_current;
    QTreeWidget* m_list;
    QLabel* m_warnings;
    QTableWidget* m_scales;
    MenuButtons* m_menu;
    Panel3D* m_msgPanel;
};

// Compares the current client with its earlier tests, on this data location and those `elsewhere` gives, and shows
// the result; a client that cannot be scored is said in a message box instead.
void RunEarlierTests(AppContext& ctx, QWidget* parent, const PastAdministrationSource& elsewhere = {});
