#include "editor/ChartPainter.h"

#include "document/Chart.h"
#include "document/ItemColours.h"
#include "document/PaletteColours.h"
#include "editor/CanvasGeometry.h"
#include "editor/EditState.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <memory>

namespace qvx {

namespace {
// Where a laid-out name of that extent sits centred in r: its top-left corner
// on whole pixels, so that every way of drawing it gives the same pixels.
QPointF centredName(const QRect& r, const QSizeF& extent) {
    return {r.left() + std::floor((r.width() - extent.width()) / 2),
            r.top() + std::floor((r.height() - extent.height()) / 2)};
}

// What a kept picture counts for: its pixels, and at least one, so that
// pictures of names without ink are let go too.
qint64 keptPixels(const QImage& picture) {
    return std::max<qint64>(1, qint64(picture.width()) * picture.height());
}

// Puts a picture down at its offset from `origin`; a null picture draws nothing.
void drawAt(QPainter& p, QPoint origin, const QImage& picture) {
    if (!picture.isNull()) p.drawImage(origin + picture.offset(), picture);
}

// The start flag reaches this far above the item's top edge (CanvasGeometry::StartFlag).
constexpr int kFlagRise = 12;
} // namespace

void PaintCache::beginRepaint(const QFont& font) {
    if (font != m_font) {
        m_names.clear();
        m_clipped.clear();
        m_clippedPixels = 0;
        m_font = font;
    }
    ++m_repaint;
    // Keeps what the last repaint drew: a repaint that draws the same names
    // again finds them all, however many there are.
    if (m_names.size() > kLimit) {
        for (auto it = m_names.begin(); it != m_names.end();) {
            if (it->lastRepaint + 1 < m_repaint)
                it = m_names.erase(it);
            else
                ++it;
        }
    }
    if (m_clippedPixels > kClippedPixels) {
        for (auto it = m_clipped.begin(); it != m_clipped.end();) {
            if (it->lastRepaint + 1 < m_repaint) {
                m_clippedPixels -= keptPixels(it->picture);
                it = m_clipped.erase(it);
            } else {
                ++it;
            }
        }
    }
}

template <typename Make>
const QImage* PaintCache::keptPicture(const QPainter& painter, const ClippedKey& key, Make make) {
    if (painter.font() != m_font) beginRepaint(painter.font());
    auto it = m_clipped.find(key);
    if (it == m_clipped.end()) {
        // Seen for the first time: noted, and drawn straight.
        m_clipped.insert(key, KeptPicture{QImage(), m_repaint, false});
        m_clippedPixels += 1;
        return nullptr;
    }
    if (!it->made) {
        // Asked for again by the repaint that first saw it (two items of one
        // name): still drawn straight, so that a first paint makes none.
        if (it->lastRepaint == m_repaint) return nullptr;
        it->lastRepaint = m_repaint;
        it->picture = make();
        it->made = true;
        m_clippedPixels += keptPixels(it->picture) - 1;
    }
    it->lastRepaint = m_repaint;
    return &it->picture;
}

const QImage* PaintCache::clippedName(const QString& name, QSize size, const QColor& colour,
                                      const QPainter& painter, const QStaticText* layout) {
    return keptPicture(painter, {name, size, colour.rgba()}, [&] {
        return ChartPainter::ClippedName(name, size, colour, painter, layout);
    });
}

const QImage* PaintCache::wholeName(const QString& name, const QStaticText& layout,
                                    const QColor& colour, const QPainter& painter) {
    // Kept with the cut names, under no size.
    return keptPicture(painter, {name, QSize(), colour.rgba()},
                       [&] { return ChartPainter::WholeName(layout, colour, painter); });
}

const QStaticText& PaintCache::nameLayout(const QString& name, const QFont& font) {
    if (font != m_font) beginRepaint(font);
    auto it = m_names.find(name);
    if (it == m_names.end())
        it = m_names.insert(name, KeptName{ChartPainter::NameLayout(name, font), m_repaint});
    else
        it->lastRepaint = m_repaint;
    return it->text;
}

const QImage* PaintCache::itemShape(bool roundedCorners, int width, int height,
                                    const QColor& fill) {
    if (width <= 0 || height <= 0 || qint64(width) * height > kMaxShapePixels) return nullptr;
    QHash<quint64, QImage>& shapes = m_shapes[roundedCorners ? 1 : 0];
    if (shapes.size() > kLimit) shapes.clear();
    // Both sides fit 16 bits here, since their product is limited.
    const quint64 key = quint64(width) << 48 | quint64(height) << 32 | fill.rgba();
    auto it = shapes.find(key);
    if (it == shapes.end()) {
        QImage shape(width, height, QImage::Format_ARGB32_Premultiplied);
        shape.fill(Qt::transparent);
        QPainter sp(&shape);
        ChartPainter::DrawItemShape(sp, roundedCorners, QRect(0, 0, width, height), fill);
        sp.end();
        it = shapes.insert(key, shape);
    }
    return &*it;
}

const QImage& PaintCache::arrowHead(const std::array<QPoint, 3>& head, const QColor& pen,
                                    const QColor& fill) {
    QHash<quint64, QImage>& heads = m_arrowHeads[pen.rgba()];
    if (heads.size() > kLimit) heads.clear();
    const int left = std::min({head[0].x(), head[1].x(), head[2].x()});
    const int top = std::min({head[0].y(), head[1].y(), head[2].y()});
    // The corners lie within 7 pixels of the segment's middle, so each
    // offset from the smallest corner fits 5 bits.
    quint64 key = fill.rgba();
    for (const QPoint& c : head) {
        key = (key << 5) | (quint64(c.x() - left) & 31);
        key = (key << 5) | (quint64(c.y() - top) & 31);
    }
    auto it = heads.find(key);
    if (it == heads.end()) {
        const QPoint to(1 - left, 1 - top);
        const QPoint moved[3] = {head[0] + to, head[1] + to, head[2] + to};
        int width = 0, height = 0;
        for (const QPoint& c : moved)
            width = std::max(width, c.x() + 2), height = std::max(height, c.y() + 2);
        QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter ap(&picture);
        ap.setPen(QPen(pen, 1, Qt::SolidLine));
        ap.setBrush(fill);
        ap.drawConvexPolygon(moved, 3);
        ap.end();
        it = heads.insert(key, picture);
    }
    return *it;
}

const std::vector<PaintCache::PlacedHead>& PaintCache::linkHeads(int index, QPoint from,
                                                                 const QVector<QPoint>& points,
                                                                 QPoint to, const QColor& pen,
                                                                 const QColor& fill) {
    if (index < 0) index = 0;
    if (size_t(index) >= m_links.size()) m_links.resize(size_t(index) + 1);
    KeptLink& kept = m_links[size_t(index)];
    // Comparing the points costs nothing while they are the link's own.
    if (kept.made && kept.from == from && kept.to == to && kept.pen == pen.rgba() &&
        kept.fill == fill.rgba() && kept.points == points)
        return kept.heads;
    kept = KeptLink{true, from, to, points, pen.rgba(), fill.rgba(), {}};
    kept.heads.reserve(size_t(points.size()) + 1);
    QPoint s = from;
    for (int i = 0; i <= points.size(); ++i) {
        const QPoint e = i < points.size() ? points[i] : to;
        const auto head = CanvasGeometry::ArrowHead(s, e);
        // The picture goes to the smallest corner less one pixel.
        const QPoint at(std::min({head[0].x(), head[1].x(), head[2].x()}) - 1,
                        std::min({head[0].y(), head[1].y(), head[2].y()}) - 1);
        kept.heads.push_back({at, arrowHead(head, pen, fill)});
        s = e;
    }
    return kept.heads;
}

void PaintCache::keepLinks(int count) {
    m_links.resize(size_t(std::max(count, 0)));
}

void ChartPainter::DrawItemShape(QPainter& p, bool roundedCorners, const QRect& r,
                                 const QColor& fill) {
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    p.setBrush(fill);
    // The outline covers exactly the pixels of r, as the item's hit area.
    const QRect frame = r.adjusted(0, 0, -1, -1);
    if (roundedCorners)
        p.drawRoundedRect(frame, 5, 5, Qt::AbsoluteSize);
    else
        p.drawRect(frame);
}

QStaticText ChartPainter::NameLayout(const QString& name, const QFont& font) {
    QStaticText text(name);
    text.setTextFormat(Qt::PlainText);
    text.setPerformanceHint(QStaticText::AggressiveCaching);
    text.prepare(QTransform(), font);
    return text;
}

namespace {

// A transparent picture of that size for the painter's device: the same
// resolution, so that the font comes out at the same size.
QImage namePicture(QSize size, const QPainter& painter) {
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    if (const QPaintDevice* device = painter.device()) {
        picture.setDotsPerMeterX(qRound(device->logicalDpiX() / 0.0254));
        picture.setDotsPerMeterY(qRound(device->logicalDpiY() / 0.0254));
    }
    picture.fill(Qt::transparent);
    return picture;
}

// A transparent picture of that size for the painter's device, with `draw`
// putting the name on it in the painter's font and `colour`. Only the part
// with ink is returned, with its place in the picture less `origin` as the
// picture's offset; a null picture when nothing shows. Blending the
// transparent rest would change no pixel and cost as much again.
template <typename Draw>
QImage inkPicture(QSize size, QPoint origin, const QColor& colour, const QPainter& painter,
                  Draw draw) {
    QImage picture = namePicture(size, painter);
    QPainter np(&picture);
    np.setFont(painter.font());
    np.setPen(colour);
    draw(np);
    np.end();
    QRect ink;
    const int width = picture.width(), height = picture.height();
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        int first = -1, last = -1;
        for (int x = 0; x < width; ++x)
            if (qAlpha(line[x]) != 0) {
                if (first < 0) first = x;
                last = x;
            }
        if (first >= 0) ink |= QRect(first, y, last - first + 1, 1);
    }
    if (ink.isNull()) return QImage();
    QImage part = picture.copy(ink);
    part.setOffset(ink.topLeft() - origin);
    return part;
}

// A name centred on one line in a picture of that size, in np's font and pen.
void drawCutName(QPainter& np, QSize size, const QString& name, const QStaticText* layout) {
    if (layout) {
        // The name's layout put where centring on one line puts it, not on
        // whole pixels: the same pixels without laying it out again.
        const QSizeF extent = layout->size();
        np.drawStaticText(
            QPointF((size.width() - extent.width()) / 2, (size.height() - extent.height()) / 2),
            *layout);
    } else {
        np.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter | Qt::TextSingleLine, name);
    }
}

// Puts down names cut at their items without a picture of each: a name is
// drawn on a transparent pad of the item's size, as ClippedName draws it, and
// the whole pad goes on the canvas. Its transparent part changes no pixel, so
// the canvas gets the pixels of the kept picture without the cost of making
// one (a painter of its own, the search for ink). The pad and its painter
// serve name after name while the size stays.
class NamePad {
  public:
    explicit NamePad(const QPainter& canvas) : m_canvas(canvas) {}
    void draw(QPainter& p, const QRect& r, const QString& name, const QColor& colour,
              const QStaticText* layout) {
        if (m_pad.size() != r.size()) {
            m_painter.reset();
            m_pad = namePicture(r.size(), m_canvas);
            m_painter = std::make_unique<QPainter>(&m_pad);
            m_painter->setFont(m_canvas.font());
        } else {
            m_painter->setCompositionMode(QPainter::CompositionMode_Source);
            m_painter->fillRect(m_pad.rect(), Qt::transparent);
            m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        m_painter->setPen(colour);
        drawCutName(*m_painter, r.size(), name, layout);
        p.drawImage(r.topLeft(), m_pad);
    }

  private:
    const QPainter& m_canvas;
    QImage m_pad;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace

QImage ChartPainter::ClippedName(const QString& name, QSize size, const QColor& colour,
                                 const QPainter& painter, const QStaticText* layout) {
    return inkPicture(size, QPoint(0, 0), colour, painter,
                      [&](QPainter& np) { drawCutName(np, size, name, layout); });
}

QImage ChartPainter::WholeName(const QStaticText& layout, const QColor& colour,
                               const QPainter& painter) {
    // Ink may reach beyond the layout's box (overhanging letters, a fallback
    // font for Japanese): a line's height of room all round takes it in.
    const QSizeF extent = layout.size();
    const int room = int(std::ceil(extent.height())) + 2;
    const QSize size(int(std::ceil(extent.width())) + 2 * room,
                     int(std::ceil(extent.height())) + 2 * room);
    return inkPicture(size, QPoint(room, room), colour, painter,
                      [&](QPainter& np) { np.drawStaticText(QPointF(room, room), layout); });
}

QSize ChartPainter::NameItemSize(const QString& name, const QFont& font) {
    // The ink can reach beyond the layout's box (overhanging letters, a
    // fallback font for Japanese), so the name is drawn once, on whole pixels
    // as on the canvas, and its ink is measured.
    const QStaticText text = NameLayout(name, font);
    const QSizeF extent = text.size();
    const int room = int(std::ceil(extent.height())) + 8;
    QImage probe(int(std::ceil(extent.width())) + 2 * room,
                 int(std::ceil(extent.height())) + 2 * room, QImage::Format_ARGB32_Premultiplied);
    probe.fill(Qt::transparent);
    QPainter pp(&probe);
    pp.setFont(font);
    pp.setPen(Qt::black);
    pp.drawStaticText(QPointF(room, room), text);
    pp.end();
    QRect ink;
    for (int y = 0; y < probe.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
        for (int x = 0; x < probe.width(); ++x)
            if (qAlpha(line[x]) != 0) ink |= QRect(x - room, y - room, 1, 1);
    }
    if (ink.isNull()) ink = QRect(0, 0, 1, 1);

    // One pixel for the outline and one more keeps the ink off the rounded
    // corners; the item grows until the centred ink has that room on both sides.
    constexpr int kClear = 2;
    auto fit = [](double extent, int first, int last) {
        int size = int(std::ceil(extent));
        for (;; ++size) {
            const int at = int(std::floor((size - extent) / 2));
            if (at + first >= kClear && at + last <= size - 1 - kClear) return size;
        }
    };
    return {fit(extent.width(), ink.left(), ink.right()),
            fit(extent.height(), ink.top(), ink.bottom())};
}

QPalette::ColorRole ChartPainter::SystemRole(int index) {
    return PaletteColours::SystemRole(index);
}

QColor ChartPainter::Resolve(quint32 colour) const {
    return PaletteColours(m_palette).Resolve(colour);
}

QColor ChartPainter::TextColourFor(quint32 colour) const {
    return PaletteColours(m_palette).TextColourFor(colour);
}

void ChartPainter::Paint(QPainter& p, const Chart& chart, const EditState& edit, QSize size,
                         const QRect& exposed) const {
    const QRect whole(QPoint(0, 0), size);
    const QRect area = exposed.isNull() ? whole : exposed & whole;
    if (area.isEmpty()) return;
    // Always clipped to a rectangle, even for the whole canvas: with a clip
    // rectangle of its own, the painter writes the pixels of thin lines
    // straight into the picture; with none, or with only the window's clip,
    // it hands them on one by one, at several times the cost.
    p.save();
    p.setClipRect(area, Qt::IntersectClip);
    if (m_cache) m_cache->beginRepaint(p.font());
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(area, Resolve(ItemColours::kSystemFlag | ItemColours::kSysWindow));
    paintLinks(p, chart, area);
    paintItems(p, chart, area);
    paintStartFlag(p, chart);
    paintRubberBand(p, edit);
    paintLinkInProgress(p, edit);
    p.restore();
}

void ChartPainter::paintLinks(QPainter& p, const Chart& chart, const QRect& area) const {
    const QColor highlight = m_palette.color(QPalette::Active, QPalette::Highlight);
    const QColor gray = Resolve(ItemColours::kGray);
    QPen solid(gray, 1, Qt::SolidLine);
    QPen dotted(gray, 1, Qt::DotLine);
    const QBrush white(Qt::white);
    if (m_cache) m_cache->keepLinks(chart.linkCount());

    // The links not selected go down first: the lines of each pen in one
    // call, then their arrowheads. The selected ones follow link by link, so
    // that they lie on top as selected items do.
    std::vector<QLine> solidLines, dottedLines;
    std::vector<int> shown, selected;
    for (int k = 0; k < chart.linkCount(); ++k) {
        const Link& l = chart.links[size_t(k)];
        // Links whose ends are not items of the chart have nowhere to go.
        if (!chart.validItem(l.origin) || !chart.validItem(l.final)) continue;
        // Every pixel of a link lies within its corners' bounds widened by
        // an arrowhead (7 pixels from a segment's middle) or a bending square.
        const QPoint a = chart.ItemCentre(l.origin), b = chart.ItemCentre(l.final);
        int left = std::min(a.x(), b.x()), right = std::max(a.x(), b.x());
        int top = std::min(a.y(), b.y()), bottom = std::max(a.y(), b.y());
        for (const QPoint& c : l.points) {
            left = std::min(left, c.x());
            right = std::max(right, c.x());
            top = std::min(top, c.y());
            bottom = std::max(bottom, c.y());
        }
        constexpr int kReach = 10;
        if (right + kReach < area.left() || left - kReach > area.right() ||
            bottom + kReach < area.top() || top - kReach > area.bottom())
            continue;
        if (l.selected) {
            selected.push_back(k);
            continue;
        }
        shown.push_back(k);
        std::vector<QLine>& lines = l.kind == BranchLink ? dottedLines : solidLines;
        QPoint s = a;
        for (const QPoint& e : l.points) {
            lines.emplace_back(s, e);
            s = e;
        }
        lines.emplace_back(s, b);
    }
    p.setPen(dotted);
    p.drawLines(dottedLines.data(), int(dottedLines.size()));
    p.setPen(solid);
    p.drawLines(solidLines.data(), int(solidLines.size()));
    for (const int k : shown) {
        const Link& l = chart.links[size_t(k)];
        paintArrowHeads(p, k, chart.ItemCentre(l.origin), l.points, chart.ItemCentre(l.final), gray,
                        Resolve(chart.items[size_t(l.origin)].colour));
    }

    // A selected link is drawn segment by segment: its bending squares lie
    // over the segment before them and under the one after.
    solid.setColor(highlight);
    dotted.setColor(highlight);
    const QBrush marked(highlight);
    for (const int k : selected) {
        const Link& l = chart.links[size_t(k)];
        const QPoint from = chart.ItemCentre(l.origin), to = chart.ItemCentre(l.final);
        const std::vector<PaintCache::PlacedHead>* heads =
            m_cache ? &m_cache->linkHeads(k, from, l.points, to, highlight, highlight) : nullptr;
        p.setPen(solid);
        p.setBrush(marked);
        QPoint s = from;
        const int corners = int(l.points.size());
        for (int i = 0; i <= corners; ++i) {
            const bool bending = i < corners;
            const QPoint e = bending ? l.points[i] : to;
            if (l.kind == BranchLink) {
                p.setPen(dotted);
                p.drawLine(s, e);
                p.setPen(solid);
            } else {
                p.drawLine(s, e);
            }
            if (heads) {
                p.drawImage((*heads)[size_t(i)].at, (*heads)[size_t(i)].picture);
            } else {
                const auto head = CanvasGeometry::ArrowHead(s, e);
                p.drawConvexPolygon(head.data(), 3);
            }
            if (bending) {
                p.setBrush(white);
                p.drawRect(QRect(e.x() - 2, e.y() - 2, 4, 4));
                p.setBrush(marked);
            }
            s = e;
        }
    }
    p.setBrush(white);
}

void ChartPainter::paintArrowHeads(QPainter& p, int index, QPoint from,
                                   const QVector<QPoint>& points, QPoint to, const QColor& pen,
                                   const QColor& fill) const {
    if (m_cache) {
        for (const PaintCache::PlacedHead& head :
             m_cache->linkHeads(index, from, points, to, pen, fill))
            p.drawImage(head.at, head.picture);
        return;
    }
    p.setBrush(fill);
    QPoint s = from;
    for (int i = 0; i <= points.size(); ++i) {
        const QPoint e = i < points.size() ? points[i] : to;
        const auto head = CanvasGeometry::ArrowHead(s, e);
        p.drawConvexPolygon(head.data(), 3);
        s = e;
    }
}

void ChartPainter::paintItems(QPainter& p, const Chart& chart, const QRect& area) const {
    const QColor highlight = m_palette.color(QPalette::Active, QPalette::Highlight);
    const QColor highlightText = m_palette.color(QPalette::Active, QPalette::HighlightedText);
    // A name that fits is drawn without a clip, and its ink may overhang the
    // item a little; a line's height all round covers that.
    const int reach = QFontMetrics(p.font()).height() + 2;
    const QRect near = area.adjusted(-reach, -reach, reach, reach);
    NamePad pad(p);
    // Unselected items first, so that the selected ones lie on top.
    for (int pass = 0; pass < 2; ++pass) {
        const bool wantSelected = pass == 1;
        for (const Item& it : chart.items) {
            if (it.selected != wantSelected) continue;
            const QRect r(it.left, it.top, it.width, it.height);
            if (!r.intersects(near)) continue;
            const QColor fill = it.selected ? highlight : Resolve(it.colour);
            const bool rounded = it.kind != KindMot;
            const QImage* shape =
                m_cache ? m_cache->itemShape(rounded, r.width(), r.height(), fill) : nullptr;
            if (shape)
                p.drawImage(r.topLeft(), *shape);
            else
                DrawItemShape(p, rounded, r, fill);
            if (it.name.isEmpty()) continue;
            const QColor colour = it.selected ? highlightText : TextColourFor(it.colour);
            // Centred on one line and clipped to the item. A name that fits is
            // drawn from its layout without a clip, ink beyond the item
            // included; once it is drawn again, from a kept picture of the
            // layout: the same pixels either way. The kept layout is used
            // where it lies: copying it costs more than the rest of putting
            // a kept name down. The pen is set only for a name drawn
            // straight: a changed pen costs the painter work at the next
            // picture put down too.
            QStaticText made;
            const QStaticText* layout = nullptr;
            if (!it.name.contains(u'\n')) {
                if (m_cache) {
                    layout = &m_cache->nameLayout(it.name, p.font());
                } else {
                    made = NameLayout(it.name, p.font());
                    layout = &made;
                }
                const QSizeF extent = layout->size();
                if (extent.width() <= r.width() && extent.height() <= r.height()) {
                    const QPointF at = centredName(r, extent);
                    const QImage* picture =
                        m_cache ? m_cache->wholeName(it.name, *layout, colour, p) : nullptr;
                    if (picture) {
                        drawAt(p, at.toPoint(), *picture);
                    } else {
                        p.setPen(colour);
                        p.drawStaticText(at, *layout);
                    }
                    continue;
                }
            }
            // The cut name from its kept picture once it is drawn again, else
            // through the pad; an item too large to keep a picture for has
            // its name drawn straight, cut at the item.
            if (qint64(r.width()) * r.height() > PaintCache::kMaxShapePixels) {
                p.setPen(colour);
                p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, it.name);
            } else if (const QImage* picture =
                           m_cache ? m_cache->clippedName(it.name, r.size(), colour, p, layout)
                                   : nullptr) {
                drawAt(p, r.topLeft(), *picture);
            } else {
                pad.draw(p, r, it.name, colour, layout);
            }
        }
    }
    p.setBrush(Qt::white);
}

void ChartPainter::paintStartFlag(QPainter& p, const Chart& chart) const {
    if (!chart.validItem(chart.startItem)) return;
    const Item& it = chart.items[size_t(chart.startItem)];
    // The flag stands above the item's corner. For an item near the top edge
    // (a rebuilt chart starts at top 5) flag and pole move down together, so
    // that the flag is drawn whole; the item itself stays where it is.
    const QPoint corner(it.left, std::max(it.top, kFlagRise));
    const auto flag = CanvasGeometry::StartFlag(corner);
    const auto pole = CanvasGeometry::StartFlagPole(corner);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(it.selected ? m_palette.color(QPalette::Active, QPalette::Highlight)
                           : Resolve(ItemColours::kRed));
    p.drawConvexPolygon(flag.data(), 3);
    p.drawLine(pole[0], pole[1]);
    p.setBrush(Qt::white);
}

void ChartPainter::paintRubberBand(QPainter& p, const EditState& edit) const {
    if (!edit.rubberBand) return;
    const QPoint d = edit.downPoint;
    const QPoint c = edit.lastPoint;
    const QPoint outline[] = {d, QPoint(c.x(), d.y()), c, QPoint(d.x(), c.y()), d};
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(outline, 5);
}

void ChartPainter::paintLinkInProgress(QPainter& p, const EditState& edit) const {
    if (!edit.linkDrawing || edit.fixedPoints.isEmpty()) return;
    p.setPen(QPen(Resolve(ItemColours::kRed), 1, Qt::SolidLine));
    p.drawPolyline(edit.fixedPoints.constData(), int(edit.fixedPoints.size()));
    p.drawLine(edit.fixedPoints.last(), edit.mousePoint);
}

} // namespace qvx
