#include "editor/EditHistory.h"

#include <QUndoCommand>

namespace qvx {

// One step on the stack. It is pushed after its change was made, so the
// first redo (which QUndoStack::push runs) has nothing to do.
class EditHistory::Step : public QUndoCommand {
  public:
    Step(EditHistory& history, ChartChange change, const QString& text)
        : QUndoCommand(text), m_history(history), m_change(std::move(change)) {}

    void undo() override { m_history.applyStep(m_change, false); }
    void redo() override {
        if (m_pushed) {
            m_history.applyStep(m_change, true);
            return;
        }
        m_pushed = true;
    }

  private:
    EditHistory& m_history;
    ChartChange m_change;
    bool m_pushed = false;
};

EditHistory::EditHistory(Chart& chart, MotionHeader& header, QObject* parent)
    : QObject(parent), m_chart(chart), m_header(header) {
    m_stack.setUndoLimit(kDefaultLimit);
    reset();
}

EditHistory::~EditHistory() = default;

void EditHistory::setLimit(int steps) {
    m_stack.clear();
    m_stack.setUndoLimit(std::max(1, steps));
    reset();
}

bool EditHistory::commit(const QString& text) {
    if (refuseCommit && refuseCommit()) return false;
    std::optional<ChartChange> change =
        ChartChange::Between(m_baseChart, m_baseHeader, m_chart, m_header);
    if (!change) return false;
    // The copy follows the document by the change itself rather than by a
    // new copy of the whole chart.
    change->redo(m_baseChart, m_baseHeader);
    QString name = text;
    if (name.isEmpty()) name = describeStep ? describeStep(*change) : change->describe();
    m_stack.push(new Step(*this, std::move(*change), name));
    return true;
}

void EditHistory::reset() {
    m_stack.clear();
    m_baseChart = m_chart;
    m_baseHeader = m_header;
    m_stack.setClean();
}

void EditHistory::markClean() {
    commit();
    m_stack.setClean();
}

bool EditHistory::undo() {
    commit();
    if (!m_stack.canUndo()) return false;
    m_stack.undo();
    return true;
}

bool EditHistory::redo() {
    // An edit since the last undo ends the redo steps: QUndoStack drops them
    // when the edit is pushed.
    commit();
    if (!m_stack.canRedo()) return false;
    m_stack.redo();
    return true;
}

void EditHistory::applyStep(const ChartChange& change, bool forward) {
    if (forward) {
        change.redo(m_chart, m_header);
        change.redo(m_baseChart, m_baseHeader);
    } else {
        change.undo(m_chart, m_header);
        change.undo(m_baseChart, m_baseHeader);
    }
    emit applied();
}

} // namespace qvx
