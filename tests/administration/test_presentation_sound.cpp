// Which wave file the presentation plays, from where, and when it keeps quiet.

#include "DataWorkspace.h"
#include "FakeAudio.h"
#include "Presentation.h"
#include "PresentationSound.h"
#include "PresentationTexts.h"
#include "Profile.h"
#include "QuestionFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("RIFF");
}

} // namespace

class TestPresentationSound : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString root() const { return m_dir->path(); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        touch(root() + "/QUILLAN/sound/ENGLISH/Q001.wav");
        touch(root() + "/QUILLAN/sound/ENGLISH/Inst0.wav");
        // Made on a system that ignores case: the folder and file are spelled otherwise than they are asked for.
        touch(root() + "/QUILLAN/sound/SPANISH/s017.WAV");
        touch(root() + "/QUILLAN/sound/ENGLISH/Q002.wav/inside");
    }

    void play_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("played"); // relative to the sound path; empty: nothing played
        QTest::newRow("item") << "ENGLISH"
                              << "Q001.wav"
                              << "/QUILLAN/sound/ENGLISH/Q001.wav";
        QTest::newRow("instructions") << "ENGLISH"
                                      << "Inst0.wav"
                                      << "/QUILLAN/sound/ENGLISH/Inst0.wav";
        QTest::newRow("padded name") << "ENGLISH"
                                     << "  Q001.wav  "
                                     << "/QUILLAN/sound/ENGLISH/Q001.wav";
        QTest::newRow("case differs") << "Spanish"
                                      << "S017.wav"
                                      << "/QUILLAN/sound/SPANISH/s017.WAV";
        QTest::newRow("missing file") << "ENGLISH"
                                      << "Q003.wav"
                                      << "";
        QTest::newRow("folder, not a file") << "ENGLISH"
                                            << "Q002.wav"
                                            << "";
        QTest::newRow("other language's folder") << "ENGLISH"
                                                 << "s017.WAV"
                                                 << "";
        QTest::newRow("empty name") << "ENGLISH"
                                    << ""
                                    << "";
        QTest::newRow("blank name") << "ENGLISH"
                                    << "   "
                                    << "";
        QTest::newRow("outside the folder") << "ENGLISH"
                                            << "../ENGLISH/Q001.wav"
                                            << "";
        QTest::newRow("Windows separator") << "ENGLISH"
                                           << "..\\ENGLISH\\Q001.wav"
                                           << "";
        QTest::newRow("no language folder") << "FRENCH"
                                            << "Q001.wav"
                                            << "";
    }
    void play()
    {
        QFETCH(QString, language);
        QFETCH(QString, file);
        QFETCH(QString, played);
        FakeAudio audio;
        PresentationSound sound(audio, root(), language);
        QVERIFY(sound.PrepareAudio());
        const QString path = sound.PlaySoundFile(file);
        // The sound playing is stopped first, whether or not there is anything new to play.
        QCOMPARE(audio.calls.value(0), QStringLiteral("stop"));
        if (played.isEmpty()) {
            QCOMPARE(path, QString());
            QCOMPARE(audio.played, QStringList());
        } else {
            QCOMPARE(path, root() + played);
            QCOMPARE(audio.played, QStringList{root() + played});
            QCOMPARE(audio.calls.size(), 2);
        }
    }

    void audioOff_nothingIsPlayedOrStopped()
    {
        FakeAudio audio;
        audio.available = false;
        PresentationSound sound(audio, root(), QStringLiteral("ENGLISH"));
        QVERIFY(!sound.PrepareAudio());
        QVERIFY(!sound.AudioOn());
        QCOMPARE(sound.PlaySoundFile(QStringLiteral("Q001.wav")), QString());
        sound.StopSound();
        QCOMPARE(audio.calls, QStringList());
        // A device that turns up later does not switch audio back on within the test.
        audio.available = true;
        QVERIFY(!sound.PrepareAudio());
        QCOMPARE(sound.PlaySoundFile(QStringLiteral("Q001.wav")), QString());
    }

    void soundPath_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("found");
        QTest::newRow("as set") << "as set" << true;
        QTest::newRow("trailing separator") << "trailing" << true;
        QTest::newRow("Windows separators") << "windows" << true;
        QTest::newRow("default c:") << "c:" << false;
        QTest::newRow("empty") << "" << false;
    }
    void soundPath()
    {
        QFETCH(QString, form);
        QFETCH(bool, found);
        QString soundPath = form;
        if (form == "as set")
            soundPath = root();
        else if (form == "trailing")
            soundPath = root() + "/";
        else if (form == "windows")
            soundPath = QString(root()).replace('/', '\\');
        QCOMPARE(PresentationSound::FindSoundFile(soundPath, "ENGLISH", "Q001.wav").isEmpty(), !found);
    }

    void find_everyFolderWithoutRegardToCase()
    {
        QTemporaryDir other;
        touch(other.path() + "/quillan/SOUND/english/q001.wav");
        QCOMPARE(PresentationSound::FindSoundFile(other.path(), "ENGLISH", "Q001.wav"),
                 other.path() + "/quillan/SOUND/english/q001.wav");
    }

    void soundFolder_composition()
    {
        QCOMPARE(PresentationSound::SoundFolder(QStringLiteral("c:"), QStringLiteral("ENGLISH")),
                 QStringLiteral("c:/QUILLAN/sound/ENGLISH/"));
        QCOMPARE(PresentationSound::SoundFolder(QStringLiteral("/opt/snd"), QStringLiteral("Spanish")),
                 QStringLiteral("/opt/snd/QUILLAN/sound/Spanish/"));
    }

    // Every sound the demo tables and screens name was spoken into the demo installation by the build.
    void demoInstallation_everySoundNamedExists_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("English") << "English";
        QTest::newRow("Spanish") << "Spanish";
    }
    void demoInstallation_everySoundNamedExists()
    {
        QFETCH(QString, table);
        const QString soundPath = ProgramDirForTests();
        if (!QFileInfo(soundPath + "/QUILLAN/sound").isDir())
            QSKIP("The build made no demo sounds (espeak-ng was not found when it was configured).");
        QTemporaryDir dir;
        QVERIFY(CopyDemoDatabase(dir.path()));
        Profile settings(dir.path() + "/Quillan.ini");
        DataWorkspace ws(dir.path(), settings);
        QString error;
        const auto set = QuestionSet::Load(ws, table, &error);
        QVERIFY2(set, qPrintable(error));
        const QString language = Presentation::NormalizeLanguage(table);
        QStringList names;
        for (int s = 0; s < PresentationTexts::InstructionScreens; ++s)
            names << PresentationTexts::InstructionSound(s);
        for (const QuestionItem& item : set->Items) {
            names << item.QuestionAudio + ".wav";
            for (int slot = 0; slot < QuestionItem::MaxAnswers; ++slot) {
                if (item.hasAnswer(slot))
                    names << item.ChoiceAudio[slot] + ".wav";
            }
        }
        for (const QString& name : names) {
            const QString path = PresentationSound::FindSoundFile(soundPath, language, name);
            QVERIFY2(!path.isEmpty(), qPrintable(name + " is missing"));
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray head = f.read(44);
            QVERIFY2(head.startsWith("RIFF") && head.mid(8, 4) == "WAVE" && f.size() > 1000, qPrintable(path));
        }
    }
};

QTEST_GUILESS_MAIN(TestPresentationSound)
#include "test_presentation_sound.moc"
