#pragma once
// The drive chooser: lists the mounted volumes (removable ones first) and lets the user pick any folder.

#include "SelectDataDrive.h"

#include <QDialog>

class Prompts;
class QComboBox;

class frmDriveSelect : public QDialog, public DriveChooser {
    Q_OBJECT
public:
    frmDriveSelect(Prompts& prompts, QWidget* parent = nullptr);

    // Shows the window modally and returns the last chosen location; the window keeps it between uses.
    QString chooseDrive() override;
    const QString& chosenDrive() const { return m_chosen; }

    // Adds a location to the list (and selects it when `select`).
    void addLocation(const QString& path, const QString& label, bool select);
    QComboBox* drDrive() const { return m_drDrive; }

    struct Volume {
        QString path;
        QString label;
        bool removable;
    };
    // The mounted volumes worth offering, removable ones first.
    static QList<Volume> mountedVolumes();

private:
    void refresh();

    Prompts& m_prompts;
    QComboBox* m_drDrive;
    QString m_chosen;
};
