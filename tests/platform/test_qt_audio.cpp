// Wave playback through Qt Multimedia into a real sound server (a PulseAudio null sink), recorded from its monitor.

#include "QtAudio.h"
#include "TestEnv.h"
#include "ToneFile.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMediaDevices>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// The loudest sample of 16-bit little-endian PCM.
int peak(const QByteArray& pcm)
{
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < pcm.size(); i += 2)
        loudest = std::max(loudest, std::abs(int(qFromLittleEndian<qint16>(pcm.constData() + i))));
    return loudest;
}

} // namespace

class TestQtAudio : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_item;
    QString m_long;

private slots:
    void initTestCase()
    {
        if (QMediaDevices::audioOutputs().isEmpty())
            QSKIP("No sound server is reachable: start one with scripts/start-pulse.sh and run the tests with the "
                  "XDG_RUNTIME_DIR it prints.");
        // An item's sound from the demo installation when the build made them, else a tone of the same kind.
        m_item = ProgramDirForTests() + QStringLiteral("/QUILLAN/sound/ENGLISH/E001.wav");
        if (!QFileInfo(m_item).isFile()) {
            m_item = m_dir.path() + QStringLiteral("/item.wav");
            QVERIFY(WriteToneFile(m_item, 1500));
        }
        m_long = m_dir.path() + QStringLiteral("/long.wav");
        QVERIFY(WriteToneFile(m_long, 8000));
    }

    void play_itemSound_comesOutOfTheSoundServer()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty())
            QSKIP("parec (package pulseaudio-utils) is needed to record the sound server.");
        // Records what the default sink plays, as 16-bit mono PCM on the process's output.
        QProcess rec;
        rec.start(QStringLiteral("parec"), {QStringLiteral("--device=@DEFAULT_MONITOR@"), QStringLiteral("--raw"),
                                            QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                                            QStringLiteral("--rate=22050"), QStringLiteral("--latency-msec=50")});
        QVERIFY(rec.waitForStarted(5000));
        QTest::qWait(300);
        rec.readAllStandardOutput();
        QVERIFY2(rec.state() == QProcess::Running, "parec could not record the default sink's monitor");
        QtAudio audio;
        QVERIFY(audio.isAvailable());
        QSignalSpy finished(&audio, &QtAudio::finished);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(audio.play(m_item));
        // The client's keys are never held up by a sound.
        QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
        QTRY_VERIFY_WITH_TIMEOUT(audio.isPlaying(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);
        QVERIFY(!audio.isPlaying());
        QTest::qWait(200);
        rec.terminate();
        QVERIFY(rec.waitForFinished(5000));
        const QByteArray pcm = rec.readAllStandardOutput();
        QVERIFY2(pcm.size() > 22050, qPrintable(QString::number(pcm.size())));
        QVERIFY2(peak(pcm) > 2000, qPrintable(QStringLiteral("recorded peak %1").arg(peak(pcm))));
    }

    void stopAndReplace()
    {
        QtAudio audio;
        QSignalSpy finished(&audio, &QtAudio::finished);
        QVERIFY(!audio.play(m_dir.path() + QStringLiteral("/none.wav")) && !audio.isPlaying()); // a missing file
        // Stop ends the sound at once, and nothing is said to have finished; stopping again is harmless.
        QVERIFY(audio.play(m_long));
        QTRY_VERIFY_WITH_TIMEOUT(audio.isPlaying(), 5000);
        QTest::qWait(200);
        audio.stop();
        QVERIFY(!audio.isPlaying());
        audio.stop();
        QTest::qWait(300);
        QVERIFY(!audio.isPlaying() && finished.isEmpty());
        // A new sound replaces one still playing: the long tone does not go on after the short sound ended.
        QVERIFY(audio.play(m_long));
        QTRY_VERIFY_WITH_TIMEOUT(audio.isPlaying(), 5000);
        QVERIFY(audio.play(m_item));
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);
        QVERIFY(clock.elapsed() < 7000);
        QTest::qWait(300);
        QVERIFY(!audio.isPlaying());
    }
};

QTEST_GUILESS_MAIN(TestQtAudio)
#include "test_qt_audio.moc"
