#include "core/reports/PrinterSurface.h"

#include "core/values/PbUtil.h"

#include <algorithm>

void PrinterSurface::ensurePage()
{
    if (!m_pageOpen) {
        beginPage(m_orientation, !m_inJob);
        m_inJob = true;
        m_pageOpen = true;
    }
}

void PrinterSurface::print(const QString &text)
{
    ensurePage();
    const double height = lineHeight();
    // A line that would not fit below flows onto a new page, as the
    // printer's own overflow does; a line at the top always prints.
    if (m_y - m_scaleTop > 0 && m_y - m_scaleTop + height > printableHeight(m_orientation)) {
        endPage();
        beginPage(m_orientation, false);
        m_y = m_scaleTop;
    }
    if (!text.isEmpty()) {
        drawText(m_x - m_scaleLeft, m_y - m_scaleTop, text, m_font);
        m_x += measure(text, m_font);
    }
}

void PrinterSurface::printLine(const QString &text)
{
    print(text);
    m_x = 0;
    m_y += lineHeight();
}

void PrinterSurface::printNumber(int value)
{
    print(PBUTIL::NumberText(float(value)) + QLatin1Char(' '));
}

qsizetype PrinterSurface::longestStart(const QString &text, double width,
                                       const QString &suffix) const
{
    // The widest start that fits, found by halving: a start's width grows
    // with its length.
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (measure(text.left(mid) + suffix, m_font) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

QString PrinterSurface::fitted(const QString &text, double width) const
{
    if (measure(text, m_font) <= width)
        return text;
    // A cut text shows it was cut; a blank left before the mark would be
    // underlined with it.
    const QString kept = text.left(longestStart(text, width, CutMark));
    if (measure(CutMark, m_font) > width)
        return QString();
    QString start = kept;
    while (!start.isEmpty() && start.back().isSpace())
        start.chop(1);
    return start + CutMark;
}

void PrinterSurface::printFitted(const QString &text, double width)
{
    print(fitted(text, width));
}

QStringList PrinterSurface::wrapped(const QString &text, double width) const
{
    QStringList lines;
    QString rest = text.trimmed();
    while (!rest.isEmpty()) {
        if (measure(rest, m_font) <= width) {
            lines << rest;
            break;
        }
        qsizetype cut = longestStart(rest, width, QString());
        // Break at the last blank that fits; a word wider than the column
        // breaks where it must, one character at least.
        const qsizetype blank = rest.lastIndexOf(QLatin1Char(' '), cut);
        if (blank > 0)
            cut = blank;
        cut = std::max<qsizetype>(cut, 1);
        lines << rest.left(cut).trimmed();
        rest = rest.mid(cut).trimmed();
    }
    return lines;
}

double PrinterSurface::textWidth(const QString &text) const
{
    return measure(text, m_font);
}

double PrinterSurface::lineHeight() const
{
    return measureLineHeight(m_font);
}

void PrinterSurface::newPage()
{
    // NewPage on a page with nothing printed still gives that page.
    ensurePage();
    endPage();
    m_pageOpen = false;
    m_x = 0;
    m_y = 0;
}

void PrinterSurface::endDoc()
{
    // A page begun by NewPage and left empty is not printed.
    if (m_inJob) {
        if (m_pageOpen)
            endPage();
        endJob();
    }
    m_inJob = false;
    m_pageOpen = false;
    m_x = 0;
    m_y = 0;
}
