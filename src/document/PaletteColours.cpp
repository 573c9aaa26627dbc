#include "document/PaletteColours.h"

#include "document/ItemColours.h"

namespace qvx {

QPalette::ColorRole PaletteColours::SystemRole(int index) {
    switch (index) {
    case 1:
        return QPalette::Window; // desktop
    case 2:
        return QPalette::Highlight; // active caption
    case 4:
        return QPalette::Window; // menu
    case ItemColours::kSysWindow:
        return QPalette::Base;
    case 6:
        return QPalette::Shadow; // window frame
    case 7:
        return QPalette::WindowText; // menu text
    case ItemColours::kSysWindowText:
        return QPalette::Text;
    case 9:
        return QPalette::HighlightedText; // caption text
    case 12:
        return QPalette::Mid; // application workspace
    case ItemColours::kSysHighlight:
        return QPalette::Highlight;
    case ItemColours::kSysHighlightText:
        return QPalette::HighlightedText;
    case 16:
        return QPalette::Dark; // button shadow
    case 18:
        return QPalette::ButtonText;
    case 20:
        return QPalette::Light; // button highlight
    case 21:
        return QPalette::Shadow; // 3D dark shadow
    case 22:
        return QPalette::Midlight; // 3D light
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    default:
        return QPalette::Button; // button face and everything else
    }
}

QColor PaletteColours::Resolve(quint32 colour) const {
    if (ItemColours::IsSystemColour(colour))
        return m_palette.color(QPalette::Active, SystemRole(ItemColours::SystemIndex(colour)));
    return QColor(ItemColours::Red(colour), ItemColours::Green(colour), ItemColours::Blue(colour));
}

QColor PaletteColours::TextColourFor(quint32 colour) const {
    const QColor c = Resolve(colour);
    return ItemColours::WantsWhiteText(c.red(), c.green(), c.blue()) ? QColor(Qt::white)
                                                                     : QColor(Qt::black);
}

} // namespace qvx
