// Opens a data location the way start-up does and keeps it open until its input ends, so a test can run a second
// program against it.
//   location_holder SETTINGS_FILE
// Prints each message box's text on a line ("answered No") and "opened" once the location is open.

#include "ClientTable.h"
#include "Profile.h"
#include "Prompts.h"
#include "SelectDataDrive.h"

#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

class PrintedPrompts final : public Prompts {
public:
    Answer message(const QString& text, const QString&, Icon, Buttons) override
    {
        std::printf("%s\n", qPrintable(text));
        std::fflush(stdout);
        return Answer::No;
    }
    void beep() override {}
};

class NoChoice final : public DriveChooser {
public:
    QString chooseDrive() override { return {}; }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    ClientTable table;
    PrintedPrompts prompts;
    NoChoice chooser;
    if (SelectDataDrive(true, table, Profile(QString::fromLocal8Bit(argv[1])), prompts, chooser) !=
        SelectResult::Opened)
        return 1;
    std::printf("opened\n");
    std::fflush(stdout);
    for (std::string line; std::getline(std::cin, line);) {
    }
    return 0;
}
