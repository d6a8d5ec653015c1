#include "frmScanBatch.h"

#include "AppContext.h"
#include "Clock.h"
#include "DataWorkspace.h"
#include "FileDialogs.h"
#include "FileScanner.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "Profile.h"
#include "SaneScanner.h"
#include "WindowRoutines.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("Scan a Batch of Answer Sheets");

enum Column { SheetColumn, SourceColumn, StateColumn, DetailsColumn };

QColor colourOf(BatchState state)
{
    switch (state) {
    case BatchState::Ready:
    case BatchState::Saved:
        return QColor(0, 110, 0);
    case BatchState::NeedsReview:
        return QColor(180, 90, 0);
    case BatchState::Rejected:
        return QColor(190, 0, 0);
    case BatchState::SetAside:
    case BatchState::AlreadySaved:
        break;
    }
    return QColor(90, 90, 90);
}

} // namespace

frmScanBatch::frmScanBatch(AppContext& ctx, ScanReviewWindows windows, SheetBatch batch, BatchSource source,
                           int freeSlots, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_windows(std::move(windows)), m_batch(std::move(batch)),
      m_source(std::move(source)), m_freeSlots(freeSlots)
{
    setObjectName(QStringLiteral("frmScanBatch"));
    setWindowTitle(Title);
    setModal(true);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblBatchSummary"));
    m_summary->setWordWrap(true);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("prgReading"));
    m_progress->setAccessibleName(QStringLiteral("Sheets read"));

    m_list = new QTableWidget(0, 4, this);
    m_list->setObjectName(QStringLiteral("grdBatch"));
    m_list->setAccessibleName(QStringLiteral("Sheets of the batch"));
    m_list->setHorizontalHeaderLabels(
        {QStringLiteral("Sheet"), QStringLiteral("From"), QStringLiteral("Status"), QStringLiteral("Details")});
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setWordWrap(true);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setSectionResizeMode(DetailsColumn, QHeaderView::Stretch);
    m_list->setColumnWidth(SheetColumn, 50);
    m_list->setColumnWidth(SourceColumn, 170);
    m_list->setColumnWidth(StateColumn, 100);

    m_msgPanel = new Panel3D(QStringLiteral("MsgPanel"), this);
    m_msgPanel->setCaption(QString());
    m_msgPanel->setMinimumHeight(TwipsToPixelsY(400, this));
    m_menu = new MenuButtons(this, m_msgPanel);
    m_menu->add(QStringLiteral("Review Sheets"),
                QStringLiteral("Name and review each sheet in turn against its image, and save it as a new client."),
                [this] { reviewSheets(); });
    m_menu->add(QStringLiteral("Set Aside"),
                QStringLiteral("Set the selected sheet aside: it is not reviewed or saved. Its image stays where it "
                               "is."),
                [this] { setAside(); });
    m_menu->add(QStringLiteral("Close"), QStringLiteral("Close the batch and return to the Main Menu."),
                [this] { closeBatch(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (int i = 0; i < m_menu->size(); ++i)
        buttons->addWidget(m_menu->panel(i));
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_progress);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_msgPanel);
    setTabOrder(m_list, m_menu->button(ReviewButton));
    setTabOrder(m_menu->button(ReviewButton), m_menu->button(SetAsideButton));
    setTabOrder(m_menu->button(SetAsideButton), m_menu->button(CloseButton));
    connect(m_list, &QTableWidget::currentCellChanged, this, [this](int row) {
        const bool rejected = row >= 0 && row < m_batch.size() && m_batch.sheets()[row].state == BatchState::Rejected;
        m_msgPanel->setCaption(rejected ? m_batch.sheets()[row].reason : QString());
    });

    m_progress->setRange(0, m_source.feeder ? 0 : static_cast<int>(m_source.files.size()));
    resize(820, 560);
}

frmScanBatch::~frmScanBatch()
{
    delete m_menu;
}

void frmScanBatch::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (m_started)
        return;
    m_started = true;
    CenterForm(this);
    m_reading = true;
    m_menu->button(ReviewButton)->setEnabled(false);
    m_menu->button(SetAsideButton)->setEnabled(false);
    m_menu->button(CloseButton)->setText(QStringLiteral("Stop Reading"));
    m_menu->setHelp(CloseButton, QStringLiteral("Stop after the sheet being read; the sheets read so far stay "
                                                "listed."));
    m_list->setFocus(Qt::OtherFocusReason);
    updateSummary();
    // Read after the window is up, one sheet per turn of the event loop, so that it shows each sheet as it comes.
    QTimer::singleShot(0, this, m_source.feeder ? &frmScanBatch::readFeeder : &frmScanBatch::readNext);
}

void frmScanBatch::readNext()
{
    if (m_stop || m_next >= m_source.files.size()) {
        finishReading();
        return;
    }
    const QString path = m_source.files[m_next++];
    m_batch.add(QFileInfo(path).fileName(), FileScanner(path).acquire());
    listSheet(m_batch.size() - 1);
    m_progress->setValue(m_next);
    updateSummary();
    QTimer::singleShot(0, this, &frmScanBatch::readNext);
}

void frmScanBatch::readFeeder()
{
    MouseWait();
    m_ctx.scanner->acquireAll([this](const AcquiredPage& page) {
        // An empty feeder or a scanner that cannot start gives nothing to list: say so, as a single scan would.
        if (!page.ok() && m_batch.size() == 0) {
            MouseDefault();
            const ScanMessage m = ScanMessages::TwainError(page.errorNumber ? page.errorNumber : 20000, page.detail);
            m_ctx.prompts.message(m.text, m.title, m.icon, m.buttons);
            MouseWait();
            return false;
        }
        m_batch.add(QStringLiteral("Feeder page %1").arg(m_batch.size() + 1), page);
        listSheet(m_batch.size() - 1);
        updateSummary();
        QApplication::processEvents();
        return !m_stop && m_batch.size() < m_freeSlots;
    });
    MouseDefault();
    if (m_batch.size() == 0) {
        // Nothing came from the feeder, and the box said why.
        accept();
        return;
    }
    finishReading();
}

void frmScanBatch::finishReading()
{
    m_reading = false;
    m_progress->hide();
    m_menu->button(ReviewButton)->setEnabled(m_batch.nextToReview() >= 0);
    m_menu->button(SetAsideButton)->setEnabled(m_batch.nextToReview() >= 0);
    m_menu->button(CloseButton)->setText(QStringLiteral("Close"));
    m_menu->setHelp(CloseButton, QStringLiteral("Close the batch and return to the Main Menu."));
    updateSummary();
    if (m_batch.size() > 0 && m_list->currentRow() < 0)
        m_list->setCurrentCell(0, 0);
    QPushButton* next = m_menu->button(m_batch.nextToReview() >= 0 ? ReviewButton : CloseButton);
    next->setFocus(Qt::OtherFocusReason);
}

void frmScanBatch::listSheet(int index)
{
    const BatchSheet& sheet = m_batch.sheets()[index];
    if (index >= m_list->rowCount())
        m_list->setRowCount(index + 1);
    const QString cells[] = {QString::number(index + 1), sheet.source, SheetBatch::stateText(sheet),
                             SheetBatch::details(sheet)};
    for (int c = 0; c < 4; ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        if (c == StateColumn)
            item->setForeground(colourOf(sheet.state));
        m_list->setItem(index, c, item);
    }
    m_list->resizeRowToContents(index);
    m_list->scrollToItem(m_list->item(index, 0));
}

void frmScanBatch::updateSummary()
{
    QString text = m_reading ? QStringLiteral("Reading answer sheets... ") : QString();
    text += m_batch.summary();
    if (!m_reading && m_source.leftOver > 0)
        text += QStringLiteral(" %1 more image files were not read: the data location has room for %2 more clients "
                               "only. Scan them in another batch.")
                    .arg(m_source.leftOver)
                    .arg(m_freeSlots);
    if (!m_reading && m_batch.size() > 0 && m_batch.nextToReview() < 0)
        text += QStringLiteral(" Every sheet is saved or set aside.");
    m_summary->setText(text);
}

void frmScanBatch::reviewSheets()
{
    if (m_reading)
        return;
    for (int i = m_batch.nextToReview(); i >= 0; i = m_batch.nextToReview(i + 1)) {
        m_list->setCurrentCell(i, 0);
        const BatchSheet& sheet = m_batch.sheets()[i];
        if (sheet.state == BatchState::Rejected) {
            const QString text = QStringLiteral("Sheet %1 (%2) was rejected:\n\n%3\n\nSet it aside and go on with "
                                                "the next sheet?")
                                     .arg(i + 1)
                                     .arg(sheet.source, sheet.reason);
            if (m_ctx.prompts.message(text, Title, Prompts::Icon::Exclamation, Prompts::Buttons::YesNo) !=
                Prompts::Answer::Yes)
                break;
            m_batch.setAside(i);
            listSheet(i);
            continue;
        }
        if (m_ctx.table.NumClients >= ClientTable::MaxClients) {
            m_ctx.prompts.message(QStringLiteral("The data location holds %1 clients, as many as it can take: the "
                                                 "sheets not yet saved must wait for another data location.")
                                      .arg(ClientTable::MaxClients),
                                  Title, Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
            break;
        }
        const std::optional<QString> name = AskClientName(m_ctx, this);
        if (!name)
            break;
        const ScanMessage marks = sheet.outcome.reading.reviewMessage();
        if (!marks.isNull())
            m_ctx.prompts.message(marks.text, marks.title, marks.icon, marks.buttons);
        // A review left without saving stops the round; the sheet waits for the next one.
        if (!ReviewSheet(m_ctx, this, m_windows, *name, sheet.outcome, sheet.source))
            break;
        m_ctx.client.audit(QStringLiteral("scanned-sheet-saved"), m_ctx.table.NumClients,
                           {{QStringLiteral("image-sha256"), QString::fromLatin1(m_batch.sheets().at(i).imageHash)},
                            {QStringLiteral("source"), sheet.source}, {QStringLiteral("batch"), QStringLiteral("yes")}});
        if (const QString unkept = m_batch.markSaved(i, m_ctx.table.NumClients); !unkept.isEmpty())
            m_ctx.prompts.message(unkept, Title, Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
        // A later sheet of the same image is saved now too.
        for (int k = i; k < m_batch.size(); ++k)
            listSheet(k);
        updateSummary();
    }
    m_ctx.flags.ContinueFlag = false;
    updateSummary();
    const bool more = m_batch.nextToReview() >= 0;
    m_menu->button(ReviewButton)->setEnabled(more);
    m_menu->button(SetAsideButton)->setEnabled(more);
    m_menu->button(more ? ReviewButton : CloseButton)->setFocus(Qt::OtherFocusReason);
}

void frmScanBatch::setAside()
{
    const int row = m_list->currentRow();
    if (m_reading || row < 0 || row >= m_batch.size() || m_batch.sheets()[row].state == BatchState::Saved)
        return;
    m_batch.setAside(row);
    listSheet(row);
    updateSummary();
    const bool more = m_batch.nextToReview() >= 0;
    m_menu->button(ReviewButton)->setEnabled(more);
    m_menu->button(SetAsideButton)->setEnabled(more);
    if (!more)
        m_menu->button(CloseButton)->setFocus(Qt::OtherFocusReason);
}

void frmScanBatch::closeBatch()
{
    if (m_reading) {
        m_stop = true;
        return;
    }
    const int waiting = m_batch.count(BatchState::Ready) + m_batch.count(BatchState::NeedsReview);
    if (waiting > 0 &&
        m_ctx.prompts.message(QStringLiteral("%1 of the sheets read have not been saved. Close the batch anyway? "
                                             "Their images stay where they are; read them again later.")
                                  .arg(waiting),
                              Title, Prompts::Icon::Question, Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
        return;
    accept();
}

void frmScanBatch::reject()
{
    // Escape: as Close (or Stop Reading while the sheets are read).
    closeBatch();
}

void RunScanBatch(AppContext& ctx, QWidget* parent, const ScanReviewWindows& windows)
{
    ctx.flags.ContinueFlag = false;
    const auto tell = [&ctx](const QString& text, Prompts::Icon icon) {
        ctx.prompts.message(text, Title, icon, Prompts::Buttons::Ok);
    };
    const int freeSlots = ClientTable::MaxClients - ctx.table.NumClients;
    if (freeSlots <= 0) {
        tell(QStringLiteral("The data location holds %1 clients, as many as it can take: choose another data "
                            "location before scanning a batch.")
                 .arg(ClientTable::MaxClients),
             Prompts::Icon::Exclamation);
        return;
    }
    QString problem;
    std::unique_ptr<DataWorkspace::Database> database = ctx.workspace.OpenQuestionDatabase(&problem);
    QList<ScanItem> layout;
    if (database)
        problem = LoadScanItems(database->db(), QDir::toNativeSeparators(database->path()), layout);
    database.reset();
    if (!problem.isEmpty()) {
        const ScanMessage m = ScanMessages::ScanProblem(problem);
        ctx.prompts.message(m.text, m.title, m.icon, m.buttons);
        return;
    }

    BatchSource source;
    if (ctx.scanner) {
        const Prompts::Answer answer = ctx.prompts.message(
            QStringLiteral("Read the answer sheets from the scanner's document feeder?\n\nYes: put the sheets face "
                           "down in the feeder first; they are scanned until the feeder is empty.\nNo: read a folder "
                           "of scanned image files instead."),
            Title, Prompts::Icon::Question, Prompts::Buttons::YesNoCancel);
        if (answer == Prompts::Answer::Cancel)
            return;
        source.feeder = answer == Prompts::Answer::Yes;
    }
    if (!source.feeder) {
        const QString folder =
            ctx.files ? ctx.files->folder(parent, QStringLiteral("Choose the Folder of Scanned Answer Sheets"),
                                          SheetImageFolder(ctx))
                      : QString();
        if (folder.isEmpty())
            return;
        // Only a convenience for the next batch: a settings file that cannot be written costs nothing else.
        ctx.settings.write(QLatin1String(SaneSettings::Section), QLatin1String(ImageFolderKey), folder);
        source.files = SheetFilesIn(folder, freeSlots, &source.leftOver);
        if (source.files.isEmpty()) {
            tell(QStringLiteral("The folder %1 holds no image files this program reads (PNG, BMP, JPEG or PNM): "
                                "choose the folder the scanner saved the sheets in.")
                     .arg(QDir::toNativeSeparators(folder)),
                 Prompts::Icon::Exclamation);
            return;
        }
    }
    SheetBatch batch(layout, ctx.clock.today());
    batch.useSavedSheets(SavedSheets::read(ctx.table.DataPath));
    frmScanBatch window(ctx, windows, std::move(batch), source, freeSlots, parent);
    window.exec();
}
