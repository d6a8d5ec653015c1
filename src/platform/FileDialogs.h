#pragma once
// File and folder choosers, behind an interface so tests can answer them as a user would.

#include <QString>
#include <QStringList>

class QWidget;

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // An existing file to read; "" when the user cancelled.
    virtual QString openFile(QWidget* parent, const QString& caption, const QString& startFolder,
                             const QStringList& nameFilters) = 0;
    // A file to write (the dialog asks before replacing one); "" when the user cancelled.
    virtual QString saveFile(QWidget* parent, const QString& caption, const QString& suggestedPath,
                             const QStringList& nameFilters) = 0;
    // An existing folder; "" when the user cancelled.
    virtual QString folder(QWidget* parent, const QString& caption, const QString& startFolder) = 0;
};
