// veltrane: builds the real edges and the program once, then runs it.

#include "Program.h"
#include "Prompts.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle());
    const QString programDir = QCoreApplication::applicationDirPath();

    RealEdges real(programDir);
    const std::unique_ptr<Program> program = Program::build(programDir, real.edges());
    if (!program || !program->start())
        return 0;
    return app.exec();
}
