#include "document/Chart.h"

#include <algorithm>
#include <climits>

namespace qvx {

QString KindLabel(quint8 kind) {
    switch (kind) {
    case KindPos: return QStringLiteral("POS");
    case KindSet: return QStringLiteral("SET");
    case KindCmp: return QStringLiteral("CMP");
    case KindMot: return QStringLiteral("MOT");
    default: return QStringLiteral("ITEM");
    }
}

void Chart::ClearChart() {
    items.clear();
    links.clear();
    startItem = -1;
}

int Chart::AddItems(int n) {
    const int first = itemCount();
    visits += items.size();
    for (Item& it : items) it.selected = false;
    if (n > 0) items.resize(items.size() + size_t(n));
    return first;
}

int Chart::AddLinks(int n) {
    const int first = linkCount();
    visits += links.size();
    for (Link& l : links) l.selected = false;
    if (n > 0) links.resize(links.size() + size_t(n));
    return first;
}

ChannelValues Chart::DefaultValues(quint8 kind) {
    ChannelValues v{};
    if (kind == KindSet) v.fill(0x8006);
    else if (kind == KindCmp) v.fill(0x8307);
    return v;
}

quint8 Chart::DefaultLead(quint8 kind) {
    switch (kind) {
    case KindPos: return 100;
    case KindSet:
    case KindCmp: return 1;
    default: return 0;
    }
}

int Chart::CreateItem(quint8 kind, int x, int y, ItemNamer* namer) {
    const quint8 wanted = kind == KindMot ? ScenarioChart : MotionChart;
    if (items.empty()) documentKind = wanted;
    else if (documentKind != wanted) return -1;
    Item it;
    it.left = x;
    it.top = y;
    it.width = kItemWidth;
    it.height = kItemHeight;
    it.colour = kWhite;
    it.kind = kind;
    it.values = DefaultValues(kind);
    it.lead = DefaultLead(kind);
    items.push_back(it);
    items.back().name = namer ? namer->next(kind) : UniqueItemName(kind);
    return itemCount() - 1;
}

QString Chart::UniqueItemName(quint8 kind) const {
    return ItemNamer(*this).next(kind);
}

QString ItemNamer::next(quint8 kind) {
    const QString label = KindLabel(kind);
    auto found = m_kinds.find(kind);
    if (found == m_kinds.end()) {
        // The numbers in use after the label, found in one pass. Only names
        // that the candidate text would equal count ("POS01" is no number 1;
        // numbers beyond the item count cannot be the smallest free).
        Numbers numbers;
        numbers.taken.assign(m_chart.items.size() + 2, false);
        m_chart.visits += m_chart.items.size();
        for (const Item& it : m_chart.items) {
            if (!it.name.startsWith(label)) continue;
            const QStringView digits = QStringView(it.name).mid(label.size());
            if (digits.isEmpty() || digits.front() == u'0') continue;
            bool ok = false;
            const qulonglong n = digits.toULongLong(&ok);
            if (ok && n < numbers.taken.size() && QString::number(n) == digits)
                numbers.taken[size_t(n)] = true;
        }
        found = m_kinds.emplace(kind, std::move(numbers)).first;
    }
    Numbers& numbers = found->second;
    while (numbers.free < numbers.taken.size() && numbers.taken[numbers.free])
        ++numbers.free;
    if (numbers.free >= numbers.taken.size()) numbers.taken.resize(numbers.free + 1, false);
    numbers.taken[numbers.free] = true;
    return label + QString::number(numbers.free);
}

void Chart::DeleteSelected() {
    // One pass over the items gives every survivor its new number (-1 for a
    // deleted item); one pass over the links drops those that are selected or
    // touch a deleted item and renumbers the rest. Ends that are no item of
    // the chart stay as they are.
    const size_t itemsBefore = items.size(), linksBefore = links.size();
    std::vector<int> map(itemsBefore, -1);
    size_t k = 0;
    for (size_t i = 0; i < itemsBefore; ++i) {
        if (items[i].selected) continue;
        map[i] = int(k);
        if (k != i) items[k] = std::move(items[i]);
        items[k].selected = false;
        ++k;
    }
    items.resize(k);
    auto inMap = [&map](qint32 end) { return end >= 0 && size_t(end) < map.size(); };
    if (inMap(startItem)) startItem = map[size_t(startItem)];
    k = 0;
    for (size_t j = 0; j < linksBefore; ++j) {
        Link& l = links[j];
        if (l.selected || (inMap(l.origin) && map[size_t(l.origin)] < 0) ||
            (inMap(l.final) && map[size_t(l.final)] < 0))
            continue;
        for (qint32* end : {&l.origin, &l.final})
            if (inMap(*end)) *end = map[size_t(*end)];
        l.selected = false;
        if (k != j) links[k] = std::move(l);
        ++k;
    }
    links.resize(k);
    visits += itemsBefore + linksBefore;
}

quint64 Chart::MarkItem(int i) {
    if (!validItem(i)) return 0;
    Item& it = items[size_t(i)];
    if (it.identity == 0) it.identity = ++lastMark;
    return it.identity;
}

int Chart::FindMarked(quint64 mark, int hint) const {
    if (mark == 0) return -1;
    if (validItem(hint) && items[size_t(hint)].identity == mark) return hint;
    for (int i = 0; i < itemCount(); ++i)
        if (items[size_t(i)].identity == mark) return i;
    return -1;
}

void Chart::ReverseLink(int link) {
    if (link < 0 || link >= linkCount()) return;
    Link& l = links[size_t(link)];
    std::swap(l.origin, l.final);
    std::reverse(l.points.begin(), l.points.end());
}

int Chart::FindLink(int origin, int final) const {
    for (int i = 0; i < linkCount(); ++i)
        if (links[size_t(i)].origin == origin && links[size_t(i)].final == final) return i;
    return -1;
}

void Chart::ClearSelection() {
    for (Item& it : items) it.selected = false;
    for (Link& l : links) l.selected = false;
}

int Chart::SelectedItemCount() const {
    return int(std::count_if(items.begin(), items.end(), [](const Item& it) { return it.selected; }));
}

int Chart::SelectedLinkCount() const {
    return int(std::count_if(links.begin(), links.end(), [](const Link& l) { return l.selected; }));
}

QPoint Chart::ItemCentre(int item) const {
    if (!validItem(item)) return {};
    const Item& it = items[size_t(item)];
    // Computed wide and held within the int range, whatever the item's numbers.
    auto mid = [](int start, int extent) {
        return int(std::clamp<qint64>(qint64(start) + extent / 2, INT_MIN, INT_MAX));
    };
    return {mid(it.left, it.width), mid(it.top, it.height)};
}

} // namespace qvx
