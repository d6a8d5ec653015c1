#include "ModalDriver.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

void ModalDriver::always(const QString& objectName, Step step)
{
    m_always.append({objectName, std::move(step)});
    startPolling();
}

void ModalDriver::onNextModal(const QString& objectName, Step step)
{
    m_steps.append({objectName, std::move(step)});
    startPolling();
}

void ModalDriver::startPolling()
{
    if (!m_timer.isActive()) {
        m_last = nullptr; // a new sequence may answer the window the previous one answered
        m_handled.clear();
        connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll, Qt::UniqueConnection);
        m_timer.start(10);
    }
}

void ModalDriver::poll()
{
    // A window's showing is over once it is hidden; it may be shown and answered again. A queued step may answer a
    // window again once another was answered since (a window it opened, say); a standing step never answers one
    // twice in one showing, also when it becomes the active one again as a window it opened closes.
    m_handled.removeIf([](const QPointer<QWidget>& w) { return !w || !w->isVisible(); });
    if (m_last && !m_last->isVisible())
        m_last = nullptr;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    Step step;
    if (modal != m_last && !m_steps.isEmpty() &&
        (m_steps.first().name.isEmpty() || modal->objectName() == m_steps.first().name)) {
        step = m_steps.takeFirst().step;
    } else if (!m_handled.contains(modal)) {
        for (const Queued& q : std::as_const(m_always))
            if (q.name == modal->objectName())
                step = q.step;
    }
    if (!step)
        return;
    m_last = modal;
    m_handled.append(modal);
    // Keys typed before the window is active may land elsewhere; a loaded machine makes that likely.
    (void)QTest::qWaitForWindowActive(modal);
    step(modal);
    // A failed check inside the step leaves its window open; close every modal so the test ends instead of hanging.
    if (QTest::currentTestFailed()) {
        m_steps.clear();
        m_timer.stop();
        rejectAll();
        return;
    }
    if (m_steps.isEmpty() && m_always.isEmpty())
        m_timer.stop();
}

void ModalDriver::rejectAll()
{
    while (QWidget* w = QApplication::activeModalWidget()) {
        if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
        else
            w->close();
        QApplication::processEvents();
        if (QApplication::activeModalWidget() == w)
            break;
    }
}
