// Reading the scoring tables and wording files: the layout, the bounds, and damaged or short files.

#include "FieldReader.h"
#include "ReportWriter.h"
#include "ScoringTestData.h"

#include <QTest>

namespace {

// Replaces field `field` (0-based) of line `line` (1-based) of a comma-separated file.
QByteArray setField(QByteArray bytes, int line, int field, const QByteArray& value)
{
    QList<QByteArray> lines = bytes.split('\n');
    QList<QByteArray> fields = lines[line - 1].split(',');
    fields[field] = value;
    lines[line - 1] = fields.join(',');
    return lines.join('\n');
}

QByteArray replaceLine(QByteArray bytes, int line, const QByteArray& value)
{
    QList<QByteArray> lines = bytes.split('\n');
    lines[line - 1] = value;
    return lines.join('\n');
}

QByteArray firstLines(const QByteArray& bytes, int n)
{
    const QList<QByteArray> lines = bytes.split('\n');
    return lines.mid(0, n).join('\n') + '\n';
}

bool sameTables(const ScoringTables& a, const ScoringTables& b)
{
    if (a.SigItems != b.SigItems || a.NormLength != b.NormLength || a.NormTable != b.NormTable ||
        a.RatioPercentiles != b.RatioPercentiles || a.RatioThresholds != b.RatioThresholds ||
        a.TruthCorrection != b.TruthCorrection || a.PointKeys != b.PointKeys)
        return false;
    for (int s = 1; s <= NumTableScales; ++s)
        if (a.ScaleItems[s].count != b.ScaleItems[s].count || a.ScaleItems[s].items != b.ScaleItems[s].items)
            return false;
    return true;
}

} // namespace

class TestScoringData : public QObject {
    Q_OBJECT
private:
    QByteArray m_qnb;
    QByteArray m_rpt;

private slots:
    void initTestCase()
    {
        m_qnb = TestProgramFile(QStringLiteral("QNB.TXT"));
        m_rpt = TestProgramFile(QStringLiteral("QNRPT.TXT"));
        QVERIFY(!m_qnb.isEmpty());
        QVERIFY(!m_rpt.isEmpty());
    }

    void load_lineEndings_giveTheSameTables()
    {
        for (const char* ending : {"\r\n", "\r"}) {
            ScoringTables lf, other;
            ReportWording wlf, wother;
            QVERIFY(!LoadScoringData(m_qnb, m_rpt, lf, wlf));
            QByteArray qnb = m_qnb, rpt = m_rpt;
            QVERIFY(!LoadScoringData(qnb.replace("\n", ending), rpt.replace("\n", ending), other, wother));
            QVERIFY(sameTables(lf, other));
            QCOMPARE(wother.ChoiceTexts, wlf.ChoiceTexts);
            QCOMPARE(wother.SigItemTexts, wlf.SigItemTexts);
        }
    }

    void load_demoInstallation_isConsistentSampleData()
    {
        const QString dir =
            QString::fromLocal8Bit(qgetenv("VELTRANE_SOURCE_DIR")) + QStringLiteral("/installation/program/");
        ScoringTables t;
        ReportWording w;
        const ScoringError e = LoadScoringData(ReadBytes(dir + "QNB.TXT"), ReadBytes(dir + "QNRPT.TXT"), t, w);
        QVERIFY2(!e, qPrintable(e.message));
        // Norms never fall as the raw score rises; every scale has a key for each answer.
        for (int x = 1; x <= NumSexes; ++x)
            for (int g = 1; g <= NumNormGroups; ++g)
                for (int s = 1; s <= NumTableScales; ++s)
                    for (int r = 2; r <= t.NormLength[x][g][s]; ++r)
                        QVERIFY2(t.NormTable[x][g][s][r] >= t.NormTable[x][g][s][r - 1],
                                 qPrintable(QString::number(s)));
        for (int s = 1; s <= NumTableScales; ++s)
            for (int a = 0; a <= MaxAnswerValue; ++a)
                QCOMPARE(t.PointKeys[s][a].size(), t.ScaleItems[s].count);
        // Every range has a paragraph that fits the report's width.
        for (int s : {1, 2, 3, 5, 6})
            for (const QString& m : {w.RangeWords[1], QStringLiteral("MEDIUM-LOW"), QStringLiteral("MEDIUM-HIGH"),
                                     w.RangeWords[3], QStringLiteral("MAXIMUM-LOW"), QStringLiteral("MAXIMUM-HIGH")}) {
                QStringList lines;
                const ScoringError pe =
                    FindParagraph(ReadBytes(dir + ParagraphFileName(s)), ParagraphFileName(s), m, lines);
                QVERIFY2(!pe && !lines.isEmpty(), qPrintable(pe.message));
                for (const QString& l : lines)
                    QVERIFY2(8 + l.size() <= 79, qPrintable(l));
            }
        QStringList inval;
        QVERIFY(!ReadInvalidText(ReadBytes(dir + "INVAL.TXT"), QStringLiteral("INVAL.TXT"), inval) && !inval.isEmpty());
    }

    void load_damaged_isReportedWithFileAndPlace()
    {
        const QByteArray& q = m_qnb;
        const QByteArray& r = m_rpt;
        // The scoring and wording files given, and what the message names besides the damaged file.
        const std::tuple<QByteArray, QByteArray, QStringList> rows[] = {
            {QByteArray(), r, {"ends early", "line 1", "significant item 1 of 66"}},
            {q, QByteArray(), {"ends early", "scale name 1 of 6"}},
            {firstLines(q, 16), r, {"ends early", "percentile 1 of 33", "sex 1, norm group 1, scale 2"}},
            {firstLines(q, 112), r, {"ends early", "correction of band 1 for scale 2"}},
            {setField(q, 1, 4, "124"), r, {"damaged at line 1", "significant item 5 of 66 is 124, outside 1 to 123"}},
            {setField(q, 2, 0, "0"), r, {"line 2", "significant item 34 of 66 is 0"}},
            {setField(q, 17, 3, "1x"), r, {"line 17", "\"1x\" is not a whole number", "percentile 4 of 33"}},
            {setField(q, 106, 0, "40000"), r, {"line 106", "is 40000, outside -32768 to 32767"}},
            {replaceLine(q, 16, "113"), r, {"line 16", "is 113, outside 0 to 112"}},
            {replaceLine(q, 16, "-1"), r, {"outside 0 to 112"}},
            {setField(q, 15, 9, "100"), r, {"line 15", "is 100, outside 0 to 99"}},
            {setField(q, 80, 0, "-1"), r, {"line 80", "ratio-scale percentile 1 of 44"}},
            {setField(q, 87, 5, "5"), r, {"line 87", "threshold 6 of 45 for norm group 1 is 5", "must ascend"}},
            {replaceLine(q, 94, "53"), r, {"line 94", "item count of scale 2 is 53, outside 0 to 52"}},
            {setField(q, 95, 2, "200"), r, {"item 3 of 12 of scale 2 is 200"}},
            {setField(q, 117, 8, "1000"), r, {"band 9 for scale 6 is 1000"}},
            {q, firstLines(r, 40), {"ends early", "significant-item text 39 of 66"}},
            {q, firstLines(r, 100), {"ends early", "multiple-choice text 33 of 52"}}};
        for (const auto& [qnb, rpt, mentions] : rows) {
            ScoringTables t;
            ReportWording w;
            const ScoringError e = LoadScoringData(qnb, rpt, t, w);
            const QString file = qnb == q ? QStringLiteral("QNRPT.TXT") : QStringLiteral("QNB.TXT");
            QCOMPARE(e.file, file);
            QVERIFY2(e.message.contains(file), qPrintable(e.message));
            for (const QString& m : mentions)
                QVERIFY2(e.message.contains(m), qPrintable(e.message + QStringLiteral("  -- lacks: ") + m));
            // A failed load leaves no half-filled tables behind.
            QCOMPARE(t.SigItems[1], 0);
            QVERIFY(w.ScaleNames[1].isEmpty());
        }
    }

    void load_everyShortenedFile_failsCleanly()
    {
        ScoringTables t;
        ReportWording w;
        // Every prefix of either file must be refused without reading past its end; only the whole file loads.
        for (qsizetype n = 0; n < m_qnb.size(); ++n) {
            const ScoringError e = LoadScoringData(QByteArrayView(m_qnb).first(n), m_rpt, t, w);
            // Cutting only the final line end or the unread tail still leaves every number whole.
            if (!e.failed())
                QVERIFY2(n >= m_qnb.lastIndexOf(',') + 2, qPrintable(QString::number(n)));
        }
        // A wording file cut inside its last line only shortens that text.
        const qsizetype lastLine = m_rpt.lastIndexOf('\n', m_rpt.size() - 2) + 1;
        for (qsizetype n = 0; n < m_rpt.size(); ++n)
            QCOMPARE(LoadScoringData(m_qnb, QByteArrayView(m_rpt).first(n), t, w).failed(), n <= lastLine);
    }

    void fields_quotesBlanksCommasAndHeaders()
    {
        FieldReader r("  \"a, b\" , plain  ,\n\n  7,\nheader line\n\"x\"junk,y\n1,2,rest of line\nnext\n");
        QString v;
        QStringList got;
        // Blank lines before a field are passed over; a comma ending a line does not make the rest a header; after
        // a field, the rest of its line is the header.
        for (bool whole : {false, false, false, true, false, false, false, false, true, true}) {
            QVERIFY(whole ? r.wholeLine(v) : r.field(v));
            got << v;
        }
        QCOMPARE(got, (QStringList{"a, b", "plain", "7", "header line", "x", "y", "1", "2", "rest of line", "next"}));
        QVERIFY(!r.field(v));
        QVERIFY(!r.wholeLine(v));
    }
};

QTEST_GUILESS_MAIN(TestScoringData)
#include "test_scoring_data.moc"
