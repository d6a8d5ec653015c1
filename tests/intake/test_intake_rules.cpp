// The intake rules without a window: dates of birth, the demographic lists, court counts, the edit limit, and how
// entries reach the client record and file.

#include "AuditTrail.h"
#include "ClientEntry.h"
#include "ClientTable.h"
#include "CourtCount.h"
#include "CurrentClient.h"
#include "DataLocation.h"
#include "DateOfBirth.h"
#include "Demographics.h"
#include "EditLimit.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "SessionFlags.h"
#include "TestFiles.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <sys/mount.h>

namespace {
const QDate Today(2026, 3, 15);
}

class TestIntakeRules : public QObject {
    Q_OBJECT
private slots:
    void dateEntry()
    {
        using E = DateEntry;
        // The box's text when Enter is pressed, what it makes of it, and the value the edit limit compares.
        const std::tuple<const char*, E, const char*> rows[] = {
            {"03/14/1987", E::Date, "03/14/1987"}, {"N_/__/____", E::NotAvailable, "N_/__/____"},
            {"N1/__/____", E::Refused, ""},        {"03/15/2026", E::Date, "03/15/2026"},
            {"03/16/2026", E::Refused, ""},        {"01/01/1890", E::Date, "01/01/1890"},
            {"12/31/1889", E::Refused, ""},        {"02/29/1972", E::Date, "02/29/1972"},
            {"02/29/1971", E::Refused, ""},        {"13/01/1970", E::Refused, ""},
            {"01/32/1970", E::Refused, ""},        {"03-14-1987", E::Refused, ""},
            {"3/14/1987", E::Refused, ""},         {"__/__/____", E::Refused, ""}};
        for (const auto& [box, entry, editValue] : rows) {
            QCOMPARE(CheckDateEntry(QLatin1String(box), Today), entry);
            QCOMPARE(DobEditValue(QLatin1String(box), Today), QString::fromLatin1(editValue));
        }
        // Stored and scanned dates in the box: unread columns keep the digits that were read.
        const std::pair<const char*, const char*> shown[] = {{"N         ", "N_/__/____"},
                                                             {"          ", "__/__/____"},
                                                             {"03/1N/1987", "03/1_/1987"},
                                                             {"03/14/NNN7", "03/14/___7"},
                                                             {"07/04/1990", "07/04/1990"}};
        for (const auto& [date, box] : shown)
            QCOMPARE(DateBoxText(QLatin1String(date)), QString::fromLatin1(box));
        QCOMPARE(StoredDob(QStringLiteral("n_/__/____")) + StoredDob(QStringLiteral("03/14/1987")), "N03/14/1987");
    }

    void demographicLists()
    {
        using L = DemographicList;
        using A = ComboKey::Action;
        // A character typed into a list's box: a code selects its entry; N is "N/A" except in the race list, where
        // it cannot tell "N/A" from "Native American" and opens the list.
        const std::tuple<L, char, A, int> rows[] = {
            {L::Gender, '2', A::Select, 2},     {L::Gender, '3', A::Refuse, -1},   {L::Gender, 'N', A::Select, 0},
            {L::Gender, 'n', A::Select, 0},     {L::Gender, 'M', A::Refuse, -1},   {L::Race, '6', A::Select, 6},
            {L::Race, '7', A::Refuse, -1},      {L::Race, 'N', A::OpenList, -1},   {L::Marital, '5', A::Select, 5},
            {L::Marital, '6', A::Refuse, -1},   {L::Education, '8', A::Select, 8}, {L::Education, '9', A::Refuse, -1},
            {L::Education, ' ', A::Refuse, -1}, {L::Education, '0', A::Select, 0}};
        for (const auto& [list, c, action, position] : rows) {
            const ComboKey k = ComboTyped(list, QLatin1Char(c));
            QVERIFY(k.action == action && (action != A::Select || k.position == position));
        }
        // Stored codes: a code past the list's end selects nothing; "N" and blank are "N/A".
        const std::tuple<L, const char*, int> codes[] = {
            {L::Gender, "2", 2},    {L::Gender, "3", -1},    {L::Race, "N", 0},     {L::Race, " 6", 6},
            {L::Marital, "-1", -1}, {L::Education, "8 ", 8}, {L::Education, " ", 0}};
        for (const auto& [list, code, position] : codes)
            QCOMPARE(CodePosition(list, QLatin1String(code)), position);
    }

    void courtCounts()
    {
        const std::pair<const char*, bool> rows[] = {{"N", true},   {"0", true},   {"99", true},   {" 5 ", true},
                                                     {"N ", true},  {"00", false}, {"-1", false},  {"N1", false},
                                                     {"5a", false}, {"", false},   {"100", false}, {"+5", false}};
        for (const auto& [text, valid] : rows)
            QVERIFY2(CourtCountValid(QLatin1String(text)) == valid, text);
        QCOMPARE(ConfirmedCourtCount(QStringLiteral(" n ")), QStringLiteral("N"));
        // The two-character box: a third character is refused unless both are selected to be replaced.
        QVERIFY(CourtKeyOverflows(QStringLiteral("12"), 0) && CourtKeyOverflows(QStringLiteral("12"), 1));
        QVERIFY(!CourtKeyOverflows(QStringLiteral("12"), 2) && !CourtKeyOverflows(QStringLiteral("1"), 0));
    }

    void editLimit()
    {
        using O = EditLimit::Outcome;
        EditLimit limit(0, {"Avery", "2", "03/14/1987", "3", "1", "4"});
        QCOMPARE(limit.fieldLeft(IntakeField::Gender, "2"), O::Same);
        QCOMPARE(limit.fieldLeft(IntakeField::Gender, "1"), O::Counted);
        // Changed back: a change again.
        QCOMPARE(limit.fieldLeft(IntakeField::Gender, "2"), O::Counted);
        QVERIFY(limit.countDigit() == "2" && !limit.reached());
        QCOMPARE(limit.fieldLeft(IntakeField::DOB, "04/15/1990"), O::LimitReached);
        QVERIFY(limit.countDigit() == "3" && limit.reached());
        // The count starts from the stored one; a damaged count above the limit is held at it.
        QCOMPARE(EditLimit(2, {}).fieldLeft(IntakeField::Education, "8"), O::LimitReached);
        QVERIFY(EditLimit(3, {}).reached());
        QCOMPARE(EditLimit(7, {}).countDigit(), QStringLiteral("3"));
    }

    // Whether entries reach the file is walked by the windows' tests and the whole-program test.
    void newClientSlotAndWriteRule()
    {
        // A full client file takes no new client.
        ClientTable full;
        full.CurClient = 1;
        full.NumClients = ClientTable::MaxClients;
        FakePrompts prompts;
        SessionFlags flags;
        FakeClock clock;
        QVERIFY(!CurrentClient(full, flags, prompts, clock).startNew(QStringLiteral("Client Information")));
        QCOMPARE(full.CurClient, 1);
        QCOMPARE(prompts.shown.value(0).title, QStringLiteral("Client Information"));
        // Changed entries of a client at the edit limit when the window opened are not written.
        for (auto [editing, changed, clients, countAtOpen, yes] : {std::tuple{false, true, 3, 3, true},
                                                                   {true, true, 3, 3, false},
                                                                   {true, false, 3, 3, true},
                                                                   {true, true, 3, 2, true},
                                                                   {true, true, 0, 3, true}})
            QCOMPARE(ClientInfoWritten(editing, changed, clients, countAtOpen), yes);
    }
    // A change that a full disk keeps from the client file is not recorded as made: the supervisor gets the
    // program's error box naming the client file, the record stays as it was, and the trail, without an entry for it, holds.
    void fullDisk_changeNotSavedNorRecorded()
    {
        QTemporaryDir dir;
        const QString disk = dir.filePath(QStringLiteral("usb"));
        QDir().mkpath(disk);
        if (::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("tmpfs cannot be mounted here");
        const auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(disk).constData(), MNT_DETACH); });
        WriteFile(disk + QStringLiteral("/DATA401.QN"), ClientRecord::blank().toBytes().repeated(3));
        ClientTable table;
        QVERIFY(!OpenDataLocation(table, disk).error);
        QFile fill(disk + QStringLiteral("/fill"));
        QVERIFY(fill.open(QIODevice::WriteOnly));
        while (fill.write(QByteArray(4096, 'x')) > 0 && fill.flush()) {
        }
        const AuditHead before = table.audit.head();
        const QByteArray file = ReadBytes(table.ClientFilePath);
        table.CurClient = 2;
        FakePrompts prompts;
        SessionFlags flags;
        FakeClock clock;
        const FileError e = CurrentClient(table, flags, prompts, clock).commit([](ClientRecord& r) { r.Gender = "2"; });
        QVERIFY(e);
        QCOMPARE(prompts.shown.value(0).title, QStringLiteral("Veltrane"));
        QVERIFY2(prompts.texts().value(0).startsWith(QStringLiteral("Error ")) &&
                     prompts.texts().value(0).contains(QStringLiteral("No space left on device (") + table.ClientFilePath),
                 qPrintable(prompts.texts().join(" / ")));
        QCOMPARE(table.Clients[2].Gender, ClientRecord::blank().Gender);
        QCOMPARE(ReadBytes(table.ClientFilePath), file);
        QCOMPARE(table.audit.head().text(), before.text());
        QVERIFY(AuditTrail::verifyFolder(disk, before).holds());
    }
};

QTEST_GUILESS_MAIN(TestIntakeRules)
#include "test_intake_rules.moc"
