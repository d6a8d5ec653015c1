#include "frmEarlierTests.h"

#include "AppContext.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "Prompts.h"
#include "WindowRoutines.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString ListHelp = QStringLiteral("Use the up and down arrow keys or the mouse to choose an earlier test.");
const QString ScalesHelp = QStringLiteral("The chosen earlier test's scales beside this test's. Press Tab to go on.");
const QString CloseHelp = QStringLiteral("Close Earlier Tests, returning to the Supervisor Options.");

QTableWidgetItem* cell(const QString& text, Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}
} // namespace

frmEarlierTests::frmEarlierTests(EarlierTests tests, const ClientRecord& client, QWidget* parent)
    : QDialog(parent), m_tests(std::move(tests))
{
    setObjectName(QStringLiteral("frmEarlierTests"));
    setWindowTitle(QStringLiteral("Earlier Tests"));
    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("fraAll"));
    m_msgPanel = new Panel3D(QStringLiteral("MsgPanel"), this);
    m_msgPanel->setCaption(QString());
    m_msgPanel->setAccessibleName(QStringLiteral("Help"));

    const PastAdministration& now = m_tests.current;
    m_current = new QLabel(QStringLiteral("%1, born %2\nThis test: %3, %4 (%5)")
                               .arg(ClientRecord::unpadded(client.Name), client.DOB.trimmed(), DateText(now),
                                    HowTakenText(now), now.origin),
                           m_frame);
    m_current->setObjectName(QStringLiteral("lblCurrent"));
    m_current->setAccessibleName(QStringLiteral("Current Client"));
    m_warnings = new QLabel(m_frame);
    m_warnings->setObjectName(QStringLiteral("lblWarnings"));
    m_warnings->setAccessibleName(QStringLiteral("Warnings"));
    m_warnings->setWordWrap(true);
    SetBold(m_warnings, true);

    setupList();
    setupScales();

    m_menu = new MenuButtons(this, m_msgPanel);
    m_menu->add(QStringLiteral("Close"), CloseHelp, [this] { accept(); });
    // From anywhere, the button too: menu buttons take no key but Space and Enter.
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_menu->panel(0));
    buttons->addStretch();

    auto* layout = new QVBoxLayout(m_frame);
    layout->addWidget(m_current);
    layout->addWidget(m_list->parentWidget());
    layout->addWidget(m_warnings);
    layout->addWidget(m_scales->parentWidget());
    layout->addLayout(buttons);
    setTabOrder(m_list, m_scales);
    setTabOrder(m_scales, m_menu->button(0));

    connect(m_list, &QTreeWidget::currentItemChanged, this, &frmEarlierTests::showChosen);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    showChosen();
    m_frame->adjustSize();
    resize(m_frame->sizeHint() + QSize(TwipsToPixelsX(600, this), TwipsToPixelsY(1900, this)));
}

void frmEarlierTests::setupList()
{
    auto* box = new QGroupBox(QStringLiteral("Earlier Tests of This Client"), m_frame);
    m_list = new QTreeWidget(box);
    m_list->setObjectName(QStringLiteral("lstEarlier"));
    m_list->setAccessibleName(QStringLiteral("Earlier Tests"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("Test date"), QStringLiteral("Where from"), QStringLiteral("Mode"),
                             QStringLiteral("Language"), QStringLiteral("Days before this test")});
    for (const EarlierComparison& c : m_tests.earlier)
        m_list->addTopLevelItem(new QTreeWidgetItem({DateText(c.earlier), c.earlier.origin, ModeText(c.earlier),
                                                     LanguageText(c.earlier), DaysText(c.days)}));
    for (int c = 0; c < m_list->columnCount(); ++c)
        m_list->resizeColumnToContents(c);
    if (m_tests.earlier.isEmpty()) {
        // Across every column, so it widens none of them.
        auto* none = new QTreeWidgetItem({QStringLiteral("No earlier test of this client: none with the same name "
                                                         "and date of birth and an earlier test date.")});
        m_list->addTopLevelItem(none);
        none->setFirstColumnSpanned(true);
    }
    m_list->setEnabled(!m_tests.earlier.isEmpty());
    m_list->installEventFilter(this);
    // Room for a few tests without scrolling, and no more: the scales below must stay in sight at 1024 by 768.
    m_list->setFixedHeight(m_list->header()->sizeHint().height() + 5 * m_list->fontMetrics().height() + 12);
    (new QVBoxLayout(box))->addWidget(m_list);
}

void frmEarlierTests::setupScales()
{
    auto* box = new QGroupBox(QStringLiteral("Scales"), m_frame);
    m_scales = new QTableWidget(NumScales, 6, box);
    m_scales->setObjectName(QStringLiteral("grdScales"));
    m_scales->setAccessibleName(QStringLiteral("Scales side by side"));
    m_scales->setHorizontalHeaderLabels({QStringLiteral("Scale"), QStringLiteral("Earlier percentile"),
                                         QStringLiteral("Earlier range"), QStringLiteral("This test percentile"),
                                         QStringLiteral("This test range"), QStringLiteral("Change")});
    m_scales->verticalHeader()->hide();
    m_scales->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_scales->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Tab leaves the table for the button instead of walking its cells.
    m_scales->setTabKeyNavigation(false);
    m_scales->installEventFilter(this);
    (new QVBoxLayout(box))->addWidget(m_scales);
}

void frmEarlierTests::showChosen()
{
    const int row = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    const EarlierComparison* chosen =
        row >= 0 && row < m_tests.earlier.size() ? &m_tests.earlier[row] : nullptr;
    QStringList lines = chosen ? chosen->warnings : QStringList();
    lines << m_tests.problems;
    m_warnings->setText(lines.join(QLatin1Char('\n')));
    m_warnings->setVisible(!lines.isEmpty());
    for (int s = 1; s <= NumScales; ++s) {
        const ScaleChange none{{}, m_tests.current.scales[s], {}};
        const ScaleChange& c = chosen ? chosen->scales[s] : none;
        const QString texts[] = {ScaleNameText(m_tests, s), PercentileText(c.earlier), RangeText(m_tests, c.earlier),
                                 PercentileText(c.current), RangeText(m_tests, c.current), ChangeText(c)};
        for (int col = 0; col < 6; ++col)
            m_scales->setItem(s - 1, col, cell(texts[col], col == 0 || col == 2 || col == 4
                                                              ? Qt::AlignLeft | Qt::AlignVCenter
                                                              : Qt::AlignRight | Qt::AlignVCenter));
    }
    m_scales->resizeColumnsToContents();
    m_scales->resizeRowsToContents();
    int height = m_scales->horizontalHeader()->sizeHint().height() + 2 * m_scales->frameWidth();
    for (int r = 0; r < NumScales; ++r)
        height += m_scales->rowHeight(r);
    m_scales->setFixedHeight(height);
    int width = 2 * m_scales->frameWidth();
    for (int c = 0; c < m_scales->columnCount(); ++c)
        width += m_scales->columnWidth(c);
    m_scales->setMinimumWidth(width);
}

void frmEarlierTests::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    PlaceFootPanelAndFrame(this, m_msgPanel, m_frame);
}

void frmEarlierTests::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (m_activated)
        return;
    m_activated = true;
    CenterForm(this);
    CenterFrame(this, m_frame);
    ResetMenuButtons(*m_menu, 0);
    if (m_list->isEnabled())
        m_list->setFocus();
    else
        m_scales->setFocus();
}

bool frmEarlierTests::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == m_list || watched == m_scales))
        m_msgPanel->setCaption(watched == m_list ? ListHelp : ScalesHelp);
    return QDialog::eventFilter(watched, event);
}

void RunEarlierTests(AppContext& ctx, QWidget* parent, const PastAdministrationSource& elsewhere)
{
    MouseWait();
    const EarlierTests tests = CompareEarlierTests(ctx.programDir, ctx.table, ctx.table.CurClient, elsewhere);
    MouseDefault();
    if (tests.error) {
        ctx.prompts.message(QStringLiteral("The earlier tests cannot be shown.\r%1").arg(tests.error.message),
                            QStringLiteral("Earlier Tests"), Prompts::Icon::Critical, Prompts::Buttons::Ok);
        return;
    }
    frmEarlierTests window(tests, ctx.table.current(), parent);
    window.exec();
}
