#pragma once

#include "base/ChannelLabels.h"

#include <QColor>
#include <QList>
#include <QPalette>
#include <QStringList>
#include <functional>

class QWidget;

namespace qvx {

// Stored colours (0x00BBGGRR, or a system colour with the top bit set) turned
// into the colours shown, with the application palette standing in for the
// system colours. Used by every window that paints stored colours.
class PaletteColours {
  public:
    explicit PaletteColours(const QPalette& palette) : m_palette(palette) {}

    // A stored colour as a QColor.
    QColor Resolve(quint32 colour) const;
    // White or black: the text colour that reads on a fill of that colour.
    QColor TextColourFor(quint32 colour) const;
    // The palette role standing in for a system colour index.
    static QPalette::ColorRole SystemRole(int index);

  private:
    const QPalette& m_palette;
};

// Shows channel `index` (0 = CH1) on a label or check box of a channel window
// as the pose window names and colours it: its name ("CHn" when none is
// given), its panel colour filled behind (`fallback` when none is given) and
// the text colour that reads on it.
void PaintChannelLabel(QWidget* w, int index, const QStringList& names, const QList<QColor>& colours,
                       const QColor& fallback);

// The shown colours of the shared channel labels, and back; an invalid colour
// (none given) is kept as 0.
QList<quint32> ChannelLabelColours(const QList<QColor>& colours);
QList<QColor> ChannelLabelColours(const QList<quint32>& colours);

// Calls `apply` with the shared channel labels now and each time they change,
// for as long as `window` lives.
void FollowChannelLabels(QWidget* window, const ChannelLabels& labels,
                         std::function<void(const QStringList&, const QList<QColor>&)> apply);
// The same for a channel window that takes them through SetChannelLabels.
template <typename Window> void FollowChannelLabels(Window* window, const ChannelLabels& labels) {
    FollowChannelLabels(window, labels,
                        [window](const QStringList& names, const QList<QColor>& colours) {
                            window->SetChannelLabels(names, colours);
                        });
}

} // namespace qvx
