#include "board/ReportFramer.h"

#include "board/BoardProtocol.h"

namespace qvx {

int ReportFramer::ReportLength(quint8 lead) {
    return QmxBoard::ReportLength(lead);
}

void ReportFramer::skipToLead() {
    qsizetype i = 0;
    // Bytes below 0x80 cannot start a report. A lead byte 0x80..0xFC has no
    // report length: it is consumed alone so it cannot hold up the reports
    // behind it. Without any lead byte the noise is dropped as well; it would be
    // discarded in front of the next lead byte anyway.
    while (i < m_buffer.size() && ReportLength(quint8(m_buffer[i])) == 0)
        ++i;
    if (i > 0) m_buffer.remove(0, i);
}

bool ReportFramer::hasReport() {
    skipToLead();
    return !m_buffer.isEmpty() && m_buffer.size() >= ReportLength(quint8(m_buffer[0]));
}

QByteArray ReportFramer::takeReport() {
    if (!hasReport()) return {};
    const int n = ReportLength(quint8(m_buffer[0]));
    QByteArray report = m_buffer.left(n);
    m_buffer.remove(0, n);
    return report;
}

} // namespace qvx
