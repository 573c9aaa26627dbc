#pragma once

#include "board/MotionRecord.h"
#include "document/MotionHeader.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

namespace qvx {

// Compares a compiled motion (its records and the header values a write puts
// into the table entry) with what a motion slot holds: its table entry and
// records. Used to tell whether a board still holds what a document says.
class MotionCompare {
  public:
    // The differences as lines a person can read: the table entry's fields
    // first, then the records that differ as pairs of LIST rows ("file" and
    // "board"), at most `recordLimit` pairs followed by a count of the rest.
    // Empty when the slot holds exactly the motion.
    static QStringList Differences(const std::vector<MotionRecord>& file,
                                   const MotionHeader& header, const QByteArray& entry,
                                   const std::vector<MotionRecord>& board, int recordLimit = 10);

    // The same for a compiled scenario (the motion number of each step, as a
    // write sends them, at most 200) and what a scenario slot holds: step
    // count and name of the entry, then the steps that differ, one line each
    // ("step 3: file M5, board M7"), at most `stepLimit` followed by a count.
    static QStringList ScenarioDifferences(const std::vector<int>& file, const MotionHeader& header,
                                           const QByteArray& entry, const std::vector<int>& board,
                                           int stepLimit = 10);
};

} // namespace qvx
