#include "app/MainWindow.h"

#include "app/AppState.h"
#include "editor/EditHistory.h"
#include "editor/ChartCanvas.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QInputEvent>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <functional>

// The main window's undo and redo: the history of the open document, the two
// buttons and their keys, and the commits at the end of every user action.

namespace qvx {

namespace {

// The buttons' hints: the step they would take back or do again.
QString nothingToUndo() {
    return QCoreApplication::translate("qvx::MainWindow", "Nothing to undo");
}

QString nothingToRedo() {
    return QCoreApplication::translate("qvx::MainWindow", "Nothing to redo");
}

QString undoHint(const QUndoStack& stack) {
    return stack.canUndo()
               ? QCoreApplication::translate("qvx::MainWindow", "Undo %1").arg(stack.undoText())
               : nothingToUndo();
}

QString redoHint(const QUndoStack& stack) {
    return stack.canRedo()
               ? QCoreApplication::translate("qvx::MainWindow", "Redo %1").arg(stack.redoText())
               : nothingToRedo();
}

} // namespace

void MainWindow::buildEditBar() {
    EditMenu = makeToolBar(QStringLiteral("EditMenu"), tr("Edit"), true);
    EditMenu->setIconSize(QSize(16, 16));
    UndoBtn = addButton(EditMenu, QStringLiteral("UndoBtn"), tr("Undo"), nothingToUndo());
    RedoBtn = addButton(EditMenu, QStringLiteral("RedoBtn"), tr("Redo"), nothingToRedo());
    // Arrows rather than words: the row has no room for two more words.
    UndoBtn->setIcon(
        QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
    RedoBtn->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"),
                                      style()->standardIcon(QStyle::SP_ArrowForward)));
    for (QToolButton* b : {UndoBtn, RedoBtn}) {
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setMinimumSize(20, 20);
        b->setIconSize(QSize(16, 16));
        b->setEnabled(false);
    }
}

void MainWindow::setUpEditHistory() {
    m_history = std::make_unique<EditHistory>(m_state.chart, m_state.header);
    m_history->setLimit(m_undoLimit);
    // A board flow works on the chart by indices: its changes become a step
    // once it has ended.
    m_history->refuseCommit = [this] { return m_state.link.busy(); };
    m_history->describeStep = [this](const ChartChange& change) {
        QString text = change.describe();
        // Undoing it moves nothing: the robot follows at the next send.
        if (change.onlyPoseValues() && Sync->isChecked())
            text += tr(" (the robot moves at the next send)");
        return text;
    };
    connect(m_history.get(), &EditHistory::applied, this, [this] {
        // A link half drawn and the last hits may name items that are gone.
        m_edit.abandonLink();
        m_edit.clearHits();
        ItemsChanged();
        RepaintCanvas();
    });
    QUndoStack& stack = m_history->stack();
    connect(&stack, &QUndoStack::indexChanged, this, [this] {
        const QUndoStack& s = m_history->stack();
        UndoBtn->setEnabled(s.canUndo());
        RedoBtn->setEnabled(s.canRedo());
        UndoBtn->setToolTip(undoHint(s));
        RedoBtn->setToolTip(redoHint(s));
    });
    connect(UndoBtn, &QToolButton::clicked, this, &MainWindow::UndoBtnClick);
    connect(RedoBtn, &QToolButton::clicked, this, &MainWindow::RedoBtnClick);
    // The keys work in every window of the program (the pose window's edits
    // are steps too); an edit box keeps them for its own text.
    for (const auto& [keys, slot] :
         {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Z), &MainWindow::UndoBtnClick},
          std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &MainWindow::RedoBtnClick},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_Y), &MainWindow::RedoBtnClick}}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::ApplicationShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    }
}

void MainWindow::setUpCanvasKeys() {
    // The keys work wherever the focus is in this window, unless a control
    // there takes the key for itself (an edit box its Ctrl+C).
    const struct {
        const char* name;
        QKeySequence keys;
        std::function<void()> run;
    } keys[] = {
        {"SelectToolAction", QKeySequence(Qt::Key_Escape), [this] { MenuClick(ToolSelect); }},
        {"DeleteAction", QKeySequence(Qt::Key_Delete),
         [this] { Image1->editor().DeleteSelection(); }},
        {"CopyAction", QKeySequence(Qt::CTRL | Qt::Key_C),
         [this] { Image1->editor().CopySelection(); }},
        {"PasteAction", QKeySequence(Qt::CTRL | Qt::Key_V),
         [this] { Image1->editor().PasteClipboard(); }},
    };
    for (const auto& key : keys) {
        auto* action = new QAction(this);
        action->setObjectName(QLatin1String(key.name));
        action->setShortcut(key.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, [this, run = key.run] {
            // A shortcut takes the key press before anyone sees it: the
            // last action's changes become a step here, as a key press
            // makes them anywhere else.
            m_history->commit();
            run();
            RepaintCanvas();
        });
    }
}

EditHistory& MainWindow::history() {
    return *m_history;
}

void MainWindow::UndoBtnClick() {
    if (RefuseWhileBusy()) return;
    const QString name = m_state.header.MotionName;
    // The page caption changes only with the name: a new window shows
    // "No subject" for the default name, which must stay.
    if (m_history->undo() && m_state.header.MotionName != name)
        SetMotionName(m_state.header.MotionName);
}

void MainWindow::RedoBtnClick() {
    if (RefuseWhileBusy()) return;
    const QString name = m_state.header.MotionName;
    if (m_history->redo() && m_state.header.MotionName != name)
        SetMotionName(m_state.header.MotionName);
}

void MainWindow::commitSoon() {
    if (m_commitQueued) return;
    m_commitQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_commitQueued = false;
        m_history->commit();
    });
}

void MainWindow::noteInputEvent(QObject* watched, QEvent* event) {
    if (!m_history || !watched->isWidgetType()) return;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
        // A new action begins: what the last one changed is a step of its
        // own. (An event passed on to parent widgets commits again, which
        // finds nothing new: a comparison, no copy.)
        m_history->commit();
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Drop:
        // After the action has run (buttons act on release): a step at once,
        // so the buttons' hints name it.
        commitSoon();
        break;
    default:
        break;
    }
}

} // namespace qvx
