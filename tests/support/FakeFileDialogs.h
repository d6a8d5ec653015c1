#pragma once
// File choosers answered by the test; each remembers what it was asked.

#include "FileDialogs.h"

#include <functional>

class FakeFileDialogs final : public FileDialogs {
public:
    std::function<QString()> openAnswers = [] { return QString(); };
    std::function<QString()> saveAnswers = [] { return QString(); };
    std::function<QString()> folderAnswers = [] { return QString(); };
    QStringList asked; // the captions, in order

    QString openFile(QWidget*, const QString& caption, const QString&, const QStringList&) override
    {
        asked << caption;
        return openAnswers();
    }
    QString saveFile(QWidget*, const QString& caption, const QString&, const QStringList&) override
    {
        asked << caption;
        return saveAnswers();
    }
    QString folder(QWidget*, const QString& caption, const QString&) override
    {
        asked << caption;
        return folderAnswers();
    }
};
