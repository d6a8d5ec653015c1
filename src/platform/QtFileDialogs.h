#pragma once
// File and folder choosers on the real screen.

#include "FileDialogs.h"

class QtFileDialogs final : public FileDialogs {
public:
    QString openFile(QWidget* parent, const QString& caption, const QString& startFolder,
                     const QStringList& nameFilters) override;
    QString saveFile(QWidget* parent, const QString& caption, const QString& suggestedPath,
                     const QStringList& nameFilters) override;
    QString folder(QWidget* parent, const QString& caption, const QString& startFolder) override;
};
