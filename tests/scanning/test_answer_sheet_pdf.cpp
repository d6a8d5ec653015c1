// The printable answer sheet: drawn to PDF, rendered back at 100 dpi by poppler's pdftoppm as a scanner would see
// the printed page, marked, and read back mark for mark.

#include "AnswerSheet.h"
#include "DataWorkspace.h"
#include "FilledSheet.h"
#include "Profile.h"
#include "ScanSheet.h"
#include "TestDefinition.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestAnswerSheetPdf : public QObject {
    Q_OBJECT

private slots:
    void printedSheet_markedByHand_readsEveryMarkBack()
    {
        const QList<ScanItem> items = DemoScanItems();
        const AnswerSheet sheet(items);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        QCOMPARE(sheet.writePdf(pdf), QString());

        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        QVERIFY2(!pdftoppm.isEmpty(), "pdftoppm (poppler-utils) is needed to render the printed sheet");
        QProcess render;
        render.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-gray"),
                                QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
        QVERIFY(render.waitForFinished(60000));
        QCOMPARE(render.exitCode(), 0);
        QImage page(dir.filePath(QStringLiteral("page.pgm")));
        QVERIFY(!page.isNull());
        QCOMPARE(page.size(), QSize(850, 1400)); // one legal page, edge to edge
        page = page.convertToFormat(QImage::Format_RGB32);

        // Mark the rendered page where the printed bubbles are, as a client's pencil would.
        const SheetAnswers answers = SheetAnswers::random(2024);
        FilledSheet pencil(items);
        pencil.markAll(answers, 80, 12.0);
        {
            QPainter p(&page);
            p.setRenderHint(QPainter::Antialiasing);
            pencil.paintMarks(p);
        }

        TestProgramDir program;
        DataWorkspace workspace(program.path(), Profile(program.path() + QStringLiteral("/Quillan.ini")));
        const ScanOutcome outcome = ScanSheet(AcquiredPage{page, 0, QString()}, workspace, QDate(2026, 3, 1));
        QVERIFY2(outcome.ok, qPrintable(outcome.failure.text));
        const SheetReading& r = outcome.reading;
        QCOMPARE(QPoint(r.AnchorPoint.x, r.AnchorPoint.y), AnswerSheet::AnchorBox.topLeft());
        QCOMPARE(r.SheetAngle, 0.0f);
        QCOMPARE(r.Gender, QString::number(answers.gender));
        QCOMPARE(r.Race, QString::number(answers.race));
        QCOMPARE(r.Education, QString::number(answers.education));
        QCOMPARE(r.Marital, QString::number(answers.marital));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(r.CourtCounts[i], QString::number(answers.court[i]));
        QCOMPARE(r.Responses, answers.responses);
        QCOMPARE(r.DateText.left(6), answers.dob.left(2) + QLatin1Char('/') + answers.dob.mid(2, 2) + QLatin1Char('/'));
        QCOMPARE(r.DateText.right(2), answers.dob.right(2));
        QCOMPARE(r.MultiMarks.entries(), QStringList());
    }
};

QTEST_MAIN(TestAnswerSheetPdf)
#include "test_answer_sheet_pdf.moc"
