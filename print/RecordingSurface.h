#pragma once

#include "core/reports/PrinterSurface.h"
#include "print/PrintFonts.h"

#include <QImage>
#include <QList>

// A printer that keeps every text with its job, page, orientation, place and
// font instead of drawing it, measured with the real fonts, so a report's
// layout can be checked without paper or pixels.
class RecordingSurface : public PrinterSurface
{
public:
    struct Text
    {
        int job;  // 1, 2, ... in the order the jobs ended or are open
        int page; // 1, 2, ... within the job
        Orientation orientation;
        double x; // inches on the printable area (after any origin shift)
        double y;
        QString text;
        PrintFont font;
    };
    struct Page
    {
        int job;
        int page;
        Orientation orientation;
    };

    // Pages of A4 less a quarter inch of margin on each side.
    RecordingSurface();

    QList<Text> texts;
    QList<Page> pages;
    int jobsEnded = 0;

    // The texts of one job and page, in print order.
    QList<Text> on(int job, int page) const;

protected:
    double measure(const QString &text, const PrintFont &font) const override;
    double measureLineHeight(const PrintFont &font) const override;
    double printableHeight(Orientation orientation) const override;
    void beginPage(Orientation orientation, bool firstOfJob) override;
    void drawText(double x, double y, const QString &text, const PrintFont &font) override;
    void endPage() override {}
    void endJob() override { ++jobsEnded; }

private:
    QImage m_device; // only its resolution matters
    PrintFonts m_fonts;
    int m_job = 0;
    int m_page = 0;
    Orientation m_pageOrientation = Portrait;
};
