#pragma once

#include "document/ChartChange.h"

#include <QObject>
#include <QUndoStack>
#include <functional>

namespace qvx {

// The undo and redo history of the open document. Edits are not announced one
// by one: at the end of every user action (a click, a drag, a key, a dialog's
// button) the window asks for a commit, which compares the document with how
// it stood at the last one and makes what changed one step. A drag is thus
// one step however far it went, and an edit made anywhere (the canvas, the
// pose window, a dialog) is covered without that place knowing of undo.
//
// A step holds only what changed; besides the steps the history keeps one
// copy of the document as it stood at the last commit.
class EditHistory : public QObject {
    Q_OBJECT
  public:
    static constexpr int kDefaultLimit = 200;

    EditHistory(Chart& chart, MotionHeader& header, QObject* parent = nullptr);
    ~EditHistory() override;

    QUndoStack& stack() { return m_stack; }
    const QUndoStack& stack() const { return m_stack; }

    // The most steps kept (the oldest go first); at least 1. Takes effect at
    // once: the history starts anew.
    void setLimit(int steps);
    int limit() const { return m_stack.undoLimit(); }

    // What changed since the last commit becomes one step, named `text`, or
    // what describeStep makes of it when `text` is empty. False when nothing
    // changed, or while refuseCommit says the document must be left alone.
    bool commit(const QString& text = {});
    // A document was opened (or the chart cleared): no steps, nothing to
    // undo beyond what is there now, and that is the saved state.
    void reset();
    // The document was saved as it is now.
    void markClean();
    // The document is as it was when it was last saved (or opened).
    bool isClean() const { return m_stack.isClean(); }

    // Commits what is pending, then steps back or forward; false when there
    // is nothing to undo or redo.
    bool undo();
    bool redo();

    // True while the document must not be touched (a board flow works on it):
    // commits wait, and undo and redo are refused by the window before.
    std::function<bool()> refuseCommit;
    // The text of a step that was given none.
    std::function<QString(const ChartChange&)> describeStep;

  signals:
    // An undo or redo changed the document: views and editors look again.
    void applied();

  private:
    class Step;
    friend class Step;
    void applyStep(const ChartChange& change, bool forward);

    Chart& m_chart;
    MotionHeader& m_header;
    // The document as it stood at the last commit (selection and marks aside).
    Chart m_baseChart;
    MotionHeader m_baseHeader;
    QUndoStack m_stack;
};

} // namespace qvx
