#include "frmMyInputBox.h"

#include "AppContext.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "Prompts.h"
#include "SharedRoutines.h"
#include "WindowRoutines.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

bool frmMyInputBox::PasswordInput = false;

frmMyInputBox::frmMyInputBox(Prompts& prompts, QWidget* parent) : QDialog(parent), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmMyInputBox"));
    setModal(true);
    m_lblHelpMsg = new QLabel(this);
    m_lblHelpMsg->setObjectName(QStringLiteral("lblHelpMsg"));
    m_lblHelpMsg->setWordWrap(true);
    m_lblHelpMsg->setMinimumWidth(TwipsToPixelsX(4800, this));
    m_txtInput = new QLineEdit(this);
    m_txtInput->setObjectName(QStringLiteral("txtInput"));
    // The prompt promises asterisks, whatever the style's own mask character is.
    m_txtInput->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    m_txtInput->installEventFilter(this);
    m_lblHelpMsg->setBuddy(m_txtInput);

    m_menu = new MenuButtons(this, nullptr);
    m_menu->add(QStringLiteral("Information OK"), QString(), [this] { informationOk(); });
    m_menu->add(QStringLiteral("Cancel Input"), QString(), [this] { reject(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_menu->panel(0));
    buttons->addWidget(m_menu->panel(1));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblHelpMsg);
    layout->addWidget(m_txtInput);
    layout->addLayout(buttons);
    setTabOrder(m_txtInput, m_menu->button(0));
    setTabOrder(m_menu->button(0), m_menu->button(1));
}

void frmMyInputBox::showEvent(QShowEvent* e)
{
    Cancelled = false;
    m_txtInput->setMaxLength(InputLength > 0 ? InputLength : 32767);
    m_lblHelpMsg->setText(HelpMessage);
    m_txtInput->setAccessibleName(windowTitle());
    m_txtInput->setEchoMode(PasswordInput ? QLineEdit::Password : QLineEdit::Normal);
    ResetMenuButtons(*m_menu, 1);
    // The window was sized before its help text was known; a wrapped text needs more height than a layout asks of
    // its window, so the window is given the height its width needs.
    layout()->activate();
    const int width = std::max(this->width(), sizeHint().width());
    setMinimumSize(width, std::max(heightForWidth(width), sizeHint().height()));
    resize(minimumSize());
    QDialog::showEvent(e);
    CenterForm(this);
    m_txtInput->setFocus();
}

bool frmMyInputBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtInput && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_menu->button(0)->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmMyInputBox::informationOk()
{
    if (m_txtInput->text().isEmpty()) {
        m_prompts.message(PasswordInput ? QStringLiteral("Please enter the secret code.")
                                        : QStringLiteral("Please enter the required data."),
                          QStringLiteral("Input required"), Prompts::Icon::Question, Prompts::Buttons::Ok);
        m_txtInput->setFocus();
        return;
    }
    InputValue = m_txtInput->text();
    accept();
}

void frmMyInputBox::reject()
{
    // Closing the window any other way counts as "Cancel Input" too.
    Cancelled = true;
    QDialog::reject();
}

bool AskSecretCode(AppContext& ctx, QWidget* parent)
{
    return AskSecretCode(ctx.prompts, parent, [&ctx](int wrong) {
        ctx.client.audit(QStringLiteral("secret-code-wrong"), 0, {{QStringLiteral("count"), QString::number(wrong)}},
                         QStringLiteral("refused"));
    });
}

bool AskSecretCode(Prompts& prompts, QWidget* parent, const std::function<void(int wrong)>& onWrong)
{
    for (int wrong = 1;; ++wrong) {
        frmMyInputBox box(prompts, parent);
        box.InputLength = 8;
        box.HelpMessage =
            QStringLiteral("Enter the Secret Code to continue.  For security, asterisks (*) will show as you type.");
        box.setWindowTitle(QStringLiteral("Secret Code"));
        frmMyInputBox::PasswordInput = true;
        box.exec();
        if (box.Cancelled)
            return false;
        if (IsSecretCode(box.InputValue))
            return true;
        if (onWrong)
            onWrong(wrong);
        prompts.message(QStringLiteral("Incorrect password.  Please try again."), QStringLiteral("Secret Code"),
                        Prompts::Icon::Critical, Prompts::Buttons::Ok);
    }
}
