#include "frmMainMenu.h"

#include "AppContext.h"
#include "Brand.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "PrivateFile.h"
#include "Profile.h"
#include "Prompts.h"
#include "SelectDataDrive.h"
#include "Settings.h"
#include "WindowRoutines.h"
#include "frmAbout.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <unistd.h>

namespace {
enum Button { EditButton = 0, AddButton = 1, SupervisorButton = 2, ExitButton = 3 };
}

frmMainMenu::frmMainMenu(AppContext& ctx, DriveChooser& chooser, MainMenuActivities activities, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_chooser(chooser), m_activities(std::move(activities))
{
    setObjectName(QStringLiteral("frmMainMenu"));
    setWindowTitle(AppTitle());

    auto* central = new QWidget(this);
    setCentralWidget(central);
    const WindowSkeleton skeleton = MakeWindowSkeleton(central, QStringLiteral("menuArea"));
    QWidget* area = skeleton.area;
    m_msgPanel = skeleton.msgPanel;

    m_frame = new QFrame(area);
    m_frame->setObjectName(QStringLiteral("frMainMenu"));
    m_logo = new QLabel(m_frame);
    m_logo->setObjectName(QStringLiteral("imgNWKLogo"));
    m_logo->setAlignment(Qt::AlignCenter);

    m_fraClient = new QGroupBox(QStringLiteral("Client List"), m_frame);
    m_fraClient->setObjectName(QStringLiteral("fraClient"));
    m_list = new QListWidget(m_fraClient);
    m_list->setObjectName(QStringLiteral("lbNameDisplay"));
    m_list->setAccessibleName(QStringLiteral("Client List"));
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setBold(false); // fixed here so the frame's bold focus font does not reach the list
    m_list->setFont(mono);
    m_list->setMinimumSize(TwipsToPixelsX(4200, this), TwipsToPixelsY(3000, this));
    m_list->installEventFilter(this);
    auto* clientLayout = new QVBoxLayout(m_fraClient);
    clientLayout->addWidget(m_list);
    SetBackColor(m_fraClient, NormalColor);
    SetForeColor(m_fraClient, Qt::white);

    m_menu = new MenuButtons(this, m_msgPanel);
    m_menu->add(QStringLiteral("Edit Current Client"), QStringLiteral("Edit client's information."),
                [this] { editCurrentClient(); });
    m_menu->add(QStringLiteral("Add New Client"),
                QStringLiteral("Enter a new client. Test client on computer or enter data from answer sheet."), [this] {
                    m_ctx.flags.EditingClient = false;
                    m_ctx.flags.ScanReview = false;
                    runActivity(m_activities.entryMethod);
                });
    m_menu->add(QStringLiteral("Supervisor Options"),
                QStringLiteral("Print client report, verify data entry or delete client names."),
                [this] { runActivity(m_activities.supervisorOptions); });
    m_menu->add(QStringLiteral("Exit Application"), QStringLiteral("Quit the program."),
                [this] { emit exitRequested(); });
    m_menu->button(EditButton)->setEnabled(false);

    auto* buttons = new QVBoxLayout;
    for (int i = 0; i < m_menu->size(); ++i)
        buttons->addWidget(m_menu->panel(i));
    buttons->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(m_fraClient, 1);
    row->addLayout(buttons);
    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(m_logo);
    frameLayout->addLayout(row);

    setTabOrder(m_list, m_menu->button(0));
    for (int i = 0; i + 1 < m_menu->size(); ++i)
        setTabOrder(m_menu->button(i), m_menu->button(i + 1));

    connect(m_list, &QListWidget::currentTextChanged, this, [this](const QString& line) {
        // The client number is the text before the first hyphen, whatever the name holds.
        bool ok = false;
        const int n = line.section(QLatin1Char('-'), 0, 0).toInt(&ok);
        if (ok)
            m_ctx.client.open(static_cast<int16_t>(n));
        UpdateEditButton();
    });

    m_exitAction = menuBar()->addAction(QStringLiteral("E&xit!"));
    m_exitAction->setObjectName(QStringLiteral("mnuExit"));
    connect(m_exitAction, &QAction::triggered, this, &frmMainMenu::exitRequested);
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    m_driveSelectAction = options->addAction(QStringLiteral("&Drive select"));
    m_driveSelectAction->setObjectName(QStringLiteral("mnuDriveSelect"));
    connect(m_driveSelectAction, &QAction::triggered, this, &frmMainMenu::selectDrive);
    m_numLockAction = options->addAction(QStringLiteral("&Num Lock Always On"));
    m_numLockAction->setObjectName(QStringLiteral("mnuNumLock"));
    m_numLockAction->setCheckable(true);
    connect(m_numLockAction, &QAction::triggered, this, &frmMainMenu::toggleNumLock);
    m_printAnswerSheetAction = options->addAction(QStringLiteral("Print &Answer Sheet..."));
    m_printAnswerSheetAction->setObjectName(QStringLiteral("mnuPrintAnswerSheet"));
    m_printAnswerSheetAction->setEnabled(bool(m_activities.printAnswerSheet));
    connect(m_printAnswerSheetAction, &QAction::triggered, this, [this] {
        if (m_activities.printAnswerSheet)
            m_activities.printAnswerSheet(this);
    });
    // A supervisor with a stack of sheets starts here rather than scanning them one by one through Add New Client.
    m_scanBatchAction = options->addAction(QStringLiteral("Scan a &Batch of Answer Sheets..."));
    m_scanBatchAction->setObjectName(QStringLiteral("mnuScanBatch"));
    m_scanBatchAction->setEnabled(bool(m_activities.scanBatch));
    connect(m_scanBatchAction, &QAction::triggered, this, [this] {
        // Run as the menu's activities are, so that the list shows the new clients afterwards.
        if (!m_inActivity)
            runActivity(m_activities.scanBatch);
    });
    m_aboutAction = menuBar()->addAction(QStringLiteral("&About..."));
    m_aboutAction->setObjectName(QStringLiteral("mnuAbout"));
    connect(m_aboutAction, &QAction::triggered, this, &frmMainMenu::showAbout);

    resize(TwipsToPixelsX(9600, this), TwipsToPixelsY(7800, this));
}

bool frmMainMenu::StartUp()
{
    // Report and scan files a killed run of this user left half-written; no other run of this user writes in this
    // program folder now (one instance per folder and user).
    PrivateFile::RemoveLeftovers(m_ctx.programDir, static_cast<long>(::geteuid()));
    MouseDefault();
    if (SelectDataDrive(true, m_ctx.table, m_ctx.settings, m_ctx.prompts, m_chooser, m_ctx.programDir) == SelectResult::EndProgram)
        return false;
    MouseWait();
    m_ctx.SoundPath = GetINISndPath(m_ctx.settings);
    m_logo->setPixmap(BrandLogo(m_ctx.BrandCode, QSize(TwipsToPixelsX(4200, this), TwipsToPixelsY(900, this))));

    hide();
    {
        frmAbout splash(m_ctx.BrandCode);
        splash.Splash = true;
        splash.HoldTickMs = SplashHoldTickMs;
        splash.show();
        while (!splash.FadeDone)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        MouseWait();
        splash.Unload();
    }

    setWindowTitle(AppTitle());
    show();
    CenterForm(this);
    m_started = true;
    Activate();
    offerInterruptedTests();
    m_numLock = LoadNumLockSetting(m_ctx.settings);
    m_numLockAction->setChecked(m_numLock);
    UnloadOthers = true;
    MouseDefault();
    return true;
}

void frmMainMenu::Activate()
{
    CenterFrame(this, m_frame);
    ResetMenuButtons(*m_menu, 3);
    UpdateEditButton();
    if (m_ctx.table.NumClients == 0)
        m_ctx.table.CurClient = 0;
    RefreshNameDisplay();
    UpdateEditButton();
    // Room may have come back with another data location, so the button follows the table both ways.
    m_menu->button(AddButton)->setEnabled(!m_ctx.table.isFull());
    if (UnloadOthers)
        closeOtherWindows();
}

void frmMainMenu::RefreshNameDisplay()
{
    if (m_ctx.table.NumClients <= 0)
        return;
    const QSignalBlocker block(m_list);
    const bool picked = m_list->currentRow() >= 0;
    m_list->clear();
    for (int n = 1; n <= m_ctx.table.NumClients; ++n)
        m_list->addItem(m_ctx.table.listLine(n));
    // A line the supervisor had picked stays picked across the refresh, on the current client.
    if (picked && m_ctx.table.CurClient >= 1 && m_ctx.table.CurClient <= m_ctx.table.NumClients)
        m_list->setCurrentRow(m_ctx.table.CurClient - 1);
}

void frmMainMenu::UpdateEditButton()
{
    const QListWidgetItem* item = m_list->currentItem();
    m_menu->button(EditButton)->setEnabled(item && !item->text().isEmpty());
}

bool frmMainMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list) {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (m_ctx.table.NumClients < 1) {
                UpdateEditButton();
                m_menu->button(AddButton)->setFocus();
                return false;
            }
            SetBackColor(m_fraClient, HighlightColor);
            SetForeColor(m_fraClient, Qt::black);
            SetBold(m_fraClient, true);
            m_msgPanel->setCaption(QStringLiteral("Use up or down arrow keys or mouse to select client."));
            UpdateEditButton();
            break;
        case QEvent::FocusOut:
            SetBackColor(m_fraClient, NormalColor);
            SetForeColor(m_fraClient, Qt::white);
            SetBold(m_fraClient, false);
            m_msgPanel->setCaption(QString());
            break;
        case QEvent::KeyPress:
            UpdateEditButton();
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMainMenu::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_started && !m_inActivity)
        Activate();
}

void frmMainMenu::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_frame->adjustSize();
    CenterFrame(this, m_frame);
}

void frmMainMenu::runActivity(const std::function<void(QWidget*)>& activity)
{
    if (!activity)
        return;
    m_inActivity = true;
    m_frame->hide();
    activity(this);
    m_frame->show();
    m_inActivity = false;
    Activate();
}

void frmMainMenu::editCurrentClient()
{
    m_ctx.flags.EditingClient = true;
    m_ctx.flags.ScanReview = false;
    UnloadOthers = false;
    m_inActivity = true;
    m_frame->hide();
    if (m_activities.clientInformation) {
        m_activities.clientInformation(this);
        if (m_ctx.flags.ContinueFlag && m_activities.courtHistory) {
            m_ctx.flags.ContinueFlag = false;
            m_activities.courtHistory(this);
            if (m_ctx.flags.ContinueFlag && m_activities.answerGrid)
                m_activities.answerGrid(this);
        }
    }
    UnloadOthers = true;
    m_frame->show();
    m_inActivity = false;
    Activate();
}

void frmMainMenu::selectDrive()
{
    switch (SelectDataDrive(false, m_ctx.table, m_ctx.settings, m_ctx.prompts, m_chooser, m_ctx.programDir)) {
    case SelectResult::EndProgram:
        emit exitRequested();
        return;
    case SelectResult::Opened:
        m_list->clear();
        RefreshNameDisplay();
        offerInterruptedTests();
        break;
    case SelectResult::Stopped:
        break;
    }
    Activate();
}

void frmMainMenu::offerInterruptedTests()
{
    // Before the menu takes input: the question is the first thing the supervisor sees.
    runActivity(m_activities.interruptedTests);
}

void frmMainMenu::toggleNumLock()
{
    m_numLock = !m_numLock;
    m_numLockAction->setChecked(m_numLock);
    const QString problem = SaveNumLockSetting(m_ctx.settings, m_numLock);
    if (!problem.isEmpty())
        m_ctx.prompts.message(problem, AppTitle(), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
}

void frmMainMenu::showAbout()
{
    frmAbout about(m_ctx.BrandCode, this);
    about.Splash = false;
    about.exec();
}

void frmMainMenu::closeOtherWindows()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible() && w->isWindow() && !qobject_cast<QMenu*>(w))
            w->close();
    }
}
