#include "frmViewReport.h"

#include "AppContext.h"
#include "FileDialogs.h"
#include "MenuButtons.h"
#include "PagePainter.h"
#include "Panel3D.h"
#include "PdfReportPrinter.h"
#include "PrinterChooser.h"
#include "Prompts.h"
#include "ReportOutput.h"
#include "ReportPrinting.h"
#include "SupervisorReports.h"
#include "WindowRoutines.h"

#include <QApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextFrame>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr qreal ScreenPointSize = 10;
constexpr int ReportColumns = 80;
} // namespace

frmViewReport::frmViewReport(AppContext& ctx, ReportOutput& output, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_output(output)
{
    setObjectName(QStringLiteral("frmViewReport"));
    setWindowTitle(QStringLiteral("Client Report"));
    ctx.flags.ContinueFlag = false;

    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("fraAll"));
    m_text = new QTextEdit(m_frame);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setAccessibleName(QStringLiteral("Client report"));
    m_text->setReadOnly(true);
    // Read-only, yet the keyboard scrolls it and selects in it, and Tab leaves it for the buttons.
    m_text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_text->setTabChangesFocus(true);
    m_text->setLineWrapMode(QTextEdit::NoWrap);
    m_text->setFont(FixedPitchFont(QLatin1String(ReportFontFamily), ScreenPointSize));
    QPalette desk = m_text->palette();
    desk.setColor(QPalette::Base, QColor(0xc0, 0xc0, 0xc0));
    m_text->setPalette(desk);

    // The report's own buttons, with the key discipline and focus colours of every window's commands.
    m_menu = new MenuButtons(this, nullptr);
    m_menu->add(QStringLiteral("&Print Report"), QString(), [this] { PrintReport(); })
        ->setObjectName(QStringLiteral("cmdPrintReport"));
    m_menu->add(QStringLiteral("&Close"), QString(), [this] { accept(); })->setObjectName(QStringLiteral("cmdCancel"));
    m_menu
        ->add(QStringLiteral("Print &to…"), QStringLiteral("Choose a printer and paper, then print the report."),
              [this] { PrintReportTo(); })
        ->setObjectName(QStringLiteral("cmdPrintTo"));
    m_menu
        ->add(QStringLiteral("&Save as PDF…"),
              QStringLiteral("Save the report as a PDF file, page for page as printed."), [this] { SaveReportAsPdf(); })
        ->setObjectName(QStringLiteral("cmdSaveAsPdf"));
    cmdPrintTo()->setEnabled(m_ctx.printerChooser != nullptr);
    cmdSaveAsPdf()->setEnabled(m_ctx.files != nullptr);

    // "Print Report" first and "Close" last; the other ways out for the report between them.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (int i : {0, 2, 3, 1}) {
        if (i == 1)
            buttons->addSpacing(TwipsToPixelsX(600, this));
        buttons->addWidget(m_menu->panel(i));
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout(m_frame);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    setTabOrder(m_text, cmdPrintReport());
    setTabOrder(cmdPrintReport(), cmdPrintTo());
    setTabOrder(cmdPrintTo(), cmdSaveAsPdf());
    setTabOrder(cmdSaveAsPdf(), cmdCancel());

    const QFontMetricsF metrics(m_text->font());
    const int sheet = qRound(metrics.horizontalAdvance(QLatin1Char('M')) * (ReportColumns + 8));
    QSize size(sheet + TwipsToPixelsX(1400, this), TwipsToPixelsY(10000, this));
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableGeometry().size() * 0.95);
    resize(size);
}

QPushButton* frmViewReport::cmdPrintReport() const
{
    return m_menu->button(0);
}

QPushButton* frmViewReport::cmdCancel() const
{
    return m_menu->button(1);
}

QPushButton* frmViewReport::cmdPrintTo() const
{
    return m_menu->button(2);
}

QPushButton* frmViewReport::cmdSaveAsPdf() const
{
    return m_menu->button(3);
}

void frmViewReport::MOUSEWAIT()
{
    MouseWait();
}

void frmViewReport::MOUSEDEFAULT()
{
    MouseDefault();
}

void frmViewReport::placeFrame()
{
    const int margin = TwipsToPixelsX(120, this);
    m_frame->resize(std::max(0, width() - 2 * margin), std::max(0, height() - 2 * margin - TwipsToPixelsY(1000, this)));
    CenterFrame(this, m_frame);
}

void frmViewReport::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    placeFrame();
}

void frmViewReport::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (m_activated)
        return;
    m_activated = true;
    CenterForm(this);
    placeFrame();
    // Scored once the window is up, so the hourglass shows over it. Nothing can change the stored record while
    // this modal window is open, so later activations have nothing new to score.
    QTimer::singleShot(0, this, &frmViewReport::activate);
}

void frmViewReport::activate()
{
    // The hourglass without running the event loop: no click may reach the print button before report.prn holds
    // this client's report.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ScoringError e = ScoreCurrentClient(m_ctx);
    if (!e)
        LoadReportText();
    MOUSEDEFAULT();
    if (e || !m_shown) {
        // report.prn may still hold an earlier client's report: never show or print it as this client's.
        for (QPushButton* b : {cmdPrintReport(), cmdPrintTo(), cmdSaveAsPdf()})
            b->setEnabled(false);
        if (e)
            m_ctx.prompts.message(
                QStringLiteral("The report of client %1 cannot be made.\r%2").arg(m_ctx.table.CurClient).arg(e.message),
                AppTitle(), Prompts::Icon::Critical, Prompts::Buttons::Ok);
        reject();
        return;
    }
    m_ctx.flags.ContinueFlag = true;
}

void frmViewReport::LoadReportText()
{
    QString text;
    if (const ScoringError e = ::LoadReportText(m_ctx.programDir, text)) {
        m_ctx.prompts.message(e.message, AppTitle(), Prompts::Icon::Critical, Prompts::Buttons::Ok);
        return;
    }
    const QList<QStringList> pages = ReportPages(text);
    qsizetype columns = ReportColumns;
    for (const QStringList& page : pages)
        for (const QString& line : page)
            columns = std::max(columns, line.size());

    // Each report page on a sheet of its own, so the page breaks of the printout show on the screen too.
    const QFontMetricsF metrics(m_text->font());
    const qreal padding = metrics.horizontalAdvance(QLatin1Char('M')) * 2;
    QTextFrameFormat sheet;
    sheet.setBorder(1);
    sheet.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    sheet.setBorderBrush(Qt::darkGray);
    sheet.setBackground(Qt::white);
    sheet.setForeground(Qt::black);
    sheet.setPadding(padding);
    sheet.setMargin(padding);
    sheet.setWidth(QTextLength(QTextLength::FixedLength,
                               metrics.horizontalAdvance(QLatin1Char('M')) * (columns + 1) + 2 * padding));

    QTextDocument* doc = m_text->document();
    doc->clear();
    QTextCursor cursor(doc);
    for (const QStringList& page : pages) {
        cursor.movePosition(QTextCursor::End);
        cursor.insertFrame(sheet);
        cursor.insertText(page.join(QLatin1Char('\n')));
    }
    // The cursor starts on the first sheet, not in the margin above it.
    const QList<QTextFrame*> sheets = doc->rootFrame()->childFrames();
    m_text->setTextCursor(sheets.isEmpty() ? QTextCursor(doc) : sheets.first()->firstCursorPosition());
    m_text->ensureCursorVisible();
    m_text->verticalScrollBar()->setValue(0);
    m_shown = true;
}

void frmViewReport::runCommand(QPushButton* own, const std::function<QString()>& work)
{
    // Disabled while it runs, so a second command cannot start from the events the hourglass lets through.
    QList<QPushButton*> enabled;
    for (int i = 0; i < m_menu->size(); ++i) {
        if (m_menu->button(i)->isEnabled())
            enabled << m_menu->button(i);
        m_menu->button(i)->setEnabled(false);
    }
    MOUSEWAIT();
    const QString problem = work();
    MOUSEDEFAULT();
    for (QPushButton* b : enabled)
        b->setEnabled(true);
    // A file or printer dialog may have taken the focus away; it comes back to the command, as after a key press.
    own->setFocus();
    if (!problem.isEmpty())
        m_ctx.prompts.message(problem, AppTitle(), Prompts::Icon::Critical, Prompts::Buttons::Ok);
}

void frmViewReport::PrintReport()
{
    runCommand(cmdPrintReport(), [this] { return m_output.print(m_ctx.table.CurClient); });
    m_output.tellSaved();
}

void frmViewReport::PrintReportTo()
{
    if (!m_ctx.printerChooser)
        return;
    const std::unique_ptr<ReportPrinter> printer = m_ctx.printerChooser->choose(this, QStringLiteral("Print Report"));
    if (!printer)
        return;
    runCommand(cmdPrintTo(), [&] {
        const PrintOutcome outcome = ::PrintReport(m_ctx.programDir, *printer);
        if (outcome.printed())
            m_ctx.client.audit(QStringLiteral("report-printed"), m_ctx.table.CurClient,
                               {{QStringLiteral("printer"), printer->describe()}});
        return outcome.message;
    });
}

void frmViewReport::SaveReportAsPdf()
{
    if (!m_ctx.files)
        return;
    QString path =
        m_ctx.files->saveFile(this, QStringLiteral("Save Report as PDF"), m_output.freePdfName(m_ctx.table.CurClient),
                              {QStringLiteral("PDF files (*.pdf)")});
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    bool saved = false;
    runCommand(cmdSaveAsPdf(), [&] {
        PdfReportPrinter pdf(path, LocalePaperSize(), m_ctx.OwnFolders());
        const PrintOutcome outcome = ::PrintReport(m_ctx.programDir, pdf);
        saved = outcome.printed();
        return outcome.message;
    });
    if (saved)
        m_ctx.client.audit(QStringLiteral("report-saved-pdf"), m_ctx.table.CurClient, {{QStringLiteral("file"), path}});
    if (saved)
        m_ctx.prompts.message(
            QStringLiteral("The report was saved as the PDF file\r%1").arg(QDir::toNativeSeparators(path)), AppTitle(),
            Prompts::Icon::Information, Prompts::Buttons::Ok);
}

void RunViewReport(AppContext& ctx, QWidget* parent)
{
    ReportOutput output(ctx, false);
    ctx.client.audit(QStringLiteral("report-shown"), ctx.table.CurClient);
    frmViewReport window(ctx, output, parent);
    window.exec();
}
