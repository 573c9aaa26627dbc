#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace qvx {

// One entry of the canvas menu's "Color" submenu.
struct PaletteEntry {
    QString name;    // menu item name
    QString caption; // English caption
    int tag;         // -1: chosen in the colour dialog
    quint32 colour;  // 0x00BBGGRR or a system colour
};

// Item colours as the chart stores them: 0x00BBGGRR, or a system colour with
// the top bit set and the system colour index in the low byte.
class ItemColours {
  public:
    static constexpr quint32 kSystemFlag = 0x80000000u;
    // System colour indices the canvas uses.
    static constexpr int kSysWindow = 5;
    static constexpr int kSysWindowText = 8;
    static constexpr int kSysHighlight = 13;
    static constexpr int kSysHighlightText = 14;
    static constexpr int kSysButtonFace = 15;
    static constexpr quint32 kButtonFace = kSystemFlag | kSysButtonFace;
    static constexpr quint32 kRed = 0x0000FF;
    static constexpr quint32 kGray = 0x808080;

    // The "Color" submenu in menu order, ending with "etc.".
    static const std::vector<PaletteEntry>& Palette();
    // The colour of a palette tag, nothing for "etc." or an unknown tag.
    static std::optional<quint32> ColourForTag(int tag);

    static bool IsSystemColour(quint32 c) { return (c & kSystemFlag) != 0; }
    static int SystemIndex(quint32 c) { return int(c & 0xFF); }
    static int Red(quint32 c) { return int(c & 0xFF); }
    static int Green(quint32 c) { return int((c >> 8) & 0xFF); }
    static int Blue(quint32 c) { return int((c >> 16) & 0xFF); }
    static quint32 FromRgb(int r, int g, int b) {
        return quint32(r & 0xFF) | quint32(g & 0xFF) << 8 | quint32(b & 0xFF) << 16;
    }
    // Text on a fill of this RGB colour is white when the rounded luminance
    // 0.299 R + 0.587 G + 0.114 B is at most 128, black otherwise.
    static bool WantsWhiteText(int r, int g, int b);
};

} // namespace qvx
