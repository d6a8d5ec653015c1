#include "frmSupervisorOptions.h"

#include "AppContext.h"
#include "DataLocation.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "Prompts.h"
#include "SupervisorOperations.h"
#include "WindowRoutines.h"
#include "frmMyInputBox.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
enum Tab { ReportsTab = 0, VerifyTab = 1, DeleteTab = 2 };

QGroupBox* commentFrame(const QString& name, const QString& text, QWidget* parent)
{
    auto* frame = new QGroupBox(QStringLiteral("Operation Comments"), parent);
    auto* label = new QLabel(text, frame);
    label->setObjectName(name);
    label->setWordWrap(true);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(label);
    return frame;
}
} // namespace

frmSupervisorOptions::frmSupervisorOptions(AppContext& ctx, SupervisorServices services, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_services(std::move(services))
{
    setObjectName(QStringLiteral("frmSupervisorOptions"));
    setWindowTitle(QStringLiteral("Supervisor Options"));
    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("frControls"));
    m_msgPanel = new Panel3D(QStringLiteral("MsgPanel"), this);
    m_msgPanel->setCaption(QString());

    m_tabPanel = new Panel3D(QStringLiteral("sspMenuChoice_2"), m_frame);
    m_tabPanel->setBackColor(NormalColor);
    m_tabs = new QTabWidget(m_tabPanel);
    m_tabs->setObjectName(QStringLiteral("sstSupervisorOperations"));
    m_tabs->installEventFilter(this);
    m_tabs->tabBar()->installEventFilter(this);
    auto* tabPanelLayout = new QVBoxLayout(m_tabPanel);
    tabPanelLayout->setContentsMargins(5, 5, 5, 5);
    tabPanelLayout->addWidget(m_tabs);

    auto* reports = new QWidget;
    auto* choose = new QGroupBox(QStringLiteral("Choose Report Operation"), reports);
    auto* chooseLayout = new QVBoxLayout(choose);
    const QString captions[3] = {QStringLiteral("Print above current client's report"),
                                 QStringLiteral("Select and print multiple clients' reports"),
                                 QStringLiteral("Print all clients' reports")};
    for (int i = 0; i < 3; ++i) {
        m_options[i] = new QRadioButton(captions[i], choose);
        m_options[i]->setObjectName(QStringLiteral("optPrintOption_%1").arg(i));
        m_options[i]->installEventFilter(this);
        chooseLayout->addWidget(m_options[i]);
        connect(m_options[i], &QRadioButton::clicked, this, [this, i] { m_printOption = i; });
        connect(m_options[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                m_printOption = i;
        });
    }
    (new QVBoxLayout(reports))->addWidget(choose);
    auto* verify = new QWidget;
    (new QVBoxLayout(verify))
        ->addWidget(commentFrame(
            QStringLiteral("Label1"),
            QStringLiteral("This gives you the opportunity to re-enter the client's responses from the answer sheet.  "
                           "After you enter the responses, any differences from what was just entered and what was "
                           "previously stored will be reported.  This gives you the opportunity to correct any errors."),
            verify));
    auto* names = new QWidget;
    (new QVBoxLayout(names))
        ->addWidget(commentFrame(
            QStringLiteral("Label2"),
            QStringLiteral("This operation will delete the client's name from the client database.  USE WITH "
                           "CAUTION!  Once the name has been deleted on this data disk, it CANNOT be retrieved.  All "
                           "other associated client data, demographics, court history and responses will NOT be "
                           "deleted.  Use this operation to protect client confidentiality when you are done with the "
                           "disk."),
            names));
    m_tabs->addTab(reports, QStringLiteral("&Reports"));
    m_tabs->addTab(verify, QStringLiteral("&Verify Data"));
    m_tabs->addTab(names, QStringLiteral("&Delete Names"));
    SetBackColor(m_tabs, NormalColor);

    auto* current = new QGroupBox(QStringLiteral("Current Client"), m_frame);
    m_name = new QLabel(QStringLiteral("No Clients"), current);
    m_name->setObjectName(QStringLiteral("lblNameDisplay"));
    (new QVBoxLayout(current))->addWidget(m_name);

    m_menu = new MenuButtons(this, m_msgPanel);
    m_menu->add(QStringLiteral("Execute Selection"), QStringLiteral("Perform the selected operation."),
                [this] { execute(); });
    m_menu->add(QStringLiteral("Go to Main Menu"), QStringLiteral("Close the Utilities window returning to the Main Menu."),
                [this] { accept(); });
    connect(m_menu->button(0), &QPushButton::pressed, this, [this] { m_tabPanel->setBackColor(NormalColor); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_menu->panel(0));
    buttons->addWidget(m_menu->panel(1));
    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(m_tabPanel);
    frameLayout->addWidget(current);
    frameLayout->addLayout(buttons);
    m_frame->adjustSize();

    setTabOrder(m_tabs, m_options[0]);
    setTabOrder(m_options[0], m_menu->button(0));
    setTabOrder(m_menu->button(0), m_menu->button(1));
    connect(m_tabs, &QTabWidget::currentChanged, this, &frmSupervisorOptions::tabChanged);

    resize(m_frame->sizeHint() + QSize(TwipsToPixelsX(1200, this), TwipsToPixelsY(2400, this)));

    // Loading the window.
    m_lastTab = 0;
    m_printOption = 0;
    m_options[0]->setChecked(true);
    EmptyDisk = m_ctx.table.NumClients < 1;
    if (!EmptyDisk)
        m_name->setText(currentName());
}

QString frmSupervisorOptions::currentName() const
{
    return m_ctx.table.current().Name;
}

void frmSupervisorOptions::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    PlaceFootPanelAndFrame(this, m_msgPanel, m_frame);
}

void frmSupervisorOptions::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (m_activated)
        return;
    m_activated = true;
    CenterForm(this);
    CenterFrame(this, m_frame);
    SetBackColor(m_tabs, NormalColor);
    if (EmptyDisk) {
        // After the window is up, so the message appears over it and closing ends its modal display.
        QTimer::singleShot(0, this, [this] {
            m_ctx.prompts.message(QStringLiteral("There are no clients on this data disk.\rReturning to main menu."),
                                  QStringLiteral("Empty Data Disk"), Prompts::Icon::Information, Prompts::Buttons::Ok);
            reject();
        });
    }
}

bool frmSupervisorOptions::eventFilter(QObject* watched, QEvent* event)
{
    const bool focusIn = event->type() == QEvent::FocusIn;
    const bool focusOut = event->type() == QEvent::FocusOut;
    if (watched == m_tabs || watched == m_tabs->tabBar()) {
        if (focusIn)
            m_tabPanel->setBackColor(HighlightColor);
        else if (focusOut)
            m_tabPanel->setBackColor(NormalColor);
    }
    for (QRadioButton* o : m_options) {
        if (watched != o)
            continue;
        if (focusIn) {
            SetBold(o, true);
            m_msgPanel->setCaption(QStringLiteral("Use the arrow keys or mouse to choose print operation."));
        } else if (focusOut) {
            SetBold(o, false);
        }
    }
    if (focusIn && (watched == m_menu->button(0) || watched == m_menu->button(1)))
        m_tabPanel->setBackColor(NormalColor);
    return QDialog::eventFilter(watched, event);
}

void frmSupervisorOptions::tabChanged(int index)
{
    if (index == m_lastTab)
        return;
    m_lastTab = index;
    switch (index) {
    case ReportsTab:
        m_msgPanel->setCaption(QString());
        m_name->setText(currentName());
        m_options[m_printOption]->setChecked(true);
        break;
    case VerifyTab:
        m_msgPanel->setCaption(QStringLiteral("Click Execute to perform data verification."));
        m_name->setText(currentName());
        break;
    case DeleteTab:
        m_msgPanel->setCaption(QStringLiteral("Click Execute to perform delete names operation."));
        m_name->setText(QStringLiteral("All Clients"));
        break;
    default:
        break;
    }
}

void frmSupervisorOptions::execute()
{
    switch (m_tabs->currentIndex()) {
    case ReportsTab:
        if (AskSecretCode(m_ctx.prompts, this)) {
            if (m_printOption == 0 && m_services.viewReport)
                m_services.viewReport(this);
            else if (m_printOption == 1 && m_services.printSelected)
                m_services.printSelected(this);
            else if (m_printOption == 2)
                PrintAllReports();
        }
        break;
    case VerifyTab:
        if (m_services.verify)
            m_services.verify(this);
        break;
    case DeleteTab:
        DeleteClientNames();
        break;
    default:
        break;
    }
    accept();
}

void frmSupervisorOptions::DeleteClientNames()
{
    const auto answer = m_ctx.prompts.message(
        QStringLiteral("You are about to delete the Client Name from\rall tests on this diskette. This should not be "
                       "done\runtil you have printed all reports and are finished\rwith this diskette and ready to "
                       "return it.\r\rAre you SURE you want to do this?"),
        QStringLiteral("WARNING!"), Prompts::Icon::Critical, Prompts::Buttons::YesNo);
    if (answer != Prompts::Answer::Yes)
        return;
    MouseWait();
    const FileError e =
        ScrambleAllNames(m_ctx.table, [this](int16_t n) { return SaveClientAsking(m_ctx.table, n, m_ctx.prompts); });
    MouseDefault();
    if (e) {
        m_ctx.prompts.message(QStringLiteral("Names could not be deleted from the data disk: %1\rThe names already "
                                             "deleted stay deleted; run Delete Names again once the disk can be "
                                             "written.").arg(e.description),
                              AppTitle(), Prompts::Icon::Critical, Prompts::Buttons::Ok);
        return;
    }
    m_ctx.prompts.message(QStringLiteral("Process complete. Press Enter to continue."), AppTitle(), Prompts::Icon::None,
                          Prompts::Buttons::Ok);
}

void frmSupervisorOptions::PrintAllReports()
{
    if (!m_services.scoreAndReport || !m_services.printReport)
        return;
    QProgressDialog progress(this);
    progress.setObjectName(QStringLiteral("frmPrintProgress"));
    progress.setWindowTitle(QStringLiteral("Print all clients' reports"));
    progress.setCancelButtonText(QStringLiteral("Stop"));
    progress.setMinimumDuration(0);
    progress.setRange(0, 2 * m_ctx.table.NumClients);
    progress.setWindowModality(Qt::WindowModal);
    PrintAllSteps steps{m_services.scoreAndReport, m_services.printReport, [&](int phase, int n, int count) {
                            progress.setLabelText(phase == 0 ? QStringLiteral("Scoring client %1 of %2").arg(n).arg(count)
                                                             : QStringLiteral("Printing report %1 of %2").arg(n).arg(count));
                            progress.setValue(phase * count + n - 1);
                            QApplication::processEvents();
                            return !progress.wasCanceled();
                        }};
    const QString problem = ::PrintAllReports(m_ctx.table, m_ctx.programDir, steps);
    progress.reset();
    if (!problem.isEmpty())
        m_ctx.prompts.message(problem, AppTitle(), Prompts::Icon::Critical, Prompts::Buttons::Ok);
}

void RunSupervisorOptions(AppContext& ctx, QWidget* parent, const SupervisorServices& services)
{
    frmSupervisorOptions window(ctx, services, parent);
    window.exec();
}
