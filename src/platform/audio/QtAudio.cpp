#include "QtAudio.h"

#include "WaveFile.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

QtAudio::QtAudio(QObject* parent) : QObject(parent)
{
    // Without a sound server Qt lists no output, and a media player made anyway may hang or crash on some
    // installations; so no device means no player at all.
    if (QMediaDevices::audioOutputs().isEmpty())
        return;
    m_output = new QAudioOutput(this);
    m_player = new QMediaPlayer(this);
    m_player->setAudioOutput(m_output);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia)
            emit finished();
    });
}

QtAudio::~QtAudio()
{
    if (m_player)
        m_player->stop();
}

bool QtAudio::play(const QString& path)
{
    if (!m_player)
        return false;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) ||
        !WaveFile::Check(file.read(WaveFile::HeaderLimit), file.size()).isEmpty())
        return false;
    m_player->stop();
    m_player->setSource(QUrl::fromLocalFile(path));
    m_player->play();
    return true;
}

void QtAudio::stop()
{
    if (!m_player)
        return;
    m_player->stop();
    m_player->setSource(QUrl());
}

bool QtAudio::isPlaying() const
{
    return m_player && m_player->playbackState() == QMediaPlayer::PlayingState;
}
