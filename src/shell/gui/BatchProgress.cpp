#include "BatchProgress.h"

#include "WindowRoutines.h"

#include <QApplication>
#include <QProgressDialog>
#include <algorithm>

BatchProgress::BatchProgress(QWidget* parent, const QString& title, const QString& widestLabel)
    : m_dialog(std::make_unique<QProgressDialog>(parent))
{
    m_dialog->setObjectName(QStringLiteral("frmPrintProgress"));
    m_dialog->setWindowTitle(title);
    m_dialog->setCancelButtonText(QStringLiteral("Stop"));
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setWindowModality(Qt::WindowModal);
    // Wide enough for its title next to the title bar's icon and buttons, and for the longest label.
    m_dialog->setLabelText(widestLabel);
    m_dialog->setMinimumWidth(std::max(m_dialog->sizeHint().width(),
                                       m_dialog->fontMetrics().horizontalAdvance(title) + TwipsToPixelsX(2400, parent)));
}

BatchProgress::~BatchProgress()
{
    m_dialog->reset();
}

bool BatchProgress::step(const QString& label, int done, int total)
{
    m_dialog->setLabelText(label);
    m_dialog->setRange(0, total);
    m_dialog->setValue(done);
    QApplication::processEvents();
    return !m_dialog->wasCanceled();
}
