#include "PresentationSound.h"

#include "Audio.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString slashes(QString path)
{
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// The entry `name` of `dir` as it is spelled on disk, or empty; the exact spelling wins over a match without case.
QString entry(const QString& dir, const QString& name, bool wantDir)
{
    const QFileInfo exact(dir + QLatin1Char('/') + name);
    if (wantDir ? exact.isDir() : exact.isFile())
        return exact.filePath();
    const QDir::Filters filter = (wantDir ? QDir::Dirs : QDir::Files) | QDir::NoDotAndDotDot | QDir::Hidden;
    for (const QFileInfo& info : QDir(dir).entryInfoList(filter)) {
        if (info.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return info.filePath();
    }
    return {};
}

} // namespace

PresentationSound::PresentationSound(Audio& audio, QString soundPath, QString language)
    : m_audio(audio), m_soundPath(std::move(soundPath)), m_language(std::move(language))
{
}

bool PresentationSound::PrepareAudio()
{
    if (!m_audio.isAvailable())
        m_audioOn = false;
    return m_audioOn;
}

QString PresentationSound::SoundFolder(const QString& soundPath, const QString& language)
{
    return slashes(soundPath) + QStringLiteral("/QUILLAN/sound/") + language + QLatin1Char('/');
}

QString PresentationSound::FindSoundFile(const QString& soundPath, const QString& language, const QString& fileName)
{
    const QString name = fileName.trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name == QLatin1String("..") || language.isEmpty() || language.contains(QLatin1Char('/')) ||
        language.contains(QLatin1Char('\\')))
        return {};
    QString dir = slashes(soundPath);
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return {};
    for (const QString& part : {QStringLiteral("QUILLAN"), QStringLiteral("sound"), language}) {
        dir = entry(dir, part, true);
        if (dir.isEmpty())
            return {};
    }
    return entry(dir, name, false);
}

QString PresentationSound::PlaySoundFile(const QString& fileName)
{
    if (!m_audioOn)
        return {};
    StopSound();
    const QString path = FindSoundFile(m_soundPath, m_language, fileName);
    // A missing or unplayable sound is skipped without a word; the client goes on.
    if (path.isEmpty() || !m_audio.play(path))
        return {};
    return path;
}

void PresentationSound::StopSound()
{
    if (m_audioOn)
        m_audio.stop();
}
