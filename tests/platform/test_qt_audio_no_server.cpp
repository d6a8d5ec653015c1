// With no sound server the program stays silent: nothing hangs, nothing crashes, nothing claims to play.

#include "FakeAudio.h"
#include "PresentationSound.h"
#include "QtAudio.h"
#include "ToneFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

class TestQtAudioNoServer : public QObject {
    Q_OBJECT
private slots:
    void noServer_silentAndQuick()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.path() + "/QUILLAN/sound/ENGLISH"));
        QVERIFY(WriteToneFile(dir.path() + "/QUILLAN/sound/ENGLISH/Inst0.wav", 2000));
        QElapsedTimer clock;
        clock.start();
        QtAudio audio;
        QVERIFY(!audio.isAvailable());
        PresentationSound sound(audio, dir.path(), QStringLiteral("ENGLISH"));
        QVERIFY(!sound.PrepareAudio());
        QCOMPARE(sound.PlaySoundFile(QStringLiteral("Inst0.wav")), QString());
        sound.StopSound();
        QVERIFY(!audio.play(dir.path() + "/QUILLAN/sound/ENGLISH/Inst0.wav") && !audio.isPlaying());
        audio.stop();
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    }
};

int main(int argc, char** argv)
{
    // Point the sound system at a server that is not there, whatever this machine runs.
    QTemporaryDir runtime;
    qputenv("PULSE_SERVER", QFile::encodeName("unix:" + runtime.path() + "/no-server"));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QCoreApplication app(argc, argv);
    TestQtAudioNoServer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_qt_audio_no_server.moc"
