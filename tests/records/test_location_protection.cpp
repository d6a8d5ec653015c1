// An encrypted data location through the readers and writers of every file kind: round trips, damage, passphrases,
// kills during conversion and saves, and no client data in the raw bytes.

#include "AdministrationJournal.h"
#include "AdministrationNotes.h"
#include "ClientFileBackup.h"
#include "ClientTable.h"
#include "LocationProtection.h"
#include "PrivateFile.h"
#include "SealedFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace LocationProtection;

namespace {

const Cost Cheap{10, 8, 1};
const QString Pass = QStringLiteral("Lantern harbor 48"), Recovery = QStringLiteral("Agency vault 2026!");
const QStringList Names = {QStringLiteral("Quintero, Marisol"), QStringLiteral("Okafor, Benedikt")};
const QString Dob = QStringLiteral("04/17/1968"), Answers = QStringLiteral("1234512345123451234512345");

QByteArray raw(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
}

QMap<QString, QByteArray> rawFiles(const QString& folder)
{
    QMap<QString, QByteArray> out;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        out[name] = raw(QDir(folder).filePath(name));
    return out;
}

// What the readers make of every file kind of the location, as one text.
QString readAll(const QString& folder)
{
    ClientTable t;
    t.setDataPath(folder);
    QByteArray clients;
    const ClientTable::LoadResult loaded = t.LoadClients(ClientTable::MissingFile::Refuse, &clients);
    AdministrationJournal j;
    j.setFolder(folder);
    const FileError je = j.load();
    QList<NotesFile::Entry> notes;
    const bool notesRead = NotesFile::read(QDir(folder).filePath(NotesFile::FileName), notes);
    QByteArray sha;
    const int shaErr = PrivateFile::Read(QDir(folder).filePath(QStringLiteral("DATA401.SHA")), sha);
    const AuditVerification v = AuditTrail::verifyFolder(folder);
    QString out = loaded.error ? loaded.error.description : QString::fromLatin1(clients);
    out += QLatin1Char('|') + (je ? je.description : QString::fromLatin1(AdministrationJournal::toBytes(j.administrations())));
    out += QLatin1Char('|') + (notesRead ? QString::fromLatin1(NotesFile::toBytes(notes)) : QStringLiteral("notes unread"));
    out += QLatin1Char('|') + (shaErr ? FileError::fromErrno(shaErr, QDir(folder).filePath(QStringLiteral("DATA401.SHA"))).description
                                      : QString::fromLatin1(sha));
    return out + QLatin1Char('|') + (v.holds() ? QString::number(v.head.count) : v.message);
}

// A location holding every file kind, with two clients.
void makeLocation(const QString& folder)
{
    ClientTable t;
    t.setDataPath(folder);
    QVERIFY(!t.LoadClients().error && !t.audit.open(folder, false));
    for (int16_t n = 1; n <= 2; ++n) {
        t.Clients[n].Name = Names[n - 1];
        t.Clients[n].DOB = Dob;
        t.Clients[n].Responses = Answers;
        QVERIFY(!t.SaveClient(n) && !t.audit.append(QStringLiteral("client-saved"), n));
        t.CountNewClient();
    }
    AdministrationJournal j;
    j.setFolder(folder);
    Administration a;
    a.id = QStringLiteral("b6f1c7c2-0000-4000-8000-000000000001");
    a.slot = 3;
    a.record = t.Clients[1].toBytes();
    a.events = {{1700000000000, 1, 3}};
    QVERIFY(!j.load() && !j.update(a));
    QVERIFY(NotesFile::write(QDir(folder).filePath(NotesFile::FileName),
                             {{1, NotesFile::fingerprint(t.Clients[1]), {}}})
                .isEmpty());
    QCOMPARE(PrivateFile::Replace(QDir(folder).filePath(QStringLiteral("DATA401.SHA")), QByteArray(64, 'a') + " 1\n"), 0);
}

void verifyNoClientData(const QString& folder)
{
    for (auto [name, bytes] : rawFiles(folder).asKeyValueRange()) {
        for (const QString& secret : Names + QStringList{Dob, Answers, Names[0].left(8)})
            QVERIFY2(!bytes.contains(secret.toLatin1()), qPrintable(name + QStringLiteral(" holds ") + secret));
        QVERIFY2(SealedFiles::RoleOf(name).isEmpty() == !SealedFiles::LooksSealed(bytes), qPrintable(name));
    }
}

} // namespace

class TestLocationProtection : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { SealedFiles::LockAll(); }

    void encryptedLocation_readsSavesBacksUpAndDecryptsAsPlain()
    {
        QTemporaryDir dir, away, elsewhere;
        const QString folder = dir.path();
        makeLocation(folder);
        const QString plain = readAll(folder);
        QVERIFY2(plain.contains(Names[1]) && plain.endsWith(QStringLiteral("|4")), qPrintable(plain.right(300)));
        QCOMPARE(Encrypt(folder, Pass, Recovery, Cheap), QString());
        verifyNoClientData(folder);
        QCOMPARE(readAll(folder), plain);

        // A sealed file put in another's place is found out: each is bound to its kind.
        const QByteArray clientsSealed = raw(QDir(folder).filePath(ClientTable::FileName));
        writeRaw(QDir(folder).filePath(ClientTable::FileName), raw(QDir(folder).filePath(NotesFile::FileName)));
        QVERIFY(readAll(folder).startsWith(QStringLiteral("The file %1 is damaged").arg(QDir(folder).filePath(ClientTable::FileName))));
        writeRaw(QDir(folder).filePath(ClientTable::FileName), clientsSealed);
        // Closed, the files say only that they are encrypted; opened with either passphrase, they read as before.
        SealedFiles::LockAll();
        ClientTable t;
        t.setDataPath(folder);
        QCOMPARE(t.LoadClients().error.number, int(FileError::LocationLocked));
        QVERIFY(Unlock(SlotFilePath(folder), Recovery, folder).ok());
        QCOMPARE(readAll(folder), plain);

        // Saves of every kind stay sealed and read back.
        QVERIFY(!t.LoadClients().error && !t.audit.open(folder, true));
        t.Clients[2].Responses = QStringLiteral("5").repeated(123);
        QVERIFY(!t.SaveClient(2) && !t.audit.append(QStringLiteral("client-saved"), 2));
        t.audit.close(false);
        AdministrationJournal j;
        j.setFolder(folder);
        QVERIFY(!j.load() && !j.close(j.administrations().first().id));
        verifyNoClientData(folder);
        const QString saved = readAll(folder);
        QVERIFY2(saved.contains(QStringLiteral("5").repeated(123)) && saved.endsWith(QStringLiteral("|5")), qPrintable(saved.right(300)));

        // A backup elsewhere is sealed too and carries the key slots: the passphrase alone restores it.
        const BackupOutcome b = BackUpClientFile(t.ClientFilePath, away.path(), QDateTime(QDate(2026, 5, 1), QTime(9, 0)));
        QVERIFY2(b.error.isEmpty(), qPrintable(b.error));
        verifyNoClientData(away.path());
        QVERIFY(QFileInfo::exists(SlotFileOfBackup(b.path)));
        SealedFiles::LockAll();
        QVERIFY(!ReadBackup(b.path).error.isEmpty());
        QVERIFY(Unlock(SlotFileOfBackup(b.path), Pass, QString()).ok());
        const RestoreOutcome r = RestoreClientFile(QDir(elsewhere.path()).filePath(ClientTable::FileName),
                                                   ReadBackup(b.path), QDateTime::currentDateTime());
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QCOMPARE(readAll(elsewhere.path()).section(QLatin1Char('|'), 0, 0), saved.section(QLatin1Char('|'), 0, 0));

        QCOMPARE(RemoveEncryption(folder, Pass), QString());
        QVERIFY(!IsEncrypted(folder) && !SealedFiles::IsUnlocked(folder));
        QCOMPARE(readAll(folder), saved);
        QVERIFY(raw(t.ClientFilePath).contains(Names[0].toLatin1()));
    }

    void damage_isReportedNamingTheFileAndChangesNothing_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* f : {"DATA401.QN", "DATA401.JNL", "DATA401.NTS", "DATA401.SHA", "DATA401.AUD", "DATA401.KEY",
                              "DATA401.VLK"})
            QTest::newRow(f) << QString::fromLatin1(f);
    }
    void damage_isReportedNamingTheFileAndChangesNothing()
    {
        QFETCH(QString, file);
        QTemporaryDir dir;
        const QString folder = dir.path(), path = QDir(folder).filePath(file);
        makeLocation(folder);
        QCOMPARE(Encrypt(folder, Pass, QString(), Cheap), QString());
        const QByteArray whole = raw(path);
        const QString good = readAll(folder);
        // Every byte flipped in turn, then every length the file could be cut to.
        QList<QByteArray> damaged;
        for (qsizetype at = 0; at < whole.size(); ++at) {
            QByteArray b = whole;
            b[at] = char(b[at] ^ 0x20);
            damaged << b;
        }
        for (qsizetype n = 0; n < whole.size(); ++n)
            damaged << whole.left(n);
        for (const QByteArray& bad : damaged) {
            writeRaw(path, bad);
            const QMap<QString, QByteArray> before = rawFiles(folder);
            if (file.endsWith(QLatin1String("VLK"))) {
                const UnlockResult r = Unlock(path, Pass, folder);
                QCOMPARE(int(r.status), int(UnlockResult::Status::Damaged));
                QVERIFY2(r.message.contains(QDir::toNativeSeparators(path)), qPrintable(r.message));
            } else {
                const QString seen = readAll(folder);
                QVERIFY2(seen != good, qPrintable(seen.right(300)));
                if (!file.endsWith(QLatin1String("NTS")))
                    QVERIFY2(seen.contains(QDir::toNativeSeparators(path)) && seen.contains(QStringLiteral("damaged")),
                             qPrintable(seen.right(300)));
            }
            QCOMPARE(rawFiles(folder), before);
        }
        writeRaw(path, whole);
        QCOMPARE(readAll(folder), good);
    }

    void passphrases_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("status");
        const int ok = int(UnlockResult::Status::Unlocked), wrong = int(UnlockResult::Status::WrongPassphrase);
        QTest::newRow("right") << false << Pass << ok;
        QTest::newRow("recovery") << false << Recovery << ok;
        QTest::newRow("wrong") << false << QStringLiteral("Lantern harbor 49") << wrong;
        QTest::newRow("empty") << false << QString() << wrong;
        QTest::newRow("old one after a change") << true << Pass << wrong;
        QTest::newRow("new one after a change") << true << QStringLiteral("Fresh tide 2027") << ok;
        QTest::newRow("recovery after a change") << true << Recovery << ok;
    }
    void passphrases()
    {
        QFETCH(bool, changed);
        QFETCH(QString, typed);
        QFETCH(int, status);
        QTemporaryDir dir;
        makeLocation(dir.path());
        QCOMPARE(Encrypt(dir.path(), Pass, Recovery, Cheap), QString());
        const QByteArray clients = raw(QDir(dir.path()).filePath(ClientTable::FileName));
        if (changed)
            QCOMPARE(ChangePassphrase(dir.path(), Pass, QStringLiteral("Fresh tide 2027"), QString(), Cheap), QString());
        // A change rewrites the key slots only.
        QCOMPARE(raw(QDir(dir.path()).filePath(ClientTable::FileName)), clients);
        SealedFiles::LockAll();
        const UnlockResult r = Unlock(SlotFilePath(dir.path()), typed, dir.path());
        QCOMPARE(int(r.status), status);
        QCOMPARE(SealedFiles::IsUnlocked(dir.path()), r.ok());
        QVERIFY(r.ok() ? r.message.isEmpty() : r.message.contains(QStringLiteral("passphrase does not open")));
        QCOMPARE(RemoveEncryption(dir.path(), typed).isEmpty(), r.ok());
    }

    void newPassphraseRules_data()
    {
        QTest::addColumn<QString>("passphrase");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("strength");
        QTest::newRow("short") << "Abc 123" << "at least 12" << "weak";
        QTest::newRow("only letters") << "abcdefghijklmnop" << "more than one kind" << "weak";
        QTest::newRow("only digits") << "1234567890123" << "more than one kind" << "weak";
        QTest::newRow("location's name") << "my CaseLoad-7 2026" << "location's name" << "strong";
        QTest::newRow("fair") << "harbor lights" << "" << "fair";
        QTest::newRow("strong") << "Harbor lights at 9pm!" << "" << "strong";
    }
    void newPassphraseRules()
    {
        QFETCH(QString, passphrase);
        QFETCH(QString, refusal);
        QFETCH(QString, strength);
        const QString why = PassphraseRefusal(passphrase, QStringLiteral("/media/usb/caseload-7"));
        QVERIFY2(refusal.isEmpty() ? why.isEmpty() : why.contains(refusal), qPrintable(why));
        QCOMPARE(StrengthText(Rate(passphrase)), strength);
    }

    void killedDuringConversionOrSave_opensWholeOldOrNew()
    {
        QTemporaryDir dir;
        const QString folder = dir.path();
        makeLocation(folder);
        QRandomGenerator rng(20261208);
        int encrypted = 0;
        for (int kill = 0; kill < 100; ++kill) {
            QProcess p;
            p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/protect_child"), {folder, Pass});
            QVERIFY(p.waitForStarted());
            if (kill % 4 == 0)
                p.waitForReadyRead(5000); // now and then well into a conversion
            QTest::qWait(int(rng.bounded(1, 40)));
            QVERIFY2(p.state() == QProcess::Running, p.readAllStandardError().constData());
            p.kill();
            p.waitForFinished();

            // As the program opens it: the conversion settled, then unlocked if it is encrypted.
            QCOMPARE(FinishConversion(folder), QString());
            PrivateFile::RemoveLeftovers(folder);
            if (IsEncrypted(folder)) {
                ++encrypted;
                QVERIFY(Unlock(SlotFilePath(folder), Pass, folder).ok());
                verifyNoClientData(folder);
            } else {
                for (auto [name, bytes] : rawFiles(folder).asKeyValueRange())
                    QVERIFY2(!SealedFiles::LooksSealed(bytes), qPrintable(name));
            }
            const QString seen = readAll(folder);
            QVERIFY2(seen.contains(Names[1]) && !seen.contains(QStringLiteral("damaged")), qPrintable(seen.right(300)));
            QVERIFY2(AuditTrail::verifyFolder(folder).holds(), qPrintable(AuditTrail::verifyFolder(folder).message));
            SealedFiles::LockAll();
        }
        qInfo("%d of 100 kills left the location encrypted", encrypted);
        QVERIFY(encrypted > 10 && encrypted < 90);
    }
};

QTEST_GUILESS_MAIN(TestLocationProtection)
#include "test_location_protection.moc"
