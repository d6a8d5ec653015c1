#include "frmPresentQA.h"

#include "AppContext.h"
#include "Audio.h"
#include "ClientTable.h"
#include "DataLocation.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "PresentationTexts.h"
#include "Prompts.h"
#include "QuestionSet.h"
#include "WindowRoutines.h"

#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <QtMath>
#include <climits>

namespace {

// Stands in when the run has no sound device: the presentation then runs silently.
class NoAudio final : public Audio {
public:
    bool isAvailable() const override { return false; }
    bool play(const QString&) override { return false; }
    void stop() override {}
    bool isPlaying() const override { return false; }
};

// The client reads from some distance: the item's texts are set larger than the windows' usual font.
void enlarge(QWidget* w, int points)
{
    QFont f = w->font();
    f.setPointSize(points);
    w->setFont(f);
}

// The answer text's weight is set explicitly, so the button's own bold caption font does not reach it.
void setWeight(QWidget* w, bool bold)
{
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

constexpr int SmallestInstructionsPoints = 9;

// The height a plain text box needs to show `text` whole at `width` pixels, wrapped as the box wraps it, with one
// line to spare for the small differences between the two ways of laying text out.
int TextHeight(const QString& text, const QFont& font, int width, qreal margin)
{
    QTextDocument doc;
    doc.setDefaultFont(font);
    doc.setDocumentMargin(margin);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc.setDefaultTextOption(option);
    doc.setPlainText(text);
    doc.setTextWidth(width);
    return qCeil(doc.size().height()) + QFontMetrics(font).lineSpacing();
}

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

frmPresentQA::frmPresentQA(AppContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_silence(std::make_unique<NoAudio>())
{
    m_speechWatch = new QTimer(this);
    m_speechWatch->setInterval(50);
    connect(m_speechWatch, &QTimer::timeout, this, [this] {
        if (m_speakingItem == 0 || !m_p || m_p->CurrentItem().ID != m_speakingItem) {
            m_speechWatch->stop();
        } else if (!m_ctx.audio->isPlaying()) {
            m_ctx.client.keepAudioEnded(m_speakingItem);
            m_speakingItem = 0;
            m_speechWatch->stop();
        }
    });
    setObjectName(QStringLiteral("frmPresentQA"));
    setWindowTitle(PresentationTexts::WindowCaption(false));
    setModal(true);

    const WindowSkeleton skeleton = MakeWindowSkeleton(this, QStringLiteral("presentationArea"));
    m_area = skeleton.area;
    m_msgPanel = skeleton.msgPanel;
    m_msgPanel->captionLabel()->setWordWrap(true);

    m_frQandA = new QFrame(m_area);
    m_frQandA->setObjectName(QStringLiteral("frQandA"));
    m_fraQuestions = new QGroupBox(QStringLiteral("Question"), m_frQandA);
    m_fraQuestions->setObjectName(QStringLiteral("fraQuestions"));
    m_txtQuestion = new QPlainTextEdit(m_fraQuestions);
    m_txtQuestion->setObjectName(QStringLiteral("txtQuestion"));
    m_txtQuestion->setAccessibleName(QStringLiteral("Question"));
    m_txtQuestion->setReadOnly(true);
    m_txtQuestion->setFocusPolicy(Qt::StrongFocus);
    m_txtQuestion->setContextMenuPolicy(Qt::NoContextMenu);
    enlarge(m_txtQuestion, 14);
    m_txtQuestion->setFixedHeight(TwipsToPixelsY(1500, this));
    setQuestionColors(false);
    auto* questionLayout = new QVBoxLayout(m_fraQuestions);
    questionLayout->addWidget(m_txtQuestion);

    m_fraAnswer = new QGroupBox(QStringLiteral("Choose Answer"), m_frQandA);
    m_fraAnswer->setObjectName(QStringLiteral("fraAnswer"));
    auto* answerLayout = new QVBoxLayout(m_fraAnswer);
    m_menu = new MenuButtons(this, m_msgPanel);
    for (int i = 0; i < Slots; ++i) {
        QPushButton* button = m_menu->add(QString(), QString(), [this, i] { selectAnswer(i); });
        m_menu->panel(i)->setParent(m_fraAnswer);
        // The answer's text box lies over its button, leaving the button's edge to show.
        auto* text = new QLabel(button);
        text->setObjectName(QStringLiteral("txtButtonText_%1").arg(i));
        text->setTextFormat(Qt::PlainText);
        text->setWordWrap(true);
        text->setFocusPolicy(Qt::TabFocus);
        text->setAutoFillBackground(true);
        text->setMargin(4);
        // Drawn as a text box, not in the colours it would take from the button and its panel.
        text->setBackgroundRole(QPalette::Base);
        text->setForegroundRole(QPalette::Text);
        QPalette p = text->palette();
        p.setColor(QPalette::Base, Qt::white);
        p.setColor(QPalette::Text, Qt::black);
        text->setPalette(p);
        enlarge(text, 13);
        setWeight(text, false);
        auto* over = new QHBoxLayout(button);
        over->setContentsMargins(6, 6, 6, 6);
        over->addWidget(text);
        // At least one whole line of the answer shows, whatever the font.
        const QMargins around = over->contentsMargins();
        button->setMinimumHeight(
            std::max(TwipsToPixelsY(560, this),
                     QFontMetrics(text->font()).lineSpacing() + 2 * text->margin() + around.top() + around.bottom()));
        m_txtButtonText[i] = text;
        answerLayout->addWidget(m_menu->panel(i));
    }
    answerLayout->addStretch();
    auto* qaLayout = new QVBoxLayout(m_frQandA);
    qaLayout->setContentsMargins(0, 0, 0, 0);
    qaLayout->addWidget(m_fraQuestions);
    qaLayout->addWidget(m_fraAnswer, 1);

    m_fraInstructions = new QGroupBox(QStringLiteral("Instructions"), m_area);
    m_fraInstructions->setObjectName(QStringLiteral("fraInstructions"));
    m_fraInstructions->setAutoFillBackground(true); // hides the item loaded behind it
    m_txtInstructions = new QPlainTextEdit(m_fraInstructions);
    m_txtInstructions->setObjectName(QStringLiteral("txtInstructions"));
    m_txtInstructions->setAccessibleName(QStringLiteral("Instructions"));
    m_txtInstructions->setReadOnly(true);
    m_txtInstructions->setFocusPolicy(Qt::StrongFocus);
    m_txtInstructions->setContextMenuPolicy(Qt::NoContextMenu);
    enlarge(m_txtInstructions, 12);
    auto* instructionsLayout = new QVBoxLayout(m_fraInstructions);
    instructionsLayout->addWidget(m_txtInstructions);

    // The instructions lie exactly over the item, which is loaded behind them.
    fitInstructions();
    const QSize frame =
        m_fraInstructions->sizeHint().expandedTo(QSize(TwipsToPixelsX(10200, this), TwipsToPixelsY(7200, this)));
    m_frQandA->setFixedSize(frame);
    m_fraInstructions->setFixedSize(frame);
    m_fraInstructions->raise();

    setTabOrder(m_txtInstructions, m_txtQuestion);
    setTabOrder(m_txtQuestion, m_menu->button(0));
    for (int i = 0; i + 1 < Slots; ++i)
        setTabOrder(m_menu->button(i), m_menu->button(i + 1));
    setTabOrder(m_menu->button(Slots - 1), m_txtButtonText[0]);
    for (int i = 0; i + 1 < Slots; ++i)
        setTabOrder(m_txtButtonText[i], m_txtButtonText[i + 1]);

    // Installed after the buttons' own key handling, so the window sees every key first.
    for (QWidget* w : {static_cast<QWidget*>(m_txtInstructions), static_cast<QWidget*>(m_txtQuestion)})
        w->installEventFilter(this);
    for (int i = 0; i < Slots; ++i) {
        m_menu->button(i)->installEventFilter(this);
        m_txtButtonText[i]->installEventFilter(this);
    }

    resize(frame.width() + TwipsToPixelsX(1200, this), frame.height() + TwipsToPixelsY(2400, this));
}

void frmPresentQA::fitInstructions()
{
    // Every screen of either language is read whole, without scrolling: the box is made tall enough for the longest,
    // and its text smaller only when the screen could not hold that box.
    const int textWidth = TwipsToPixelsX(11400, this);
    const int frame = 2 * m_txtInstructions->frameWidth();
    const QScreen* screen = this->screen();
    // The window's other parts (the group box, the help line, the margins and a title bar) need about this much.
    const int room = screen ? screen->availableGeometry().height() - TwipsToPixelsY(3600, this) : INT_MAX;
    const qreal margin = m_txtInstructions->document()->documentMargin();
    QFont font = m_txtInstructions->font();
    int height = 0;
    for (;;) {
        height = 0;
        for (bool spanish : {false, true}) {
            for (int s = 0; s < PresentationTexts::InstructionScreens; ++s)
                height =
                    std::max(height, TextHeight(PresentationTexts::InstructionLines(spanish, s).join(QLatin1Char('\n')),
                                                font, textWidth, margin));
        }
        if (height + frame <= room || font.pointSize() <= SmallestInstructionsPoints)
            break;
        font.setPointSize(font.pointSize() - 1);
    }
    m_txtInstructions->setFont(font);
    m_txtInstructions->setFixedSize(textWidth + frame, height + frame);
}

frmPresentQA::~frmPresentQA()
{
    m_closing = true;
    StopSound();
    // The buttons' key handling goes first: a button losing the focus while the window is torn down must not reach
    // panels that are already gone.
    delete m_menu;
}

bool frmPresentQA::Load(QString* error)
{
    Language = Presentation::NormalizeLanguage(Language);
    std::optional<QuestionSet> questions = QuestionSet::Load(m_ctx.workspace, Language, error);
    if (!questions)
        return false;
    m_p.emplace(std::move(*questions), Language);
    Audio& audio = m_ctx.audio ? *m_ctx.audio : *m_silence;
    m_sound.emplace(audio, m_ctx.SoundPath, m_p->Language());
    showItem();
    m_fraInstructions->show();
    return true;
}

void frmPresentQA::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (m_started)
        return;
    m_started = true;
    CenterForm(this);
    CenterFrame(this, m_frQandA);
    CenterFrame(this, m_fraInstructions);
    if (!m_p) {
        // Nothing to present: a window shown without a readable question table closes at once.
        m_ctx.flags.ContinueFlag = false;
        QTimer::singleShot(0, this, [this] { closeWindow(QDialog::Rejected); });
        return;
    }
    start();
}

void frmPresentQA::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    CenterFrame(this, m_frQandA);
    CenterFrame(this, m_fraInstructions);
}

void frmPresentQA::start()
{
    if (m_p->IsSpanish())
        setWindowTitle(PresentationTexts::WindowCaption(true));
    PrepareAudio();
    if (ResumeAt > 0) {
        const Presentation::Step step = m_p->Resume(ResumeResponses, ResumeAt);
        if (step.finished) {
            QTimer::singleShot(0, this, [this] { finish(); });
            return;
        }
        showItem();
        showSectionInstructions(step.instructions);
    } else {
        m_p->Start();
        TestInstructions(0);
        PlaySoundFile(PresentationTexts::InstructionSound(0));
    }
    ResetMenuButtons(*m_menu, Slots - 1);
}

void frmPresentQA::PrepareAudio()
{
    const bool on = m_sound->PrepareAudio();
    for (int i = 0; i < Slots; ++i)
        m_menu->setHelp(i, PresentationTexts::AnswerHelp(m_p->IsSpanish(), on));
}

void frmPresentQA::PlaySoundFile(const QString& FileName)
{
    // Any other sound, or the next item's, ends the watch on the item's spoken text.
    m_speakingItem = 0;
    if (m_sound)
        m_sound->PlaySoundFile(FileName);
}

void frmPresentQA::StopSound()
{
    if (m_sound)
        m_sound->StopSound();
}

void frmPresentQA::TestInstructions(int Section)
{
    m_txtInstructions->selectAll();
    m_txtInstructions->clear();
    m_fraInstructions->show();
    m_fraInstructions->raise();
    const bool spanish = m_p && m_p->IsSpanish();
    // The screens break lines with CR LF; the text box wants line feeds only.
    m_txtInstructions->setPlainText(PresentationTexts::InstructionLines(spanish, Section).join(QLatin1Char('\n')));
    m_txtInstructions->moveCursor(QTextCursor::Start);
    m_txtInstructions->setFocus(Qt::OtherFocusReason);
    // Right after a message box the window may get its focus back only later; the help line is wanted now.
    instructionsFocused();
}

void frmPresentQA::GetNextQuestion()
{
    if (m_p && !m_closing)
        apply(m_p->GetNextQuestion());
}

void frmPresentQA::showItem()
{
    m_focus.beginChange();
    m_txtQuestion->setPlainText(m_p->QuestionText());
    m_txtQuestion->moveCursor(QTextCursor::Start);
    for (int i = 0; i < Slots; ++i) {
        const bool visible = m_p->SlotVisible(i);
        QPushButton* button = m_menu->button(i);
        if (visible) {
            m_txtButtonText[i]->setText(m_p->AnswerText(i));
            m_txtButtonText[i]->setAccessibleName(m_p->AnswerText(i));
            button->setAccessibleName(m_p->AnswerText(i));
        }
        m_menu->panel(i)->setVisible(visible);
        button->setVisible(visible);
        m_txtButtonText[i]->setVisible(visible);
    }
    m_focus.endChange();
}

void frmPresentQA::setItemFramesVisible(bool visible)
{
    m_focus.beginChange();
    m_fraQuestions->setVisible(visible);
    m_fraAnswer->setVisible(visible);
    m_focus.endChange();
}

void frmPresentQA::showSectionInstructions(int section)
{
    StopSound();
    setItemFramesVisible(false);
    TestInstructions(section);
    PlaySoundFile(PresentationTexts::InstructionSound(section));
}

void frmPresentQA::focusQuestion()
{
    m_focus.questionSent();
    // The focus arrives at once only in the active window, and not at all when the box already has it.
    const bool arrivesNow = isActiveWindow() && !m_txtQuestion->hasFocus();
    m_txtQuestion->setFocus(Qt::OtherFocusReason);
    if (!arrivesNow)
        questionFocused(Qt::OtherFocusReason);
}

void frmPresentQA::presentItem()
{
    m_ctx.client.keepShown(m_p->CurrentItem().ID);
    focusQuestion();
}

void frmPresentQA::focusSlot(int slot)
{
    m_menu->button(slot)->setFocus(Qt::TabFocusReason);
}

void frmPresentQA::apply(const Presentation::Step& step)
{
    if (step.finished) {
        finish();
        return;
    }
    showItem();
    if (step.instructions >= 0)
        showSectionInstructions(step.instructions);
    else if (step.focusQuestion)
        presentItem();
}

void frmPresentQA::leaveInstructions()
{
    const Presentation::Step step = m_p->LeaveInstructions();
    m_focus.beginChange();
    m_fraInstructions->hide();
    m_focus.endChange();
    setItemFramesVisible(true);
    if (step.instructions >= 0) {
        TestInstructions(step.instructions);
        PlaySoundFile(PresentationTexts::InstructionSound(step.instructions));
    } else if (step.focusQuestion) {
        m_msgPanel->setCaption(PresentationTexts::QuestionHelp(m_p->IsSpanish()));
        presentItem();
    }
}

void frmPresentQA::selectAnswer(int slot)
{
    if (!m_p || m_closing || m_p->InstructionsShowing() || !m_p->SlotVisible(slot))
        return;
    m_menu->panel(slot)->setBackColor(NormalColor);
    const Presentation::Step step = m_p->SelectAnswer(slot);
    // On the medium before the next item shows.
    m_ctx.client.keepAnswers(m_p->Responses());
    if (step.sectionDone > 0) {
        StopSound();
        setItemFramesVisible(false);
        if (step.sectionDone < 3) {
            SectionDoneNote();
            setItemFramesVisible(true);
        } else {
            m_msgPanel->setCaption(QString());
            m_ctx.prompts.message(PresentationTexts::ClosingText(m_p->IsSpanish()),
                                  PresentationTexts::ClosingTitle(m_p->IsSpanish()), Prompts::Icon::None,
                                  Prompts::Buttons::Ok);
        }
    }
    apply(step);
}

void frmPresentQA::SectionDoneNote()
{
    m_msgPanel->setCaption(QString());
    m_ctx.prompts.message(PresentationTexts::SectionNoteText(m_p->IsSpanish()),
                          PresentationTexts::SectionNoteTitle(m_p->IsSpanish()), Prompts::Icon::None,
                          Prompts::Buttons::Ok);
}

void frmPresentQA::stepBack()
{
    const Presentation::Step step = m_p->StepBack();
    if (step.beep) {
        m_ctx.prompts.beep();
        return;
    }
    if (step.focusQuestion) {
        m_ctx.client.keepStepBack();
        showItem();
        presentItem();
    }
}

void frmPresentQA::abandon()
{
    // Nothing is written: the client file keeps what it held before the test. ContinueFlag stays as it was, so the
    // supervisor's secret code is still asked for.
    StopSound();
    m_ctx.client.discard();
    closeWindow(QDialog::Rejected);
}

void frmPresentQA::finish()
{
    m_msgPanel->setCaption(QString());
    const QString responses = m_p->Responses();
    while (const FileError e = m_ctx.client.commit([&](ClientRecord& r) { r.Responses = responses; })) {
        // A new client can only be kept by writing it, so giving up on the disk loses the test: make sure.
        const Prompts::Answer answer = m_ctx.prompts.message(
            QStringLiteral("The answers could not be saved in the client file %1:\r%2\r\rLeave this client out? "
                           "The answers are then not kept. No asks for the data disk again.")
                .arg(QDir::toNativeSeparators(m_ctx.table.ClientFilePath), e.description),
            QStringLiteral("Answers Not Saved"), Prompts::Icon::Critical, Prompts::Buttons::YesNo);
        if (answer == Prompts::Answer::Yes) {
            m_ctx.client.discard();
            break;
        }
    }
    m_ctx.flags.ContinueFlag = true;
    closeWindow(QDialog::Accepted);
}

void frmPresentQA::closeWindow(int result)
{
    m_closing = true;
    StopSound();
    done(result);
}

void frmPresentQA::reject()
{
    // Escape and the window's close button do not end a test: only finishing it or Shift+Alt+F10 does.
    if (m_closing)
        QDialog::reject();
}

void frmPresentQA::closeEvent(QCloseEvent* e)
{
    if (m_closing)
        QDialog::closeEvent(e);
    else
        e->ignore();
}

void frmPresentQA::keyPressEvent(QKeyEvent* e)
{
    if (windowKey(e))
        return;
    QDialog::keyPressEvent(e);
}

bool frmPresentQA::windowKey(QKeyEvent* key)
{
    if (!m_p || m_closing || key->key() != Qt::Key_F10) {
        if (m_p && !m_closing && key->key() == Qt::Key_Up && focusWidget() == m_menu->button(0)) {
            focusQuestion();
            return true;
        }
        return false;
    }
    const Qt::KeyboardModifiers mods = key->modifiers();
    if ((mods & Qt::ShiftModifier) && (mods & Qt::AltModifier))
        abandon();
    else if (!m_p->InstructionsShowing())
        stepBack();
    return true;
}

bool frmPresentQA::questionKey(QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Down:
    case Qt::Key_Tab:
        focusSlot(0);
        break;
    case Qt::Key_Backtab:
        for (int i = Slots - 1; i >= 0; --i) {
            if (m_p->SlotVisible(i)) {
                focusSlot(i);
                break;
            }
        }
        break;
    default:
        break;
    }
    // The item's text cannot be changed: every key stops here.
    return true;
}

bool frmPresentQA::instructionsKey(QKeyEvent* key)
{
    if ((isEnter(key) && !key->isAutoRepeat()) || key->key() == Qt::Key_Tab) {
        leaveInstructions();
        return true;
    }
    // A long screen may be scrolled; nothing else acts on it.
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return false;
    default:
        return true;
    }
}

bool frmPresentQA::slotKey(int slot, QKeyEvent* key)
{
    int step = 0;
    if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Tab)
        step = 1;
    else if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Backtab)
        step = -1;
    else
        return false; // Enter, Space and the rest: the buttons' shared handling
    for (int i = slot + step; i >= 0 && i < Slots; i += step) {
        if (m_p->SlotVisible(i)) {
            focusSlot(i);
            return true;
        }
    }
    // Past the last answer (or above the first) the question box has the focus again and speaks the item.
    focusQuestion();
    return true;
}

void frmPresentQA::setQuestionColors(bool focused)
{
    QPalette p = m_txtQuestion->palette();
    p.setColor(QPalette::Base, focused ? HighlightColor : NormalColor);
    p.setColor(QPalette::Text, focused ? QColor(Qt::black) : QColor(Qt::white));
    m_txtQuestion->setPalette(p);
}

void frmPresentQA::questionFocused(Qt::FocusReason reason)
{
    if (!m_p)
        return;
    const PresentationFocus::Response response = m_focus.questionGained(reason == Qt::ActiveWindowFocusReason);
    if (response == PresentationFocus::Response::Ignore)
        return;
    if (m_p->InstructionsShowing()) {
        m_txtInstructions->setFocus(Qt::OtherFocusReason);
        return;
    }
    ResetMenuButtons(*m_menu, Slots - 1);
    setQuestionColors(true);
    m_msgPanel->setCaption(PresentationTexts::QuestionHelp(m_p->IsSpanish()));
    if (response == PresentationFocus::Response::ShowAndSpeak) {
        PlaySoundFile(m_p->QuestionSound());
        Audio* audio = m_ctx.audio;
        if (audio && m_sound->AudioOn() && audio->isPlaying()) {
            m_speakingItem = m_p->CurrentItem().ID;
            m_speechWatch->start();
        }
    }
}

void frmPresentQA::instructionsFocused()
{
    if (!m_p)
        return;
    m_msgPanel->setCaption(PresentationTexts::InstructionsHelp(m_p->IsSpanish()));
    for (QLabel* text : m_txtButtonText)
        setWeight(text, false);
}

void frmPresentQA::slotFocused(int slot, bool speak)
{
    for (int i = 0; i < Slots; ++i)
        setWeight(m_txtButtonText[i], i == slot);
    if (speak)
        PlaySoundFile(m_p->ChoiceSound(slot));
}

bool frmPresentQA::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_p || m_closing)
        return QDialog::eventFilter(watched, event);
    int slot = -1;
    int text = -1;
    for (int i = 0; i < Slots; ++i) {
        if (watched == m_menu->button(i))
            slot = i;
        else if (watched == m_txtButtonText[i])
            text = i;
    }

    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (windowKey(key))
            return true;
        if (watched == m_txtQuestion)
            return questionKey(key);
        if (watched == m_txtInstructions)
            return instructionsKey(key);
        if (slot >= 0)
            return slotKey(slot, key);
        return text >= 0;
    }
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (watched == m_txtQuestion) {
            questionFocused(reason);
        } else if (watched == m_txtInstructions) {
            instructionsFocused();
        } else if (text >= 0 && !m_focus.changing()) {
            // The answer texts never keep the focus; reaching one hands it to the question box.
            focusQuestion();
        } else if (slot >= 0) {
            const PresentationFocus::Response response = m_focus.answerGained(reason == Qt::ActiveWindowFocusReason);
            if (response == PresentationFocus::Response::Ignore)
                break;
            if (m_p->InstructionsShowing()) {
                m_txtInstructions->setFocus(Qt::OtherFocusReason);
                return true;
            }
            slotFocused(slot, response == PresentationFocus::Response::ShowAndSpeak);
        }
        break;
    }
    case QEvent::FocusOut:
        if (watched == m_txtQuestion)
            setQuestionColors(false);
        else if (slot >= 0)
            setWeight(m_txtButtonText[slot], false);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (text >= 0) {
            if (event->type() == QEvent::MouseButtonPress)
                selectAnswer(text);
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
