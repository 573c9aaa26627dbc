#include "document/PaletteColours.h"

#include "document/ItemColours.h"

#include <QAbstractButton>
#include <QLabel>

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

void PaintChannelLabel(QWidget* w, int index, const QStringList& names, const QList<QColor>& colours,
                       const QColor& fallback) {
    const QString name = index < names.size() ? names[index] : QStringLiteral("CH") + QString::number(index + 1);
    if (auto* label = qobject_cast<QLabel*>(w)) label->setText(name);
    else if (auto* button = qobject_cast<QAbstractButton*>(w)) button->setText(name);
    const QColor face = index < colours.size() && colours[index].isValid() ? colours[index] : fallback;
    const QColor text = ItemColours::WantsWhiteText(face.red(), face.green(), face.blue()) ? QColor(Qt::white)
                                                                                           : QColor(Qt::black);
    // Labels fill with the window role, buttons with the button role.
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, face);
    pal.setColor(QPalette::Button, face);
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::ButtonText, text);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QList<quint32> ChannelLabelColours(const QList<QColor>& colours) {
    QList<quint32> out;
    for (const QColor& c : colours)
        out << (c.isValid() ? quint32(c.rgba()) : 0u);
    return out;
}

QList<QColor> ChannelLabelColours(const QList<quint32>& colours) {
    QList<QColor> out;
    for (quint32 c : colours)
        out << (c ? QColor::fromRgba(c) : QColor());
    return out;
}

void FollowChannelLabels(QWidget* window, const ChannelLabels& labels,
                         std::function<void(const QStringList&, const QList<QColor>&)> apply) {
    auto copy = [&labels, apply] { apply(labels.names(), ChannelLabelColours(labels.colours())); };
    QObject::connect(&labels, &ChannelLabels::changed, window, copy);
    copy();
}

} // namespace qvx
