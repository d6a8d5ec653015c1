#include "InterruptedTestsTab.h"

#include "WindowRoutines.h"

#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

InterruptedTestsTab::InterruptedTestsTab(QWidget* parent) : QWidget(parent)
{
    auto* frame = new QGroupBox(QStringLiteral("Tests Interrupted or Set Aside"), this);
    m_list = new QTreeWidget(frame);
    m_list->setObjectName(QStringLiteral("lstInterruptedTests"));
    m_list->setHeaderLabels({QStringLiteral("Client"), QStringLiteral("Mode"), QStringLiteral("Items answered"),
                             QStringLiteral("Last answer")});
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(true);
    m_list->setMinimumHeight(TwipsToPixelsY(1500, this));
    m_list->installEventFilter(this);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { choose(); });
    auto* options = new QGroupBox(QStringLiteral("Choose Operation"), this);
    const QString captions[2] = {QStringLiteral("Continue the chosen test"), QStringLiteral("Abandon the chosen test")};
    auto* optionLayout = new QVBoxLayout(options);
    for (int i = 0; i < 2; ++i) {
        m_options[i] = new QRadioButton(captions[i], options);
        m_options[i]->setObjectName(QStringLiteral("optInterruptedOption_%1").arg(i));
        m_options[i]->installEventFilter(this);
        optionLayout->addWidget(m_options[i]);
    }
    m_options[0]->setChecked(true);
    (new QVBoxLayout(frame))->addWidget(m_list);
    auto* page = new QVBoxLayout(this);
    page->addWidget(frame);
    page->addWidget(options);
    setTabOrder(m_list, m_options[0]);
    setTabOrder(m_options[0], m_options[1]);
}

void InterruptedTestsTab::setTests(const QList<WaitingTest>& tests)
{
    m_tests = tests;
    m_list->clear();
    for (const WaitingTest& t : tests)
        m_list->addTopLevelItem(new QTreeWidgetItem(t.columns()));
    for (int c = 0; c < m_list->columnCount() - 1; ++c)
        m_list->resizeColumnToContents(c);
    if (!tests.isEmpty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
    choose();
}

const WaitingTest* InterruptedTestsTab::chosen() const
{
    const int row = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    return row >= 0 && row < m_tests.size() ? &m_tests.at(row) : nullptr;
}

bool InterruptedTestsTab::abandonChosen() const
{
    return m_options[1]->isChecked();
}

void InterruptedTestsTab::choose()
{
    const WaitingTest* t = chosen();
    m_options[0]->setEnabled(t && !t->tooOld);
    m_options[1]->setEnabled(t != nullptr);
    if (t && t->tooOld)
        m_options[1]->setChecked(true);
    emit helpChanged(help());
}

QString InterruptedTestsTab::help() const
{
    const WaitingTest* t = chosen();
    if (!t)
        return QStringLiteral("There is no interrupted test on this data disk.");
    if (t->tooOld)
        return QStringLiteral("This test began too long ago to be continued; it can only be abandoned.");
    if (m_list->hasFocus())
        return QStringLiteral("Use the arrow keys or mouse to choose a test.");
    return QStringLiteral("Click Execute to continue or abandon the chosen test.");
}

bool InterruptedTestsTab::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (QRadioButton* o : m_options) {
            if (watched == o)
                SetBold(o, event->type() == QEvent::FocusIn);
        }
        if (event->type() == QEvent::FocusIn)
            emit helpChanged(help());
    }
    return QWidget::eventFilter(watched, event);
}
