#pragma once
// The verification window: the current client's answer sheet keyed a second time, the differing items keyed once
// more, and the result stored as the client's answers.

#include "VerifyKeying.h"

#include <QDialog>

struct AppContext;
class Panel3D;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmVerify : public QDialog {
    Q_OBJECT
public:
    frmVerify(AppContext& ctx, QWidget* parent = nullptr);

    const VerifyKeying& keying() const { return m_keying; }
    QGroupBox* frAll() const { return m_frAll; }
    QGroupBox* Frame1() const { return m_frame1; }
    QGroupBox* Frame2() const { return m_frame2; }
    QLabel* lblCurQuestion() const { return m_lblCurQuestion; }
    QLabel* lblPrevQuestion() const { return m_lblPrevQuestion; }
    QLineEdit* txtCurQuestion() const { return m_txtCurQuestion; }
    QLineEdit* txtPrevQuestion() const { return m_txtPrevQuestion; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    Panel3D* pnlMessage() const { return m_pnlMessage; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void typed(QChar c);
    void backspace();
    void showPosition();
    void endOfPass(VerifyKeying::Step step);
    // Writes the current client; on failure offers to retry. False when the write was given up.

    AppContext& m_ctx;
    VerifyKeying m_keying;
    bool m_activated = false;

    QGroupBox* m_frAll;
    QGroupBox* m_frame1;
    QGroupBox* m_frame2;
    QLabel* m_lblCurQuestion;
    QLabel* m_lblPrevQuestion;
    QLineEdit* m_txtCurQuestion;
    QLineEdit* m_txtPrevQuestion;
    QPushButton* m_cmdCancel;
    Panel3D* m_pnlMessage;
};

// Shows the verification window for the current client modally; ContinueFlag tells whether it ran to the end.
void RunVerify(AppContext& ctx, QWidget* parent);
