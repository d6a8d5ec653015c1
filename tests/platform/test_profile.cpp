// The settings file: values read as the older program read them, and lines written without losing the others.

#include "Profile.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

class TestProfile : public QObject {
    Q_OBJECT
private slots:
    void read()
    {
        const QByteArray ini = "; comment line\r\n[Path]\r\nFilePath = e:\\data \r\nSndPath=c:\r\n"
                               "odd line without equals\r\n[Settings]\r\nNumLock=\"True\"\r\nLong=0123456789ABCDEF\r\n";
        // The file, section, key and buffer size, and what is read; "dflt" is the default.
        const std::tuple<QByteArray, const char*, const char*, int, QString> rows[] = {
            {ini, "Path", "FilePath", 50, "e:\\data"},  // trimmed
            {ini, "path", "FILEPATH", 50, "e:\\data"},  // case ignored
            {ini, "Settings", "NumLock", 10, "True"},   // quotes removed
            {ini, "Settings", "Long", 10, "012345678"}, // cut by the buffer
            {ini, "Settings", "Nothing", 10, "dflt"},
            {ini, "Settings", "SndPath", 50, "dflt"}, // a key of another section
            {ini, "Options", "FilePath", 50, "dflt"},
            {"[Path]\r\nFilePath=/media/J\xc3\xbcrgen/\xd0\x94\r\n", "Path", "FilePath", 50,
             QString::fromUtf8("/media/J\u00fcrgen/\u0414")},
            {"[Path]\r\nFilePath=e:\\J\xfcrgen\x80\r\n", "Path", "FilePath", 50,
             QString::fromUtf8("e:\\J\u00fcrgen\u20ac")}, // an older Windows-1252 file
            {"\x01\x02[[[=\n=\n", "Path", "FilePath", 50, "dflt"}};
        QTemporaryDir dir;
        for (const auto& [file, section, key, buffer, expected] : rows) {
            WriteFile(dir.path() + "/s.ini", file);
            QCOMPARE(Profile(dir.path() + "/s.ini").read(section, key, "dflt", buffer), expected);
        }
        QCOMPARE(Profile("/nonexistent/x.ini").read("Path", "FilePath", "a:", 50), QStringLiteral("a:"));
    }

    void write()
    {
        // The file before, the section and key written with "X", and the file after.
        const std::tuple<QByteArray, const char*, const char*, QByteArray> rows[] = {
            {"; keep me\r\n[Path]\r\nfilepath=a:\r\nodd line\r\n[Settings]\r\nNumLock=True\r\n", "PATH", "FilePath",
             "; keep me\r\n[Path]\r\nFilePath=X\r\nodd line\r\n[Settings]\r\nNumLock=True\r\n"},
            {"[Path]\r\nFilePath=a:\r\n\r\n[Settings]\r\nNumLock=True\r\n", "Path", "SndPath",
             "[Path]\r\nFilePath=a:\r\nSndPath=X\r\n\r\n[Settings]\r\nNumLock=True\r\n"}, // at the end of its section
            {"[Settings]\r\nNumLock=True\r\n", "Options", "SystemDB",
             "[Settings]\r\nNumLock=True\r\n\r\n[Options]\r\nSystemDB=X\r\n"},
            {"[Path]\nFilePath=a:\n", "Path", "FilePath", "[Path]\nFilePath=X\n"}, // line ends kept
            {QByteArray(), "Path", "FilePath", "[Path]\r\nFilePath=X\r\n"},        // a new file
            {"[Path]\r\nSndPath=c:\\M\xfcller\r\n", "Path", "FilePath",
             "[Path]\r\nSndPath=c:\\M\xc3\xbcller\r\nFilePath=X\r\n"}}; // Windows-1252 becomes UTF-8
        for (const auto& [before, section, key, after] : rows) {
            QTemporaryDir dir;
            const QString path = dir.path() + "/s.ini";
            if (!before.isNull())
                WriteFile(path, before);
            QCOMPARE(Profile(path).write(section, key, "X"), QString());
            QCOMPARE(ReadBytes(path), after);
        }
        QVERIFY(Profile("/nonexistent-folder/Quillan.ini").write("Path", "FilePath", "a:").contains("Quillan.ini"));
    }
};

QTEST_GUILESS_MAIN(TestProfile)
#include "test_profile.moc"
