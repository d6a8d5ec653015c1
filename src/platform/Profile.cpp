#include "Profile.h"

#include "Cp1252.h"
#include "PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringList>
#include <optional>

namespace {

// The file's lines without their line ends; `crlf` tells which line end the file uses.
QStringList fileLines(QByteArrayView bytes, bool* crlf)
{
    *crlf = bytes.isEmpty() || bytes.contains("\r\n");
    // Written as UTF-8; a file that is not valid UTF-8 comes from an older version, which wrote Windows-1252.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = fromCp1252(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::optional<QString> sectionName(const QString& line)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.contains(QLatin1Char(']')))
        return t.mid(1, t.indexOf(QLatin1Char(']')) - 1).trimmed();
    return std::nullopt;
}

// The key of a "key=value" line, or nothing for comments and odd lines.
std::optional<QString> keyName(const QString& line)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';')) || !t.contains(QLatin1Char('=')))
        return std::nullopt;
    return t.left(t.indexOf(QLatin1Char('='))).trimmed();
}

bool same(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

Profile::Profile(QString path) : m_path(std::move(path)) {}

QString Profile::read(const QString& section, const QString& key, const QString& defaultValue, int bufferSize) const
{
    return ReadValue(fileBytes(m_path), section, key, defaultValue, bufferSize);
}

QString Profile::write(const QString& section, const QString& key, const QString& value) const
{
    // The settings hold no client data: a new file is readable by all, like the rest of the program folder.
    const QByteArray before = fileBytes(m_path);
    const QByteArray after = WithValue(before, section, key, value);
    if (after == before && QFile::exists(m_path))
        return {};
    if (const int err = PrivateFile::Replace(m_path, after, 0644))
        return QStringLiteral("The settings file %1 cannot be written: %2")
            .arg(QDir::toNativeSeparators(m_path), PrivateFile::ErrorText(err));
    return {};
}

QString Profile::ReadValue(QByteArrayView file, const QString& section, const QString& key, const QString& defaultValue,
                           int bufferSize)
{
    bool crlf = true;
    const QStringList lines = fileLines(file, &crlf);
    QString value = defaultValue;
    bool inSection = false;
    for (const QString& line : lines) {
        if (auto s = sectionName(line)) {
            if (inSection)
                break;
            inSection = same(*s, section);
            continue;
        }
        if (!inSection)
            continue;
        if (auto k = keyName(line); k && same(*k, key)) {
            value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
            if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
                value.back() == value.front())
                value = value.mid(1, value.size() - 2);
            break;
        }
    }
    return bufferSize > 0 ? value.left(bufferSize - 1) : QString();
}

QByteArray Profile::WithValue(QByteArrayView file, const QString& section, const QString& key, const QString& value)
{
    bool crlf = true;
    QStringList lines = fileLines(file, &crlf);
    const QString entry = key + QLatin1Char('=') + value;

    int sectionLine = -1;
    int lastEntry = -1;
    int found = -1;
    for (int i = 0; i < lines.size(); ++i) {
        if (auto s = sectionName(lines[i])) {
            if (sectionLine >= 0)
                break;
            if (same(*s, section))
                sectionLine = lastEntry = i;
            continue;
        }
        if (sectionLine < 0)
            continue;
        if (!lines[i].trimmed().isEmpty())
            lastEntry = i;
        if (auto k = keyName(lines[i]); k && same(*k, key)) {
            found = i;
            break;
        }
    }
    if (found >= 0) {
        // The same entry again (the workspace writes its database path at every start) leaves the file alone.
        if (lines[found] == entry)
            return file.toByteArray();
        lines[found] = entry;
    } else if (sectionLine >= 0) {
        lines.insert(lastEntry + 1, entry);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines.append(entry);
    }

    const QString eol = crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    return (lines.join(eol) + eol).toUtf8();
}
