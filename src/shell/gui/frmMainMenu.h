#pragma once
// The main window: the client list of the open data location and the four activities.

#include <QMainWindow>
#include <functional>

struct AppContext;
class DriveChooser;
class MenuButtons;
class Panel3D;
class QAction;
class QGroupBox;
class QListWidget;
class QLabel;

// The windows the main menu opens; each shows its window modally with `parent` and returns when it closes.
// An activity left empty does nothing (its window is not part of this build).
struct MainMenuActivities {
    std::function<void(QWidget* parent)> clientInformation;
    std::function<void(QWidget* parent)> courtHistory;
    std::function<void(QWidget* parent)> answerGrid;
    std::function<void(QWidget* parent)> entryMethod;
    std::function<void(QWidget* parent)> supervisorOptions;
    std::function<void(QWidget* parent)> printAnswerSheet;
    std::function<void(QWidget* parent)> scanBatch; // many answer sheets read, reviewed and saved in one go
    std::function<void(QWidget* parent)> interruptedTests; // offered each time a data location opens
};

class frmMainMenu : public QMainWindow {
    Q_OBJECT
public:
    frmMainMenu(AppContext& ctx, DriveChooser& chooser, MainMenuActivities activities, QWidget* parent = nullptr);

    // The start-up sequence after the workspace exists: data location, splash, then the menu. False when the
    // program should end.
    bool StartUp();

    void Activate();
    void RefreshNameDisplay();
    void UpdateEditButton();

    bool UnloadOthers = false;
    bool NumLockOption() const { return m_numLock; }
    // Length of one splash hold tick (a test may shorten it).
    int SplashHoldTickMs = 1000;

    QListWidget* lbNameDisplay() const { return m_list; }
    MenuButtons& menu() { return *m_menu; }
    Panel3D* msgPanel() const { return m_msgPanel; }
    QWidget* frMainMenu() const { return m_frame; }
    QGroupBox* fraClient() const { return m_fraClient; }
    QAction* numLockAction() const { return m_numLockAction; }
    QAction* driveSelectAction() const { return m_driveSelectAction; }
    QAction* printAnswerSheetAction() const { return m_printAnswerSheetAction; }
    QAction* scanBatchAction() const { return m_scanBatchAction; }
    QAction* aboutAction() const { return m_aboutAction; }
    QAction* exitAction() const { return m_exitAction; }

signals:
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void editCurrentClient();
    void runActivity(const std::function<void(QWidget*)>& activity);
    void selectDrive();
    void offerInterruptedTests();
    void toggleNumLock();
    void showAbout();
    void closeOtherWindows();

    AppContext& m_ctx;
    DriveChooser& m_chooser;
    MainMenuActivities m_activities;
    bool m_numLock = true;
    bool m_started = false;
    bool m_inActivity = false;

    QWidget* m_frame;
    QLabel* m_logo;
    QGroupBox* m_fraClient;
    QListWidget* m_list;
    MenuButtons* m_menu;
    Panel3D* m_msgPanel;
    QAction* m_exitAction;
    QAction* m_driveSelectAction;
    QAction* m_numLockAction;
    QAction* m_printAnswerSheetAction;
    QAction* m_scanBatchAction;
    QAction* m_aboutAction;
};
