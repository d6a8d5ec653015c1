#include "SelectDataDrive.h"

#include "ClientTable.h"
#include "DataLocation.h"
#include "Profile.h"
#include "Prompts.h"
#include "SealedFiles.h"
#include "Settings.h"

SelectResult SelectDataDrive(bool atStartup, ClientTable& table, const Profile& settings, Prompts& prompts,
                             DriveChooser& chooser, const QString& workstationFolder)
{
    bool firstAttempt = true;
    for (;;) {
        QString candidate;
        if (atStartup && firstAttempt)
            candidate = GetINIFilePath(settings);
        firstAttempt = false;
        // An empty path names no location (it would be taken for the root of the file system): ask instead.
        if (candidate.isEmpty())
            candidate = chooser.chooseDrive();
        if (candidate.isEmpty()) {
            // The chooser was closed without a choice: from the menu the open location stays.
            if (!atStartup)
                return SelectResult::Stopped;
            if (prompts.message(QStringLiteral("No drive was chosen, would you like to try another drive?"), AppTitle(),
                                Prompts::Icon::None, Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
                return SelectResult::EndProgram;
            continue;
        }

        for (;;) {
            const QString before = table.DataPath;
            const bool wasSealed = SealedFiles::IsUnlocked(before);
            const OpenResult opened = OpenDataLocation(table, candidate);
            if (opened.error.number == FileError::LocationLocked) {
                if (AskLocationPassphrase(candidate, prompts))
                    continue;
                break; // back to the chooser
            }
            if (opened.error && !table.locationLock.holds(candidate))
                SealedFiles::Lock(candidate); // a location that did not open keeps no key in memory
            if (!opened.error && wasSealed && before != table.DataPath)
                if (const QString e = CloseLocationKeys(before, workstationFolder); !e.isEmpty())
                    prompts.message(e, AppTitle(), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
            if (!opened.error) {
                if (!opened.notice.isEmpty())
                    prompts.message(opened.notice, AppTitle(), Prompts::Icon::Information, Prompts::Buttons::Ok);
                const QString problem = SaveDataDrivePath(settings, candidate);
                if (!problem.isEmpty())
                    prompts.message(problem, AppTitle(), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
                return SelectResult::Opened;
            }
            const ErrorPrompt box = DataLocationErrorPrompt(opened.error, candidate);
            const Prompts::Answer answer = prompts.message(box.text, box.title, box.icon, box.buttons);
            switch (DataLocationOutcome(opened.error, answer)) {
            case LocationOutcome::Retry:
                continue;
            case LocationOutcome::TryAnother:
                break;
            case LocationOutcome::EndProgram:
                return SelectResult::EndProgram;
            case LocationOutcome::Stop:
                return SelectResult::Stopped;
            }
            break;
        }
    }
}
