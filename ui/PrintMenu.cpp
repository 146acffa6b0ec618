#include "ui/PrintMenu.h"

#include "core/values/Dialogs.h"
#include "core/values/Engine.h"
#include "core/values/SharedState.h"
#include "print/QtPrinterSurface.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>

PrintMenu::PrintMenu(SharedState &shared, Dialogs &dialogs, QWidget *parent)
    : m_shared(shared), m_dialogs(dialogs), m_parent(parent)
{
}

PrinterChoice &PrintMenu::choice()
{
    if (!m_shared.Printing)
        m_shared.Printing = std::make_shared<PrinterChoice>();
    return *m_shared.Printing;
}

void PrintMenu::printerSetUp()
{
    PrinterChoice &c = choice();
    QPrintDialog dialog(&c.printer, m_parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (dialog.exec() == QDialog::Accepted)
        c.setUpAccepted();
}

bool PrintMenu::preview() const
{
    return m_shared.Printing && m_shared.Printing->preview;
}

void PrintMenu::setPreview(bool on)
{
    choice().preview = on;
}

bool PrintMenu::confirmedInPreview(const QString &reportName, const ReportLayout &layout)
{
    QDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    dialog.setWindowTitle(tr("Preview: %1").arg(reportName));
    auto *box = new QVBoxLayout(&dialog);
    auto *view = new QPrintPreviewWidget(&choice().printer, &dialog);
    view->setObjectName(QStringLiteral("PreviewPages"));
    QString failure;
    QObject::connect(view, &QPrintPreviewWidget::paintRequested, &dialog, [&](QPrinter *printer) {
        QtPrinterSurface surface(*printer, QtPrinterSurface::Output::Preview, reportName);
        surface.restore(choice().carried);
        try {
            layout(surface);
        } catch (const EngineError &e) {
            failure = e.message();
        }
    });
    box->addWidget(view, 1);
    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *print = buttons->addButton(tr("Print"), QDialogButtonBox::AcceptRole);
    print->setObjectName(QStringLiteral("PreviewPrint"));
    print->setAccessibleName(tr("Print"));
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("PreviewCancel"));
    cancel->setAccessibleName(cancel->text());
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    box->addWidget(buttons);
    dialog.resize(900, 1000);
    view->updatePreview();
    if (!failure.isEmpty()) {
        m_dialogs.message(tr("%1 could not be printed.\n%2").arg(reportName, failure));
        return false;
    }
    return dialog.exec() == QDialog::Accepted;
}

void PrintMenu::run(const QString &reportName, const ReportLayout &layout)
{
    PrinterChoice &c = choice();
    if (c.preview && !confirmedInPreview(reportName, layout))
        return;
    const QString folder = c.toPdf() ? c.pdfFolder(m_shared.GalaDbPath) : QString();
    (void)PrintReport(c, folder, reportName, layout, m_dialogs);
}
