#pragma once
// The language window: one button per question table of the question database, in the database's order, and
// "Cancel Presentation".

#include <QDialog>

struct AppContext;
class MenuButtons;
class Panel3D;
class QFrame;
class QGroupBox;

class frmSelectLanguage : public QDialog {
    Q_OBJECT
public:
    explicit frmSelectLanguage(AppContext& ctx, QWidget* parent = nullptr);
    ~frmSelectLanguage() override;

    // The number of question tables ("English", "Spanish") in the question database, 0 to 2; shows and labels one
    // language button per table. 0 when the database cannot be read or has none, with the reason in
    // LanguageProblem().
    int LanguageCount();
    const QString& LanguageProblem() const { return m_problem; }

    // The table chosen, once the window has closed with ContinueFlag true.
    QString Language;

    static constexpr int CancelButton = 3;
    QGroupBox* fraSelectMethod() const { return m_fraSelectMethod; }
    MenuButtons& menu() { return *m_menu; }
    Panel3D* msgPanel() const { return m_msgPanel; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void reject() override;

private:
    void choose(int i);
    void cancelPresentation();

    AppContext& m_ctx;
    QString m_problem;
    QWidget* m_area;
    QGroupBox* m_fraSelectMethod;
    MenuButtons* m_menu;
    Panel3D* m_msgPanel;
};
