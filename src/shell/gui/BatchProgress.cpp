#include "BatchProgress.h"

#include <QApplication>
#include <QProgressDialog>

BatchProgress::BatchProgress(QWidget* parent, const QString& title, int steps)
    : m_dialog(std::make_unique<QProgressDialog>(parent))
{
    m_dialog->setObjectName(QStringLiteral("frmProgress"));
    m_dialog->setWindowTitle(title);
    m_dialog->setCancelButtonText(QStringLiteral("Stop"));
    m_dialog->setMinimumDuration(0);
    m_dialog->setRange(0, steps);
    m_dialog->setWindowModality(Qt::WindowModal);
}

BatchProgress::~BatchProgress()
{
    m_dialog->reset();
}

bool BatchProgress::step(const QString& label, int done)
{
    m_dialog->setLabelText(label);
    m_dialog->setValue(done);
    QApplication::processEvents();
    return !m_dialog->wasCanceled();
}
