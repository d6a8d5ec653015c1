#include "frmCourtHistory.h"

#include "AppContext.h"
#include "ClientEntry.h"
#include "ClientTable.h"
#include "CourtCount.h"
#include "FieldKeys.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "Prompts.h"
#include "SheetReviewPanel.h"
#include "WindowRoutines.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

enum Button { OkButton = 0, CancelButton = 1 };
constexpr int LastLabel = 4;

struct Question {
    const char* box;
    const char* label;
    const char* accessibleName;
    QString ClientRecord::*field;
};

const Question Questions[frmCourtHistory::BoxCount] = {
    {"txtDrugArrests", "1. Number of drug-related (not DUI/DWI) arrests:", "Drug-related arrests",
     &ClientRecord::DrugArrests},
    {"txtAlcoholArrests", "2. Number of alcohol-related (not DUI/DWI) arrests:", "Alcohol-related arrests",
     &ClientRecord::AlcoholArrests},
    {"txtAssaults", "3. Number of assault arrests: (not domestic violence related) ", "Assault arrests",
     &ClientRecord::Assaults},
    {"txtDVArrests", "4. Number of domestic violence arrests:", "Domestic violence arrests", &ClientRecord::DVArrests},
    {"txtAnger", "5. Number of \"anger management\" programs attended", "Anger management programs attended",
     &ClientRecord::Anger},
};

const QString BoxHelp = QStringLiteral("Type a value 0 to 99 or N for Not Available, then press Enter.");

} // namespace

frmCourtHistory::frmCourtHistory(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmCourtHistory"));
    setWindowTitle(QStringLiteral("Court History"));
    setModal(true);

    // A scanned sheet's review shows the sheet beside the fields.
    SheetReviewPanel* sheetPanel = nullptr;
    const WindowSkeleton skeleton = MakeWindowSkeleton(this, QStringLiteral("courtHistoryArea"), [&]() -> QWidget* {
        sheetPanel = MakeSheetReviewPanel(m_ctx, this);
        return sheetPanel;
    });
    m_area = skeleton.area;
    m_msgPanel = skeleton.msgPanel;
    m_frame = MakeMainFrame(m_area, QStringLiteral("frCourt"));
    m_lblClientName = new QLabel(m_frame);
    m_lblClientName->setObjectName(QStringLiteral("lblClientName"));
    m_lblClientName->setTextFormat(Qt::PlainText);
    QFont nameFont = m_lblClientName->font();
    nameFont.setBold(true);
    m_lblClientName->setFont(nameFont);
    m_lblClientName->hide();

    auto* grid = new QGridLayout;
    for (int i = 0; i < BoxCount; ++i) {
        auto* label = new QLabel(QString::fromLatin1(Questions[i].label), m_frame);
        label->setObjectName(QStringLiteral("lblInfo_%1").arg(i));
        auto* box = new QLineEdit(m_frame);
        box->setObjectName(QString::fromLatin1(Questions[i].box));
        box->setMaxLength(2);
        box->setAccessibleName(QString::fromLatin1(Questions[i].accessibleName));
        box->setAccessibleDescription(BoxHelp);
        box->setFixedWidth(TwipsToPixelsX(600, this));
        label->setBuddy(box);
        grid->addWidget(label, i, 0);
        grid->addWidget(box, i, 1);
        m_boxes[i] = box;
    }

    m_menu = new MenuButtons(this, m_msgPanel);
    m_menu->add(QStringLiteral("Information OK"),
                QStringLiteral("If information is correct press Enter or press Tab to change an entry."),
                [this] { informationOk(); });
    m_menu->add(QStringLiteral("Cancel Input"), QStringLiteral("Cancel information input and return to Main Menu."),
                [this] { cancelInput(); });
    m_menu->panel(OkButton)->setParent(m_frame);
    m_menu->panel(CancelButton)->setParent(m_frame);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_menu->panel(OkButton));
    buttons->addWidget(m_menu->panel(CancelButton));
    buttons->addStretch();
    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->setContentsMargins(TwipsToPixelsX(300, this), TwipsToPixelsY(200, this), TwipsToPixelsX(300, this),
                                    TwipsToPixelsY(200, this));
    frameLayout->addWidget(m_lblClientName);
    frameLayout->addSpacing(TwipsToPixelsY(120, this));
    frameLayout->addLayout(grid);
    frameLayout->addSpacing(TwipsToPixelsY(200, this));
    frameLayout->addLayout(buttons);

    m_keys = new FieldKeys(this, m_msgPanel, LastLabel);
    for (int i = 0; i < BoxCount; ++i) {
        QLineEdit* box = m_boxes[i];
        QWidget* next = i + 1 < BoxCount ? static_cast<QWidget*>(m_boxes[i + 1]) : m_menu->button(OkButton);
        m_keys->add(box, {i, BoxHelp, [this, box] { return confirmBox(box); },
                          [this, box](QKeyEvent* e) { return boxTyped(box, e); }, next});
        setTabOrder(box, next);
    }
    setTabOrder(m_menu->button(OkButton), m_menu->button(CancelButton));

    // Alt+Shift+F10 leaves at once from anywhere in the window.
    auto* leave = new QShortcut(QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_F10), this);
    leave->setContext(Qt::WindowShortcut);
    connect(leave, &QShortcut::activated, this, &frmCourtHistory::abandon);

    m_frame->adjustSize();
    resize(std::max(m_frame->width() + TwipsToPixelsX(1200, this), TwipsToPixelsX(9000, this)) +
               (sheetPanel ? SheetReviewPanel::Width : 0),
           std::max(m_frame->height() + TwipsToPixelsY(2200, this), TwipsToPixelsY(sheetPanel ? 8400 : 6000, this)));

    // Load: an existing client's counts fill the boxes; a new client's stay empty.
    if (m_ctx.flags.EditingClient)
        GetCourtData();
}

frmCourtHistory::~frmCourtHistory()
{
    // The key handlers go first: a field or button losing the focus while the window is torn down must not reach
    // labels and panels that are already gone.
    delete m_keys;
    delete m_menu;
}

void frmCourtHistory::GetCourtData()
{
    const ClientRecord& r = m_ctx.table.current();
    for (int i = 0; i < BoxCount; ++i)
        m_boxes[i]->setText((r.*Questions[i].field).trimmed());
}

void frmCourtHistory::Prefill(const CourtHistoryPrefill& values)
{
    for (int i = 0; i < BoxCount; ++i)
        m_boxes[i]->setText(values.counts[i].trimmed().left(2));
}

bool frmCourtHistory::SaveCourtData()
{
    return m_ctx.client.stage([this](ClientRecord& r) {
        for (int i = 0; i < BoxCount; ++i)
            r.*Questions[i].field = ClientRecord::fit(ConfirmedCourtCount(m_boxes[i]->text()), 2);
    });
}

void frmCourtHistory::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    CenterForm(this);
    CenterFrame(this, m_frame);
    ResetMenuButtons(*m_menu, 1);
    m_lblClientName->setText(ClientRecord::fit(m_ctx.table.current().Name, 25));
    m_lblClientName->show();
    if (m_ctx.flags.EditingClient || m_ctx.flags.ScanReview)
        m_menu->button(OkButton)->setFocus(Qt::OtherFocusReason);
    else
        m_boxes[0]->setFocus(Qt::OtherFocusReason);
}

void frmCourtHistory::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    CenterFrame(this, m_frame);
}

void frmCourtHistory::keyPressEvent(QKeyEvent* e)
{
    // The form has no Escape key: only "Cancel Input" abandons the entries.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void frmCourtHistory::reject()
{
    // Closing the window any other way is "Cancel Input".
    cancelInput();
}

bool frmCourtHistory::confirmBox(QLineEdit* box)
{
    box->setText(box->text().trimmed());
    if (CourtCountValid(box->text())) {
        box->setText(ConfirmedCourtCount(box->text()));
        return true;
    }
    m_ctx.prompts.beep();
    m_ctx.prompts.message(QStringLiteral("Type a number from 0 to 99 or N for Not Available. Press Enter to continue."),
                          QStringLiteral("Data Entry Error"), Prompts::Icon::Critical, Prompts::Buttons::Ok);
    box->setFocus(Qt::OtherFocusReason);
    return false;
}

bool frmCourtHistory::boxTyped(QLineEdit* box, QKeyEvent* e)
{
    if (e->key() == Qt::Key_Backspace || !FieldKeys::isTypedCharacter(e))
        return false;
    if (!CourtKeyOverflows(box->text(), static_cast<int>(box->selectedText().size())))
        return false;
    m_ctx.prompts.beep();
    box->setText(box->text().left(2));
    return true;
}

void frmCourtHistory::informationOk()
{
    for (QLineEdit* box : m_boxes) {
        if (!CourtCountValid(box->text())) {
            confirmBox(box);
            return;
        }
    }
    if (!SaveCourtData()) {
        m_menu->button(OkButton)->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_ctx.flags.ContinueFlag = true;
    accept();
}

void frmCourtHistory::cancelInput()
{
    m_ctx.client.discard();
    m_ctx.flags.ContinueFlag = false;
    QDialog::reject();
}

void frmCourtHistory::abandon()
{
    // Leaves without saving and without touching ContinueFlag. A new client is still given up: left filled, its slot
    // would stay the current client without being listed, and a later edit would write it to the client file.
    m_ctx.client.discard();
    done(QDialog::Rejected);
}

void RunCourtHistory(AppContext& ctx, QWidget* parent, const std::optional<CourtHistoryPrefill>& prefill)
{
    frmCourtHistory window(ctx, parent);
    if (prefill)
        window.Prefill(*prefill);
    window.exec();
}
