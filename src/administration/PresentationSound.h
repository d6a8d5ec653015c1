#pragma once
// Where the presentation's wave files are and when they are played: the sound folder of a language under the
// configured sound path, and playing, stopping and switching audio off for a test.

#include <QString>

class Audio;

class PresentationSound {
public:
    // `soundPath` is the "SndPath" setting; `language` the presentation's language ("ENGLISH" or the Spanish
    // table's name), which names the sound folder.
    PresentationSound(Audio& audio, QString soundPath, QString language);

    // Audio stays on only when there is a device to play on; once off it stays off for the test.
    bool PrepareAudio();
    bool AudioOn() const { return m_audioOn; }

    // Plays `fileName` from the language's sound folder without waiting for it. Nothing happens when audio is off;
    // otherwise the sound playing stops, and an empty name or a missing file is simply not played. Returns the
    // path that was played, empty when none.
    QString PlaySoundFile(const QString& fileName);
    void StopSound();

    // SoundPath + "/QUILLAN/sound/" + language + "/"; a Windows-style path ("c:\snd") has its separators turned.
    static QString SoundFolder(const QString& soundPath, const QString& language);
    // The existing wave file `fileName` (trimmed) in the language's sound folder. The folder names and the file name
    // are matched without regard to case where the exact name is missing, as on the system the sound files were
    // made for. Empty when there is no such file, or when the name is empty or reaches outside the folder.
    static QString FindSoundFile(const QString& soundPath, const QString& language, const QString& fileName);

private:
    Audio& m_audio;
    QString m_soundPath;
    QString m_language;
    bool m_audioOn = true;
};
