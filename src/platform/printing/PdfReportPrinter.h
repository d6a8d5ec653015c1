#pragma once
// "Prints" into a PDF file, on Letter or A4 paper; the file appears only when the whole document was written.

#include "ReportPrinter.h"

#include <QPageSize>
#include <QStringList>

class PdfReportPrinter final : public ReportPrinter {
public:
    // `ownFolders`: the program's folders, whose files a PDF never replaces (see PrivateFile::OutputRefusal).
    explicit PdfReportPrinter(QString path, QPageSize::PageSizeId paper = QPageSize::Letter,
                              QStringList ownFolders = {})
        : m_path(std::move(path)), m_paper(paper), m_ownFolders(std::move(ownFolders))
    {
    }
    PrintOutcome print(const PrintJob& job) override;

private:
    QString m_path;
    QPageSize::PageSizeId m_paper;
    QStringList m_ownFolders;
};

// The paper of the user's locale: Letter where it measures in US units, A4 elsewhere.
QPageSize::PageSizeId LocalePaperSize();
