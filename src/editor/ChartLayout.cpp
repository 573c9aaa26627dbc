#include "editor/ChartLayout.h"

#include "document/Chart.h"

#include <gvc.h>
#include <gvplugin.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <dlfcn.h>
#include <numeric>
#include <set>
#include <tuple>
#include <vector>

namespace qvx {

namespace {

// Items are measured in pixels and Graphviz in points: one inch is 72 of each.
constexpr double kPerInch = 72.0;
// Sizes beyond any real item are held to this many pixels for the layout.
constexpr int kLargestSide = 4000;
// Main links pull their ends into one column far harder than branch links.
constexpr char kMainWeight[] = "8";
// Rounds of detours for links that still run along another one.
constexpr int kDetourRounds = 8;

// The dot layout plugin, loaded once from Graphviz's plugin folder and handed
// to Graphviz directly, so arranging works without Graphviz's plugin
// configuration file (which only exists once the system has run its
// configuration step). Null, with the reason, when it cannot be loaded.
const lt_symlist_t* dotPlugin(QString* why) {
    static QString failure;
    static const lt_symlist_t* const builtins = []() -> const lt_symlist_t* {
        const QString dir = QStringLiteral(QVX_GRAPHVIZ_PLUGIN_DIR);
        for (const char* name : {"libgvplugin_dot_layout.so.6", "libgvplugin_dot_layout.so"}) {
            const QByteArray path = QFile::encodeName(dir + u'/' + QLatin1String(name));
            void* library = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
            if (!library) {
                failure = QString::fromLocal8Bit(dlerror());
                continue;
            }
            void* symbol = dlsym(library, "gvplugin_dot_layout_LTX_library");
            if (!symbol) {
                failure = QString::fromLocal8Bit(dlerror());
                continue;
            }
            static lt_symlist_t list[] = {{"gvplugin_dot_layout_LTX_library", symbol},
                                          {nullptr, nullptr}};
            return list;
        }
        return nullptr;
    }();
    if (!builtins && why) *why = failure;
    return builtins;
}

char* text(const char* s) {
    return const_cast<char*>(s);
}

QByteArray inches(int pixels) {
    return QByteArray::number(std::clamp(pixels, 1, kLargestSide) / kPerInch, 'f', 4);
}

// The centre of the grid cell holding v, as the canvas snaps.
int snap(qint64 v, int spacing) {
    const qint64 cell = v >= 0 ? v / spacing : -((-v + spacing - 1) / spacing);
    return int(std::clamp<qint64>(cell * spacing + spacing / 2, 0, INT_MAX / 2));
}

struct Segment {
    // The line the segment lies on (reduced direction and offset) and the
    // stretch it covers along it.
    qint64 dx, dy, offset, from, to;
    int link;
    bool operator<(const Segment& o) const {
        return std::tie(dx, dy, offset, from, to) < std::tie(o.dx, o.dy, o.offset, o.from, o.to);
    }
};

void addSegment(std::vector<Segment>& out, QPoint a, QPoint b, int link) {
    qint64 dx = qint64(b.x()) - a.x(), dy = qint64(b.y()) - a.y();
    if (dx == 0 && dy == 0) return;
    const qint64 g = std::gcd(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
    dx /= g;
    dy /= g;
    if (dx < 0 || (dx == 0 && dy < 0)) {
        dx = -dx;
        dy = -dy;
    }
    qint64 s = dx * a.x() + dy * a.y(), e = dx * b.x() + dy * b.y();
    if (s > e) std::swap(s, e);
    out.push_back({dx, dy, dy * a.x() - dx * a.y(), s, e, link});
}

// The links that run along another link (or back along themselves) for some
// stretch: of each such pair the branch link, or the later one of two links
// of the same kind, is named.
std::set<int> overlappingLinks(const Chart& chart) {
    std::vector<Segment> segments;
    for (int l = 0; l < chart.linkCount(); ++l) {
        const Link& link = chart.links[size_t(l)];
        if (!chart.validItem(link.origin) || !chart.validItem(link.final)) continue;
        QPoint s = chart.ItemCentre(link.origin);
        for (const QPoint& p : link.points) {
            addSegment(segments, s, p, l);
            s = p;
        }
        addSegment(segments, s, chart.ItemCentre(link.final), l);
    }
    std::sort(segments.begin(), segments.end());
    std::set<int> found;
    size_t reach = 0; // the segment reaching furthest along the current line
    for (size_t i = 1; i < segments.size(); ++i) {
        const Segment& a = segments[reach];
        const Segment& b = segments[i];
        if (std::tie(a.dx, a.dy, a.offset) != std::tie(b.dx, b.dy, b.offset)) {
            reach = i;
            continue;
        }
        if (b.from < a.to) {
            const bool aBranch = chart.links[size_t(a.link)].kind == BranchLink;
            const bool bBranch = chart.links[size_t(b.link)].kind == BranchLink;
            found.insert(aBranch && !bBranch
                             ? a.link
                             : (bBranch && !aBranch ? b.link : std::max(a.link, b.link)));
        }
        if (b.to > a.to) reach = i;
    }
    return found;
}

// Drops bending points that repeat the previous one or lie on a straight run
// between their neighbours.
void simplify(QVector<QPoint>& points, QPoint origin, QPoint final) {
    QVector<QPoint> kept;
    QPoint previous = origin;
    for (int i = 0; i < points.size(); ++i) {
        const QPoint p = points[i];
        const QPoint next = i + 1 < points.size() ? points[i + 1] : final;
        const qint64 ax = p.x() - previous.x(), ay = p.y() - previous.y();
        const qint64 bx = next.x() - p.x(), by = next.y() - p.y();
        if ((ax == 0 && ay == 0) || (ax * by - ay * bx == 0 && ax * bx + ay * by > 0)) continue;
        kept.push_back(p);
        previous = p;
    }
    points = kept;
}

class Layout {
  public:
    Layout(Chart& chart, QSize grid)
        : m_chart(chart), m_gw(std::max(2, grid.width())), m_gh(std::max(2, grid.height())) {}
    ~Layout() {
        if (m_graph) {
            gvFreeLayout(m_gvc, m_graph);
            agclose(m_graph);
        }
        if (m_gvc) gvFreeContext(m_gvc);
    }

    bool run() {
        agseterr(AGMAX); // warnings and errors are not printed; a failure shows in the result
        m_gvc = gvContextPlugins(dotPlugin(nullptr), 0);
        if (!m_gvc) return false;
        build();
        if (gvLayout(m_gvc, m_graph, "dot") != 0) return false;
        place();
        route();
        return true;
    }

    int rerouted() const { return m_rerouted; }

  private:
    void build() {
        m_graph = agopen(text("chart"), Agdirected, nullptr);
        const int gapX = std::max(20, 2 * m_gw), gapY = std::max(20, 2 * m_gh);
        agattr(m_graph, AGRAPH, text("nodesep"), inches(gapX).data());
        agattr(m_graph, AGRAPH, text("ranksep"), inches(gapY).data());
        agattr(m_graph, AGRAPH, text("splines"), text("polyline"));
        agattr(m_graph, AGRAPH, text("newrank"), text("true"));
        Agsym_t* width = agattr(m_graph, AGNODE, text("width"), text("0.5"));
        Agsym_t* height = agattr(m_graph, AGNODE, text("height"), text("0.5"));
        agattr(m_graph, AGNODE, text("shape"), text("box"));
        agattr(m_graph, AGNODE, text("fixedsize"), text("true"));
        agattr(m_graph, AGNODE, text("label"), text(""));
        Agsym_t* weight = agattr(m_graph, AGEDGE, text("weight"), text("1"));
        Agsym_t* constraint = agattr(m_graph, AGEDGE, text("constraint"), text("true"));

        const int count = m_chart.itemCount();
        m_nodes.resize(size_t(count));
        for (int i = 0; i < count; ++i) {
            const Item& it = m_chart.items[size_t(i)];
            Agnode_t* n = agnode(m_graph, QByteArray("n" + QByteArray::number(i)).data(), 1);
            agxset(n, width, inches(it.width).data());
            agxset(n, height, inches(it.height).data());
            m_nodes[size_t(i)] = n;
        }
        // The main links make the rows; branch links only follow them, unless
        // there is no main link at all.
        const bool anyMain = std::any_of(m_chart.links.begin(), m_chart.links.end(),
                                         [](const Link& l) { return l.kind != BranchLink; });
        m_edges.assign(size_t(m_chart.linkCount()), nullptr);
        for (int l = 0; l < m_chart.linkCount(); ++l) {
            const Link& link = m_chart.links[size_t(l)];
            if (!m_chart.validItem(link.origin) || !m_chart.validItem(link.final)) continue;
            Agedge_t* e = agedge(m_graph, m_nodes[size_t(link.origin)], m_nodes[size_t(link.final)],
                                 QByteArray("e" + QByteArray::number(l)).data(), 1);
            if (link.kind == BranchLink) {
                if (anyMain) agxset(e, constraint, text("false"));
            } else {
                agxset(e, weight, text(kMainWeight));
            }
            m_edges[size_t(l)] = e;
        }
        if (m_chart.validItem(m_chart.startItem)) {
            Agraph_t* top = agsubg(m_graph, text("start"), 1);
            agsafeset(top, text("rank"), text("min"), text(""));
            agsubnode(top, m_nodes[size_t(m_chart.startItem)], 1);
        }
    }

    // Graphviz counts up from the bottom; the canvas down from the top.
    QPoint canvasPoint(pointf p) const {
        const boxf bb = GD_bb(m_graph);
        return {int(std::clamp<double>(std::lround(p.x - bb.LL.x), 0, INT_MAX / 4)) + m_gw,
                int(std::clamp<double>(std::lround(bb.UR.y - p.y), 0, INT_MAX / 4)) + m_gh};
    }

    void place() {
        for (int i = 0; i < m_chart.itemCount(); ++i) {
            Item& it = m_chart.items[size_t(i)];
            const QPoint c = canvasPoint(ND_coord(m_nodes[size_t(i)]));
            it.left = snap(qint64(c.x()) - std::clamp(it.width, 0, kLargestSide) / 2, m_gw);
            it.top = snap(qint64(c.y()) - std::clamp(it.height, 0, kLargestSide) / 2, m_gh);
        }
    }

    // The corners of Graphviz's route of link l, on the grid, from its origin
    // on (a route may run from the far end when the link points upwards).
    QVector<QPoint> corners(int l) const {
        QVector<QPoint> points;
        const splines* spl = ED_spl(m_edges[size_t(l)]);
        if (!spl || spl->size < 1 || spl->list[0].size < 1) return points;
        const bezier& bz = spl->list[0];
        for (int k = 3; k + 3 < bz.size; k += 3) {
            const QPoint p = canvasPoint(bz.list[k]);
            points.push_back({snap(p.x(), m_gw), snap(p.y(), m_gh)});
        }
        const QPoint a = m_chart.ItemCentre(m_chart.links[size_t(l)].origin);
        const QPoint first = canvasPoint(bz.list[0]), last = canvasPoint(bz.list[bz.size - 1]);
        if ((first - a).manhattanLength() > (last - a).manhattanLength())
            std::reverse(points.begin(), points.end());
        return points;
    }

    // A link into its own item: out to the right of the item and back, the
    // n-th such link of the item a step further out.
    QVector<QPoint> loop(int item, int n) const {
        const Item& it = m_chart.items[size_t(item)];
        const QPoint c = m_chart.ItemCentre(item);
        const int x =
            snap(qint64(it.left) + std::clamp(it.width, 0, kLargestSide) + qint64(1 + 2 * n) * m_gw,
                 m_gw);
        const int half = std::clamp(it.height, 0, kLargestSide) / 4;
        const int above = snap(qint64(c.y()) - half, m_gh);
        return {QPoint(x, above),
                QPoint(x, std::max(snap(qint64(c.y()) + half, m_gh), above + m_gh))};
    }

    void route() {
        int right = 0;
        std::vector<int> loops(size_t(m_chart.itemCount()), 0);
        for (int l = 0; l < m_chart.linkCount(); ++l) {
            if (!m_edges[size_t(l)]) continue;
            Link& link = m_chart.links[size_t(l)];
            if (link.origin == link.final) {
                link.points = loop(link.origin, loops[size_t(link.origin)]++);
            } else {
                link.points = corners(l);
                simplify(link.points, m_chart.ItemCentre(link.origin),
                         m_chart.ItemCentre(link.final));
            }
            for (const QPoint& p : link.points)
                right = std::max(right, p.x());
        }
        for (const Item& it : m_chart.items)
            right =
                std::max<qint64>(right, std::min<qint64>(qint64(it.left) + it.width, INT_MAX / 4));
        // Links that still run along another one go round everything on the
        // right, each down a lane of its own; a lane's ends slope in and out
        // so that no two of them lie on one line.
        int lane = 0;
        for (int round = 0; round < kDetourRounds; ++round) {
            const std::set<int> overlapping = overlappingLinks(m_chart);
            if (overlapping.empty()) break;
            for (int l : overlapping) {
                Link& link = m_chart.links[size_t(l)];
                const QPoint a = m_chart.ItemCentre(link.origin),
                             b = m_chart.ItemCentre(link.final);
                const int x = snap(qint64(right) + qint64(2 + 2 * lane) * m_gw, m_gw);
                const int rise = (1 + lane % 3) * m_gh;
                link.points = {QPoint(x, snap(qint64(a.y()) - rise, m_gh)),
                               QPoint(x, snap(qint64(b.y()) + rise, m_gh))};
                ++lane;
            }
            m_rerouted += int(overlapping.size());
        }
    }

    Chart& m_chart;
    const int m_gw, m_gh;
    GVC_t* m_gvc = nullptr;
    Agraph_t* m_graph = nullptr;
    std::vector<Agnode_t*> m_nodes;
    std::vector<Agedge_t*> m_edges;
    int m_rerouted = 0;
};

} // namespace

ChartLayout::Result ChartLayout::Arrange(Chart& chart, QSize grid) {
    Result result;
    if (chart.items.empty()) {
        result.failure = QCoreApplication::translate("ChartLayout",
                                                     "Nothing to arrange: the chart has no items");
        return result;
    }
    QString missing;
    if (!dotPlugin(&missing)) {
        result.failure =
            QCoreApplication::translate(
                "ChartLayout", "The chart could not be arranged: Graphviz's dot layout plugin "
                               "could not be loaded (%1)")
                .arg(missing);
        return result;
    }
    Layout layout(chart, grid);
    if (!layout.run()) {
        result.failure = QCoreApplication::translate(
            "ChartLayout", "The chart could not be arranged: Graphviz's dot layout failed");
        return result;
    }
    result.arranged = true;
    result.rerouted = layout.rerouted();
    int right = 0, bottom = 0;
    for (const Item& it : chart.items) {
        right = int(std::clamp<qint64>(qint64(it.left) + it.width, right, INT_MAX));
        bottom = int(std::clamp<qint64>(qint64(it.top) + it.height, bottom, INT_MAX));
    }
    for (const Link& l : chart.links)
        for (const QPoint& p : l.points) {
            right = std::max(right, p.x());
            bottom = std::max(bottom, p.y());
        }
    result.extent = QSize(right, bottom);
    return result;
}

QString ChartLayout::DoneText(int items) {
    return items == 1 ? QCoreApplication::translate("ChartLayout", "Arranged 1 item")
                      : QCoreApplication::translate("ChartLayout", "Arranged %1 items").arg(items);
}

QString ChartLayout::ReadHintText() {
    return QCoreApplication::translate("ChartLayout",
                                       "Reading succeeded. Its branch links run across the items: "
                                       "\"Arrange\" in the canvas menu lays the chart out");
}

} // namespace qvx
