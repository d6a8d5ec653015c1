#include "Profile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestProfile : public QObject {
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("buffer");
        QTest::addColumn<QString>("expected");
        const QByteArray ini = "; comment line\r\n[Path]\r\nFilePath = e:\\data \r\nSndPath=c:\r\n"
                               "odd line without equals\r\n[Settings]\r\nNumLock=\"True\"\r\nLong=0123456789ABCDEF\r\n";
        QTest::newRow("trimmed value") << ini << "Path"
                                       << "FilePath" << 50 << "e:\\data";
        QTest::newRow("section and key ignore case") << ini << "path"
                                                     << "FILEPATH" << 50 << "e:\\data";
        QTest::newRow("quotes removed") << ini << "Settings"
                                        << "NumLock" << 10 << "True";
        QTest::newRow("cut by the buffer") << ini << "Settings"
                                           << "Long" << 10 << "012345678";
        QTest::newRow("missing key gives default") << ini << "Settings"
                                                   << "Nothing" << 10 << "dflt";
        QTest::newRow("key of another section not found") << ini << "Settings"
                                                          << "SndPath" << 50 << "dflt";
        QTest::newRow("no such section") << ini << "Options"
                                         << "FilePath" << 50 << "dflt";
        QTest::newRow("UTF-8 value") << QByteArray("[Path]\r\nFilePath=/media/J\xc3\xbcrgen/\xd0\x94\r\n") << "Path"
                                     << "FilePath" << 50 << QString::fromUtf8("/media/J\u00fcrgen/\u0414");
        QTest::newRow("older Windows-1252 file") << QByteArray("[Path]\r\nFilePath=e:\\J\xfcrgen\x80\r\n") << "Path"
                                                 << "FilePath" << 50 << QString::fromUtf8("e:\\J\u00fcrgen\u20ac");
        QTest::newRow("garbage file") << QByteArray("\x01\x02[[[=\n=\n") << "Path"
                                      << "FilePath" << 50 << "dflt";
    }
    void read()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(int, buffer);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        writeAll(dir.path() + "/s.ini", file);
        QCOMPARE(Profile(dir.path() + "/s.ini").read(section, key, "dflt", buffer), expected);
    }

    void read_missingFile_givesDefault()
    {
        QCOMPARE(Profile("/nonexistent/x.ini").read("Path", "FilePath", "a:", 50), QStringLiteral("a:"));
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replace keeps other lines")
            << QByteArray("; keep me\r\n[Path]\r\nfilepath=a:\r\nodd line\r\n[Settings]\r\nNumLock=True\r\n") << "PATH"
            << "FilePath"
            << QByteArray("; keep me\r\n[Path]\r\nFilePath=X\r\nodd line\r\n[Settings]\r\nNumLock=True\r\n");
        QTest::newRow("new key at the end of its section")
            << QByteArray("[Path]\r\nFilePath=a:\r\n\r\n[Settings]\r\nNumLock=True\r\n") << "Path"
            << "SndPath" << QByteArray("[Path]\r\nFilePath=a:\r\nSndPath=X\r\n\r\n[Settings]\r\nNumLock=True\r\n");
        QTest::newRow("new section appended")
            << QByteArray("[Settings]\r\nNumLock=True\r\n") << "Options"
            << "SystemDB" << QByteArray("[Settings]\r\nNumLock=True\r\n\r\n[Options]\r\nSystemDB=X\r\n");
        QTest::newRow("unix line ends kept") << QByteArray("[Path]\nFilePath=a:\n") << "Path"
                                             << "FilePath" << QByteArray("[Path]\nFilePath=X\n");
        QTest::newRow("new file") << QByteArray() << "Path"
                                  << "FilePath" << QByteArray("[Path]\r\nFilePath=X\r\n");
        QTest::newRow("older Windows-1252 file becomes UTF-8")
            << QByteArray("[Path]\r\nSndPath=c:\\M\xfcller\r\n") << "Path"
            << "FilePath" << QByteArray("[Path]\r\nSndPath=c:\\M\xc3\xbcller\r\nFilePath=X\r\n");
    }
    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.path() + "/s.ini";
        if (!before.isEmpty())
            writeAll(path, before);
        QCOMPARE(Profile(path).write(section, key, "X"), QString());
        QCOMPARE(readAll(path), after);
    }

    void write_unwritableFolder_reportsTheFile()
    {
        const QString message = Profile("/nonexistent-folder/Quillan.ini").write("Path", "FilePath", "a:");
        QVERIFY(message.contains("Quillan.ini"));
    }
};

QTEST_GUILESS_MAIN(TestProfile)
#include "test_profile.moc"
