#pragma once

#include "core/reports/PrinterSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QList>

class QPaintDevice;

// The faces the reports ask for by name, at the resolution of the device they
// print on, with their metrics. A report switches between a few fonts many
// times, so each one is built once.
class PrintFonts
{
public:
    // `device` gives the resolution; it must outlive this cache.
    explicit PrintFonts(const QPaintDevice *device);

    const QFont &font(const PrintFont &font) const { return entry(font).qfont; }
    // Width of the text and height of a line, in inches.
    double width(const QString &text, const PrintFont &font) const;
    double lineHeight(const PrintFont &font) const;
    // Distance from the top of a line to its baseline, in device units.
    double ascent(const PrintFont &font) const { return entry(font).metrics.ascent(); }
    double dotsPerInch() const { return m_dpi; }

private:
    struct Entry
    {
        PrintFont key;
        QFont qfont;
        QFontMetricsF metrics;
    };
    const Entry &entry(const PrintFont &font) const;

    const QPaintDevice *m_device;
    double m_dpi;
    mutable QList<Entry> m_entries;
    mutable qsizetype m_last = -1;
};
