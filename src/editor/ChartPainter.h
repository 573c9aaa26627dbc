#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPalette>
#include <QSize>
#include <QStaticText>

class QPainter;

namespace qvx {

class Chart;
struct EditState;

// Laid-out item names kept between repaints, so that drawing a name does not
// shape its text again every time. Only the text layout is kept; the canvas
// itself is drawn whole at every repaint.
class NameLayouts {
  public:
    const QStaticText& layout(const QString& name, const QFont& font);

  private:
    static constexpr int kLimit = 8192;
    QFont m_font;
    QHash<QString, QStaticText> m_layouts;
};

// Draws the whole canvas: background, links, items, the start flag, the
// rubber band and the link being drawn, in that order. System colours come
// from the palette it is given.
class ChartPainter {
  public:
    explicit ChartPainter(const QPalette& palette, NameLayouts* names = nullptr)
        : m_palette(palette), m_names(names) {}

    void Paint(QPainter& painter, const Chart& chart, const EditState& edit, QSize size) const;

    // A stored item colour (0x00BBGGRR or a system colour) as a QColor.
    QColor Resolve(quint32 colour) const;
    // White or black: the text colour that reads on a fill of that colour.
    QColor TextColourFor(quint32 colour) const;

    // The palette role standing in for a system colour index.
    static QPalette::ColorRole SystemRole(int index);

  private:
    void paintLinks(QPainter& p, const Chart& chart) const;
    void paintItems(QPainter& p, const Chart& chart) const;
    void paintStartFlag(QPainter& p, const Chart& chart) const;
    void paintRubberBand(QPainter& p, const EditState& edit) const;
    void paintLinkInProgress(QPainter& p, const EditState& edit) const;

    const QPalette& m_palette;
    NameLayouts* m_names;
};

} // namespace qvx
