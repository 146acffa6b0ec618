#include "print/PrintFonts.h"

#include <QPaintDevice>

PrintFonts::PrintFonts(const QPaintDevice *device) : m_device(device), m_dpi(device->logicalDpiY())
{
}

const PrintFonts::Entry &PrintFonts::entry(const PrintFont &font) const
{
    if (m_last >= 0 && m_entries[m_last].key == font)
        return m_entries[m_last];
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].key == font) {
            m_last = i;
            return m_entries[i];
        }
    }
    QFont qfont(font.name);
    qfont.setPointSizeF(font.size);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    // Positions are worked out in inches, so glyphs keep their design widths.
    qfont.setHintingPreference(QFont::PreferNoHinting);
    QFont resolved(qfont, m_device);
    m_entries.append({font, resolved, QFontMetricsF(resolved, m_device)});
    m_last = m_entries.size() - 1;
    return m_entries[m_last];
}

double PrintFonts::width(const QString &text, const PrintFont &font) const
{
    return entry(font).metrics.horizontalAdvance(text) / m_dpi;
}

double PrintFonts::lineHeight(const PrintFont &font) const
{
    return entry(font).metrics.lineSpacing() / m_dpi;
}
