#pragma once

#include <QColor>
#include <QPalette>
#include <QSize>

class QPainter;

namespace qvx {

class Chart;
struct EditState;

// Draws the whole canvas: background, links, items, the start flag, the
// rubber band and the link being drawn, in that order. System colours come
// from the palette it is given.
class ChartPainter {
  public:
    explicit ChartPainter(const QPalette& palette) : m_palette(palette) {}

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
};

} // namespace qvx
