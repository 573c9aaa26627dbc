#pragma once

#include <QPoint>
#include <QString>
#include <QVector>
#include <array>
#include <cstdint>

namespace qvx {

constexpr int kChannelCount = 24;

// Item kinds as stored in the kind byte.
enum ItemKind : quint8 {
    KindPos = 0,
    KindSet = 1,
    KindCmp = 2,
    KindMot = 7,
};

// Document kinds of a chart.
enum DocumentKind : quint8 {
    MotionChart = 0,
    ScenarioChart = 7,
};

// Link kinds.
enum LinkKind : quint8 {
    MainLink = 0,
    BranchLink = 1,
};

constexpr quint32 kWhite = 0xFFFFFF;
constexpr int kItemWidth = 50;
constexpr int kItemHeight = 30;

using ChannelValues = std::array<quint16, kChannelCount>;

struct Item {
    bool selected = false;
    QString name;
    qint32 width = 0;
    qint32 height = 0;
    qint32 left = 0;
    qint32 top = 0;
    quint32 colour = 0; // 0x00BBGGRR, or a system colour with the top bit set
    quint8 kind = 0;
    ChannelValues values{};
    quint8 lead = 0; // speed of a POS item, called motion of a MOT item
    // A mark that lets an editor find this very item again after others were
    // deleted before it; 0 when no editor follows it. Not part of the document:
    // never saved, never copied to the clipboard, not compared.
    quint64 identity = 0;

    bool operator==(const Item& o) const {
        return selected == o.selected && name == o.name && width == o.width && height == o.height &&
               left == o.left && top == o.top && colour == o.colour && kind == o.kind &&
               values == o.values && lead == o.lead;
    }
};

struct Link {
    bool selected = false;
    quint8 kind = MainLink;
    qint32 origin = 0;
    qint32 final = 0;
    QVector<QPoint> points; // bending points from origin to final

    bool operator==(const Link&) const = default;
};

// The label of an item kind: "POS", "SET", "CMP", "MOT", or "ITEM" for any other code.
QString KindLabel(quint8 kind);

} // namespace qvx
