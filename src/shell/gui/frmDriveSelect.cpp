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
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

bool isPseudoFileSystem(const QByteArray& type)
{
    static const QList<QByteArray> pseudo = {"proc", "sysfs", "devpts", "cgroup", "cgroup2", "mqueue", "debugfs",
                                             "tracefs", "securityfs", "pstore", "bpf", "autofs", "hugetlbfs",
                                             "fusectl", "configfs", "binfmt_misc", "tmpfs", "devtmpfs", "nsfs",
                                             "efivarfs", "ramfs", "squashfs"};
    return pseudo.contains(type);
}

} // namespace

frmDriveSelect::frmDriveSelect(Prompts& prompts, QWidget* parent) : QDialog(parent), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmDriveSelect"));
    setWindowTitle(QStringLiteral("Please select a drive"));
    auto* label = new QLabel(QStringLiteral(" Choose the drive associated with the data disk. (Usually A: or F:)"), this);
    label->setObjectName(QStringLiteral("Label1"));
    m_drDrive = new QComboBox(this);
    m_drDrive->setObjectName(QStringLiteral("drDrive"));
    m_drDrive->setAccessibleName(QStringLiteral("Data drive"));
    m_drDrive->setMinimumWidth(360);
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

    connect(m_drDrive, &QComboBox::activated, this, [this](int i) {
        m_chosen = m_drDrive->itemData(i).toString();
    });
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
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
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
        const bool isRemovable = root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/"))
                                 || root.startsWith(QLatin1String("/mnt/"));
        (isRemovable ? removable : fixed).append({withoutTrailingSeparator(root), v.name(), isRemovable});
    }
    return removable + fixed;
}

void frmDriveSelect::refresh()
{
    m_drDrive->clear();
    for (const Volume& v : mountedVolumes())
        addLocation(v.path, v.label, false);
}

void frmDriveSelect::addLocation(const QString& path, const QString& label, bool select)
{
    int i = m_drDrive->findData(path);
    if (i < 0) {
        const QString shown = (path.isEmpty() ? QStringLiteral("/") : path)
                              + (label.isEmpty() ? QString() : QStringLiteral(" [") + label + QLatin1Char(']'));
        m_drDrive->addItem(shown, path);
        i = m_drDrive->count() - 1;
    }
    if (select) {
        m_drDrive->setCurrentIndex(i);
        m_chosen = path;
    }
}

QString frmDriveSelect::chooseDrive()
{
    exec();
    return m_chosen;
}
