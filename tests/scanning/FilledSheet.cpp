#include "FilledSheet.h"

#include "DataWorkspace.h"
#include "Profile.h"
#include "TestDefinition.h"
#include "TestEnv.h"

#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>
#include <cmath>

SheetAnswers SheetAnswers::random(quint32 seed)
{
    QRandomGenerator rng(seed);
    SheetAnswers a;
    a.gender = rng.bounded(1, 3);
    a.race = rng.bounded(1, 7);
    a.education = rng.bounded(1, 9);
    a.marital = rng.bounded(1, 6);
    for (int& c : a.court)
        c = rng.bounded(0, 10);
    for (int n = 1; n <= NumItems; ++n)
        a.responses += QString::number(rng.bounded(1, ChoicesOfItem(n) + 1));
    const int month = rng.bounded(1, 13), day = rng.bounded(1, 29);
    a.dob = QString::asprintf("%02d%02d%02d", month, day, rng.bounded(0, 100));
    return a;
}

void FilledSheet::markAll(const SheetAnswers& a, int grey, double diameter)
{
    const int demographic[] = {a.gender, a.race, a.education, a.marital};
    for (int i = 0; i < 4; ++i)
        if (demographic[i] > 0)
            mark(i + 1, demographic[i] - 1, grey, diameter);
    for (int i = 0; i < 5; ++i)
        if (a.court[i] >= 0)
            mark(FirstCourtItem + i, a.court[i], grey, diameter);
    for (int n = 0; n < a.responses.size(); ++n)
        if (a.responses[n].digitValue() > 0)
            mark(FirstQuestionItem + n, a.responses[n].digitValue() - 1, grey, diameter);
    for (int i = 0; i < a.dob.size(); ++i)
        if (a.dob[i].isDigit())
            mark(FirstDateItem + i, a.dob[i].digitValue(), grey, diameter);
}

QImage FilledSheet::scan(const Scanning& how) const
{
    const double scale = how.dpi / 100;
    QImage page((QSizeF(how.canvas) * scale).toSize(), QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        const QPointF pivot = std::abs(how.angle) > 90 ? QPointF(how.canvas.width(), how.canvas.height()) / 2
                                                       : QPointF(AnswerSheet::PageSize.width() / 2.0, 50);
        p.translate(how.offset + pivot);
        p.rotate(how.angle);
        p.translate(-pivot);
        p.scale(how.printScale, how.printScale);
        m_sheet.draw(p);
        paintMarks(p, how.seed);
    }
    QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
    QRandomGenerator rng(how.seed);
    for (int y = 0; y < grey.height(); ++y) {
        uchar* line = grey.scanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            double v = line[x] * how.paper / 255.0;
            if (how.noise > 0) {
                // Box-Muller from two uniform draws.
                const double u1 = std::max(rng.generateDouble(), 1e-12);
                const double u2 = rng.generateDouble();
                v += how.noise * std::sqrt(-2 * std::log(u1)) * std::cos(2 * M_PI * u2);
            }
            if (how.dust > 0 && rng.generateDouble() < how.dust)
                v = 40;
            line[x] = static_cast<uchar>(std::clamp(std::lround(v), 0L, 255L));
        }
    }
    const int dpm = how.tagged ? qRound(how.dpi / 0.0254) : 0;
    grey.setDotsPerMeterX(dpm);
    grey.setDotsPerMeterY(dpm);
    return grey;
}

void FilledSheet::paintMarks(QPainter& p, quint32 seed) const
{
    QRandomGenerator rng(seed * 7919u + 13u);
    p.setPen(Qt::NoPen);
    for (const Mark& m : m_marks) {
        const QPointF centre = QPointF(m_sheet.bubbleOnPage(m.id, m.index)) + QPointF(7.5, 7.5);
        if (!m.smudge) {
            p.setBrush(QColor(m.grey, m.grey, m.grey));
            p.drawEllipse(centre, m.diameter / 2, m.diameter / 2);
            continue;
        }
        // What an eraser leaves: a pale stain and a few crumbs of graphite.
        p.setBrush(QColor(220, 220, 220));
        p.drawEllipse(centre, 7.0, 6.0);
        p.setBrush(QColor(150, 150, 150));
        for (int i = 0; i < 4; ++i)
            p.drawRect(QRectF(centre.x() - 6 + rng.bounded(12), centre.y() - 5 + rng.bounded(10), 1, 1));
    }
}

QList<ScanItem> DemoScanItems()
{
    TestProgramDir dir;
    DataWorkspace workspace(dir.path(), Profile(dir.path() + QStringLiteral("/Quillan.ini")));
    QString problem;
    QList<ScanItem> items;
    auto db = workspace.OpenQuestionDatabase(&problem);
    if (!db || !(problem = LoadScanItems(db->db(), db->path(), items)).isEmpty())
        qFatal("%s", qPrintable(problem));
    return items;
}

TestProgramDir::TestProgramDir()
{
    const QString source = ProgramDirForTests() + QStringLiteral("/qn.mdb");
    if (!QFile::copy(source, m_dir.filePath(QStringLiteral("qn.mdb"))))
        qFatal("cannot copy %s", qPrintable(source));
}
