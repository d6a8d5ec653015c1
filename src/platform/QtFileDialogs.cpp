#include "QtFileDialogs.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace {
QString run(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}
} // namespace

QString QtFileDialogs::openFile(QWidget* parent, const QString& caption, const QString& startFolder,
                                const QStringList& nameFilters)
{
    QFileDialog dialog(parent, caption, startFolder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(nameFilters);
    return run(dialog);
}

QString QtFileDialogs::saveFile(QWidget* parent, const QString& caption, const QString& suggestedPath,
                                const QStringList& nameFilters)
{
    QFileDialog dialog(parent, caption);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(nameFilters);
    // A name typed without the extension of the first filter gets it before the dialog asks about replacing a file.
    static const QRegularExpression extension(QStringLiteral("\\*\\.(\\w+)"));
    if (const QRegularExpressionMatch m = extension.match(nameFilters.value(0)); m.hasMatch())
        dialog.setDefaultSuffix(m.captured(1));
    dialog.selectFile(suggestedPath);
    return run(dialog);
}

QString QtFileDialogs::folder(QWidget* parent, const QString& caption, const QString& startFolder)
{
    QFileDialog dialog(parent, caption, startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return run(dialog);
}
