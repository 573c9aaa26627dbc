#pragma once

#include "sim/BoardSimulator.h"

#include <QString>

namespace qvx {

// The simulated board's stored memory as a file: a fixed-size image, written
// whole and read back whole, so a simulated board keeps its memory across runs.
class SimStateFile {
  public:
    static bool Write(const QString& path, const BoardSimulator::Stored& stored);
    // Replaces `stored` only when the file reads as a complete state file.
    static bool Read(const QString& path, BoardSimulator::Stored& stored);
};

} // namespace qvx
