#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPalette>
#include <QSize>
#include <QStaticText>

class QPainter;

namespace qvx {

class Chart;
struct EditState;

// Pieces of the drawing kept between repaints: the laid-out item names and
// the look of items (shape, outline and fill, without the name) for each size
// and fill colour. Reusing them spares shaping the text and rasterising the
// rounded outline at every repaint.
class PaintCache {
  public:
    // Marks the start of a repaint in the font the names are drawn in. Names
    // not drawn by the last repaint are let go once more than kLimit are
    // kept, so the cache holds at least what one repaint draws and never
    // throws away names still on show.
    void beginRepaint(const QFont& font);
    const QStaticText& nameLayout(const QString& name, const QFont& font);
    // The item's body drawn at (0, 0), or nullptr when the item is too large
    // to keep; corners outside a rounded shape are transparent.
    const QImage* itemShape(bool roundedCorners, int width, int height, const QColor& fill);

    // Items up to this many pixels are kept as images.
    static constexpr int kMaxShapePixels = 128 * 128;

  private:
    static constexpr int kLimit = 4096;
    struct KeptName {
        QStaticText text;
        quint64 lastRepaint = 0; // the repaint that last drew it
    };
    QFont m_font;
    quint64 m_repaint = 0;
    QHash<QString, KeptName> m_names;
    QHash<quint64, QImage> m_shapes[2]; // plain and rounded, by size and fill
};

// Draws the canvas: background, links, items, the start flag, the rubber
// band and the link being drawn, in that order. System colours come from the
// palette it is given. Only what reaches the exposed part of the canvas is
// drawn; there the pixels are the same as for a repaint of the whole canvas.
class ChartPainter {
  public:
    explicit ChartPainter(const QPalette& palette, PaintCache* cache = nullptr)
        : m_palette(palette), m_cache(cache) {}

    // Draws an item's body (shape, black outline and fill) over r.
    static void DrawItemShape(QPainter& p, bool roundedCorners, const QRect& r, const QColor& fill);
    // A name laid out on one line in the font, as items show it.
    static QStaticText NameLayout(const QString& name, const QFont& font);
    // The smallest item in which the name, drawn in the font, shows whole:
    // centred, with its ink clear of the outline and the rounded corners.
    static QSize NameItemSize(const QString& name, const QFont& font);

    // Draws the canvas of that size. With an exposed rectangle the painter is
    // clipped to it and items and links wholly outside it are skipped.
    void Paint(QPainter& painter, const Chart& chart, const EditState& edit, QSize size,
               const QRect& exposed = QRect()) const;

    // A stored item colour (0x00BBGGRR or a system colour) as a QColor.
    QColor Resolve(quint32 colour) const;
    // White or black: the text colour that reads on a fill of that colour.
    QColor TextColourFor(quint32 colour) const;

    // The palette role standing in for a system colour index.
    static QPalette::ColorRole SystemRole(int index);

  private:
    void paintLinks(QPainter& p, const Chart& chart, const QRect& area) const;
    void paintItems(QPainter& p, const Chart& chart, const QRect& area) const;
    void paintStartFlag(QPainter& p, const Chart& chart) const;
    void paintRubberBand(QPainter& p, const EditState& edit) const;
    void paintLinkInProgress(QPainter& p, const EditState& edit) const;

    const QPalette& m_palette;
    PaintCache* m_cache;
};

} // namespace qvx
