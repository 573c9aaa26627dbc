#include "base/ChannelLabels.h"

namespace qvx {

void ChannelLabels::set(const QStringList& names, const QList<quint32>& colours) {
    if (names == m_names && colours == m_colours) return;
    m_names = names;
    m_colours = colours;
    emit changed();
}

} // namespace qvx
