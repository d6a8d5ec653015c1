#include "frmVerify.h"

#include "AppContext.h"
#include "DataLocation.h"
#include "Panel3D.h"
#include "Prompts.h"
#include "WindowRoutines.h"

#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString KeyingHelp = QStringLiteral("Enter response data from answer sheet. ") +
                           QStringLiteral("Press Backspace for previous question.");
const QString CancelHelp =
    QStringLiteral("Press Enter to Cancel Data Verification ") + QStringLiteral("and return to Main Menu");
} // namespace

frmVerify::frmVerify(AppContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_keying(ctx.table.current().Responses)
{
    setObjectName(QStringLiteral("frmVerify"));
    setWindowTitle(QStringLiteral("Test Data Input Verification"));
    setModal(true);
    ctx.flags.ContinueFlag = false;

    m_frAll = new QGroupBox(QStringLiteral("Data Verification"), this);
    m_frAll->setObjectName(QStringLiteral("frAll"));

    m_frame2 = new QGroupBox(QStringLiteral("Current Question"), m_frAll);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_lblCurQuestion = new QLabel(m_frame2);
    m_lblCurQuestion->setObjectName(QStringLiteral("lblCurQuestion"));
    m_txtCurQuestion = new QLineEdit(m_frame2);
    m_txtCurQuestion->setObjectName(QStringLiteral("txtCurQuestion"));
    m_txtCurQuestion->setMaxLength(1);
    m_txtCurQuestion->setAlignment(Qt::AlignCenter);
    m_txtCurQuestion->setFixedWidth(TwipsToPixelsX(600, this));
    m_txtCurQuestion->setAccessibleName(QStringLiteral("Answer for the current question"));
    m_txtCurQuestion->installEventFilter(this);
    m_lblCurQuestion->setBuddy(m_txtCurQuestion);

    m_frame1 = new QGroupBox(QStringLiteral("Previous Question"), m_frAll);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_lblPrevQuestion = new QLabel(m_frame1);
    m_lblPrevQuestion->setObjectName(QStringLiteral("lblPrevQuestion"));
    m_txtPrevQuestion = new QLineEdit(m_frame1);
    m_txtPrevQuestion->setObjectName(QStringLiteral("txtPrevQuestion"));
    m_txtPrevQuestion->setReadOnly(true);
    m_txtPrevQuestion->setFocusPolicy(Qt::NoFocus);
    m_txtPrevQuestion->setAlignment(Qt::AlignCenter);
    m_txtPrevQuestion->setFixedWidth(TwipsToPixelsX(600, this));
    m_txtPrevQuestion->setAccessibleName(QStringLiteral("Answer keyed for the previous question"));
    // The frame comes and goes; the current question must not jump when it does.
    QSizePolicy keep = m_frame1->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_frame1->setSizePolicy(keep);

    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), m_frAll);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setAccessibleDescription(CancelHelp);
    m_cmdCancel->setAutoDefault(true);
    m_cmdCancel->installEventFilter(this);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    m_pnlMessage = new Panel3D(QStringLiteral("pnlMessage"), this);
    m_pnlMessage->setAccessibleName(QStringLiteral("Help"));

    for (QGroupBox* box : {m_frame1, m_frame2}) {
        auto* row = new QHBoxLayout(box);
        row->addWidget(box == m_frame1 ? m_lblPrevQuestion : m_lblCurQuestion, 1);
        row->addWidget(box == m_frame1 ? m_txtPrevQuestion : m_txtCurQuestion);
    }
    auto* grid = new QGridLayout(m_frAll);
    grid->addWidget(m_frame2, 0, 0);
    grid->addWidget(m_frame1, 0, 1);
    grid->addWidget(m_cmdCancel, 1, 0, 1, 2, Qt::AlignHCenter);
    grid->setHorizontalSpacing(TwipsToPixelsX(300, this));
    m_frAll->setMinimumWidth(TwipsToPixelsX(5600, this));
    m_frAll->adjustSize();
    setTabOrder(m_txtCurQuestion, m_cmdCancel);

    setFixedSize(TwipsToPixelsX(7800, this), TwipsToPixelsY(4800, this));

    m_lblCurQuestion->setText(VerifyKeying::QuestionLabel(m_keying.currentItem()));
    m_pnlMessage->setCaption(KeyingHelp);
    showPosition();
}

void frmVerify::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    CenterForm(this);
    CenterFrame(this, m_frAll);
    m_txtCurQuestion->setFocus();
}

void frmVerify::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int margin = TwipsToPixelsX(60, this);
    const int height = TwipsToPixelsY(380, this);
    m_pnlMessage->setGeometry(margin, this->height() - height - margin, width() - 2 * margin, height);
    CenterFrame(this, m_frAll);
}

void frmVerify::showPosition()
{
    if (m_keying.position() < 2) {
        m_frame1->hide();
    } else {
        m_lblPrevQuestion->setText(VerifyKeying::QuestionLabel(m_keying.previousItem()));
        m_frame1->show();
    }
    m_lblCurQuestion->setText(VerifyKeying::QuestionLabel(m_keying.currentItem()));
}

bool frmVerify::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_cmdCancel && event->type() == QEvent::FocusIn)
        m_pnlMessage->setCaption(CancelHelp);
    if (watched != m_txtCurQuestion)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        m_pnlMessage->setCaption(KeyingHelp);
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false;
        if (key->key() == Qt::Key_Backspace) {
            backspace();
            return true;
        }
        // Keys without a character (arrows, function keys) are not keystrokes of the sheet.
        if (!key->text().isEmpty())
            typed(key->text().at(0));
        return true;
    }
    case QEvent::KeyRelease:
        // The box never keeps more than the last keystroke.
        m_txtCurQuestion->clear();
        return true;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmVerify::typed(QChar c)
{
    const VerifyKeying::Step step = m_keying.key(c);
    if (step == VerifyKeying::Step::Refused) {
        m_ctx.prompts.beep();
        return;
    }
    m_txtCurQuestion->setText(c);
    m_txtPrevQuestion->setText(c);
    if (step == VerifyKeying::Step::Moved)
        showPosition();
    else
        endOfPass(step);
}

void frmVerify::backspace()
{
    if (!m_keying.backspace()) {
        m_ctx.prompts.beep();
        return;
    }
    if (m_keying.position() < 2) {
        m_lblPrevQuestion->clear();
        m_txtPrevQuestion->clear();
    } else {
        const int item = m_keying.previousItem();
        m_lblPrevQuestion->setText(VerifyKeying::QuestionLabel(item));
        m_txtPrevQuestion->setText(m_keying.keyed(item));
    }
    showPosition();
}

void frmVerify::endOfPass(VerifyKeying::Step step)
{
    Prompts& prompts = m_ctx.prompts;
    switch (step) {
    case VerifyKeying::Step::NeedsCorrection:
        prompts.message(QStringLiteral("Data Correction needed. Please correct the following questions."),
                        QStringLiteral("Data Corrections"), Prompts::Icon::None, Prompts::Buttons::Ok);
        showPosition();
        m_txtCurQuestion->clear();
        m_txtCurQuestion->setFocus();
        return;
    case VerifyKeying::Step::NoDifferences:
        // The answers are written back unchanged; a failed write is reported, never shown as success.
        if (!m_ctx.client.commit()) {
            prompts.message(QStringLiteral("Data Verification complete. No corrections needed."),
                            QStringLiteral("Data Verification."), Prompts::Icon::None, Prompts::Buttons::Ok);
            m_ctx.flags.ContinueFlag = true;
        }
        break;
    case VerifyKeying::Step::Corrected: {
        const QString corrected = m_keying.secondKeying();
        // A failed save puts the record back, so the table keeps matching the client file.
        if (!m_ctx.client.commit([&](ClientRecord& r) { r.Responses = corrected; }, QStringLiteral("verify-data-corrected"))) {
            prompts.message(QStringLiteral("Data Verification complete."), QStringLiteral("Data Verification"),
                            Prompts::Icon::None, Prompts::Buttons::Ok);
            m_ctx.flags.ContinueFlag = true;
        }
        break;
    }
    default:
        return;
    }
    done(m_ctx.flags.ContinueFlag ? QDialog::Accepted : QDialog::Rejected);
}

void RunVerify(AppContext& ctx, QWidget* parent)
{
    ctx.flags.ContinueFlag = false;
    if (ctx.table.CurClient < 1 || ctx.table.CurClient > ctx.table.NumClients)
        return;
    frmVerify window(ctx, parent);
    window.exec();
}
