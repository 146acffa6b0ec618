#include "print/QtPrinterSurface.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>

#include <utility>

QtPrinterSurface::QtPrinterSurface(QPrinter &printer, Output output, QString reportName,
                                   QString pdfFolder)
    : m_printer(printer), m_output(output), m_reportName(std::move(reportName)),
      m_pdfFolder(std::move(pdfFolder)), m_fonts(&printer)
{
    if (m_output == Output::PdfFiles)
        m_printer.setOutputFormat(QPrinter::PdfFormat);
}

QtPrinterSurface::~QtPrinterSurface()
{
    discardOpenJob();
}

void QtPrinterSurface::discardOpenJob()
{
    if (!m_jobOpen)
        return;
    m_jobOpen = false;
    // A preview holds the whole report as one open job.
    if (m_output == Output::Preview) {
        m_painter.end();
        return;
    }
    m_printer.abort();
    m_painter.end();
    if (m_output == Output::PdfFiles)
        QFile::remove(m_currentFile);
}

double QtPrinterSurface::measure(const QString &text, const PrintFont &font) const
{
    return m_fonts.width(text, font);
}

double QtPrinterSurface::measureLineHeight(const PrintFont &font) const
{
    return m_fonts.lineHeight(font);
}

double QtPrinterSurface::printableHeight(Orientation orientation) const
{
    QPageLayout layout = m_printer.pageLayout();
    layout.setOrientation(orientation == Landscape ? QPageLayout::Landscape
                                                   : QPageLayout::Portrait);
    return layout.paintRect(QPageLayout::Inch).height();
}

void QtPrinterSurface::fail(const QString &why)
{
    if (m_error.isEmpty())
        m_error = why;
    m_skipJob = true;
}

QString QtPrinterSurface::nextFileName()
{
    QString base = m_reportName + QLatin1Char(' ') +
                   QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh-mm-ss"));
    const QDir dir(m_pdfFolder);
    QString name = base + QStringLiteral(".pdf");
    // Tickets printed in the same second each keep their own file.
    for (int n = 2; QFileInfo::exists(dir.filePath(name)) || m_files.contains(dir.filePath(name));
         ++n)
        name = base + QStringLiteral(" (%1).pdf").arg(n);
    return dir.filePath(name);
}

bool QtPrinterSurface::startJob()
{
    if (m_output == Output::PdfFiles) {
        if (!QDir().mkpath(m_pdfFolder)) {
            fail(tr("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(m_pdfFolder)));
            return false;
        }
        m_currentFile = nextFileName();
        m_printer.setOutputFileName(m_currentFile);
        m_printer.setDocName(m_reportName);
    } else if (m_output == Output::Printer) {
        m_printer.setDocName(m_reportName);
    }
    if (!m_painter.begin(&m_printer)) {
        fail(m_output == Output::PdfFiles
                 ? tr("The file %1 cannot be written.").arg(QDir::toNativeSeparators(m_currentFile))
                 : tr("The printer %1 refused the job.").arg(m_printer.printerName()));
        return false;
    }
    m_painterFont.reset();
    m_jobOpen = true;
    return true;
}

void QtPrinterSurface::beginPage(Orientation orientation, bool firstOfJob)
{
    const bool preview = m_output == Output::Preview;
    if (firstOfJob)
        m_skipJob = false;
    if (m_skipJob)
        return;
    m_printer.setPageOrientation(orientation == Landscape ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
    // A preview shows every job of the report as pages of one document.
    if (!m_jobOpen) {
        if (!startJob())
            return;
    } else if ((!firstOfJob || preview) && !m_printer.newPage()) {
        fail(tr("The printer could not start a new page."));
    }
}

void QtPrinterSurface::drawText(double x, double y, const QString &text, const PrintFont &font)
{
    if (m_skipJob || !m_jobOpen)
        return;
    if (!m_painterFont || !(*m_painterFont == font)) {
        m_painter.setFont(m_fonts.font(font));
        m_painterFont = font;
    }
    const double dpi = m_fonts.dotsPerInch();
    m_painter.drawText(QPointF(x * dpi, y * dpi + m_fonts.ascent(font)), text);
}

void QtPrinterSurface::endJob()
{
    if (m_output == Output::Preview || !m_jobOpen)
        return;
    m_jobOpen = false;
    if (!m_painter.end()) {
        fail(tr("The job could not be finished."));
        return;
    }
    if (m_output == Output::PdfFiles && !m_skipJob)
        m_files.append(m_currentFile);
}
