#pragma once
// The progress window of work on many clients, with a Stop button; the work runs on the user-interface thread and
// lets the window's events through at each step.

#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

class BatchProgress {
public:
    BatchProgress(QWidget* parent, const QString& title, int steps);
    ~BatchProgress();
    BatchProgress(const BatchProgress&) = delete;
    BatchProgress& operator=(const BatchProgress&) = delete;

    // Shows `label` with `done` steps of the whole done; false once the user pressed Stop.
    bool step(const QString& label, int done);

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};
