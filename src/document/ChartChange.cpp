#include "document/ChartChange.h"

#include <algorithm>

namespace qvx {

bool ChartChange::sameItem(const Item& a, const Item& b) {
    return a.name == b.name && a.width == b.width && a.height == b.height && a.left == b.left &&
           a.top == b.top && a.colour == b.colour && a.kind == b.kind && a.values == b.values &&
           a.lead == b.lead;
}

bool ChartChange::sameLink(const Link& a, const Link& b) {
    return a.kind == b.kind && a.origin == b.origin && a.final == b.final && a.points == b.points;
}

template <typename T, typename Same>
ChartChange::Patch<T> ChartChange::diff(const std::vector<T>& a, const std::vector<T>& b,
                                        Same same) {
    Patch<T> p;
    const size_t na = a.size(), nb = b.size();
    if (na == nb) {
        for (size_t i = 0; i < na; ++i)
            if (!same(a[i], b[i])) p.changed.push_back({int(i), a[i], b[i]});
        return p;
    }
    // Only taken out (a deletion, wherever the items were) or only put in:
    // the elements themselves with their places, nothing of the rest.
    size_t i = 0, j = 0;
    if (na > nb) {
        for (; i < na; ++i) {
            if (j < nb && same(a[i], b[j]))
                ++j;
            else
                p.removed.push_back({int(i), a[i]});
        }
        if (j == nb) return p;
    } else {
        for (; j < nb; ++j) {
            if (i < na && same(a[i], b[j]))
                ++i;
            else
                p.inserted.push_back({int(j), b[j]});
        }
        if (i == na) return p;
    }
    p.removed.clear();
    p.inserted.clear();
    // Anything else: the run between the common start and the common end.
    size_t prefix = 0;
    while (prefix < na && prefix < nb && same(a[prefix], b[prefix]))
        ++prefix;
    size_t suffix = 0;
    while (suffix < na - prefix && suffix < nb - prefix &&
           same(a[na - 1 - suffix], b[nb - 1 - suffix]))
        ++suffix;
    p.spanAt = int(prefix);
    p.spanBefore.assign(a.begin() + qsizetype(prefix), a.end() - qsizetype(suffix));
    p.spanAfter.assign(b.begin() + qsizetype(prefix), b.end() - qsizetype(suffix));
    return p;
}

namespace {

// Takes out the elements at the places listed (in increasing order, as a
// patch holds them) in one pass; places beyond the end are passed over.
// Adds the elements walked over to `visits`.
template <typename T>
void removeAt(std::vector<T>& v, const std::vector<std::pair<int, T>>& at, quint64& visits) {
    if (at.empty()) return;
    visits += v.size();
    size_t next = 0, kept = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        while (next < at.size() && at[next].first < qsizetype(i))
            ++next;
        if (next < at.size() && at[next].first == qsizetype(i)) {
            ++next;
            continue;
        }
        if (kept != i) v[kept] = std::move(v[i]);
        ++kept;
    }
    v.resize(kept);
}

// Puts the elements in at the places listed (in increasing order, places in
// the result) in one pass from the back; a place beyond the end appends.
template <typename T>
void insertAt(std::vector<T>& v, const std::vector<std::pair<int, T>>& at, quint64& visits) {
    if (at.empty()) return;
    visits += v.size() + at.size();
    size_t from = v.size();
    v.resize(v.size() + at.size());
    size_t to = v.size();
    for (auto it = at.rbegin(); it != at.rend(); ++it) {
        const size_t place = size_t(std::max(it->first, 0));
        while (from > 0 && to > place + 1)
            v[--to] = std::move(v[--from]);
        v[--to] = it->second;
    }
}

} // namespace

template <typename T, typename Keep>
void ChartChange::applyPatch(std::vector<T>& v, const Patch<T>& p, bool forward, Keep keep,
                             quint64& visits) {
    for (const auto& e : p.changed) {
        if (e.at < 0 || size_t(e.at) >= v.size()) continue;
        T next = forward ? e.after : e.before;
        keep(v[size_t(e.at)], next);
        v[size_t(e.at)] = std::move(next);
    }
    removeAt(v, forward ? p.removed : p.inserted, visits);
    insertAt(v, forward ? p.inserted : p.removed, visits);
    if (p.spanAt < 0) return;
    visits += v.size() + p.spanBefore.size() + p.spanAfter.size();
    const std::vector<T>& out = forward ? p.spanBefore : p.spanAfter;
    const std::vector<T>& in = forward ? p.spanAfter : p.spanBefore;
    const size_t at = std::min(size_t(p.spanAt), v.size());
    const size_t end = std::min(at + out.size(), v.size());
    v.erase(v.begin() + qsizetype(at), v.begin() + qsizetype(end));
    v.insert(v.begin() + qsizetype(at), in.begin(), in.end());
}

std::optional<std::vector<int>> ChartChange::itemMap(const Patch<Item>& p, int oldCount,
                                                     int newCount) {
    if (p.spanAt >= 0 || (p.removed.empty() && p.inserted.empty())) return std::nullopt;
    std::vector<int> map(size_t(std::max(oldCount, 0)), -1);
    if (!p.removed.empty()) {
        size_t r = 0;
        int next = 0;
        for (int i = 0; i < oldCount; ++i) {
            if (r < p.removed.size() && p.removed[r].first == i)
                ++r;
            else
                map[size_t(i)] = next++;
        }
        if (next != newCount) return std::nullopt;
    } else {
        size_t k = 0;
        int j = 0;
        for (int i = 0; i < oldCount; ++i, ++j) {
            while (k < p.inserted.size() && p.inserted[k].first == j)
                ++k, ++j;
            map[size_t(i)] = j;
        }
        if (j + int(p.inserted.size() - k) != newCount) return std::nullopt;
    }
    return map;
}

void ChartChange::mapEnds(std::vector<Link>& links, const std::vector<int>& map, quint64& visits) {
    visits += links.size();
    for (Link& l : links)
        for (qint32* end : {&l.origin, &l.final})
            if (*end >= 0 && size_t(*end) < map.size()) *end = map[size_t(*end)];
}

std::optional<ChartChange> ChartChange::Between(const Chart& before, const MotionHeader& hb,
                                                const Chart& after, const MotionHeader& ha) {
    ChartChange c;
    c.m_items = diff(before.items, after.items, sameItem);
    // Items deleted or added renumber the links behind them. Compared through
    // the new numbering, only the links taken out or put in differ; the step
    // keeps those (with their old numbers) and redoes the renumbering.
    if (const auto map = itemMap(c.m_items, before.itemCount(), after.itemCount())) {
        auto inRange = [](const std::vector<Link>& links, int count) {
            return std::all_of(links.begin(), links.end(), [count](const Link& l) {
                return l.origin >= 0 && l.origin < count && l.final >= 0 && l.final < count;
            });
        };
        if (inRange(before.links, before.itemCount()) && inRange(after.links, after.itemCount())) {
            std::vector<Link> mapped = before.links;
            quint64 visits = 0;
            mapEnds(mapped, *map, visits);
            Patch<Link> p = diff(mapped, after.links, sameLink);
            // Undoing maps the kept links back: none of them may lead to a
            // deleted item.
            std::vector<bool> taken(mapped.size(), false);
            for (const auto& [at, link] : p.removed)
                taken[size_t(at)] = true;
            bool invertible = p.spanAt < 0;
            for (size_t k = 0; invertible && k < mapped.size(); ++k)
                if (!taken[k] && (mapped[k].origin < 0 || mapped[k].final < 0)) invertible = false;
            if (invertible) {
                for (auto& [at, link] : p.removed)
                    link = before.links[size_t(at)];
                c.m_links = std::move(p);
                c.m_renumbered = true;
            }
        }
    }
    if (!c.m_renumbered) c.m_links = diff(before.links, after.links, sameLink);
    if (before.startItem != after.startItem) c.m_start = {before.startItem, after.startItem};
    if (before.documentKind != after.documentKind)
        c.m_kind = {before.documentKind, after.documentKind};
    if (!(hb == ha)) c.m_header = {hb, ha};
    if (c.m_items.empty() && c.m_links.empty() && !c.m_start && !c.m_kind && !c.m_header &&
        !c.m_renumbered)
        return std::nullopt;
    return c;
}

void ChartChange::apply(Chart& chart, MotionHeader& header, bool forward) const {
    const int oldCount = chart.itemCount();
    // An item replaced in place keeps the mark an editor follows it by.
    applyPatch(
        chart.items, m_items, forward,
        [](const Item& old, Item& next) { next.identity = old.identity; }, chart.visits);
    const int newCount = chart.itemCount();
    auto keepLink = [](const Link&, Link&) {};
    if (!m_renumbered) {
        applyPatch(chart.links, m_links, forward, keepLink, chart.visits);
    } else if (forward) {
        if (const auto map = itemMap(m_items, oldCount, newCount))
            mapEnds(chart.links, *map, chart.visits);
        applyPatch(chart.links, m_links, true, keepLink, chart.visits);
    } else {
        // Back: the links put in go, the kept ones take their old numbers,
        // and the links taken out come back as they were.
        for (const auto& e : m_links.changed)
            if (e.at >= 0 && size_t(e.at) < chart.links.size())
                chart.links[size_t(e.at)] = e.before;
        removeAt(chart.links, m_links.inserted, chart.visits);
        if (const auto map = itemMap(m_items, newCount, oldCount)) {
            std::vector<int> back(size_t(oldCount), -1);
            for (size_t i = 0; i < map->size(); ++i)
                if ((*map)[i] >= 0 && (*map)[i] < oldCount) back[size_t((*map)[i])] = int(i);
            mapEnds(chart.links, back, chart.visits);
        }
        insertAt(chart.links, m_links.removed, chart.visits);
    }
    if (m_start) chart.startItem = forward ? m_start->second : m_start->first;
    if (m_kind) chart.documentKind = forward ? m_kind->second : m_kind->first;
    if (m_header) header = forward ? m_header->second : m_header->first;
}

bool ChartChange::onlyPoseValues() const {
    if (!m_links.empty() || m_renumbered || m_start || m_kind || m_header || m_items.spanAt >= 0 ||
        !m_items.removed.empty() || !m_items.inserted.empty() || m_items.changed.empty())
        return false;
    for (const auto& e : m_items.changed) {
        Item a = e.before, b = e.after;
        if (a.kind != KindPos || b.kind != KindPos) return false;
        a.values = b.values;
        a.lead = b.lead;
        if (!sameItem(a, b)) return false;
    }
    return true;
}

qsizetype ChartChange::footprint() const {
    auto itemBytes = [](const Item& it) { return qsizetype(sizeof(Item)) + it.name.size() * 2; };
    auto linkBytes = [](const Link& l) {
        return qsizetype(sizeof(Link)) + l.points.size() * qsizetype(sizeof(QPoint));
    };
    qsizetype n = sizeof(ChartChange);
    for (const auto& e : m_items.changed)
        n += itemBytes(e.before) + itemBytes(e.after);
    for (const auto& v : {&m_items.spanBefore, &m_items.spanAfter})
        for (const Item& it : *v)
            n += itemBytes(it);
    for (const auto& v : {&m_items.removed, &m_items.inserted})
        for (const auto& e : *v)
            n += itemBytes(e.second);
    for (const auto& v : {&m_links.removed, &m_links.inserted})
        for (const auto& e : *v)
            n += linkBytes(e.second);
    for (const auto& e : m_links.changed)
        n += linkBytes(e.before) + linkBytes(e.after);
    for (const auto& v : {&m_links.spanBefore, &m_links.spanAfter})
        for (const Link& l : *v)
            n += linkBytes(l);
    return n;
}

namespace {

// "POS2" for one item, "3 items" for more.
QString itemsText(const std::vector<QString>& names) {
    if (names.size() == 1) return names.front();
    return ChartChange::tr("%1 items").arg(names.size());
}

} // namespace

QString ChartChange::describeItems() const {
    std::vector<QString> names;
    if (!m_items.inserted.empty()) {
        for (const auto& e : m_items.inserted)
            names.push_back(e.second.name);
        return tr("Add %1").arg(itemsText(names));
    }
    if (!m_items.removed.empty()) {
        for (const auto& e : m_items.removed)
            names.push_back(e.second.name);
        return tr("Delete %1").arg(itemsText(names));
    }
    if (m_items.spanAt >= 0) {
        const auto& before = m_items.spanBefore;
        const auto& after = m_items.spanAfter;
        // Only added at the end or only taken away read as such; a run that
        // both lost and changed items is a deletion that renumbered others.
        if (before.empty()) {
            for (const Item& it : after)
                names.push_back(it.name);
            return tr("Add %1").arg(itemsText(names));
        }
        const size_t removed = before.size() > after.size() ? before.size() - after.size() : 0;
        if (removed > 0) {
            if (removed == 1 && after.empty()) return tr("Delete %1").arg(before.front().name);
            return tr("Delete %1")
                .arg((removed == 1 ? tr("%1 item") : tr("%1 items")).arg(removed));
        }
        return tr("Edit items");
    }
    // In place: name the kind of change all of them share.
    bool moved = false, sized = false, coloured = false, named = false, values = false,
         other = false;
    for (const auto& e : m_items.changed) {
        const Item &a = e.before, &b = e.after;
        names.push_back(b.name);
        moved |= a.left != b.left || a.top != b.top;
        sized |= a.width != b.width || a.height != b.height;
        coloured |= a.colour != b.colour;
        named |= a.name != b.name;
        values |= a.values != b.values || a.lead != b.lead;
        other |= a.kind != b.kind;
    }
    const int kinds =
        int(moved) + int(sized) + int(coloured) + int(named) + int(values) + int(other);
    const QString what = itemsText(names);
    if (kinds == 1 && moved) return tr("Move %1").arg(what);
    if (kinds == 1 && coloured) return tr("Colour of %1").arg(what);
    if (kinds == 1 && values) return tr("Values of %1").arg(what);
    if (!values && !other && !coloured && (sized || named)) return tr("Properties of %1").arg(what);
    if (kinds == 2 && moved && sized) return tr("Resize %1").arg(what);
    return tr("Edit %1").arg(what);
}

QString ChartChange::describeLinks() const {
    if (!m_links.inserted.empty() && m_links.removed.empty())
        return m_links.inserted.size() == 1 ? tr("Draw link") : tr("Add links");
    if (!m_links.removed.empty() && m_links.inserted.empty())
        return m_links.removed.size() == 1 ? tr("Delete link") : tr("Delete links");
    if (m_links.spanAt >= 0) {
        if (m_links.spanBefore.empty())
            return m_links.spanAfter.size() == 1 ? tr("Draw link") : tr("Add links");
        if (m_links.spanAfter.size() < m_links.spanBefore.size()) return tr("Delete links");
        return tr("Edit links");
    }
    bool bent = false, reversed = false, other = false;
    for (const auto& e : m_links.changed) {
        const Link &a = e.before, &b = e.after;
        if (a.origin == b.final && a.final == b.origin)
            reversed = true;
        else if (a.origin == b.origin && a.final == b.final && a.kind == b.kind)
            bent = true;
        else
            other = true;
    }
    if (reversed && !bent && !other) return tr("Reverse link");
    if (bent && !reversed && !other) return tr("Bend link");
    return tr("Edit links");
}

QString ChartChange::describe() const {
    const bool items = !m_items.empty(), links = !m_links.empty();
    if (m_kind) return tr("Replace the chart");
    if (items) {
        // Deleting items takes their links along; placing items or pasting
        // brings links with them.
        const QString text = describeItems();
        if (!links || m_items.spanAt >= 0 || m_renumbered) return text;
        return tr("Edit the chart");
    }
    if (links) return describeLinks();
    if (m_start) return tr("Start item");
    if (m_header) return tr("Data of the document");
    return tr("Edit");
}

} // namespace qvx
