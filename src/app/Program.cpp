#include "Program.h"

#include "Activities.h"
#include "Clock.h"
#include "DataLocation.h"
#include "DataWorkspace.h"
#include "Profile.h"
#include "Prompts.h"
#include "QtAudio.h"
#include "QtFileDialogs.h"
#include "QtPrinterChooser.h"
#include "QtPrompts.h"
#include "SaneScanner.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "SystemReportPrinter.h"
#include "frmDriveSelect.h"
#include "frmMainMenu.h"

#include <QCoreApplication>

struct Program::Parts {
    Parts(std::unique_ptr<SingleInstance> single, const QString& programDir, const ProgramEdges& edges,
          const PastAdministrationSource& earlierResults)
        : instance(std::move(single)), settings(programDir + QStringLiteral("/Quillan.ini")),
          workspace(programDir, settings, &workspaceProblem),
          ctx(table, flags, *edges.prompts, *edges.clock, settings, workspace, programDir), chooser(*edges.prompts),
          window(ctx, chooser, MakeActivities(ctx, earlierResults))
    {
    }

    std::unique_ptr<SingleInstance> instance;
    Profile settings;
    QString workspaceProblem;
    DataWorkspace workspace;
    ClientTable table;
    SessionFlags flags;
    AppContext ctx;
    frmDriveSelect chooser;
    frmMainMenu window;
};

std::unique_ptr<Program> Program::build(const QString& programDir, const ProgramEdges& edges,
                                        const PastAdministrationSource& earlierResults)
{
    auto instance = std::make_unique<SingleInstance>(programDir);
    const SingleInstance::HandOver handOver = instance->handOverToRunningInstance();
    if (handOver == SingleInstance::HandOver::NoAnswer && edges.prompts)
        edges.prompts->message(QStringLiteral("Veltrane is already running but does not respond. Wait for it to "
                                              "finish what it is doing, or end it, and then start Veltrane again."),
                               QStringLiteral("Veltrane"), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
    if (handOver != SingleInstance::HandOver::NoneRunning)
        return nullptr;
    instance->listen();
    return std::unique_ptr<Program>(new Program(std::move(instance), programDir, edges, earlierResults));
}

Program::Program(std::unique_ptr<SingleInstance> instance, const QString& programDir, const ProgramEdges& edges,
                 const PastAdministrationSource& earlierResults)
    : m(std::make_unique<Parts>(std::move(instance), programDir, edges, earlierResults))
{
    AppContext& ctx = m->ctx;
    ctx.BrandCode = GetINIBrandCode(m->settings);
    ctx.files = edges.files;
    ctx.printer = edges.printer;
    ctx.printerChooser = edges.printerChooser;
    ctx.audio = edges.audio;
    ctx.scanner = edges.scanner;

    frmMainMenu& window = m->window;
    QObject::connect(m->instance.get(), &SingleInstance::activationRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    QObject::connect(&window, &frmMainMenu::exitRequested, QCoreApplication::instance(), &QCoreApplication::quit,
                     Qt::QueuedConnection);
}

Program::~Program()
{
    // The trail says the location closed while its key can still seal the entry; then the key and the workstation's
    // copies of an encrypted location's clients go.
    m->table.audit.close();
    if (const QString e = CloseLocationKeys(m->table.DataPath, m->ctx.programDir); !e.isEmpty())
        m->ctx.prompts.message(e, AppTitle(), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
}

bool Program::start()
{
    if (!m->workspaceProblem.isEmpty())
        m->ctx.prompts.message(m->workspaceProblem, AppTitle(), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
    return m->window.StartUp();
}

frmMainMenu& Program::mainWindow()
{
    return m->window;
}

frmDriveSelect& Program::driveChooser()
{
    return m->chooser;
}

AppContext& Program::context()
{
    return m->ctx;
}

struct RealEdges::Parts {
    explicit Parts(const QString& programDir)
    {
        // Only the settings are read here: the scanner library looks for devices (seconds, with no scanner
        // attached) at the first scan.
        const Profile settings(programDir + QStringLiteral("/Quillan.ini"));
        scanner = std::make_unique<SaneScanner>(SaneSettings::fromProfile(settings));
    }
    QtPrompts prompts;
    SystemClock clock;
    QtFileDialogs files;
    SystemReportPrinter printer;
    QtPrinterChooser printerChooser;
    // Without a sound server the audio says so, and the presentation runs silently.
    QtAudio audio;
    std::unique_ptr<SaneScanner> scanner;
};

RealEdges::RealEdges(const QString& programDir) : m(std::make_unique<Parts>(programDir)) {}

RealEdges::~RealEdges() = default;

ProgramEdges RealEdges::edges() const
{
    ProgramEdges e;
    e.prompts = &m->prompts;
    e.clock = &m->clock;
    e.files = &m->files;
    e.printer = &m->printer;
    e.printerChooser = &m->printerChooser;
    e.audio = &m->audio;
    e.scanner = m->scanner.get();
    return e;
}
