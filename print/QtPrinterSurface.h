#pragma once

#include "core/reports/PrinterSurface.h"
#include "print/PrintFonts.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStringList>

#include <optional>

class QPrinter;

// The printer surface on a QPrinter: the chosen printer, or PDF files. Each
// job of a report becomes one print job, or one PDF file in `pdfFolder`
// named after the report and the time. In a preview all jobs go onto the one
// preview document, one after the other.
class QtPrinterSurface : public PrinterSurface
{
    Q_DECLARE_TR_FUNCTIONS(QtPrinterSurface)
public:
    enum class Output
    {
        Printer, // the QPrinter as it is set up
        PdfFiles,
        Preview // the printer handed out by a print preview
    };

    QtPrinterSurface(QPrinter &printer, Output output, QString reportName,
                     QString pdfFolder = QString());
    ~QtPrinterSurface() override;

    // Ends a job a failure left open; its PDF file is removed.
    void discardOpenJob();

    // The PDF files written so far.
    const QStringList &files() const { return m_files; }
    // Why a job could not be printed; "" while all went well.
    const QString &error() const { return m_error; }

protected:
    double measure(const QString &text, const PrintFont &font) const override;
    double measureLineHeight(const PrintFont &font) const override;
    double printableHeight(Orientation orientation) const override;
    void beginPage(Orientation orientation, bool firstOfJob) override;
    void drawText(double x, double y, const QString &text, const PrintFont &font) override;
    void endPage() override {}
    void endJob() override;

private:
    [[nodiscard]] bool startJob();
    void fail(const QString &why);
    QString nextFileName();

    QPrinter &m_printer;
    Output m_output;
    QString m_reportName;
    QString m_pdfFolder;
    PrintFonts m_fonts;
    QPainter m_painter;
    std::optional<PrintFont> m_painterFont;
    QString m_currentFile;
    QStringList m_files;
    QString m_error;
    bool m_jobOpen = false; // the painter is active on a job
    bool m_skipJob = false; // the job failed: its output goes nowhere
};
