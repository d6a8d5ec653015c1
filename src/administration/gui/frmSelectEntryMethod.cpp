#include "frmSelectEntryMethod.h"

#include "AppContext.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "Prompts.h"
#include "WindowRoutines.h"
#include "frmMyInputBox.h"
#include "frmPresentQA.h"
#include "frmSelectLanguage.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

frmSelectEntryMethod::frmSelectEntryMethod(AppContext& ctx, EntryChainWindows windows, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_windows(std::move(windows))
{
    setObjectName(QStringLiteral("frmSelectEntryMethod"));
    setWindowTitle(QStringLiteral("Entry Method"));
    setModal(true);

    const WindowSkeleton skeleton = MakeWindowSkeleton(this, QString());
    m_area = skeleton.area;
    m_msgPanel = skeleton.msgPanel;

    // The blank frame lies under the buttons' frame and keeps the place when that frame is hidden.
    m_frBlank = new QFrame(m_area);
    m_frBlank->setObjectName(QStringLiteral("frBlank"));
    m_fraSelectMethod = new QGroupBox(QStringLiteral("Select Client Data Entry Method"), m_area);
    m_fraSelectMethod->setObjectName(QStringLiteral("fraSelectMethod"));
    auto* buttons = new QVBoxLayout(m_fraSelectMethod);
    m_menu = new MenuButtons(this, m_msgPanel);
    m_menu->add(
        QStringLiteral("Administer Test to Client"),
        QStringLiteral("Onscreen Presentation. Enter client information then present the test on the computer."),
        [this] { administerOnScreen(); });
    m_menu->add(QStringLiteral("Enter Test Data from Answer Sheet"),
                QStringLiteral("Paper-Pencil Presentation. Manually enter test information from completed answer "
                               "sheet."),
                [this] { paperAndPencil(); });
    m_menu->add(QStringLiteral("Scan Answer Sheet"),
                QStringLiteral("Optical Scanner Presentation. Scan completed answer sheet."),
                [this] { scanAnswerSheet(); });
    m_menu->add(QStringLiteral("Cancel New Client Entry"),
                QStringLiteral("Cancel. Do not enter a new client. Return to Main Menu."), [this] { reject(); });
    for (int i = 0; i < m_menu->size(); ++i) {
        m_menu->panel(i)->setParent(m_fraSelectMethod);
        buttons->addWidget(m_menu->panel(i));
        if (i > 0)
            setTabOrder(m_menu->button(i - 1), m_menu->button(i));
    }
    m_menu->button(ScanButton)->setEnabled(true);
    m_fraSelectMethod->setMinimumWidth(TwipsToPixelsX(4800, this));
    m_fraSelectMethod->adjustSize();
    m_frBlank->lower();
    resize(TwipsToPixelsX(7800, this), TwipsToPixelsY(6000, this));
}

frmSelectEntryMethod::~frmSelectEntryMethod()
{
    // The buttons' handling goes first, so no focus change during teardown reaches a deleted panel.
    delete m_menu;
}

void frmSelectEntryMethod::placeFrames()
{
    m_fraSelectMethod->adjustSize();
    CenterFrame(this, m_fraSelectMethod);
    m_frBlank->setGeometry(m_fraSelectMethod->geometry());
}

void frmSelectEntryMethod::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    CenterForm(this);
    placeFrames();
    ResetMenuButtons(*m_menu, CancelButton);
    m_menu->button(AdministerButton)->setFocus(Qt::OtherFocusReason);
}

void frmSelectEntryMethod::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    placeFrames();
}

bool frmSelectEntryMethod::run(const std::function<void(QWidget*)>& window)
{
    // A window missing from this build cannot say "go on".
    m_ctx.flags.ContinueFlag = false;
    if (window)
        window(this);
    return m_ctx.flags.ContinueFlag;
}

void frmSelectEntryMethod::administerOnScreen()
{
    m_ctx.client.setMode(Administration::Mode::OnScreen);
    if (run(m_windows.clientInformation) && run(m_windows.courtHistory))
        GiveTestOnScreen(m_ctx, this, {}, [this] {
            m_fraSelectMethod->hide();
            m_msgPanel->setCaption(QStringLiteral("Press the Enter key to continue."));
        });
    accept();
}

namespace {

// The question database cannot serve a test: the supervisor is told why, and the client is given up or kept.
void cannotGive(AppContext& ctx, const QString& problem, bool resumed)
{
    ctx.prompts.message(problem + (resumed ? QStringLiteral("\r\rThe test cannot be continued now; it is kept for later.")
                                           : QStringLiteral("\r\rThe test cannot be given on screen; the new client "
                                                            "was not saved.")),
                        QStringLiteral("Question Database"), Prompts::Icon::Critical, Prompts::Buttons::Ok);
    if (resumed)
        ctx.client.setAside();
    else
        ctx.client.discard();
    ctx.flags.ContinueFlag = false;
}

} // namespace

void GiveTestOnScreen(AppContext& ctx, QWidget* parent, const OnScreenStart& from, const std::function<void()>& ready)
{
    SessionFlags& flags = ctx.flags;
    QString language = from.language;
    if (language.isEmpty()) {
        frmSelectLanguage languages(ctx, parent);
        const int count = languages.LanguageCount();
        if (count == 0) {
            cannotGive(ctx, languages.LanguageProblem(), from.resumed);
            return;
        }
        if (count < 2) {
            language = languages.menu().button(0)->text();
        } else {
            flags.ContinueFlag = false;
            languages.exec();
            if (!flags.ContinueFlag)
                return;
            language = languages.Language;
        }
    }

    frmPresentQA presentation(ctx, parent);
    presentation.Language = language;
    QString problem;
    if (!presentation.Load(&problem)) {
        cannotGive(ctx, problem, from.resumed);
        return;
    }
    ctx.client.setLanguage(presentation.Language);
    if (ready)
        ready();
    if (from.resumeAt == 0)
        ctx.prompts.message(QStringLiteral("Press the Enter key to begin the test."), AppTitle(), Prompts::Icon::None,
                            Prompts::Buttons::Ok);
    presentation.ResumeResponses = from.responses;
    presentation.ResumeAt = from.resumeAt;
    // Abandoned with Shift+Alt+F10, the test leaves the flag as it is: the code is asked for then as well.
    flags.ContinueFlag = true;
    presentation.exec();
    QCoreApplication::processEvents();
    // Finished or abandoned, the test leaves the computer with the client: only the supervisor's code gets back to
    // the main menu.
    if (flags.ContinueFlag) {
        while (!AskSecretCode(ctx, parent)) {
        }
    }
}

void frmSelectEntryMethod::paperAndPencil()
{
    m_ctx.client.setMode(Administration::Mode::Paper);
    if (run(m_windows.clientInformation) && run(m_windows.courtHistory))
        run(m_windows.answerGrid);
    accept();
}

void frmSelectEntryMethod::scanAnswerSheet()
{
    frmMyInputBox::PasswordInput = false;
    m_fraSelectMethod->show();
    if (m_windows.scanChain)
        m_windows.scanChain(this);
    accept();
}

void RunSelectEntryMethod(AppContext& ctx, QWidget* parent, const EntryChainWindows& windows)
{
    frmSelectEntryMethod window(ctx, windows, parent);
    window.exec();
}
