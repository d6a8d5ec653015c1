// Passphrases of encrypted data locations for the commands: read from a file the user names or from the terminal
// with echo off, never from an argument or the environment, where other users' ps or a shell history would see them.

#include "Commands.h"

#include "LocationProtection.h"
#include "SealedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <termios.h>
#include <unistd.h>

// Here, because both tools link this file.
QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

bool PassphraseLines(const QString& file, QStringList& lines, QString& error)
{
    QFile f(file);
    if (!QFileInfo(file).isFile() || !f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("The passphrase file %1 cannot be read.").arg(shown(file));
        return false;
    }
    QByteArray bytes = f.read(64 * 1024);
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines << QString::fromUtf8(line);
    }
    SealedFiles::Wipe(bytes);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty()) {
        error = QStringLiteral("The passphrase file %1 is empty.").arg(shown(file));
        return false;
    }
    return true;
}

std::optional<QString> PassphraseFromTerminal(const QString& prompt)
{
    const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    const QByteArray p = prompt.toUtf8();
    (void)!::write(fd, p.constData(), size_t(p.size()));
    termios old {};
    const bool isTerminal = ::tcgetattr(fd, &old) == 0;
    if (isTerminal) {
        termios quiet = old;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        quiet.c_lflag |= ECHONL;
        ::tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    std::string line;
    char c = 0;
    bool ended = false;
    while (::read(fd, &c, 1) == 1) {
        if (c == '\n') {
            ended = true;
            break;
        }
        line += c;
    }
    if (isTerminal)
        ::tcsetattr(fd, TCSAFLUSH, &old);
    ::close(fd);
    if (!ended && line.empty())
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    QString out = QString::fromStdString(line);
    std::fill(line.begin(), line.end(), '\0');
    return out;
}

QString UnlockForCommand(const QString& slotFile, const QString& folder, const QString& passphraseFile,
                         const QString& what)
{
    if (!QFileInfo::exists(slotFile) || (!folder.isEmpty() && SealedFiles::IsUnlocked(folder)))
        return {};
    if (!passphraseFile.isEmpty()) {
        QStringList lines;
        QString error;
        if (!PassphraseLines(passphraseFile, lines, error))
            return error;
        const LocationProtection::UnlockResult r = LocationProtection::Unlock(slotFile, lines.first(), folder);
        return r.ok() ? QString() : r.message;
    }
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::optional<QString> typed =
            PassphraseFromTerminal(QStringLiteral("Passphrase of %1: ").arg(what));
        if (!typed)
            return QStringLiteral("%1 is encrypted: give its passphrase with --passphrase-file FILE, or run the "
                                  "command on a terminal to type it.")
                .arg(what.left(1).toUpper() + what.mid(1));
        const LocationProtection::UnlockResult r = LocationProtection::Unlock(slotFile, *typed, folder);
        if (r.ok())
            return {};
        if (r.status != LocationProtection::UnlockResult::Status::WrongPassphrase)
            return r.message;
        std::fprintf(stderr, "%s\n", qPrintable(r.message));
    }
    return QStringLiteral("No passphrase given opens %1.").arg(what);
}

QString UnlockDataDir(const QString& data, const QString& passphraseFile)
{
    return UnlockForCommand(LocationProtection::SlotFilePath(data), data, passphraseFile,
                            QStringLiteral("the data location %1").arg(shown(data)));
}
