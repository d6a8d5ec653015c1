#pragma once
// Where a printed report goes: the printer, or, when the computer has none and the supervisor agrees, a PDF file in
// a folder of the user's documents; or, when the supervisor chose so, straight to PDF files in a chosen folder. Every
// print command of the program goes through here, so a missing printer is handled the same way everywhere and a print
// that did not happen is never taken for one that did.

#include <QString>
#include <QStringList>

struct AppContext;

class ReportOutput {
public:
    // One object serves one print command: one report, or a batch of them (`batch`), for which the supervisor is
    // asked about PDF files once. `pdfFolder` is where the PDF files go.
    ReportOutput(AppContext& ctx, bool batch, QString pdfFolder = DefaultPdfFolder());

    // Prints the program folder's report.prn as the report of client `client`. Returns an empty string when the
    // report came out, on paper or in a PDF file; otherwise what kept it from coming out (the supervisor declining
    // the PDF file included), for the caller to show.
    QString print(int client);

    // From now on each report goes straight into a PDF file of its own in `folder`, without the printer.
    void savePdfFilesIn(const QString& folder);

    // Tells the supervisor which PDF files were written since the last call, if any were.
    void tellSaved();

    // A name in the PDF folder for client `client`'s report of today that no file has yet.
    QString freePdfName(int client) const;

    const QStringList& savedFiles() const { return m_saved; }
    const QString& pdfFolder() const { return m_folder; }

    // The user's documents folder (the home folder when the system names none).
    static QString DefaultPdfFolder();

private:
    QString saveAsPdf(int client, const QString& noPrinter);

    AppContext& m_ctx;
    bool m_batch;
    QString m_folder;
    bool m_pdfAgreed = false;
    bool m_pdfOnly = false;
    QStringList m_saved;
    QStringList m_unreported;
};
