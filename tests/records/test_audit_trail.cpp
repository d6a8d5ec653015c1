// The audit trail's verifier against every way a trail can be tampered with, and a trail reopened after a torn write.

#include "AuditTrail.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

using Problem = AuditVerification::Problem;

class TestAuditTrail : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_trail, m_key;
    AuditHead m_head;
    QList<QByteArray> m_lines; // each with its newline

    QString file(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void initTestCase()
    {
        AuditTrail t;
        QVERIFY(!t.open(m_dir.path(), true, {QStringLiteral("ann"), QStringLiteral("ws1"), QStringLiteral("1.0")}));
        QVERIFY(!t.append(QStringLiteral("client-changed"), 3,
                          {{QStringLiteral("field"), QStringLiteral("Name")},
                           {QStringLiteral("old"), t.fingerprint(QStringLiteral("Walker, Pat"))},
                           {QStringLiteral("new"), t.fingerprint(QStringLiteral("Walker, Patricia"))}}));
        QVERIFY(!t.append(QStringLiteral("report-printed"), 3, {{QStringLiteral("printer"), QStringLiteral("Lab 2\t%")}}));
        m_head = t.head();
        t.close(); // its own entry: four in all
        m_trail = ReadBytes(file(AuditTrail::FileName));
        m_key = QByteArray::fromHex(ReadBytes(file(AuditTrail::KeyFileName)).split('\n').value(0));
        for (const QByteArray& l : m_trail.split('\n').mid(0, 4))
            m_lines << l + '\n';
        QCOMPARE(m_lines.size(), 4);
        m_head = AuditTrail::verify(m_trail, m_key).head;
        QCOMPARE(m_head.count, 4);
        QVERIFY(!m_trail.contains("Walker"));
        const QList<AuditEntry> entries = AuditTrail::parse(m_trail);
        QCOMPARE(entries[0].event, QStringLiteral("trail-begun-on-existing-location"));
        QCOMPARE(entries[2].detail(QStringLiteral("printer")), QStringLiteral("Lab 2\t%"));
        QCOMPARE(entries[1].user, QStringLiteral("ann"));
        QCOMPARE(QFileInfo(file(AuditTrail::FileName)).permissions() & 0x0077, QFileDevice::Permissions());
    }

    void verify_tamperedTrail_namesFirstFailingEntry_data()
    {
        QTest::addColumn<QByteArray>("trail");
        QTest::addColumn<bool>("otherKey");
        QTest::addColumn<int>("problem");
        QTest::addColumn<int>("entry");
        QTest::newRow("untouched") << m_trail << false << int(Problem::None) << 0;
        QTest::newRow("torn last line") << m_trail + m_lines[1].left(40) << false << int(Problem::None) << 0;
        QTest::newRow("key changed") << m_trail << true << int(Problem::KeyChanged) << 1;
        for (int k = 0; k < 4; ++k) {
            QList<QByteArray> less = m_lines;
            less.removeAt(k);
            QTest::addRow("entry %d removed", k + 1)
                << less.join() << false << int(k == 3 ? Problem::CutShort : Problem::Removed) << k + 1;
        }
        for (int k = 0; k + 1 < 4; ++k) {
            QList<QByteArray> swapped = m_lines;
            swapped.swapItemsAt(k, k + 1);
            QTest::addRow("entries %d and %d swapped", k + 1, k + 2)
                << swapped.join() << false << int(Problem::Reordered) << k + 1;
        }
        for (int m = 0; m < 4; ++m)
            QTest::addRow("cut to %d entries", m) << m_lines.mid(0, m).join() << false << int(Problem::CutShort) << m + 1;
    }

    void verify_tamperedTrail_namesFirstFailingEntry()
    {
        QFETCH(QByteArray, trail);
        QFETCH(bool, otherKey);
        QFETCH(int, problem);
        QFETCH(int, entry);
        const AuditVerification v = AuditTrail::verify(trail, otherKey ? QByteArray(32, 'k') : m_key, m_head);
        QCOMPARE(int(v.problem), problem);
        QCOMPARE(v.entry, entry);
        QCOMPARE(v.message.isEmpty(), problem == int(Problem::None));
        if (problem == int(Problem::None))
            QCOMPARE(v.head.text(), m_head.text());
    }

    void verify_eachByteFlipped_caughtAtItsEntry()
    {
        int line = 1;
        for (qsizetype i = 0; i < m_trail.size(); ++i) {
            QByteArray t = m_trail;
            t[i] = char(t[i] ^ 0x01);
            const AuditVerification v = AuditTrail::verify(t, m_key, m_head);
            const QByteArray where = QByteArray::number(i);
            if (i == m_trail.size() - 1) {
                // The last line's end lost: the write looks torn, and only the head noted shows what went.
                QCOMPARE(v.problem, Problem::CutShort);
            } else {
                QVERIFY2(v.problem == Problem::Changed || v.problem == Problem::Damaged, where);
                QVERIFY2(v.entry == line, where);
            }
            if (m_trail[i] == '\n')
                ++line;
        }
    }

    void append_afterAnEditorReplacedTheFile_writesToTheFileThere()
    {
        QTemporaryDir dir;
        AuditTrail t;
        QVERIFY(!t.open(dir.path(), false));
        const QString path = t.path();
        const QByteArray before = ReadBytes(path);
        // As sed -i and editors save: a new file renamed over the old name.
        WriteFile(path + QStringLiteral(".new"), before);
        QVERIFY(::rename(qPrintable(path + QStringLiteral(".new")), qPrintable(path)) == 0);
        QVERIFY(!t.append(QStringLiteral("backup")));
        QList<AuditEntry> entries = AuditTrail::parse(ReadBytes(path));
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries[1].event + QLatin1Char(' ') + entries[2].event,
                 QStringLiteral("trail-file-replaced-while-open backup"));
    }

    void open_whileAnotherHoldsIt_refused()
    {
        AuditTrail first, second;
        QVERIFY(!first.open(m_dir.path(), true));
        QCOMPARE(second.open(m_dir.path(), true).number, int(FileError::LocationInUse));
        first.close(false);
        QVERIFY(!second.open(m_dir.path(), true));
        second.close(false);
    }

    void open_afterTornWrite_dropsPartAndStaysVerifiable()
    {
        QTemporaryDir dir;
        QFile::copy(file(AuditTrail::KeyFileName), dir.filePath(QLatin1String(AuditTrail::KeyFileName)));
        const QString trailPath = dir.filePath(QLatin1String(AuditTrail::FileName));
        WriteFile(trailPath, m_trail + m_lines[1].left(50));
        {
            AuditTrail t;
            QVERIFY(!t.open(dir.path(), false));
            QCOMPARE(t.head().count, 5);
        }
        const QByteArray after = ReadBytes(trailPath);
        const AuditVerification v = AuditTrail::verify(after, m_key, m_head);
        QVERIFY2(v.holds(), qPrintable(v.message));
        QCOMPARE(v.tornBytes, 0);
        QCOMPARE(AuditTrail::parse(after).at(4).detail(QStringLiteral("bytes")), QStringLiteral("50"));
        QCOMPARE(AuditTrail::parse(after).at(5).event, QStringLiteral("location-closed"));
    }
};

QTEST_GUILESS_MAIN(TestAuditTrail)
#include "test_audit_trail.moc"
