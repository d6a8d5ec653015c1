#include "frmSelectLanguage.h"

#include "AppContext.h"
#include "LanguageTables.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "WindowRoutines.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int LanguageSlots = 3;
}

frmSelectLanguage::frmSelectLanguage(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmSelectLanguage"));
    setWindowTitle(QStringLiteral("Select Presentation Language"));
    setModal(true);

    const WindowSkeleton skeleton = MakeWindowSkeleton(this, QString());
    m_area = skeleton.area;
    m_msgPanel = skeleton.msgPanel;

    m_fraSelectMethod = new QGroupBox(QStringLiteral("Select Language to Present"), m_area);
    m_fraSelectMethod->setObjectName(QStringLiteral("fraSelectMethod"));
    auto* buttons = new QVBoxLayout(m_fraSelectMethod);
    m_menu = new MenuButtons(this, m_msgPanel);
    for (const char* caption : {"One", "Two", "Three"}) {
        const int i = m_menu->size();
        m_menu->add(QString::fromLatin1(caption), QString(), [this, i] { choose(i); });
    }
    m_menu->add(QStringLiteral("Cancel Presentation"), QStringLiteral("Cancel presentation"),
                [this] { cancelPresentation(); });
    for (int i = 0; i < m_menu->size(); ++i) {
        m_menu->panel(i)->setParent(m_fraSelectMethod);
        buttons->addWidget(m_menu->panel(i));
        if (i > 0)
            setTabOrder(m_menu->button(i - 1), m_menu->button(i));
    }
    // Language slots stay hidden until LanguageCount finds a table for them.
    for (int i = 0; i < LanguageSlots; ++i)
        m_menu->panel(i)->hide();
    m_fraSelectMethod->setMinimumWidth(TwipsToPixelsX(4200, this));
    resize(TwipsToPixelsX(6600, this), TwipsToPixelsY(5400, this));
}

frmSelectLanguage::~frmSelectLanguage()
{
    // The buttons' handling goes first, so no focus change during teardown reaches a deleted panel.
    delete m_menu;
}

int frmSelectLanguage::LanguageCount()
{
    m_problem.clear();
    const QStringList tables = LanguageTables::Find(m_ctx.workspace, &m_problem);
    const int count = static_cast<int>(std::min<qsizetype>(tables.size(), LanguageSlots));
    for (int i = 0; i < count; ++i) {
        m_menu->button(i)->setText(tables.at(i));
        m_menu->button(i)->setAccessibleName(tables.at(i));
        m_menu->setHelp(i, QStringLiteral("Present in ") + tables.at(i));
        m_menu->panel(i)->show();
    }
    m_fraSelectMethod->adjustSize();
    return count;
}

void frmSelectLanguage::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    CenterForm(this);
    m_fraSelectMethod->adjustSize();
    CenterFrame(this, m_fraSelectMethod);
    ResetMenuButtons(*m_menu, CancelButton);
    m_menu->button(0)->setFocus(Qt::OtherFocusReason);
}

void frmSelectLanguage::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    CenterFrame(this, m_fraSelectMethod);
}

void frmSelectLanguage::choose(int i)
{
    Language = m_menu->button(i)->text();
    m_ctx.flags.ContinueFlag = true;
    accept();
}

void frmSelectLanguage::cancelPresentation()
{
    m_ctx.client.discard();
    m_ctx.flags.ContinueFlag = false;
    QDialog::reject();
}

void frmSelectLanguage::reject()
{
    // Escape or the window's close button is "Cancel Presentation".
    cancelPresentation();
}
