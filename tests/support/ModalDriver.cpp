#include "ModalDriver.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

void ModalDriver::onNextModal(const QString& objectName, Step step)
{
    m_steps.append({objectName, std::move(step)});
    if (!m_timer.isActive()) {
        m_last = nullptr; // a new sequence may reuse the window the previous one answered
        connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll, Qt::UniqueConnection);
        m_timer.start(10);
    }
}

void ModalDriver::poll()
{
    if (m_last && !m_last->isVisible())
        m_last = nullptr; // that showing is over; the same window may be shown again
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == m_last || !modal->isVisible() || m_steps.isEmpty())
        return;
    if (!m_steps.first().name.isEmpty() && modal->objectName() != m_steps.first().name)
        return;
    m_last = modal;
    Step step = m_steps.takeFirst().step;
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
    if (m_steps.isEmpty())
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
