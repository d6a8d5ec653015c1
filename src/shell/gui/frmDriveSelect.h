#pragma once
// The drive chooser: lists the mounted volumes (removable ones first) and lets the user pick any folder.

#include "SelectDataDrive.h"

#include <QDialog>
#include <functional>

class Prompts;
class QComboBox;

class frmDriveSelect : public QDialog, public DriveChooser {
    Q_OBJECT
public:
    frmDriveSelect(Prompts& prompts, QWidget* parent = nullptr);

    // Shows the window modally with the volumes mounted now and returns the location the list shows when "Done" is
    // pressed; empty when the window was closed without a choice. The window keeps the last choice between uses.
    QString chooseDrive() override;
    const QString& chosenDrive() const { return m_chosen; }

    // Adds a location to the list, kept across refreshes (and selects it, as the next one shown, when `select`).
    void addLocation(const QString& path, const QString& label, bool select);
    QComboBox* drDrive() const { return m_drDrive; }

    struct Volume {
        QString path;
        QString label;
        bool removable;
    };
    // The mounted volumes worth offering, removable ones first.
    static QList<Volume> mountedVolumes();
    // Where the list's volumes come from (the mounted volumes unless a test says otherwise).
    std::function<QList<Volume>()> volumes = &frmDriveSelect::mountedVolumes;

private:
    void refresh();
    void addEntry(const QString& path, const QString& label);
    void done();

    Prompts& m_prompts;
    QComboBox* m_drDrive;
    QString m_chosen;
    QList<Volume> m_added;
};
