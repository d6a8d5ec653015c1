#pragma once
// The progress window of work on many clients, with a Stop button; the work runs on the user-interface thread and
// lets the window's events through at each step.

#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

class BatchProgress {
public:
    // `widestLabel` is the longest label the work will show, so the window never grows or cuts its title.
    BatchProgress(QWidget* parent, const QString& title, const QString& widestLabel);
    ~BatchProgress();
    BatchProgress(const BatchProgress&) = delete;
    BatchProgress& operator=(const BatchProgress&) = delete;

    // Shows `label` with `done` of `total` steps done; false once the user pressed Stop.
    bool step(const QString& label, int done, int total);

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};
