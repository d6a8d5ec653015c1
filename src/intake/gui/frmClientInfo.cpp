#include "frmClientInfo.h"

#include "AppContext.h"
#include "ClientEntry.h"
#include "ClientTable.h"
#include "Clock.h"
#include "DateOfBirth.h"
#include "Demographics.h"
#include "FieldKeys.h"
#include "MaskedDateBox.h"
#include "MenuButtons.h"
#include "NewClient.h"
#include "Panel3D.h"
#include "Prompts.h"
#include "SheetReviewPanel.h"
#include "WindowRoutines.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>

namespace {

// Refuses, with the beep of other refused keys, any typed or pasted text with a character the client file cannot
// hold, so a name is never stored with "?" in place of what was typed.
class StorableText final : public QValidator {
public:
    StorableText(std::function<void()> refused, QObject* parent) : QValidator(parent), m_refused(std::move(refused)) {}
    State validate(QString& input, int&) const override
    {
        if (std::all_of(input.cbegin(), input.cend(), &ClientRecord::canHold))
            return Acceptable;
        m_refused();
        return Invalid;
    }

private:
    std::function<void()> m_refused;
};

enum Button { OkButton = 0, CancelButton = 1 };
constexpr int LastLabel = 5;
constexpr int NameLength = 25;

struct FieldText {
    const char* label;
    const char* accessibleName;
    const char* help;
    const char* empty;
};

// Indexed by IntakeField, which is also the field's lblInfo index.
const FieldText Texts[] = {
    {"Client Name: . . . . . . . . . . . . . . ", "Client Name",
     "Type client's name (up to 25 characters) or N for not available, then press Enter.",
     "Enter client's name. Press Enter to continue."},
    {"Gender: . . . . . . . . . . . . . . . .", "Gender",
     "Use up or down arrow keys to select gender or N/A for not available, then press Enter.",
     "Press down arrow to select gender or N for not available. Press Enter to continue."},
    {"Date of Birth . . . . . . . . . . . . . .", "Date of Birth",
     "Type date of birth in the form MM/DD/YYYY or N for Not Available, then press Enter.",
     "Enter date of birth month, day, year as MM/DD/YYYY or N for Not Available. Press Enter to continue."},
    {"Ethnicity/Race: . . . . . . . . . . . ", "Ethnicity/Race",
     "Use up or down arrow keys to select ethnicity/race or N/A for not available, then press Enter.",
     "Press down arrow to select ethnicity. Press Enter to continue."},
    {"Marital Status: . . . . . . . . . . . . . .", "Marital Status",
     "Use up or down arrow keys to select marital status or N/A for not available, then press Enter.",
     "Press down arrow key to select marital status. Press Enter to continue."},
    {"Education: . . . . . . . . . . . . . .", "Education",
     "Use up or down arrow keys to select education level or N/A for not available, then press Enter.",
     "Press down arrow to select education level. Press Enter to continue."},
};

const FieldText& textOf(IntakeField f)
{
    return Texts[static_cast<int>(f)];
}

const char* const ListProperty = "demographicList";
const char* const FieldProperty = "intakeField";

DemographicList listOf(const QComboBox* combo)
{
    return static_cast<DemographicList>(combo->property(ListProperty).toInt());
}

IntakeField fieldOf(const QWidget* w)
{
    return static_cast<IntakeField>(w->property(FieldProperty).toInt());
}

} // namespace

frmClientInfo::frmClientInfo(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmClientInfo"));
    setWindowTitle(QStringLiteral("Client Information"));
    setModal(true);

    // A scanned sheet's review shows the sheet beside the fields.
    SheetReviewPanel* sheetPanel = nullptr;
    const WindowSkeleton skeleton = MakeWindowSkeleton(this, QStringLiteral("clientInfoArea"), [&]() -> QWidget* {
        sheetPanel = MakeSheetReviewPanel(m_ctx, this);
        return sheetPanel;
    });
    m_area = skeleton.area;
    m_msgPanel = skeleton.msgPanel;
    m_frame = MakeMainFrame(m_area, QStringLiteral("frClient"));

    m_txtName = new QLineEdit(m_frame);
    m_txtName->setObjectName(QStringLiteral("txtName"));
    m_txtName->setMaxLength(NameLength);
    m_txtName->setValidator(new StorableText([this] { m_ctx.prompts.beep(); }, m_txtName));
    m_txtName->setProperty(FieldProperty, static_cast<int>(IntakeField::Name));
    m_cmbGender = addCombo("cmbGender", static_cast<int>(DemographicList::Gender));
    m_cmbGender->setProperty(FieldProperty, static_cast<int>(IntakeField::Gender));
    m_mebDateOfBirth = new MaskedDateBox(m_ctx.prompts, m_frame);
    m_mebDateOfBirth->setObjectName(QStringLiteral("mebDateOfBirth"));
    m_mebDateOfBirth->setProperty(FieldProperty, static_cast<int>(IntakeField::DOB));
    m_cmbRace = addCombo("cmbRace", static_cast<int>(DemographicList::Race));
    m_cmbRace->setProperty(FieldProperty, static_cast<int>(IntakeField::Race));
    m_cmbMarital = addCombo("cmbMarital", static_cast<int>(DemographicList::Marital));
    m_cmbMarital->setProperty(FieldProperty, static_cast<int>(IntakeField::Marital));
    m_cmbEducation = addCombo("cmbEducation", static_cast<int>(DemographicList::Education));
    m_cmbEducation->setProperty(FieldProperty, static_cast<int>(IntakeField::Education));

    QWidget* const fields[] = {m_txtName, m_cmbGender, m_mebDateOfBirth, m_cmbRace, m_cmbMarital, m_cmbEducation};
    auto* grid = new QGridLayout;
    for (int i = 0; i <= LastLabel; ++i) {
        const FieldText& t = Texts[i];
        auto* label = new QLabel(QString::fromLatin1(t.label), m_frame);
        label->setObjectName(QStringLiteral("lblInfo_%1").arg(i));
        label->setBuddy(fields[i]);
        fields[i]->setAccessibleName(QString::fromLatin1(t.accessibleName));
        fields[i]->setAccessibleDescription(QString::fromLatin1(t.help));
        fields[i]->setMinimumWidth(TwipsToPixelsX(3200, this));
        grid->addWidget(label, i, 0);
        grid->addWidget(fields[i], i, 1);
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
    frameLayout->addLayout(grid);
    frameLayout->addSpacing(TwipsToPixelsY(200, this));
    frameLayout->addLayout(buttons);

    setTabOrder(m_txtName, m_cmbGender);
    setTabOrder(m_cmbGender, m_mebDateOfBirth);
    setTabOrder(m_mebDateOfBirth, m_cmbRace);
    setTabOrder(m_cmbRace, m_cmbMarital);
    setTabOrder(m_cmbMarital, m_cmbEducation);
    setTabOrder(m_cmbEducation, m_menu->button(OkButton));
    setTabOrder(m_menu->button(OkButton), m_menu->button(CancelButton));

    // Enter and Tab follow the form's own order, which differs from the tab order.
    QPushButton* ok = m_menu->button(OkButton);
    m_keys = new FieldKeys(this, m_msgPanel, LastLabel);
    const auto help = [](IntakeField f) { return QString::fromLatin1(textOf(f).help); };
    m_keys->add(m_txtName, {0, help(IntakeField::Name), [this] { return confirmName(); }, {}, m_mebDateOfBirth});
    m_keys->add(m_cmbGender, {1, help(IntakeField::Gender), [this] { return confirmCombo(m_cmbGender); },
                              [this](QKeyEvent* e) { return comboTyped(m_cmbGender, e); }, m_cmbRace});
    m_keys->add(m_mebDateOfBirth, {2, help(IntakeField::DOB), [this] { return confirmDate(); }, {}, ok});
    m_keys->add(m_cmbRace, {3, help(IntakeField::Race), [this] { return confirmCombo(m_cmbRace); },
                            [this](QKeyEvent* e) { return comboTyped(m_cmbRace, e); }, m_cmbEducation});
    m_keys->add(m_cmbMarital, {4, help(IntakeField::Marital), [this] { return confirmCombo(m_cmbMarital); },
                               [this](QKeyEvent* e) { return comboTyped(m_cmbMarital, e); }, m_mebDateOfBirth});
    m_keys->add(m_cmbEducation, {5, help(IntakeField::Education), [this] { return confirmCombo(m_cmbEducation); },
                                 [this](QKeyEvent* e) { return comboTyped(m_cmbEducation, e); }, m_cmbMarital});
    m_keys->left = [this](QWidget* field) { fieldLeft(field); };

    m_frame->adjustSize();
    resize(std::max(m_frame->width() + TwipsToPixelsX(1200, this), TwipsToPixelsX(9000, this)) +
               (sheetPanel ? SheetReviewPanel::Width : 0),
           std::max(m_frame->height() + TwipsToPixelsY(2200, this), TwipsToPixelsY(sheetPanel ? 8400 : 6000, this)));

    // Load: the opening values start empty; an existing client's record fills the controls.
    if (EditMode()) {
        RecordToScreen();
    } else {
        m_editLimit = EditLimit(0, {});
        m_countAtOpen = 0;
        m_ctx.flags.NameDeletedFlag = 0;
    }
    updateOkHelp();
}

frmClientInfo::~frmClientInfo()
{
    // The key handlers go first: a field or button losing the focus while the window is torn down must not reach
    // labels and panels that are already gone.
    delete m_keys;
    delete m_menu;
}

QComboBox* frmClientInfo::addCombo(const char* name, int list)
{
    auto* combo = new QComboBox(m_frame);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(false);
    combo->setProperty(ListProperty, list);
    combo->addItems(DemographicEntries(static_cast<DemographicList>(list)));
    combo->setCurrentIndex(-1);
    combo->setMaxVisibleItems(9);
    return combo;
}

bool frmClientInfo::EditMode() const
{
    return m_ctx.flags.EditingClient;
}

void frmClientInfo::setEditMode(bool editing)
{
    m_ctx.flags.EditingClient = editing;
}

bool frmClientInfo::GoodDate(const QString& szDate) const
{
    return ::GoodDate(szDate, m_ctx.clock.today());
}

void frmClientInfo::RecordToScreen()
{
    const ClientRecord& r = m_ctx.table.current();
    // Shown without its padding, so the cursor lands after the name's last character.
    m_txtName->setText(ClientRecord::unpadded(r.Name));
    m_cmbGender->setCurrentIndex(CodePosition(DemographicList::Gender, r.Gender));
    m_cmbRace->setCurrentIndex(CodePosition(DemographicList::Race, r.Race));
    m_cmbMarital->setCurrentIndex(CodePosition(DemographicList::Marital, r.Marital));
    m_cmbEducation->setCurrentIndex(CodePosition(DemographicList::Education, r.Education));
    m_mebDateOfBirth->setBoxText(DateBoxText(r.DOB));

    m_ctx.flags.NameDeletedFlag = static_cast<int16_t>(CodeValue(r.NameDeleted));
    m_countAtOpen = CodeValue(r.EditCount);
    // The opening values are what the controls show, so a code the list cannot show is not taken for a change.
    m_editLimit = EditLimit(m_countAtOpen,
                            {m_txtName->text(), PositionCode(m_cmbGender->currentIndex()), m_mebDateOfBirth->boxText(),
                             PositionCode(m_cmbRace->currentIndex()), PositionCode(m_cmbMarital->currentIndex()),
                             PositionCode(m_cmbEducation->currentIndex())});
    if (m_ctx.flags.NameDeletedFlag == 1 || m_editLimit.reached())
        lockFields();
    updateOkHelp();
}

void frmClientInfo::Prefill(const ClientInfoPrefill& values)
{
    m_txtName->setText(values.name.left(NameLength));
    m_cmbGender->setCurrentIndex(CodePosition(DemographicList::Gender, values.gender));
    m_cmbRace->setCurrentIndex(CodePosition(DemographicList::Race, values.race));
    m_cmbMarital->setCurrentIndex(CodePosition(DemographicList::Marital, values.marital));
    m_cmbEducation->setCurrentIndex(CodePosition(DemographicList::Education, values.education));
    m_mebDateOfBirth->setBoxText(DateBoxText(values.dateOfBirth));
}

void frmClientInfo::RecordToDB(ClientRecord& r) const
{
    // A control holding nothing acceptable (only possible while the fields are locked) keeps the stored value.
    if (!m_txtName->text().trimmed().isEmpty())
        r.Name = ClientRecord::fit(m_txtName->text(), NameLength);
    const auto code = [](const QComboBox* combo, QString& field) {
        if (combo->currentIndex() >= 0)
            field = PositionCode(combo->currentIndex());
    };
    code(m_cmbGender, r.Gender);
    code(m_cmbRace, r.Race);
    code(m_cmbMarital, r.Marital);
    code(m_cmbEducation, r.Education);
    const QString dob = m_mebDateOfBirth->boxText();
    if (dob.startsWith(QLatin1Char('N'), Qt::CaseInsensitive) || GoodDate(dob))
        r.DOB = ClientRecord::fit(StoredDob(dob), 10);
    r.TestDate = RecordDate(m_ctx.clock.today());
}

void frmClientInfo::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    CenterForm(this);
    activate();
}

void frmClientInfo::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    CenterFrame(this, m_frame);
}

void frmClientInfo::activate()
{
    CenterFrame(this, m_frame);
    ResetMenuButtons(*m_menu, 1);
    if (EditMode())
        m_menu->button(OkButton)->setFocus(Qt::OtherFocusReason);
    else
        m_txtName->setFocus(Qt::OtherFocusReason);
    // The notices come once the window is on screen.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible())
            return;
        if (m_ctx.flags.NameDeletedFlag == 1) {
            m_ctx.prompts.message(
                QStringLiteral("This client's name has been deleted.\rEditting this information is no "
                               "longer permitted."),
                QStringLiteral("Name Deleted"), Prompts::Icon::Information, Prompts::Buttons::Ok);
        } else if (m_countAtOpen >= EditLimit::Limit) {
            m_ctx.prompts.message(QStringLiteral("This client's information has been changed 3 times.\rNo further "
                                                 "editing is permitted. Press Enter to continue."),
                                  QStringLiteral("Edit Limit Reached"), Prompts::Icon::Information,
                                  Prompts::Buttons::Ok);
        }
    });
}

void frmClientInfo::keyPressEvent(QKeyEvent* e)
{
    // The form has no Escape key: only "Cancel Input" abandons the entries.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void frmClientInfo::reject()
{
    // Closing the window any other way is "Cancel Input".
    cancelInput();
}

void frmClientInfo::refuseField(QWidget* field, const QString& message)
{
    m_ctx.prompts.beep();
    m_ctx.prompts.message(message, AppTitle(), Prompts::Icon::Critical, Prompts::Buttons::Ok);
    if (field->isEnabled())
        field->setFocus(Qt::OtherFocusReason);
}

bool frmClientInfo::confirmName()
{
    if (m_txtName->text().trimmed().isEmpty()) {
        refuseField(m_txtName, QString::fromLatin1(textOf(IntakeField::Name).empty));
        return false;
    }
    return true;
}

bool frmClientInfo::confirmCombo(QComboBox* combo)
{
    if (combo->currentIndex() < 0) {
        refuseField(combo, QString::fromLatin1(textOf(fieldOf(combo)).empty));
        return false;
    }
    return true;
}

bool frmClientInfo::confirmDate()
{
    m_mebDateOfBirth->setBoxText(m_mebDateOfBirth->boxText().trimmed());
    switch (CheckDateEntry(m_mebDateOfBirth->boxText(), m_ctx.clock.today())) {
    case DateEntry::NotAvailable:
        m_mebDateOfBirth->setBoxText(m_mebDateOfBirth->boxText().toUpper());
        return true;
    case DateEntry::Date:
        return true;
    case DateEntry::Refused:
        break;
    }
    m_mebDateOfBirth->reset();
    refuseField(m_mebDateOfBirth, QString::fromLatin1(textOf(IntakeField::DOB).empty));
    return false;
}

bool frmClientInfo::comboTyped(QComboBox* combo, QKeyEvent* e)
{
    const bool backspace = e->key() == Qt::Key_Backspace;
    if (!backspace && !FieldKeys::isTypedCharacter(e))
        return false; // arrows, F4 and the like work the list as usual
    const ComboKey k = backspace ? ComboKey{} : ComboTyped(listOf(combo), e->text().at(0));
    switch (k.action) {
    case ComboKey::Action::Select:
        combo->setCurrentIndex(k.position);
        break;
    case ComboKey::Action::OpenList:
        combo->setCurrentIndex(-1);
        combo->showPopup();
        break;
    case ComboKey::Action::Refuse:
        combo->setCurrentIndex(-1);
        m_ctx.prompts.beep();
        break;
    }
    return true;
}

QString frmClientInfo::currentValue(IntakeField field) const
{
    switch (field) {
    case IntakeField::Name:
        return m_txtName->text();
    case IntakeField::Gender:
        return PositionCode(m_cmbGender->currentIndex());
    case IntakeField::DOB:
        return DobEditValue(m_mebDateOfBirth->boxText(), m_ctx.clock.today());
    case IntakeField::Race:
        return PositionCode(m_cmbRace->currentIndex());
    case IntakeField::Marital:
        return PositionCode(m_cmbMarital->currentIndex());
    case IntakeField::Education:
        return PositionCode(m_cmbEducation->currentIndex());
    }
    return {};
}

void frmClientInfo::fieldLeft(QWidget* field)
{
    if (!EditMode() || m_locked)
        return;
    const IntakeField f = fieldOf(field);
    const QString value = currentValue(f);
    const EditLimit::Outcome outcome =
        f == IntakeField::DOB ? m_editLimit.dateLeft(value) : m_editLimit.fieldLeft(f, value);
    if (outcome != EditLimit::Outcome::LimitReached || !field->isEnabled())
        return;
    m_locked = true;
    updateOkHelp();
    m_ctx.prompts.message(QStringLiteral("This client's information has been edited\r3 times already. Further editing "
                                         "of this\rinformation is no longer permitted."),
                          QStringLiteral("Edit Limit Reached"), Prompts::Icon::Information, Prompts::Buttons::Ok);
    lockFields();
}

void frmClientInfo::lockFields()
{
    m_locked = true;
    // The focus leaves first, so disabling a focused field does not send it looking for another one.
    m_menu->button(OkButton)->setFocus(Qt::OtherFocusReason);
    for (QWidget* w : {static_cast<QWidget*>(m_txtName), static_cast<QWidget*>(m_cmbGender),
                       static_cast<QWidget*>(m_cmbRace), static_cast<QWidget*>(m_cmbMarital),
                       static_cast<QWidget*>(m_cmbEducation), static_cast<QWidget*>(m_mebDateOfBirth)})
        w->setEnabled(false);
    updateOkHelp();
}

void frmClientInfo::updateOkHelp()
{
    QString help;
    if (m_ctx.flags.NameDeletedFlag == 1)
        help = QStringLiteral("Client name has been deleted.  No further editing permitted.");
    else if (m_editLimit.reached())
        help = QStringLiteral("Exceeded limits of editing.  No further editing permitted. Press Enter to save and "
                              "continue.");
    else
        help = QStringLiteral("If information is correct press Enter or press Tab to change an entry.");
    m_menu->setHelp(OkButton, help);
    if (m_menu->button(OkButton)->hasFocus())
        m_msgPanel->setCaption(help);
}

bool frmClientInfo::entriesDifferFromRecord() const
{
    const ClientRecord& r = m_ctx.table.current();
    if (ClientRecord::fit(m_txtName->text(), NameLength) != ClientRecord::fit(r.Name, NameLength))
        return true;
    if (m_cmbGender->currentIndex() != CodeValue(r.Gender) || m_cmbRace->currentIndex() != CodeValue(r.Race) ||
        m_cmbMarital->currentIndex() != CodeValue(r.Marital) ||
        m_cmbEducation->currentIndex() != CodeValue(r.Education))
        return true;
    return StoredDob(m_mebDateOfBirth->boxText()) != r.DOB.trimmed();
}

void frmClientInfo::informationOk()
{
    // Locked fields cannot be corrected, so they are not tested: the supervisor can always go on.
    if (!m_locked) {
        if (!confirmName())
            return;
        if (!confirmCombo(m_cmbGender))
            return;
        const QString dob = m_mebDateOfBirth->boxText();
        if (!dob.startsWith(QLatin1Char('N'), Qt::CaseInsensitive) && !GoodDate(dob)) {
            confirmDate();
            return;
        }
        if (!confirmCombo(m_cmbRace) || !confirmCombo(m_cmbEducation) || !confirmCombo(m_cmbMarital))
            return;
    }

    ClientTable& table = m_ctx.table;
    const bool changed = EditMode() && entriesDifferFromRecord();
    if (!EditMode() && !m_ctx.client.startNew(windowTitle()))
        return;
    m_ctx.flags.ContinueFlag = true;

    if (ClientInfoWritten(EditMode(), changed, table.NumClients, m_countAtOpen)) {
        const bool kept = m_ctx.client.stage([this](ClientRecord& r) {
            if (!EditMode())
                r = NewClientRecord(m_ctx.clock.today());
            RecordToDB(r);
            if (EditMode())
                r.EditCount = m_editLimit.countDigit();
        });
        if (!kept) {
            // Nothing reached the file: the entries stay on screen, so the supervisor can try again once the data
            // location is back, or cancel.
            m_ctx.flags.ContinueFlag = false;
            m_menu->button(OkButton)->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    accept();
}

void frmClientInfo::cancelInput()
{
    m_ctx.flags.ContinueFlag = false;
    QDialog::reject();
}

void RunClientInfo(AppContext& ctx, QWidget* parent, const std::optional<ClientInfoPrefill>& prefill)
{
    frmClientInfo window(ctx, parent);
    if (prefill)
        window.Prefill(*prefill);
    window.exec();
}
