#include "document/ItemColours.h"

#include <QCoreApplication>
#include <cmath>

namespace qvx {

const std::vector<PaletteEntry>& ItemColours::Palette() {
    static const std::vector<PaletteEntry> palette = {
        {QStringLiteral("N18"), QCoreApplication::translate("ItemColours", "Standard"), 16,
         kButtonFace},
        {QStringLiteral("N6"), QCoreApplication::translate("ItemColours", "White"), 0, 0xFFFFFF},
        {QStringLiteral("N15"), QCoreApplication::translate("ItemColours", "Gray"), 1, 0xC0C0C0},
        {QStringLiteral("N17"), QCoreApplication::translate("ItemColours", "Dark gray"), 2,
         0x808080},
        {QStringLiteral("N7"), QCoreApplication::translate("ItemColours", "Black"), 3, 0x000000},
        {QStringLiteral("N13"), QCoreApplication::translate("ItemColours", "Brown"), 4, 0x000080},
        {QStringLiteral("N12"), QCoreApplication::translate("ItemColours", "Peach"), 5, 0xFF00FF},
        {QStringLiteral("N2"), QCoreApplication::translate("ItemColours", "Red"), 6, 0x0000FF},
        {QStringLiteral("N1"), QCoreApplication::translate("ItemColours", "Purple"), 7, 0x800080},
        {QStringLiteral("N14"), QCoreApplication::translate("ItemColours", "Persian blue"), 8,
         0x800000},
        {QStringLiteral("N3"), QCoreApplication::translate("ItemColours", "Blue"), 9, 0xFF0000},
        {QStringLiteral("N16"), QCoreApplication::translate("ItemColours", "Turquoise green"), 10,
         0x808000},
        {QStringLiteral("N10"), QCoreApplication::translate("ItemColours", "Yellow green"), 12,
         0x00FF00},
        {QStringLiteral("N5"), QCoreApplication::translate("ItemColours", "Green"), 11, 0x008000},
        {QStringLiteral("N4"), QCoreApplication::translate("ItemColours", "Yellow"), 13, 0x00FFFF},
        {QStringLiteral("N11"), QCoreApplication::translate("ItemColours", "Aqua"), 14, 0xFFFF00},
        {QStringLiteral("N9"), QCoreApplication::translate("ItemColours", "Ochre"), 15, 0x008080},
        {QStringLiteral("N8"), QCoreApplication::translate("ItemColours", "etc."), -1, 0},
    };
    return palette;
}

std::optional<quint32> ItemColours::ColourForTag(int tag) {
    if (tag < 0) return std::nullopt;
    for (const PaletteEntry& e : Palette())
        if (e.tag == tag) return e.colour;
    return std::nullopt;
}

bool ItemColours::WantsWhiteText(int r, int g, int b) {
    // Rounded halves to even under the default rounding mode.
    const long l = std::lrint(0.299 * r + 0.587 * g + 0.114 * b);
    return l <= 128;
}

} // namespace qvx
