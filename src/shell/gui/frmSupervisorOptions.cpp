#include "frmSupervisorOptions.h"

#include "AdministrationNotes.h"
#include "AppContext.h"
#include "AuditTrailTab.h"
#include "ProtectionTab.h"
#include "BatchProgress.h"
#include "ClientFileBackup.h"
#include "Clock.h"
#include "CurrentClient.h"
#include "DataLocation.h"
#include "FileDialogs.h"
#include "InterruptedTestsTab.h"
#include "ResultsTab.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "Prompts.h"
#include "ReportPrinter.h"
#include "Settings.h"
#include "SupervisorOperations.h"
#include "WindowRoutines.h"
#include "frmMyInputBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum Tab { ReportsTab = 0, VerifyTab = 1, DeleteTab = 2, DataTab = 3, NotesTab = 4 };
enum DataOption { ExportCsv = 0, ExportJson = 1, Backup = 2, Restore = 3 };
const QString ChooseHelp = QStringLiteral("Use the arrow keys or mouse to choose the operation.");

// Where file and folder choosers start: the user's documents, where that folder exists.
QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

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
    // Every tab in sight: the window grows to the tab bar rather than hide tabs behind scroll arrows.
    m_tabs->setUsesScrollButtons(false);
    auto* tabPanelLayout = new QVBoxLayout(m_tabPanel);
    tabPanelLayout->setContentsMargins(5, 5, 5, 5);
    tabPanelLayout->addWidget(m_tabs);

    auto* reports = new QWidget;
    auto* choose = new QGroupBox(QStringLiteral("Choose Report Operation"), reports);
    auto* chooseLayout = new QVBoxLayout(choose);
    const QString captions[5] = {QStringLiteral("Print above current client's report"),
                                 QStringLiteral("Select and print multiple clients' reports"),
                                 QStringLiteral("Print all clients' reports"),
                                 QStringLiteral("Save all clients' reports as PDF files"),
                                 QStringLiteral("Compare the current client with earlier tests")};
    for (int i = 0; i < 5; ++i) {
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
            QStringLiteral(
                "This gives you the opportunity to re-enter the client's responses from the answer sheet.  "
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
    auto* data = new QWidget;
    auto* chooseData = new QGroupBox(QStringLiteral("Choose Operation"), data);
    auto* dataLayout = new QVBoxLayout(chooseData);
    const QString dataCaptions[4] = {QStringLiteral("Export all clients' scores for spreadsheets (CSV)"),
                                     QStringLiteral("Export all clients' scores as JSON"),
                                     QStringLiteral("Back up the client file"),
                                     QStringLiteral("Restore the client file from a backup")};
    for (int i = 0; i < 4; ++i) {
        m_dataOptions[i] = new QRadioButton(dataCaptions[i], chooseData);
        m_dataOptions[i]->setObjectName(QStringLiteral("optDataOption_%1").arg(i));
        m_dataOptions[i]->installEventFilter(this);
        dataLayout->addWidget(m_dataOptions[i]);
        connect(m_dataOptions[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                m_dataOption = i;
            m_deidentified->setEnabled(m_dataOption == ExportCsv || m_dataOption == ExportJson);
        });
    }
    m_deidentified = new QCheckBox(QStringLiteral("Leave out names and dates of birth (de-identified export)"), data);
    m_deidentified->setObjectName(QStringLiteral("chkDeidentified"));
    m_deidentified->installEventFilter(this);
    auto* dataPage = new QVBoxLayout(data);
    dataPage->addWidget(chooseData);
    dataPage->addWidget(m_deidentified);

    m_tabs->addTab(reports, QStringLiteral("&Reports"));
    m_tabs->addTab(verify, QStringLiteral("&Verify Data"));
    m_tabs->addTab(names, QStringLiteral("&Delete Names"));
    m_tabs->addTab(data, QStringLiteral("&Export && Backup"));
    setupNotesTab();
    SetBackColor(m_tabs, NormalColor);

    auto* current = new QGroupBox(QStringLiteral("Current Client"), m_frame);
    m_name = new QLabel(QStringLiteral("No Clients"), current);
    m_name->setObjectName(QStringLiteral("lblNameDisplay"));
    (new QVBoxLayout(current))->addWidget(m_name);

    m_menu = new MenuButtons(this, m_msgPanel);
    m_menu->add(QStringLiteral("Execute Selection"), QStringLiteral("Perform the selected operation."),
                [this] { execute(); });
    m_menu->add(QStringLiteral("Go to Main Menu"),
                QStringLiteral("Close the Utilities window returning to the Main Menu."), [this] { accept(); });
    connect(m_menu->button(0), &QPushButton::pressed, this, [this] { m_tabPanel->setBackColor(NormalColor); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_menu->panel(0));
    buttons->addWidget(m_menu->panel(1));
    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(m_tabPanel);
    frameLayout->addWidget(current);
    frameLayout->addLayout(buttons);

    // Every option in the chain: Qt lets the Tab key stop only on the chosen one of each set, so the focus enters a
    // tab's options at its chosen operation, and the arrow keys go on from there.
    QWidget* chain[] = {m_tabs,           m_options[0],     m_options[1],     m_options[2],     m_options[3],
                        m_options[4],     m_dataOptions[0], m_dataOptions[1], m_dataOptions[2], m_dataOptions[3],
                        m_deidentified,   m_menu->button(0)};
    for (size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    setTabOrder(m_menu->button(0), m_menu->button(1));
    connect(m_tabs, &QTabWidget::currentChanged, this, &frmSupervisorOptions::tabChanged);


    // Loading the window.
    m_lastTab = 0;
    m_printOption = 0;
    m_options[0]->setChecked(true);
    m_dataOptions[0]->setChecked(true);
    EmptyDisk = m_ctx.table.NumClients < 1;
    if (!EmptyDisk)
        m_name->setText(currentName());
    setupInterruptedTab();
    setupAuditTab();
    setupResultsTab();
    // Sized once every tab is in: the tab bar shows them all, without scroll arrows.
    m_frame->adjustSize();
    resize(m_frame->sizeHint() + QSize(TwipsToPixelsX(1200, this), TwipsToPixelsY(2400, this)));
}

void frmSupervisorOptions::setupInterruptedTab()
{
    m_waiting = new InterruptedTestsTab;
    m_waiting->setTests(WaitingTests(m_ctx.client, GetINIResumeHours(m_ctx.settings)));
    m_tabs->addTab(m_waiting, QStringLiteral("&Interrupted Tests"));
    setTabOrder(m_deidentified, m_waiting->list());
    setTabOrder(m_waiting->option(1), m_menu->button(0));
    connect(m_waiting, &InterruptedTestsTab::helpChanged, this, [this](const QString& help) {
        if (m_tabs->currentWidget() == m_waiting)
            m_msgPanel->setCaption(help);
    });
    if (EmptyDisk && !m_waiting->isEmpty()) {
        // The first client of a location may be the one whose test waits.
        EmptyDisk = false;
        for (int i = 0; i < m_tabs->count(); ++i)
            m_tabs->setTabEnabled(i, m_tabs->widget(i) == m_waiting);
        m_tabs->setCurrentWidget(m_waiting);
    }
}

void frmSupervisorOptions::setupNotesTab()
{
    auto* page = new QWidget;
    m_notes = new QLabel(QStringLiteral("Click Execute Selection and give the secret code to see how the current "
                                        "client's test was taken."),
                         page);
    m_notes->setObjectName(QStringLiteral("lblAdministrationNotes"));
    m_notes->setAccessibleName(QStringLiteral("Administration Notes"));
    m_notes->setWordWrap(true);
    m_notes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    (new QVBoxLayout(page))->addWidget(m_notes);
    m_tabs->addTab(page, QStringLiteral("Administration &Notes"));
}

void frmSupervisorOptions::setupAuditTab()
{
    m_audit = new AuditTrailTab(m_ctx);
    m_tabs->addTab(m_audit, QStringLiteral("&Audit Trail"));
    m_protection = new ProtectionTab(m_ctx);
    m_tabs->addTab(m_protection, QStringLiteral("&Protection"));
}

void frmSupervisorOptions::setupResultsTab()
{
    m_results = new ResultsTab(m_ctx, m_services.askStorePassword);
    m_tabs->addTab(m_results, QStringLiteral("Re&sults"));
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
    for (QWidget* o : {static_cast<QWidget*>(m_dataOptions[0]), static_cast<QWidget*>(m_dataOptions[1]),
                       static_cast<QWidget*>(m_dataOptions[2]), static_cast<QWidget*>(m_dataOptions[3]),
                       static_cast<QWidget*>(m_deidentified)}) {
        if (watched != o)
            continue;
        if (focusIn) {
            SetBold(o, true);
            m_msgPanel->setCaption(o == m_deidentified
                                       ? QStringLiteral("Press Space to leave names and dates of birth out of the "
                                                        "export.")
                                       : ChooseHelp);
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
    if (m_tabs->widget(index) == m_audit) {
        m_msgPanel->setCaption(QStringLiteral("Click Execute to see the audit trail. ") + m_audit->headText());
        m_name->setText(QStringLiteral("All Clients"));
        return;
    }
    if (m_tabs->widget(index) == m_results) {
        m_msgPanel->setCaption(QStringLiteral("Click Execute to publish the results of every client to the store."));
        m_name->setText(QStringLiteral("All Clients"));
        return;
    }
    if (m_tabs->widget(index) == m_waiting) {
        m_msgPanel->setCaption(m_waiting->help());
        m_name->setText(m_waiting->chosen() ? m_waiting->chosen()->name : QStringLiteral("No Tests"));
        return;
    }
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
    case DataTab:
        m_msgPanel->setCaption(QStringLiteral("Click Execute to export, back up or restore the client data."));
        m_name->setText(QStringLiteral("All Clients"));
        m_dataOptions[m_dataOption]->setChecked(true);
        break;
    case NotesTab:
        m_msgPanel->setCaption(QStringLiteral("Click Execute to see how the current client's test was taken."));
        m_name->setText(currentName());
        break;
    default:
        break;
    }
}

void frmSupervisorOptions::execute()
{
    if (m_tabs->currentWidget() == m_protection) {
        if (AskSecretCode(m_ctx, this))
            m_protection->open();
        m_menu->button(0)->setFocus();
        return;
    }
    if (m_tabs->currentWidget() == m_audit) {
        // Shown in the tab, which stays open to be read, filtered, verified and exported.
        if (AskSecretCode(m_ctx, this))
            m_audit->load();
        m_menu->button(0)->setFocus();
        return;
    }
    if (m_tabs->currentWidget() == m_results) {
        // Shown in the tab, which stays open on the store's summary.
        if (AskSecretCode(m_ctx, this))
            m_results->publish();
        m_menu->button(0)->setFocus();
        return;
    }
    if (m_tabs->currentWidget() == m_waiting) {
        continueOrAbandon();
        accept();
        return;
    }
    switch (m_tabs->currentIndex()) {
    case ReportsTab:
        if (m_printOption == 4) {
            // Shown over this window, which stays open for the next operation.
            if (AskSecretCode(m_ctx, this) && m_services.earlierTests)
                m_services.earlierTests(this);
            m_menu->button(0)->setFocus();
            return;
        }
        if (AskSecretCode(m_ctx, this)) {
            if (m_printOption == 0 && m_services.viewReport)
                m_services.viewReport(this);
            else if (m_printOption == 1 && m_services.printSelected)
                m_services.printSelected(this);
            else if (m_printOption == 2)
                PrintAllReports();
            else if (m_printOption == 3 && m_ctx.files && m_services.savePdfFilesIn) {
                const QString folder =
                    m_ctx.files->folder(this, QStringLiteral("Save All Reports as PDF Files In"), documentsFolder());
                if (!folder.isEmpty())
                    PrintAllReports(folder);
            }
        }
        break;
    case DataTab:
        if (AskSecretCode(m_ctx, this)) {
            bool done = true;
            if (m_dataOption == ExportCsv || m_dataOption == ExportJson)
                done = ExportScores(m_dataOption == ExportJson);
            else if (m_dataOption == Backup)
                done = BackUpClientFile();
            else
                RestoreClientFile();
            if (!done) {
                m_menu->button(0)->setFocus();
                return;
            }
        }
        break;
    case VerifyTab:
        if (m_services.verify)
            m_services.verify(this);
        break;
    case DeleteTab:
        DeleteClientNames();
        break;
    case NotesTab:
        // Shown in the tab, which stays open to be read.
        if (AskSecretCode(m_ctx, this)) {
            const std::optional<AdministrationNotes> notes = m_ctx.client.notes();
            m_notes->setText(notes ? notes->describe().join(QLatin1Char('\n'))
                                   : QStringLiteral("No administration notes are kept for this client: the test was "
                                                    "taken before notes were kept, or its notes did not match the "
                                                    "client after a restore."));
        }
        m_menu->button(0)->setFocus();
        return;
    default:
        break;
    }
    accept();
}

void frmSupervisorOptions::continueOrAbandon()
{
    const WaitingTest* chosen = m_waiting->chosen();
    if (!chosen || !AskSecretCode(m_ctx, this))
        return;
    const WaitingTest t = *chosen;
    if (!m_waiting->abandonChosen()) {
        if (!t.tooOld && m_services.continueTest)
            m_services.continueTest(this, t.administration.id);
        return;
    }
    const auto answer = m_ctx.prompts.message(
        QStringLiteral("Abandon the test of %1?\r\rThe %2 answers given so far are deleted and cannot be brought "
                       "back; nothing of this test is written to the client file.")
            .arg(t.name)
            .arg(t.answered),
        QStringLiteral("Abandon Test"), Prompts::Icon::Exclamation, Prompts::Buttons::YesNo);
    if (answer != Prompts::Answer::Yes)
        return;
    if (const FileError e = m_ctx.client.abandon(t.administration.id))
        m_ctx.prompts.message(QStringLiteral("The test was not abandoned:\r%1").arg(e.description), AppTitle(),
                              Prompts::Icon::Critical, Prompts::Buttons::Ok);
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
    QStringList namedSlots;
    for (int n = 1; n <= m_ctx.table.NumClients; ++n)
        if (m_ctx.table.Clients[n].NameDeleted.trimmed() != QLatin1String("1"))
            namedSlots << QString::number(n);
    const QString problem =
        ScrambleAllNames(m_ctx.table, [this](int16_t n) { return SaveClientAsking(m_ctx.table, n, m_ctx.prompts); });
    const QString leftover = problem.isEmpty() ? ScrambleProgramCopies(m_ctx.programDir, m_ctx.table.DataPath) : QString();
    MouseDefault();
    QString journal;
    if (problem.isEmpty() && leftover.isEmpty()) {
        if (const qsizetype open = m_ctx.client.interrupted().size(); open > 0) {
            const auto keep = m_ctx.prompts.message(
                QStringLiteral("%1 test(s) on this data disk are not finished: under way or set aside. Their names "
                               "are deleted as well.\r\rKeep them without the names, so they can still be continued? "
                               "No abandons them, and their answers are lost.")
                    .arg(open),
                QStringLiteral("Tests Not Finished"), Prompts::Icon::Question, Prompts::Buttons::YesNo);
            journal = m_ctx.client.deleteJournalNames(keep == Prompts::Answer::Yes);
        }
    }
    const QString failure = !problem.isEmpty() ? problem : !leftover.isEmpty() ? leftover : journal;
    m_ctx.client.audit(QStringLiteral("names-deleted"), 0, {{QStringLiteral("slots"), namedSlots.join(QLatin1Char(' '))}},
                       failure.isEmpty() ? QStringLiteral("ok") : QStringLiteral("failed"));
    if (failure.isEmpty())
        m_ctx.table.audit.forgetNames();
    if (!failure.isEmpty()) {
        m_ctx.prompts.message(failure +
                                  QStringLiteral("\rRun Delete Names again once the data disk can be written."),
                              AppTitle(), Prompts::Icon::Critical, Prompts::Buttons::Ok);
        return;
    }
    if (const QStringList backups = BackupsHoldingNames(m_ctx.table.DataPath); !backups.isEmpty()) {
        QStringList names;
        for (const QString& b : backups)
            names << shown(b);
        const auto scramble = m_ctx.prompts.message(
            QStringLiteral("These backups on the data disk still hold clients' names:\r%1\r\rDelete the names in "
                           "them too? A restore from them then brings back the clients without their names.")
                .arg(names.join(QLatin1Char('\r'))),
            QStringLiteral("Backups With Names"), Prompts::Icon::Question, Prompts::Buttons::YesNo);
        if (scramble == Prompts::Answer::Yes) {
            for (const QString& b : backups) {
                if (const QString e = ScrambleNamesInFile(b); !e.isEmpty()) {
                    m_ctx.prompts.message(e, AppTitle(), Prompts::Icon::Critical, Prompts::Buttons::Ok);
                    return;
                }
            }
        }
    }
    if (const int past = RecordsPastTable(m_ctx.table); past > 0)
        m_ctx.prompts.message(QStringLiteral("The client file %1 holds %2 record(s) past the first %3. The program never "
                                             "shows or changes them, so any names in them were left as they are.")
                                  .arg(shown(m_ctx.table.ClientFilePath))
                                  .arg(past)
                                  .arg(ClientTable::MaxClients),
                              AppTitle(), Prompts::Icon::Information, Prompts::Buttons::Ok);
    m_ctx.prompts.message(QStringLiteral("Process complete. Press Enter to continue."), AppTitle(), Prompts::Icon::None,
                          Prompts::Buttons::Ok);
}

void frmSupervisorOptions::PrintAllReports(const QString& pdfFolder)
{
    if (!m_services.printAll)
        return;
    const bool pdf = !pdfFolder.isEmpty();
    if (pdf)
        m_services.savePdfFilesIn(pdfFolder);
    const int clients = m_ctx.table.NumClients;
    BatchProgress progress(this,
                           pdf ? QStringLiteral("Save all clients' reports as PDF files")
                               : QStringLiteral("Print all clients' reports"),
                           QStringLiteral("Printing report %1 of %1").arg(clients));
    const QString problem = m_services.printAll([&](bool printing, int n, int count) {
        const QString label = !printing ? QStringLiteral("Scoring client %1 of %2")
                              : pdf     ? QStringLiteral("Saving report %1 of %2")
                                        : QStringLiteral("Printing report %1 of %2");
        // Each pass (scoring, then printing) fills the bar once, so it shows what its label says.
        return progress.step(label.arg(n).arg(count), n, count);
    });
    m_ctx.client.audit(pdf ? QStringLiteral("print-all-pdf") : QStringLiteral("print-all"), 0,
                       {{QStringLiteral("clients"), QString::number(clients)},
                        {pdf ? QStringLiteral("folder") : QStringLiteral("printer"),
                         pdf ? pdfFolder : (m_ctx.printer ? m_ctx.printer->describe() : QStringLiteral("none"))}},
                       problem.isEmpty() ? QStringLiteral("ok") : QStringLiteral("failed"));
    if (!problem.isEmpty())
        m_ctx.prompts.message(problem, AppTitle(), Prompts::Icon::Critical, Prompts::Buttons::Ok);
}

bool frmSupervisorOptions::ExportScores(bool json)
{
    if (!m_ctx.files || !m_services.exportScores)
        return true;
    const QString title = QStringLiteral("Export Scores");
    const QString suffix = json ? QStringLiteral(".json") : QStringLiteral(".csv");
    QString path = m_ctx.files->saveFile(
        this, title,
        QDir(documentsFolder())
            .filePath(QStringLiteral("VLT scores %1%2").arg(m_ctx.clock.today().toString(Qt::ISODate), suffix)),
        {json ? QStringLiteral("JSON files (*.json)") : QStringLiteral("CSV files (*.csv)")});
    if (path.isEmpty())
        return true;
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    MouseWait();
    const OperationOutcome out = m_services.exportScores(path, json, m_deidentified->isChecked());
    MouseDefault();
    if (!out.failed)
        m_ctx.client.audit(QStringLiteral("export"), 0,
                           {{QStringLiteral("file"), path},
                            {QStringLiteral("format"), json ? QStringLiteral("json") : QStringLiteral("csv")},
                            {QStringLiteral("deidentified"), m_deidentified->isChecked() ? QStringLiteral("yes")
                                                                                        : QStringLiteral("no")}},
                           out.complete ? QStringLiteral("ok") : QStringLiteral("partly"));
    m_ctx.prompts.message(out.message, title, out.complete ? Prompts::Icon::Information : Prompts::Icon::Exclamation,
                          Prompts::Buttons::Ok);
    return !out.failed;
}

bool frmSupervisorOptions::BackUpClientFile()
{
    if (!m_ctx.files)
        return true;
    const QString title = QStringLiteral("Back Up Client File");
    const QString folder = m_ctx.files->folder(this, QStringLiteral("Back Up the Client File To"), documentsFolder());
    if (folder.isEmpty())
        return true;
    MouseWait();
    const BackupOutcome out = ::BackUpClientFile(m_ctx.table.ClientFilePath, folder, QDateTime::currentDateTime());
    MouseDefault();
    if (out.error.isEmpty())
        m_ctx.client.audit(QStringLiteral("backup"), 0, {{QStringLiteral("file"), out.path}});
    if (!out.error.isEmpty()) {
        m_ctx.prompts.message(QStringLiteral("The client file was not backed up.\r%1").arg(out.error), title,
                              Prompts::Icon::Critical, Prompts::Buttons::Ok);
        return false;
    }
    QString text = QStringLiteral("The client file (%1 clients) was backed up as\r%2\rThe copy was read back and "
                                  "matches the client file.")
                       .arg(out.clients)
                       .arg(shown(out.path));
    for (const QString& companion : out.companions)
        text += QStringLiteral("\rWith it: %1").arg(shown(QFileInfo(companion).fileName()));
    if (!out.warning.isEmpty())
        text += QStringLiteral("\r\r") + out.warning;
    m_ctx.prompts.message(text, title, out.warning.isEmpty() ? Prompts::Icon::Information : Prompts::Icon::Exclamation,
                          Prompts::Buttons::Ok);
    return true;
}

void frmSupervisorOptions::RestoreClientFile()
{
    if (!m_ctx.files)
        return;
    const QString title = QStringLiteral("Restore Client File");
    const QString path =
        m_ctx.files->openFile(this, QStringLiteral("Restore the Client File From"), documentsFolder(),
                              {QStringLiteral("Client file backups (DATA401*.QN)"), QStringLiteral("All files (*)")});
    if (path.isEmpty())
        return;
    const BackupContents backup = ReadBackupAsking(path, m_ctx.prompts);
    if (!backup.error.isEmpty()) {
        m_ctx.prompts.message(backup.error + QStringLiteral("\rNothing was changed."), title, Prompts::Icon::Critical,
                              Prompts::Buttons::Ok);
        return;
    }
    const QFileInfo present(m_ctx.table.ClientFilePath);
    const QString readOnly = present.exists() && !(present.permissions() & QFile::WriteOwner)
                                 ? QStringLiteral("\r\rThe client file is read-only; it is replaced all the same.")
                                 : QString();
    const auto answer = m_ctx.prompts.message(
        QStringLiteral("Replace the client file\r%1 (%2 clients)\rwith the backup\r%3 (%4 clients)?\r\rThe present "
                       "client file is kept as a backup of its own on the data location.")
                .arg(shown(m_ctx.table.ClientFilePath))
                .arg(m_ctx.table.NumClients)
                .arg(shown(path))
                .arg(backup.clients) +
            readOnly,
        title, Prompts::Icon::Exclamation, Prompts::Buttons::YesNo);
    if (answer != Prompts::Answer::Yes)
        return;
    MouseWait();
    const RestoreOutcome out = ::RestoreClientFile(m_ctx.table.ClientFilePath, backup, QDateTime::currentDateTime());
    // The table follows the file, whatever happened to it.
    const ClientTable::LoadResult loaded = m_ctx.table.LoadClients();
    m_ctx.client.forgetJournal();
    MouseDefault();
    if (out.error.isEmpty())
        m_ctx.client.audit(QStringLiteral("restore"), 0,
                           {{QStringLiteral("file"), path},
                            {QStringLiteral("kept"), out.keptPath},
                            {QStringLiteral("its-trail-kept-as"), out.restoredTrail}});
    if (!out.error.isEmpty() || loaded.error) {
        m_ctx.prompts.message(out.error.isEmpty() ? loaded.error.description : out.error, title,
                              Prompts::Icon::Critical, Prompts::Buttons::Ok);
        return;
    }
    QString text =
        QStringLiteral("The client file was restored from the backup: %1 clients.").arg(m_ctx.table.NumClients);
    if (!out.keptPath.isEmpty())
        text += QStringLiteral("\rThe client file it replaced is kept as\r%1").arg(shown(out.keptPath));
    m_ctx.prompts.message(text, title, Prompts::Icon::Information, Prompts::Buttons::Ok);
}

void RunSupervisorOptions(AppContext& ctx, QWidget* parent, const SupervisorServices& services)
{
    frmSupervisorOptions window(ctx, services, parent);
    window.exec();
}
