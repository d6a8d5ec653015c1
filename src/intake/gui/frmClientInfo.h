#pragma once
// The client information window: takes or corrects a client's six demographic items, keyed from the keyboard,
// limits how often an existing client's information may change, and writes the entries into the current record.

#include "EditLimit.h"
#include "IntakePrefill.h"

#include <QDialog>
#include <optional>

struct AppContext;
struct ClientRecord;
class FieldKeys;
class MaskedDateBox;
class MenuButtons;
class Panel3D;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

class frmClientInfo : public QDialog {
    Q_OBJECT
public:
    explicit frmClientInfo(AppContext& ctx, QWidget* parent = nullptr);
    ~frmClientInfo() override;

    // An existing client is being edited (the shared EditingClient flag).
    bool EditMode() const;
    void setEditMode(bool editing);

    // The current client record into the controls and the opening values.
    void RecordToScreen();
    // The controls into a client record in memory.
    void RecordToDB(ClientRecord& r) const;
    // The date test of the date box, against today's date.
    bool GoodDate(const QString& szDate) const;
    // Fills the controls with values read elsewhere (a scanned sheet) before the window is shown.
    void Prefill(const ClientInfoPrefill& values);

    int editCount() const { return m_editLimit.count(); }
    bool fieldsLocked() const { return m_locked; }

    QFrame* frClient() const { return m_frame; }
    QLineEdit* txtName() const { return m_txtName; }
    QComboBox* cmbGender() const { return m_cmbGender; }
    MaskedDateBox* mebDateOfBirth() const { return m_mebDateOfBirth; }
    QComboBox* cmbRace() const { return m_cmbRace; }
    QComboBox* cmbMarital() const { return m_cmbMarital; }
    QComboBox* cmbEducation() const { return m_cmbEducation; }
    MenuButtons& menu() { return *m_menu; }
    Panel3D* msgPanel() const { return m_msgPanel; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override;

private:
    QComboBox* addCombo(const char* name, int list);
    void activate();
    void refuseField(QWidget* field, const QString& message);
    bool confirmName();
    bool confirmCombo(QComboBox* combo);
    bool confirmDate();
    bool comboTyped(QComboBox* combo, QKeyEvent* e);
    void fieldLeft(QWidget* field);
    void lockFields();
    void updateOkHelp();
    QString currentValue(IntakeField field) const;
    bool entriesDifferFromRecord() const;
    void informationOk();
    void cancelInput();

    AppContext& m_ctx;
    EditLimit m_editLimit;
    int m_countAtOpen = 0;
    bool m_locked = false;

    QWidget* m_area;
    QFrame* m_frame;
    QLineEdit* m_txtName;
    QComboBox* m_cmbGender;
    MaskedDateBox* m_mebDateOfBirth;
    QComboBox* m_cmbRace;
    QComboBox* m_cmbMarital;
    QComboBox* m_cmbEducation;
    MenuButtons* m_menu;
    Panel3D* m_msgPanel;
    FieldKeys* m_keys;
};

// Shows the client information window modally for the current client (EditingClient) or a new one, filled from
// `prefill` when given; leaves the outcome in ctx.flags.ContinueFlag.
void RunClientInfo(AppContext& ctx, QWidget* parent, const std::optional<ClientInfoPrefill>& prefill = std::nullopt);
