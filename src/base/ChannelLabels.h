#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

namespace qvx {

// The channels' names and panel colours as the pose window shows them, kept
// once for the program: every window that lists channels follows `changed`.
// Colours are shown colours as 0xAARRGGBB.
class ChannelLabels : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    const QStringList& names() const { return m_names; }
    const QList<quint32>& colours() const { return m_colours; }
    // Takes new labels; `changed` follows when they differ from the last.
    void set(const QStringList& names, const QList<quint32>& colours);

  signals:
    void changed();

  private:
    QStringList m_names;
    QList<quint32> m_colours;
};

} // namespace qvx
