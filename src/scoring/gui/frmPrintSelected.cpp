#include "frmPrintSelected.h"

#include "AppContext.h"
#include "BatchPrinting.h"
#include "BatchProgress.h"
#include "FileDialogs.h"
#include "MenuButtons.h"
#include "PagePainter.h"
#include "Panel3D.h"
#include "PrinterChooser.h"
#include "Prompts.h"
#include "ReportOutput.h"
#include "ReportPrinting.h"
#include "SupervisorReports.h"
#include "WindowRoutines.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

namespace {
const QStringList InstructionLines{QStringLiteral("- Select the client names of the "),
                                   QStringLiteral("  reports you want to print by "),
                                   QStringLiteral("  clicking on them."),
                                   QStringLiteral("- Use the scroll bar to view more"),
                                   QStringLiteral("  names."),
                                   QStringLiteral("- If some of the names you have"),
                                   QStringLiteral("  selected scroll up or down out"),
                                   QStringLiteral("  of view, they are still selected "),
                                   QStringLiteral("  and will print."),
                                   QStringLiteral("- Click the \"Select All\" button to "),
                                   QStringLiteral("  select all the names in the list."),
                                   QStringLiteral("- Click the \"Print Selected\" button "),
                                   QStringLiteral("  to print all the reports you have "),
                                   QStringLiteral("  selected."),
                                   QStringLiteral("- Click the \"Return to Main Menu\" "),
                                   QStringLiteral("  button to cancel selections and "),
                                   QStringLiteral("  return to the Main Menu.")};
const QString ListHelp = QStringLiteral("Use up or down arrow keys or mouse to select client.");
} // namespace

frmPrintSelected::frmPrintSelected(AppContext& ctx, ReportOutput& output, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_output(output)
{
    setObjectName(QStringLiteral("frmPrintSelected"));
    setWindowTitle(QStringLiteral("Print Selected Reports"));
    ctx.flags.ContinueFlag = false;

    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("fraAll"));
    m_msgPanel = new Panel3D(QStringLiteral("MsgPanel"), this);
    m_msgPanel->setCaption(QString());
    m_msgPanel->setAccessibleName(QStringLiteral("Help"));

    m_fraClient = new QGroupBox(QStringLiteral("Client List"), m_frame);
    m_fraClient->setObjectName(QStringLiteral("fraClient"));
    m_list = new QListWidget(m_fraClient);
    m_list->setObjectName(QStringLiteral("lbNameDisplay"));
    m_list->setAccessibleName(QStringLiteral("Client List"));
    // A click adds or removes one name; the other chosen names stay chosen.
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    // The frame's caption turns bold with the focus; the names keep their own weight.
    QFont names = m_list->font();
    names.setBold(false);
    m_list->setFont(names);
    m_list->installEventFilter(this);
    (new QVBoxLayout(m_fraClient))->addWidget(m_list);
    listFocus(false);

    m_instructions = new QPlainTextEdit(m_frame);
    m_instructions->setObjectName(QStringLiteral("txtInstructions"));
    m_instructions->setAccessibleName(QStringLiteral("Instructions"));
    m_instructions->setPlainText(InstructionLines.join(QLatin1Char('\n')));
    m_instructions->setReadOnly(true);
    m_instructions->setFocusPolicy(Qt::NoFocus);
    m_instructions->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The lines are indented with blanks under their dashes.
    m_instructions->setFont(FixedPitchFont(QLatin1String(ReportFontFamily), 9));
    // Sized to show every line whole, so nothing has to be scrolled.
    const QFontMetrics metrics(m_instructions->font());
    int widest = 0;
    for (const QString& line : InstructionLines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int edges = 2 * (m_instructions->frameWidth() + qCeil(m_instructions->document()->documentMargin())) + 4;
    m_instructions->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_instructions->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_instructions->setFixedSize(widest + edges + metrics.horizontalAdvance(QLatin1Char('M')),
                                 metrics.lineSpacing() * static_cast<int>(InstructionLines.size()) + edges);

    m_menu = new MenuButtons(this, m_msgPanel);
    m_menu->add(QStringLiteral("Print Selected"), QStringLiteral("Print selected client reports"),
                [this] { printSelected(); });
    m_menu->add(QStringLiteral("Select All"), QStringLiteral("Select all client reports for printing"), [this] {
        m_list->selectAll();
        updatePrintButton();
    });
    m_menu->add(QStringLiteral("Return to Main Menu"), QStringLiteral("Cancel selections and printing."),
                [this] { reject(); });
    m_menu->add(QStringLiteral("Print to…"), QStringLiteral("Choose a printer and paper, then print selected reports"),
                [this] { printSelectedTo(); });
    m_menu->add(QStringLiteral("Save as PDF…"), QStringLiteral("Save selected reports as PDF files in a folder"),
                [this] { saveSelectedAsPdf(); });

    auto* top = new QHBoxLayout;
    top->addWidget(m_fraClient, 1);
    top->addWidget(m_instructions);
    // Five buttons share the row: each has room for its caption in bold, so the focus never squeezes a neighbour.
    for (int i = 0; i < m_menu->size(); ++i) {
        QPushButton* b = m_menu->button(i);
        QFont bold = b->font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        b->setMinimumWidth(metrics.horizontalAdvance(b->text()) + 2 * metrics.horizontalAdvance(QLatin1Char('M')));
    }
    // The other ways out beside "Print Selected", in the order the focus takes.
    const int order[] = {0, 3, 4, 1, 2};
    auto* buttons = new QHBoxLayout;
    for (int i : order)
        buttons->addWidget(m_menu->panel(i));
    auto* layout = new QVBoxLayout(m_frame);
    layout->addLayout(top);
    layout->addLayout(buttons);
    m_frame->adjustSize();
    setTabOrder(m_list, m_menu->button(order[0]));
    for (int k = 1; k < 5; ++k)
        setTabOrder(m_menu->button(order[k - 1]), m_menu->button(order[k]));

    connect(m_list, &QListWidget::itemSelectionChanged, this, &frmPrintSelected::updatePrintButton);
    connect(m_list, &QListWidget::currentRowChanged, this, &frmPrintSelected::updatePrintButton);

    resize(m_frame->sizeHint() + QSize(TwipsToPixelsX(600, this), TwipsToPixelsY(1900, this)));
}

void frmPrintSelected::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    PlaceFootPanelAndFrame(this, m_msgPanel, m_frame);
}

void frmPrintSelected::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (m_activated)
        return;
    m_activated = true;
    CenterForm(this);
    CenterFrame(this, m_frame);
    ResetMenuButtons(*m_menu, m_menu->size() - 1);
    fillList();
    updatePrintButton();
    m_list->setFocus();
}

void frmPrintSelected::fillList()
{
    if (m_ctx.table.NumClients < 1)
        return;
    m_list->clear();
    for (int n = 1; n <= m_ctx.table.NumClients; ++n)
        m_list->addItem(QString::number(n) + QLatin1Char('-') + ClientRecord::fit(m_ctx.table.Clients[n].Name, 25));
}

void frmPrintSelected::updatePrintButton()
{
    // Only with something chosen: the list always has a current row once it has had the focus, chosen or not.
    const bool chosen = !m_list->selectedItems().isEmpty();
    m_menu->button(0)->setEnabled(chosen);
    m_menu->button(3)->setEnabled(chosen && m_ctx.printerChooser);
    m_menu->button(4)->setEnabled(chosen && m_ctx.files);
}

void frmPrintSelected::listFocus(bool in)
{
    SetBackColor(m_fraClient, in ? HighlightColor : NormalColor);
    SetForeColor(m_fraClient, in ? QColor(Qt::black) : QColor(Qt::white));
    SetBold(m_fraClient, in);
    m_msgPanel->setCaption(in ? ListHelp : QString());
}

bool frmPrintSelected::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list) {
        if (event->type() == QEvent::FocusIn) {
            listFocus(true);
            updatePrintButton();
        } else if (event->type() == QEvent::FocusOut) {
            listFocus(false);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmPrintSelected::stop(const QString& why, bool stoppedByUser)
{
    MouseDefault();
    m_ctx.prompts.message(why, AppTitle(), stoppedByUser ? Prompts::Icon::Information : Prompts::Icon::Critical,
                          Prompts::Buttons::Ok);
    reject();
}

BatchOutcome frmPrintSelected::printChosen(BatchProgress* progress, const std::function<QString(int client)>& print,
                                           const std::function<bool(int n, int count, int client)>& printing)
{
    QList<int> clients;
    for (int r = 0; r < m_list->count(); ++r) {
        if (m_list->item(r)->isSelected())
            clients << r + 1;
    }
    BatchSteps steps;
    steps.score = [this] { return ScoreCurrentClient(m_ctx); };
    steps.print = print;
    steps.progress = [&](BatchStage stage, int n, int count, int client) {
        if (stage == BatchStage::Printing)
            return !printing || printing(n, count, client);
        if (progress && !progress->step(QStringLiteral("Scoring client %1 (%2 of %3)").arg(client).arg(n).arg(count),
                                        (n - 1) * 100 / (2 * count), 100))
            return false;
        m_list->setCurrentRow(client - 1, QItemSelectionModel::NoUpdate);
        return true;
    };
    const BatchOutcome out = PrintBatch(m_ctx.programDir, m_ctx.table, clients, steps);
    if (out.result == BatchOutcome::Stopped && out.stage == BatchStage::Scoring)
        stop(QStringLiteral("Stopped before any report came out."), true);
    else if (out.result != BatchOutcome::Done && out.stage == BatchStage::Scoring)
        stop(QStringLiteral("The report of client %1 could not be written, so no report came out.\r%2")
                 .arg(out.client)
                 .arg(out.problem));
    return out;
}

int frmPrintSelected::chosenCount() const
{
    return static_cast<int>(m_list->selectedItems().size());
}

void frmPrintSelected::printSelected()
{
    MouseWait();
    const BatchOutcome out = printChosen(nullptr, [this](int client) { return m_output.print(client); });
    if (out.result != BatchOutcome::Done) {
        if (out.stage == BatchStage::Printing) {
            QString text =
                QStringLiteral("The report of client %1 was not printed.\r%2").arg(out.client).arg(out.problem);
            if (out.printed > 0)
                text += QStringLiteral("\r\r%1 of the %2 chosen reports came out before it.")
                            .arg(out.printed)
                            .arg(chosenCount());
            m_output.tellSaved();
            stop(text);
        }
        return;
    }
    MouseDefault();
    m_output.tellSaved();
    m_ctx.flags.ContinueFlag = true;
    accept();
}

void frmPrintSelected::printSelectedTo()
{
    if (!m_ctx.printerChooser)
        return;
    const std::unique_ptr<ReportPrinter> printer =
        m_ctx.printerChooser->choose(this, QStringLiteral("Print Selected Reports"));
    if (!printer)
        return;
    // One print job holds every chosen report, each page on a sheet of its own: one dialog, one job (and one file,
    // when the dialog was told to print into a file).
    PrintJob job;
    {
        BatchProgress progress(this, QStringLiteral("Print Selected Reports"),
                               QStringLiteral("Scoring client 51 (51 of 51)"));
        const BatchOutcome out = printChosen(&progress, [this, &job](int) {
            QString text;
            if (const ScoringError e = LoadReportText(m_ctx.programDir, text))
                return e.message;
            job.pages += ReportPages(text);
            return QString();
        });
        if (out.result != BatchOutcome::Done) {
            if (out.stage == BatchStage::Printing)
                stop(QStringLiteral("The report of client %1 could not be read back, so nothing was printed.\r%2")
                         .arg(out.client)
                         .arg(out.problem));
            return;
        }
        progress.step(QStringLiteral("Printing %1 reports").arg(chosenCount()), 99, 100);
        job.title = QStringLiteral("VLT reports");
        job.fontFamily = QLatin1String(ReportFontFamily);
        job.pointSize = ReportFontPointSize;
        MouseWait();
        const PrintOutcome outcome = printer->print(job);
        m_ctx.client.audit(QStringLiteral("batch-printed"), 0,
                           {{QStringLiteral("reports"), QString::number(chosenCount())},
                            {QStringLiteral("printer"), printer->describe()}},
                           outcome.printed() ? QStringLiteral("ok") : QStringLiteral("failed"));
        if (!outcome.printed()) {
            stop(QStringLiteral("The chosen reports were not printed.\r%1").arg(outcome.message));
            return;
        }
    }
    MouseDefault();
    m_ctx.flags.ContinueFlag = true;
    accept();
}

void frmPrintSelected::saveSelectedAsPdf()
{
    if (!m_ctx.files)
        return;
    const QString folder = m_ctx.files->folder(this, QStringLiteral("Save Selected Reports as PDF Files In"),
                                               ReportOutput::DefaultPdfFolder());
    if (folder.isEmpty())
        return;
    ReportOutput pdfs(m_ctx, true);
    pdfs.savePdfFilesIn(folder);
    {
        BatchProgress progress(this, QStringLiteral("Save Selected Reports as PDF"),
                               QStringLiteral("Saving the report of client 51 (51 of 51)"));
        const BatchOutcome out = printChosen(
            &progress, [&pdfs](int client) { return pdfs.print(client); },
            [&progress](int n, int count, int client) {
                return progress.step(
                    QStringLiteral("Saving the report of client %1 (%2 of %3)").arg(client).arg(n).arg(count),
                    50 + (n - 1) * 50 / count, 100);
            });
        if (out.result != BatchOutcome::Done) {
            if (out.stage == BatchStage::Printing) {
                pdfs.tellSaved();
                if (out.result == BatchOutcome::Stopped)
                    stop(QStringLiteral("Stopped after %1 of %2 reports.").arg(out.printed).arg(chosenCount()), true);
                else
                    stop(QStringLiteral("The report of client %1 was not saved.\r%2").arg(out.client).arg(out.problem));
            }
            return;
        }
    }
    pdfs.tellSaved();
    m_ctx.flags.ContinueFlag = true;
    accept();
}

void RunPrintSelected(AppContext& ctx, QWidget* parent)
{
    ReportOutput output(ctx, true);
    frmPrintSelected window(ctx, output, parent);
    window.exec();
}
