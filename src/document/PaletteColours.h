#pragma once

#include <QColor>
#include <QList>
#include <QPalette>
#include <QStringList>

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

} // namespace qvx
