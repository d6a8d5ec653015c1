#pragma once
// The supervisor utilities' tab of the tests cut short or set aside on the data location: the list, and whether to
// continue or abandon the chosen one. A test too old to continue can only be abandoned.

#include "WaitingTests.h"

#include <QWidget>

class QRadioButton;
class QTreeWidget;

class InterruptedTestsTab : public QWidget {
    Q_OBJECT
public:
    explicit InterruptedTestsTab(QWidget* parent = nullptr);

    void setTests(const QList<WaitingTest>& tests);
    bool isEmpty() const { return m_tests.isEmpty(); }
    // The chosen test, or null when the list is empty.
    const WaitingTest* chosen() const;
    bool abandonChosen() const;
    // The help line for the focused control.
    QString help() const;

    QTreeWidget* list() const { return m_list; }
    QRadioButton* option(int i) const { return m_options[i]; }

signals:
    void helpChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose();

    QList<WaitingTest> m_tests;
    QTreeWidget* m_list;
    QRadioButton* m_options[2];
};
