// The check a sound file passes before the media library gets it: wave files of PCM or float samples only.

#include "ToneFile.h"
#include "WaveFile.h"

#include <QTest>
#include <QtEndian>

namespace {

const auto le = LittleEndian;

// A wave file: optional chunk before the format, the format chunk (`fmtSize` bytes of body) and four data bytes.
QByteArray wave(int code, int channels, int rate, int bits, int fmtSize = 16, const QByteArray& before = {})
{
    QByteArray fmt = le(code, 2) + le(channels, 2) + le(rate, 4) + le(rate * channels * bits / 8, 4) +
                     le(channels * bits / 8, 2) + le(bits, 2);
    if (fmtSize >= 40)
        fmt += le(22, 2) + le(bits, 2) + le(3, 4) + le(1, 2) + QByteArray(14, 'g'); // extensible: PCM sub-format
    fmt = fmt.left(fmtSize);
    const QByteArray body = "WAVE" + before + "fmt " + le(fmtSize, 4) + fmt + "data" + le(4, 4) + "abcd";
    return "RIFF" + le(body.size(), 4) + body;
}

} // namespace

class TestWaveFile : public QObject {
    Q_OBJECT
private slots:
    void check_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("problem");
        QTest::newRow("16-bit PCM, as espeak-ng writes") << wave(1, 1, 22050, 16) << "";
        QTest::newRow("float stereo") << wave(3, 2, 48000, 32) << "";
        QTest::newRow("extensible PCM") << wave(0xFFFE, 2, 44100, 24, 40) << "";
        QTest::newRow("odd chunk before the format") << wave(1, 1, 8000, 8, 16, "LIST" + le(3, 4) + "abc_") << "";
        QTest::newRow("compressed") << wave(2, 1, 22050, 4)
                                    << "its sound is coded as format 2; only plain PCM and "
                                       "float samples are played";
        QTest::newRow("no channels") << wave(1, 0, 22050, 16) << "it has 0 channels";
        QTest::newRow("rate") << wave(1, 1, 4000000, 16) << "its sample rate is 4000000 Hz";
        QTest::newRow("bits") << wave(1, 1, 22050, 12) << "it has 12 bits per sample";
        QTest::newRow("format cut short") << wave(1, 1, 22050, 16, 14) << "its format chunk is cut short";
        QTest::newRow("not a wave file") << QByteArray("ID3\x03 an mp3 file") << "it is not a wave file";
        QTest::newRow("no samples") << wave(1, 1, 22050, 16).left(44 - 8) << "it has no samples";
        QTest::newRow("chunk size past the end")
            << wave(1, 1, 22050, 16, 16, "LIST" + le(0xFFFFFFF0, 4)) << "it has no samples";
    }
    void check()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, problem);
        WaveFormat format;
        QCOMPARE(WaveFile::Check(file, file.size(), &format), problem);
        if (problem.isEmpty())
            QCOMPARE(file.mid(format.dataOffset, format.dataSize), QByteArray("abcd"));
    }
};

QTEST_GUILESS_MAIN(TestWaveFile)
#include "test_wave_file.moc"
