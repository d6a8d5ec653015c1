#pragma once
// Answers modal windows from a timer, so a test can drive a flow that exec()s windows without hanging.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

class ModalDriver : public QObject {
    Q_OBJECT
public:
    using Step = std::function<void(QWidget* modal)>;

    // Queues `step` to run on the next modal window that is not the one answered last.
    void onNextModal(Step step) { onNextModal(QString(), std::move(step)); }
    // The same, for the next modal window named `objectName`; other windows that come up first are left alone.
    void onNextModal(const QString& objectName, Step step);
    // Runs `step` on every showing of the modal window named `objectName` that no queued step is waiting for.
    void always(const QString& objectName, Step step);
    // Whether every queued step has run.
    bool done() const { return m_steps.isEmpty(); }
    // Closes every open modal window (used when a check failed so the test cannot hang).
    static void rejectAll();

private:
    void startPolling();
    void poll();
    struct Queued {
        QString name;
        Step step;
    };
    QList<Queued> m_steps;
    QList<Queued> m_always;
    QPointer<QWidget> m_last;
    QList<QPointer<QWidget>> m_handled;
    QTimer m_timer;
};
