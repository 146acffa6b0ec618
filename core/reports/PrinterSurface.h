#pragma once

#include <QString>
#include <QStringList>

// The font settings of the printer: typeface by name, size in points, styles.
struct PrintFont
{
    QString name;
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const PrintFont &) const = default;
};

// The printer every report draws on, one operation at a time. All positions
// and widths are inches from the top left of the printable area. The print
// position moves as the platform's printer moves it: printing stays on the
// line and moves CurrentX to the end of the text; ending the line returns to
// the left edge and moves down one line height of the current font. A page is
// begun by the first output after NewPage (or after EndDoc, which begins a new
// job), in the orientation set at that moment; a line that would run off the
// bottom of the page flows onto a new page. Settings carry on from one job and
// one report to the next.
//
// A back end supplies measuring and drawing; the print position rules live
// here once.
class PrinterSurface
{
public:
    enum Orientation
    {
        Portrait = 1,
        Landscape = 2
    };

    // What one report leaves to the next: the orientation and the font.
    struct Settings
    {
        Orientation orientation = Portrait;
        PrintFont font{QStringLiteral("Arial"), 10};
    };

    virtual ~PrinterSurface() = default;

    Settings settings() const { return {m_orientation, m_font}; }
    void restore(const Settings &settings)
    {
        m_orientation = settings.orientation;
        m_font = settings.font;
    }

    void setOrientation(Orientation orientation) { m_orientation = orientation; }
    Orientation orientation() const { return m_orientation; }

    // Positions in inches from the top left of the printable area; as the
    // platform's scale mode does, this puts the origin back at 0, 0.
    void setScaleModeInches()
    {
        m_scaleLeft = 0;
        m_scaleTop = 0;
    }
    // Shifts the origin: x prints at x - ScaleLeft, y at y - ScaleTop.
    void setScaleLeft(double inches) { m_scaleLeft = inches; }
    void setScaleTop(double inches) { m_scaleTop = inches; }
    double scaleLeft() const { return m_scaleLeft; }
    double scaleTop() const { return m_scaleTop; }

    void setFontName(const QString &name) { m_font.name = name; }
    void setFontSize(double points) { m_font.size = points; }
    void setFontBold(bool on) { m_font.bold = on; }
    void setFontItalic(bool on) { m_font.italic = on; }
    void setFontUnderline(bool on) { m_font.underline = on; }
    const PrintFont &font() const { return m_font; }

    void setCurrentX(double inches) { m_x = inches; }
    void setCurrentY(double inches) { m_y = inches; }
    double currentX() const { return m_x; }
    double currentY() const { return m_y; }

    // Prints at the print position and stays on the line.
    void print(const QString &text);
    // Prints (possibly nothing) and ends the line.
    void printLine(const QString &text = QString());
    // Prints a number as the platform prints one directly: a blank or "-",
    // the digits, a trailing blank (3 prints " 3 ").
    void printNumber(int value);
    // What ends a text cut to its column.
    static inline const QString CutMark = QStringLiteral("\u2026");

    // Prints at most `width` inches of the text, so it never runs into the
    // next column; stays on the line.
    void printFitted(const QString &text, double width);
    // The text when it fits in `width` inches; otherwise its longest start
    // that fits with CutMark after it (trailing blanks dropped), "" when
    // not even the mark fits.
    QString fitted(const QString &text, double width) const;
    // The text in lines no wider than `width` inches, broken at blanks (a
    // word wider than that is broken inside); nothing is left out.
    QStringList wrapped(const QString &text, double width) const;

    // Width of the text in the current font, in inches.
    double textWidth(const QString &text) const;
    // Height of one line of the current font, in inches.
    double lineHeight() const;

    // Ends the page; output goes on at the top left of the next one.
    void newPage();
    // Ends the job and releases it; the next output begins a new job.
    void endDoc();

protected:
    // Back end: width and line height of a text in a font, in inches.
    virtual double measure(const QString &text, const PrintFont &font) const = 0;
    virtual double measureLineHeight(const PrintFont &font) const = 0;
    // Height of the printable area of a page in that orientation, in inches.
    virtual double printableHeight(Orientation orientation) const = 0;
    // Begins a page (and, for the first page, the job) in that orientation.
    virtual void beginPage(Orientation orientation, bool firstOfJob) = 0;
    // Draws a text whose top left lies at (x, y) on the printable area.
    virtual void drawText(double x, double y, const QString &text, const PrintFont &font) = 0;
    // Ends the page just printed; more pages of the job follow.
    virtual void endPage() = 0;
    // Ends the job after its last page.
    virtual void endJob() = 0;

private:
    void ensurePage();
    // The length of the longest start of `text` that, followed by
    // `suffix`, is no wider than `width` inches.
    qsizetype longestStart(const QString &text, double width, const QString &suffix) const;

    Orientation m_orientation = Portrait;
    double m_scaleLeft = 0;
    double m_scaleTop = 0;
    PrintFont m_font{QStringLiteral("Arial"), 10};
    double m_x = 0;
    double m_y = 0;
    bool m_inJob = false;
    bool m_pageOpen = false;
};
