#pragma once

#include "board/MotionRecord.h"
#include "timeline/MotionTimeline.h"

#include <QWidget>
#include <array>
#include <vector>

class QChartView;
class QLabel;
class QSpinBox;

namespace qvx {

// The "Timeline" page: the last compiled motion as the board would play it,
// one curve per used channel over board time. The inputs the CMP branches
// test and the time limit are chosen in a panel above the chart; a change
// computes the timeline again. A click or drag on the chart puts a cursor at
// that instant and tells which pose and item it finds there.
class TimelinePage : public QWidget {
    Q_OBJECT
  public:
    explicit TimelinePage(QWidget* parent = nullptr);

    // A newly compiled motion (its records and step-to-item table) with the
    // names and display rates to show it by: computed and drawn at once.
    void setMotion(std::vector<MotionRecord> records, std::vector<qint32> stepItem,
                   TimelineLabels labels);
    // The cursor to this instant (ms of board time): signals the servo
    // outputs and the item executing there.
    void pickTime(int timeMs);

    const Timeline& timeline() const { return m_timeline; }
    TimelineInputs inputs() const;

    // Named components.
    QSpinBox* ButtonBox = nullptr;
    std::array<QSpinBox*, 4> PaBox{};
    std::array<QSpinBox*, 3> AdBox{};
    QSpinBox* CmpBox = nullptr;
    QSpinBox* LimitBox = nullptr;
    QChartView* View = nullptr;
    QLabel* Status = nullptr;

  signals:
    // The cursor was put at an instant: the servo outputs there and the
    // chart item executing (-1 when none).
    void instantPicked(const BigEndian::Words& outputs, int item);

  private:
    void recompute();

    std::vector<MotionRecord> m_records;
    std::vector<qint32> m_stepItem;
    TimelineLabels m_labels;
    Timeline m_timeline;
};

} // namespace qvx
