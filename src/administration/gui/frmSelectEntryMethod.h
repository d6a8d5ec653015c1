#pragma once
// The entry-method window: how a new client's answers are collected, and the chain of windows for that method.

#include <QDialog>
#include <functional>

struct AppContext;
class MenuButtons;
class Panel3D;
class QFrame;
class QGroupBox;

// The windows of other subsystems that the chains open; each shows its window modally with `parent` and leaves its
// outcome in ContinueFlag. A window left empty ends its chain there.
struct EntryChainWindows {
    std::function<void(QWidget* parent)> clientInformation;
    std::function<void(QWidget* parent)> courtHistory;
    std::function<void(QWidget* parent)> answerGrid;
    // The whole scanner chain: scan, mark reading, then the intake windows for review.
    std::function<void(QWidget* parent)> scanChain;
};

class frmSelectEntryMethod : public QDialog {
    Q_OBJECT
public:
    frmSelectEntryMethod(AppContext& ctx, EntryChainWindows windows, QWidget* parent = nullptr);
    ~frmSelectEntryMethod() override;

    enum Button { AdministerButton = 0, PaperButton = 1, ScanButton = 2, CancelButton = 3 };
    QGroupBox* fraSelectMethod() const { return m_fraSelectMethod; }
    QFrame* frBlank() const { return m_frBlank; }
    MenuButtons& menu() { return *m_menu; }
    Panel3D* msgPanel() const { return m_msgPanel; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void placeFrames();
    void administerOnScreen();
    void paperAndPencil();
    void scanAnswerSheet();
    bool run(const std::function<void(QWidget*)>& window);

    AppContext& m_ctx;
    EntryChainWindows m_windows;
    QWidget* m_area;
    QGroupBox* m_fraSelectMethod;
    QFrame* m_frBlank;
    MenuButtons* m_menu;
    Panel3D* m_msgPanel;
};

// Where an on-screen test begins: from the start, or where an interrupted one stopped.
struct OnScreenStart {
    QString language;  // empty: chosen in the language window when both tables exist
    QString responses; // the answers given so far
    int resumeAt = 0;  // the item to go on at; 0 for the start, past the last item when every item has an answer
    bool resumed = false;
};

// Gives the test on screen from the language choice on: the presentation, then the supervisor's code once it ends.
// `ready` runs just before the client takes over. A question database that cannot serve the test gives a new
// client up, and keeps a resumed one for later.
void GiveTestOnScreen(AppContext& ctx, QWidget* parent, const OnScreenStart& from,
                      const std::function<void()>& ready = {});

// Shows the entry-method window modally for a new client; returns when its chain has ended.
void RunSelectEntryMethod(AppContext& ctx, QWidget* parent, const EntryChainWindows& windows);
