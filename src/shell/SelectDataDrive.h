#pragma once
// Choosing, opening and remembering a data location, with the questions its errors ask.

#include <QString>

class ClientTable;
class Profile;
class Prompts;

// Lets the user pick a data location; returns the chosen path, or an empty string when the user chose none.
class DriveChooser {
public:
    virtual ~DriveChooser() = default;
    virtual QString chooseDrive() = 0;
};

enum class SelectResult { Opened, Stopped, EndProgram };

// Tries the saved location first when `atStartup`, then asks through `chooser` until a location opens, the user
// stops, or the user declines to try another one (which ends the program). An empty path is never opened or saved.
// An encrypted location asks for its passphrase; Cancel goes back to the chooser. The location that closes when
// another opens leaves no copies of its clients in `workstationFolder` when it was encrypted.
SelectResult SelectDataDrive(bool atStartup, ClientTable& table, const Profile& settings, Prompts& prompts,
                             DriveChooser& chooser, const QString& workstationFolder = QString());
