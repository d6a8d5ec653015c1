#pragma once
// "Prints" into a PDF file, on Letter or A4 paper; the file appears only when the whole document was written.

#include "PrivateFile.h"
#include "ReportPrinter.h"

#include <QPageSize>
#include <QStringList>
#include <optional>

class PdfReportPrinter final : public ReportPrinter {
public:
    // `ownFolders`: the program's folders, whose files a PDF never replaces (see PrivateFile::OutputRefusal).
    explicit PdfReportPrinter(QString path, QPageSize::PageSizeId paper = QPageSize::Letter,
                              QStringList ownFolders = {})
        : m_path(std::move(path)), m_paper(paper), m_ownFolders(std::move(ownFolders))
    {
    }
    // Into a target checked before the work that made the job (scoring, say); it is not checked again.
    explicit PdfReportPrinter(PrivateFile::CheckedOutput target, QPageSize::PageSizeId paper = QPageSize::Letter)
        : m_path(target.path()), m_paper(paper), m_checked(std::move(target))
    {
    }
    PrintOutcome print(const PrintJob& job) override;
    QString describe() const override { return QStringLiteral("PDF file ") + m_path; }

private:
    QString m_path;
    QPageSize::PageSizeId m_paper;
    QStringList m_ownFolders;
    std::optional<PrivateFile::CheckedOutput> m_checked;
};

// The paper of the user's locale: Letter where it measures in US units, A4 elsewhere.
QPageSize::PageSizeId LocalePaperSize();
