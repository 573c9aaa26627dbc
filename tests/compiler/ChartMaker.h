#pragma once

#include "document/Chart.h"

#include <QString>

namespace qvxtest {

// Builds charts for the compiler tests item by item, without the editor's rules.
struct ChartMaker {
    qvx::Chart chart;

    int item(const QString& name, quint8 kind = qvx::KindPos, quint8 lead = 100,
             quint16 value = 0) {
        qvx::Item it;
        it.name = name;
        it.kind = kind;
        it.lead = lead;
        it.values.fill(value);
        chart.items.push_back(it);
        if (chart.startItem < 0) chart.startItem = int(chart.items.size()) - 1;
        return int(chart.items.size()) - 1;
    }
    int cmp(const QString& name, quint16 value = 0x8307) {
        return item(name, qvx::KindCmp, 1, value);
    }
    void next(int origin, int final) { link(origin, final, qvx::MainLink); }
    void branch(int origin, int final) { link(origin, final, qvx::BranchLink); }
    void link(int origin, int final, quint8 kind) {
        qvx::Link l;
        l.kind = kind;
        l.origin = origin;
        l.final = final;
        chart.links.push_back(l);
    }
    // A chain of count POS items named prefix0, prefix1, ... linked in order.
    int chain(const QString& prefix, int count) {
        int first = -1, previous = -1;
        for (int i = 0; i < count; ++i) {
            const int n = item(prefix + QString::number(i));
            if (first < 0) first = n;
            if (previous >= 0) next(previous, n);
            previous = n;
        }
        return first;
    }
};

} // namespace qvxtest
