#pragma once
// Which folder the program runs on. Run where it was built (or from a copied program folder) it runs on its own
// folder; installed, whose tree is read-only, it runs on the user's site folder, made and kept complete from the
// installed files at every start.

#include <QString>

// What the rule looks at; fromEnvironment() fills it for this process.
struct ProgramFolderPlaces {
    QString executableDir;
    QString dataHome; // $XDG_DATA_HOME; ignored when empty or relative
    QString home;     // $HOME
    // Settings an administrator provides for every user's first start (data location, brand); used when present.
    QString machineSettings;

    static ProgramFolderPlaces fromEnvironment(const QString& executableDir);
};

struct ProgramFolder {
    QString path;         // the folder to run on; empty when `error` says why there is none
    QString installedDir; // the installation the site folder is made from; empty when running on the own folder
    QString error;
};

// The installation's shared files for an executable in <prefix>/bin: <prefix>/share/veltrane. Empty when the
// executable's own folder holds a question database, so is itself the program folder.
QString InstalledDataFolder(const QString& executableDir);

// The per-user site folder: $XDG_DATA_HOME/veltrane, else ~/.local/share/veltrane.
QString SiteFolderPath(const ProgramFolderPlaces& places);

// The demo data location a new site folder is pointed at when the installation carries one: ~/veltrane-demo-data.
QString DemoDataLocationPath(const ProgramFolderPlaces& places);

// The program folder for this run. For an installed program the site folder is created (owner-only) when missing;
// the installed data files it lacks are linked into it, so a newer installation's files are used at once; the
// question database, which scans write back to, is copied, and copied again when the installation's copy changes
// (keeping the replaced one as qn.mdb.old); the settings file is copied once from the administrator's or the
// installation's and then belongs to the user. A new settings file names the installed sound folder and, when the
// installation carries a demo data location and the settings name none, a private copy of it. Nothing is ever
// written into the installation.
ProgramFolder ResolveProgramFolder(const ProgramFolderPlaces& places);
