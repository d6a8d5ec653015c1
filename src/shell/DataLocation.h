#pragma once
// Opening a data location and the messages and outcomes of its errors.

#include "FileError.h"
#include "Prompts.h"

class ClientTable;

struct OpenResult {
    FileError error;
    QString notice; // a warning to show once, for example a client file longer than the table
};

// Makes `path` the data location: reads its client file and proves the location writable.
OpenResult OpenDataLocation(ClientTable& table, const QString& path);

struct ErrorPrompt {
    QString text;
    QString title;
    Prompts::Icon icon;
    Prompts::Buttons buttons;
};

enum class LocationOutcome { TryAnother, Retry, EndProgram, Stop };

// The box for an error while a chosen data location is opened, and what each answer leads to.
ErrorPrompt DataLocationErrorPrompt(const FileError& e, const QString& candidate);
LocationOutcome DataLocationOutcome(const FileError& e, Prompts::Answer answer);

// The supervisor's secret code check, without regard to case.
bool IsSecretCode(const QString& entry);
