#pragma once

#include "core/reports/PrinterSurface.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QString>

#include <functional>

class Dialogs;

// A report drawn on whatever surface it is given.
using ReportLayout = std::function<void(PrinterSurface &)>;

// The printer the reports go to, chosen with "Printer Set-up" and kept for the
// whole run, and whether each report is previewed first.
class PrinterChoice
{
    Q_DECLARE_TR_FUNCTIONS(PrinterChoice)
public:
    PrinterChoice();

    QPrinter printer{QPrinter::HighResolution};
    bool preview = false;
    // The folder of a file chosen in the set-up dialog; "" for the default.
    QString chosenFolder;
    // The font and orientation the last report left, for the next one.
    PrinterSurface::Settings carried;

    // True when the reports become PDF files: the system has no printer or
    // the official chose to print to a file.
    bool toPdf() const;
    // Where PDF files go: the folder chosen in the set-up, else a "prints"
    // folder beside the gala database.
    QString pdfFolder(const QString &galaDbPath) const;
    // Takes in what the set-up dialog left in the printer.
    void setUpAccepted();
    // A4 pages with the margin an office printer cannot print on, as PDF
    // files get them.
    void usePdfPages();
};

// What one report job did: the PDF files it wrote and, when it failed, why
// (a printer's or the database's words).
struct ReportOutcome
{
    QStringList written;
    QString failure;

    bool failed() const { return !failure.isEmpty(); }
    // What the official is told, naming the report: where the files went or
    // why it could not be printed; "" for a job sent to the printer.
    QString told(const QString &reportName) const;
};

// Runs one report on the chosen printer: as PDF files in `pdfFolder` when it
// is not empty, else on the printer. A file of a failed job is removed; the
// layout's engine failures fail the job the same way.
ReportOutcome RunReport(PrinterChoice &choice, const QString &pdfFolder, const QString &reportName,
                        const ReportLayout &layout);

// RunReport, then tells the official the outcome. Gives false on failure.
[[nodiscard]] bool PrintReport(PrinterChoice &choice, const QString &pdfFolder,
                               const QString &reportName, const ReportLayout &layout,
                               Dialogs &dialogs);
