#pragma once
// Verification by a second keying: the operator keys every item again, the items that differ from the stored
// answers are keyed once more, and the second keying with those corrections becomes the answers.

#include <QList>
#include <QString>

class VerifyKeying {
public:
    // `storedResponses` is the client's response string as stored; surrounding blanks are ignored.
    explicit VerifyKeying(const QString& storedResponses);

    enum class Step {
        Refused,         // beep, nothing changed
        Moved,           // the next item is up
        NeedsCorrection, // the first pass ended with differences; the correction pass has begun
        NoDifferences,   // the first pass ended with none: the stored answers stand
        Corrected,       // the correction pass ended: secondKeying() holds the new answers
    };

    // A character typed for the current item.
    Step key(QChar c);
    // Backspace: back to the previous item; false (a beep) at the first position of a pass.
    bool backspace();

    // 1-based position in the list of the pass, and the number of items in it.
    int position() const { return m_pos; }
    int count() const { return static_cast<int>(m_list.size()); }
    bool correctionPass() const { return m_correctionPass; }
    int currentItem() const;
    // The item before the current one in this pass, 0 at the first position.
    int previousItem() const;
    // The items of this pass in order: 1 to 123, then the ones that differed.
    const QList<int>& list() const { return m_list; }
    const QString& secondKeying() const { return m_second; }
    const QString& storedAnswers() const { return m_stored; }
    QChar keyed(int item) const;

    // "Question #" and the item number.
    static QString QuestionLabel(int item);
    // Items of section 1 take "0" to "2", the others "0" to "4".
    static bool Accepts(int item, QChar c);

private:
    Step endOfPass();

    QList<int> m_list;
    int m_pos = 1;
    bool m_correctionPass = false;
    QString m_second;
    QString m_stored;
};
