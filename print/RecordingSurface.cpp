#include "print/RecordingSurface.h"

namespace {

// The resolution the PDF back end prints at.
constexpr double DotsPerInch = 1200;

QImage deviceAt(double dpi)
{
    QImage image(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

} // namespace

RecordingSurface::RecordingSurface() : m_device(deviceAt(DotsPerInch)), m_fonts(&m_device) {}

QList<RecordingSurface::Text> RecordingSurface::on(int job, int page) const
{
    QList<Text> out;
    for (const Text &t : texts) {
        if (t.job == job && t.page == page)
            out.append(t);
    }
    return out;
}

double RecordingSurface::measure(const QString &text, const PrintFont &font) const
{
    return m_fonts.width(text, font);
}

double RecordingSurface::measureLineHeight(const PrintFont &font) const
{
    return m_fonts.lineHeight(font);
}

double RecordingSurface::printableHeight(Orientation orientation) const
{
    // A4 is 8.27 by 11.69 inches.
    return (orientation == Portrait ? 11.69 : 8.27) - 0.5;
}

void RecordingSurface::beginPage(Orientation orientation, bool firstOfJob)
{
    if (firstOfJob) {
        ++m_job;
        m_page = 0;
    }
    ++m_page;
    m_pageOrientation = orientation;
    pages.append({m_job, m_page, orientation});
}

void RecordingSurface::drawText(double x, double y, const QString &text, const PrintFont &font)
{
    texts.append({m_job, m_page, m_pageOrientation, x, y, text, font});
}
