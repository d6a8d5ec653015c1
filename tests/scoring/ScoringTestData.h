#pragma once
// The scoring test installation in tests/data/scoring: its files, its clients and its tables.

#include "ClientRecord.h"
#include "Scoring.h"
#include "TestEnv.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTest>

inline QString ScoringDataDir()
{
    return TestDataDir() + QStringLiteral("/scoring");
}

inline QString TestProgramDir()
{
    return ScoringDataDir() + QStringLiteral("/program");
}

inline QByteArray Expected(const QString& name)
{
    return ReadBytes(ScoringDataDir() + QStringLiteral("/expected/") + name);
}

inline QByteArray TestProgramFile(const QString& name)
{
    return ReadBytes(TestProgramDir() + QLatin1Char('/') + name);
}

// Client n (1-based) of tests/data/scoring/clients.txt.
inline ClientRecord TestClient(int n)
{
    const QList<QByteArray> lines = ReadBytes(ScoringDataDir() + QStringLiteral("/clients.txt")).split('\n');
    int seen = 0;
    for (const QByteArray& line : lines) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (++seen == n)
            return ClientRecord::fromBytes(line);
    }
    return ClientRecord::blank();
}

// The first `count` test clients as the client file holds them.
inline QByteArray TestClientFile(int count)
{
    QByteArray bytes;
    for (int n = 1; n <= count; ++n)
        bytes += TestClient(n).toBytes();
    return bytes;
}

// Copies the test installation's files into `dir` (a fresh program folder).
inline bool CopyTestProgram(const QString& dir)
{
    QDir().mkpath(dir);
    const QDir source(TestProgramDir());
    for (const QString& name : source.entryList(QDir::Files)) {
        QFile::remove(dir + QLatin1Char('/') + name);
        if (!QFile::copy(source.filePath(name), dir + QLatin1Char('/') + name))
            return false;
    }
    return true;
}

// A client who answered every item: section 1 False, sections 2 and 3 with answer 1; no court history.
inline ClientRecord PlainClient()
{
    ClientRecord r = ClientRecord::blank();
    for (auto [field, value] : {std::pair{&r.Name, "Plain, Pat"}, {&r.Gender, "1"}, {&r.DOB, "05/06/1970"},
                                {&r.Race, "1"}, {&r.Marital, "1"}, {&r.Education, "1"}, {&r.TestDate, "11/23/2026"},
                                {&r.EditCount, "0"}, {&r.NameDeleted, "0"}})
        *field = QString::fromLatin1(value);
    for (QString* c : {&r.DrugArrests, &r.AlcoholArrests, &r.Assaults, &r.DVArrests, &r.Anger})
        *c = QStringLiteral("0 ");
    r.Responses = QString(86, QLatin1Char('2')) + QString(37, QLatin1Char('1'));
    r.fitFields();
    return r;
}

// Sets the answers to items first..last (1-based) to `answer`.
inline void SetAnswers(ClientRecord& r, int first, int last, QChar answer)
{
    for (int i = first; i <= last; ++i)
        r.Responses[i - 1] = answer;
}

// The report's lines without their CR LF endings.
inline QStringList ReportLines(const QByteArray& report)
{
    QStringList lines = QString::fromLatin1(report).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// One row of a data-driven test, its values in column order.
template <typename... Values> void Row(const char* name, const Values&... values)
{
    QTestData& row = QTest::newRow(name);
    ((row << values), ...);
}
