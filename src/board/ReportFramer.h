#pragma once

#include <QByteArray>

namespace qvx {

// Splits the bytes the board sends on its own into reports. A report starts with
// a lead byte (top bit set) whose value fixes the report's length; bytes below
// 0x80 in front of a lead byte are noise and are dropped.
class ReportFramer {
  public:
    // Report length for a lead byte, lead byte included: 0xFF 32, 0xFE 10,
    // 0xFD 9; 0 for any other byte.
    static int ReportLength(quint8 lead);

    void append(const QByteArray& bytes) { m_buffer.append(bytes); }
    // Cuts the first complete report off the buffer; empty when none is complete
    // yet (the partial report stays for the next bytes).
    QByteArray takeReport();
    // True when a complete report is waiting (after noise in front is skipped).
    bool hasReport();
    void clear() { m_buffer.clear(); }
    const QByteArray& buffer() const { return m_buffer; }

  private:
    // Drops noise and lead bytes without a report length from the front, so
    // that the buffer is empty or starts with 0xFD, 0xFE or 0xFF.
    void skipToLead();

    QByteArray m_buffer;
};

} // namespace qvx
