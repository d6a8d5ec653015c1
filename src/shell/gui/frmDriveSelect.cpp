#include "frmDriveSelect.h"

#include "Prompts.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace {

QString withoutTrailingSeparator(QString path)
{
    // The root keeps its separator: an empty path would name no location at all.
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

bool isPseudoFileSystem(const QByteArray& type)
{
    static const QList<QByteArray> pseudo = {
        "proc",       "sysfs",    "devpts", "cgroup",   "cgroup2",   "mqueue",  "debugfs",  "tracefs",
        "securityfs", "pstore",   "bpf",    "autofs",   "hugetlbfs", "fusectl", "configfs", "binfmt_misc",
        "tmpfs",      "devtmpfs", "nsfs",   "efivarfs", "ramfs",     "squashfs"};
    return pseudo.contains(type);
}

} // namespace

frmDriveSelect::frmDriveSelect(Prompts& prompts, QWidget* parent) : QDialog(parent), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmDriveSelect"));
    setWindowTitle(QStringLiteral("Please select a drive"));
    auto* label =
        new QLabel(QStringLiteral(" Choose the drive associated with the data disk. (Usually A: or F:)"), this);
    label->setObjectName(QStringLiteral("Label1"));
    m_drDrive = new QComboBox(this);
    m_drDrive->setObjectName(QStringLiteral("drDrive"));
    m_drDrive->setAccessibleName(QStringLiteral("Data drive"));
    m_drDrive->setMinimumWidth(360);
    m_drDrive->setPlaceholderText(QStringLiteral("Choose the drive of the data disk"));
    label->setBuddy(m_drDrive);
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("cmdhelp"));
    auto* browse = new QPushButton(QStringLiteral("Other folder..."), this);
    browse->setObjectName(QStringLiteral("cmdBrowse"));
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("cmdDone"));
    done->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addWidget(browse);
    buttons->addStretch();
    buttons->addWidget(done);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_drDrive);
    layout->addLayout(buttons);

    connect(help, &QPushButton::clicked, this, [this] {
        m_prompts.message(QStringLiteral("Use the dropdown box to select the drive that the floppy data \r\n"
                                         "diskette or USB Flash Drive is in. Floppy drives are usually A: or\r\n"
                                         "B: and USB drives are usually F: or G:"),
                          QString(), Prompts::Icon::None, Prompts::Buttons::Ok);
    });
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("Choose the data folder"), m_chosen);
        if (!dir.isEmpty())
            addLocation(withoutTrailingSeparator(dir), QString(), true);
    });
    connect(done, &QPushButton::clicked, this, &frmDriveSelect::done);
    refresh();
}

QList<frmDriveSelect::Volume> frmDriveSelect::mountedVolumes()
{
    QList<Volume> removable;
    QList<Volume> fixed;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        if (!v.isValid() || !v.isReady() || isPseudoFileSystem(v.fileSystemType()))
            continue;
        const QString root = v.rootPath();
        const bool isRemovable = root.startsWith(QLatin1String("/media/")) ||
                                 root.startsWith(QLatin1String("/run/media/")) ||
                                 root.startsWith(QLatin1String("/mnt/"));
        (isRemovable ? removable : fixed).append({withoutTrailingSeparator(root), v.name(), isRemovable});
    }
    return removable + fixed;
}

void frmDriveSelect::refresh()
{
    // The previous choice stays selected while it is offered; otherwise the first removable volume is, and a fixed
    // one (the root above all) only when the user picks it.
    const QString keep = m_chosen.isEmpty() ? m_drDrive->currentData().toString() : m_chosen;
    const QList<Volume> offered = volumes();
    m_drDrive->clear();
    for (const Volume& v : offered)
        addEntry(v.path, v.label);
    for (const Volume& v : std::as_const(m_added))
        addEntry(v.path, v.label);
    int selected = keep.isEmpty() ? -1 : m_drDrive->findData(keep);
    if (selected < 0) {
        for (const Volume& v : offered) {
            if (v.removable) {
                selected = m_drDrive->findData(v.path);
                break;
            }
        }
    }
    m_drDrive->setCurrentIndex(selected);
}

void frmDriveSelect::addEntry(const QString& path, const QString& label)
{
    if (path.isEmpty() || m_drDrive->findData(path) >= 0)
        return;
    m_drDrive->addItem(path + (label.isEmpty() ? QString() : QStringLiteral(" [") + label + QLatin1Char(']')), path);
}

void frmDriveSelect::addLocation(const QString& path, const QString& label, bool select)
{
    if (path.isEmpty())
        return;
    if (m_drDrive->findData(path) < 0) {
        m_added.append({path, label, false});
        addEntry(path, label);
    }
    if (select) {
        m_drDrive->setCurrentIndex(m_drDrive->findData(path));
        m_chosen = path;
    }
}

void frmDriveSelect::done()
{
    if (m_drDrive->currentIndex() < 0) {
        m_prompts.message(QStringLiteral("Choose the drive of the data disk in the list, or a folder with "
                                         "\"Other folder...\"."),
                          windowTitle(), Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
        m_drDrive->setFocus();
        return;
    }
    m_chosen = m_drDrive->currentData().toString();
    accept();
}

QString frmDriveSelect::chooseDrive()
{
    // A drive plugged in since the last use is offered too.
    refresh();
    return exec() == QDialog::Accepted ? m_chosen : QString();
}
