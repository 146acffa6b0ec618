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

// Prints one report on the chosen printer: as PDF files in `pdfFolder` when it is not empty, else
// on the printer. Tells the official where the files went or, naming the report, why it could not
// be printed; a file of a failed job is removed. Gives false on failure. The layout's engine
// failures are reported the same way. `written`, when given, receives the PDF files written.
[[nodiscard]] bool PrintReport(PrinterChoice &choice, const QString &pdfFolder,
                               const QString &reportName, const ReportLayout &layout,
                               Dialogs &dialogs, QStringList *written = nullptr);
