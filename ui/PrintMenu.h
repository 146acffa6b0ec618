#pragma once

#include "print/ReportJob.h"

#include <QCoreApplication>

class Dialogs;
class QWidget;
struct SharedState;

// The sheet's printing on screen: the printer set-up dialog, the preview
// and the running of one report.
class PrintMenu
{
    Q_DECLARE_TR_FUNCTIONS(PrintMenu)
public:
    PrintMenu(SharedState &shared, Dialogs &dialogs, QWidget *parent);

    // "Printer Set-up": the platform's print dialog; Cancel changes nothing.
    void printerSetUp();
    // "Preview Before Printing", remembered for the run.
    bool preview() const;
    void setPreview(bool on);
    // Prints one report (after the preview, when that is on and the official
    // confirms it).
    void run(const QString &reportName, const ReportLayout &layout);

private:
    PrinterChoice &choice();
    [[nodiscard]] bool confirmedInPreview(const QString &reportName, const ReportLayout &layout);

    SharedState &m_shared;
    Dialogs &m_dialogs;
    QWidget *m_parent;
};
