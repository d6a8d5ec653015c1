// veltrane: builds the real services once and hands them to the main window.

#include "Activities.h"
#include "AppContext.h"
#include "Clock.h"
#include "DataWorkspace.h"
#include "Profile.h"
#include "QtPrompts.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "frmDriveSelect.h"
#include "frmMainMenu.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle());
    const QString programDir = QCoreApplication::applicationDirPath();

    SingleInstance instance(programDir);
    if (instance.handOverToRunningInstance())
        return 0; // the running instance comes to the front; this one never touches the data location
    instance.listen();

    Profile settings(programDir + QStringLiteral("/Quillan.ini"));
    QtPrompts prompts;
    SystemClock clock;
    QString workspaceProblem;
    DataWorkspace workspace(programDir, settings, &workspaceProblem);
    if (!workspaceProblem.isEmpty())
        prompts.message(workspaceProblem, AppTitle(), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);

    ClientTable table;
    SessionFlags flags;
    AppContext ctx(table, flags, prompts, clock, settings, workspace, programDir);
    ctx.BrandCode = GetINIBrandCode(settings);
    RealServices services(ctx);

    frmDriveSelect chooser(prompts);
    frmMainMenu window(ctx, chooser, MakeActivities(ctx));
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    QObject::connect(&window, &frmMainMenu::exitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    if (!window.StartUp())
        return 0;
    return app.exec();
}
