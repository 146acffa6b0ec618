#include "print/ReportJob.h"

#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "print/QtPrinterSurface.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>

PrinterChoice::PrinterChoice()
{
    if (toPdf())
        usePdfPages();
}

void PrinterChoice::usePdfPages()
{
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
}

bool PrinterChoice::toPdf() const
{
    return printer.outputFormat() == QPrinter::PdfFormat ||
           QPrinterInfo::availablePrinters().isEmpty();
}

QString PrinterChoice::pdfFolder(const QString &galaDbPath) const
{
    if (!chosenFolder.isEmpty())
        return chosenFolder;
    return QFileInfo(galaDbPath).absoluteDir().filePath(QStringLiteral("prints"));
}

void PrinterChoice::setUpAccepted()
{
    // A file name chosen in the dialog names the folder; each report still
    // gets a file of its own there.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        chosenFolder = QFileInfo(printer.outputFileName()).absolutePath();
}

ReportOutcome RunReport(PrinterChoice &choice, const QString &pdfFolder, const QString &reportName,
                        const ReportLayout &layout)
{
    QString error;
    QStringList files;
    {
        QtPrinterSurface surface(choice.printer,
                                 pdfFolder.isEmpty() ? QtPrinterSurface::Output::Printer
                                                     : QtPrinterSurface::Output::PdfFiles,
                                 reportName, pdfFolder);
        surface.restore(choice.carried);
        try {
            layout(surface);
        } catch (const EngineError &e) {
            error = e.message();
        }
        surface.discardOpenJob();
        choice.carried = surface.settings();
        if (error.isEmpty())
            error = surface.error();
        files = surface.files();
    }
    return {files, error};
}

QString ReportOutcome::told(const QString &reportName) const
{
    if (failed())
        return PrinterChoice::tr("%1 could not be printed.\n%2").arg(reportName, failure);
    if (written.isEmpty())
        return QString();
    QStringList shown;
    for (const QString &f : written)
        shown << QDir::toNativeSeparators(f);
    return PrinterChoice::tr("%1 was written to\n%2")
        .arg(reportName, shown.join(QLatin1Char('\n')));
}

bool PrintReport(PrinterChoice &choice, const QString &pdfFolder, const QString &reportName,
                 const ReportLayout &layout, Dialogs &dialogs)
{
    const ReportOutcome outcome = RunReport(choice, pdfFolder, reportName, layout);
    const QString told = outcome.told(reportName);
    if (!told.isEmpty())
        dialogs.message(told);
    return !outcome.failed();
}
