#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPalette>
#include <QSize>
#include <QStaticText>
#include <QVector>
#include <array>
#include <vector>

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
    // A name that does not fit its item, as ChartPainter::ClippedName draws
    // it for the painter's font and device, for items of up to
    // kMaxShapePixels; nullptr the first time it is asked for at that size
    // and colour, as for wholeName. Let go like the layouts, once they hold
    // more than kClippedPixels pixels.
    const QImage* clippedName(const QString& name, QSize size, const QColor& colour,
                              const QPainter& painter, const QStaticText* layout = nullptr);
    // A name that fits its item, as ChartPainter::WholeName draws it from
    // its layout; kept and let go with the cut names. Nullptr the first time
    // the name is asked for in that colour: a name drawn once (the first
    // paint after opening a chart) costs less drawn straight, so only names
    // drawn again get a picture.
    const QImage* wholeName(const QString& name, const QStaticText& layout, const QColor& colour,
                            const QPainter& painter);
    // The item's body drawn at (0, 0), or nullptr when the item is too large
    // to keep; corners outside a rounded shape are transparent.
    const QImage* itemShape(bool roundedCorners, int width, int height, const QColor& fill);
    // An arrowhead outlined in `pen` and filled with `fill`, drawn with its
    // smallest corner at (1, 1); the picture goes to the smallest corner less
    // one pixel. Arrowheads are small and of few shapes, so a picture of each
    // is far quicker to put down than the polygon.
    const QImage& arrowHead(const std::array<QPoint, 3>& head, const QColor& pen,
                            const QColor& fill);
    // An arrowhead's picture with the place of its top-left corner on the canvas.
    struct PlacedHead {
        QPoint at;
        QImage picture;
    };
    // The arrowheads of link `index`, one per segment from `from` through
    // the bending points to `to`, outlined in `pen` and filled with `fill`.
    // Kept with the corners and colours they were made for, and made again
    // only when one of them changes.
    const std::vector<PlacedHead>& linkHeads(int index, QPoint from, const QVector<QPoint>& points,
                                             QPoint to, const QColor& pen, const QColor& fill);
    // Lets go of what is kept for links from `count` on.
    void keepLinks(int count);

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
    struct ClippedKey {
        QString name;
        QSize size;
        QRgb colour;
        bool operator==(const ClippedKey&) const = default;
        friend size_t qHash(const ClippedKey& k, size_t seed = 0) {
            return qHashMulti(seed, k.name, k.size.width(), k.size.height(), k.colour);
        }
    };
    struct KeptPicture {
        QImage picture;
        quint64 lastRepaint = 0;
        bool made = true; // false for a name seen once, with no picture yet
    };
    static constexpr qint64 kClippedPixels = 4 << 20;
    QHash<ClippedKey, KeptPicture> m_clipped;
    qint64 m_clippedPixels = 0;
    // The picture kept under the key: nullptr when the key is new (it is
    // noted), made by `make` when it is asked for again.
    template <typename Make>
    const QImage* keptPicture(const QPainter& painter, const ClippedKey& key, Make make);
    QHash<quint64, QImage> m_shapes[2]; // plain and rounded, by size and fill
    // By outline colour, then by shape and fill.
    QHash<QRgb, QHash<quint64, QImage>> m_arrowHeads;
    struct KeptLink {
        bool made = false;
        QPoint from, to;
        QVector<QPoint> points; // shares the link's own while it is unchanged
        QRgb pen = 0, fill = 0;
        std::vector<PlacedHead> heads;
    };
    std::vector<KeptLink> m_links; // by link index
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
    // A name that does not fit its item (or has more than one line): centred
    // on one line and cut at the item's edges, drawn in the painter's font
    // onto a transparent picture of the item's size made for the painter's
    // device, of which only the part with ink is returned, with its place in
    // the item as the picture's offset (a null picture when nothing shows).
    // Kept or not, such names are drawn on a picture like this one (a name
    // drawn once on a reused one of the item's size), so every way gives
    // the same pixels. A one-line name's layout in the painter's font
    // (NameLayout), when given, spares laying the name out again.
    static QImage ClippedName(const QString& name, QSize size, const QColor& colour,
                              const QPainter& painter, const QStaticText* layout = nullptr);
    // A name that fits its item, from its layout (NameLayout in the
    // painter's font): the part with ink, ink beyond the layout's box
    // included, with its place from the layout's top-left corner as the
    // picture's offset (a null picture when nothing shows). Put down at the
    // layout's place, it gives the pixels of the layout drawn there.
    static QImage WholeName(const QStaticText& layout, const QColor& colour,
                            const QPainter& painter);
    // The smallest item in which the name, drawn in the font, shows whole:
    // centred, with its ink clear of the outline and the rounded corners.
    static QSize NameItemSize(const QString& name, const QFont& font);

    // Draws the canvas of that size. The painter is clipped to the exposed
    // rectangle (the whole canvas without one); items and links wholly
    // outside it are skipped.
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
    void paintArrowHeads(QPainter& p, int index, QPoint from, const QVector<QPoint>& points,
                         QPoint to, const QColor& pen, const QColor& fill) const;
    void paintItems(QPainter& p, const Chart& chart, const QRect& area) const;
    void paintStartFlag(QPainter& p, const Chart& chart) const;
    void paintRubberBand(QPainter& p, const EditState& edit) const;
    void paintLinkInProgress(QPainter& p, const EditState& edit) const;

    const QPalette& m_palette;
    PaintCache* m_cache;
};

} // namespace qvx
