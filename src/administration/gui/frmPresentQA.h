#pragma once
// The presentation window: the client reads the instructions and answers the 123 items on screen, with spoken
// items and answers where sound files exist; the answers become the current client's responses.

#include "Presentation.h"
#include "PresentationFocus.h"
#include "PresentationSound.h"

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

struct AppContext;
class Audio;
class MenuButtons;
class Panel3D;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QTimer;

class frmPresentQA : public QDialog {
    Q_OBJECT
public:
    explicit frmPresentQA(AppContext& ctx, QWidget* parent = nullptr);
    ~frmPresentQA() override;

    // The question table to present; set before Load(). Load() leaves "ENGLISH" or the Spanish table's name.
    QString Language;
    // Set before the window shows to take an interrupted test up again: the answers so far and the item to go on at.
    QString ResumeResponses;
    int ResumeAt = 0;

    // Reads the language's question table and loads item 1 behind the instructions. False, with a message for the
    // supervisor in `error`, when the question database or the table cannot be used; the window must not be shown.
    bool Load(QString* error);

    // Moves to the next item and shows it (with its section's instructions at a section start), or finishes the
    // test: the responses are saved and counted and the window closes.
    void GetNextQuestion();
    // Puts up instructions screen `Section` (0 general, 1 to 3 the sections); empty outside 0 to 3.
    void TestInstructions(int Section);

    bool AudioOn() const { return m_sound && m_sound->AudioOn(); }
    const Presentation* presentation() const { return m_p ? &*m_p : nullptr; }

    static constexpr int Slots = QuestionItem::MaxAnswers;
    QFrame* frQandA() const { return m_frQandA; }
    QGroupBox* fraQuestions() const { return m_fraQuestions; }
    QGroupBox* fraAnswer() const { return m_fraAnswer; }
    QGroupBox* fraInstructions() const { return m_fraInstructions; }
    QPlainTextEdit* txtQuestion() const { return m_txtQuestion; }
    QPlainTextEdit* txtInstructions() const { return m_txtInstructions; }
    QLabel* txtButtonText(int i) const { return m_txtButtonText.at(i); }
    MenuButtons& menu() { return *m_menu; }
    Panel3D* msgPanel() const { return m_msgPanel; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    bool windowKey(QKeyEvent* key);
    bool questionKey(QKeyEvent* key);
    bool instructionsKey(QKeyEvent* key);
    bool slotKey(int slot, QKeyEvent* key);
    void questionFocused(Qt::FocusReason reason);
    void instructionsFocused();
    void slotFocused(int slot, bool speak);
    void setQuestionColors(bool focused);

    void fitInstructions();
    void start();
    void leaveInstructions();
    void selectAnswer(int slot);
    void stepBack();
    void abandon();
    void apply(const Presentation::Step& step);
    void showItem();
    void showSectionInstructions(int section);
    void focusQuestion();
    // A new item comes before the client: its time starts now.
    void presentItem();
    void focusSlot(int slot);
    void setItemFramesVisible(bool visible);
    void finish();
    void closeWindow(int result);

    void PlaySoundFile(const QString& FileName);
    void StopSound();
    void PrepareAudio();
    void SectionDoneNote();

    AppContext& m_ctx;
    std::unique_ptr<Audio> m_silence;
    std::optional<Presentation> m_p;
    std::optional<PresentationSound> m_sound;
    bool m_started = false;
    bool m_closing = false;
    PresentationFocus m_focus;
    // Watches the item's spoken text, so its time can start when the client has heard it; 0 when none is watched.
    QTimer* m_speechWatch = nullptr;
    int m_speakingItem = 0;

    QWidget* m_area;
    QFrame* m_frQandA;
    QGroupBox* m_fraQuestions;
    QGroupBox* m_fraAnswer;
    QGroupBox* m_fraInstructions;
    QPlainTextEdit* m_txtQuestion;
    QPlainTextEdit* m_txtInstructions;
    std::array<QLabel*, Slots> m_txtButtonText{};
    MenuButtons* m_menu;
    Panel3D* m_msgPanel;
};
