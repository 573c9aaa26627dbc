#pragma once

#include "board/BoardBackup.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace qvx {

class BoardCommands;
class MotionTable;
class Services;

// Backs a whole board up and restores it, as core code: the main window's
// Backup and Restore buttons and `qvx board backup|restore` run these, so the
// board sees the same bytes from either.
//
// Both put the robot to sleep first and wake it at the end. A backup reads the
// stored copies only; a restore writes them in an order that keeps the board
// usable for as long as possible (records and steps before the table entries
// that point at them, the option word last) and reads every write back. A
// failure stops the flow at once, with a message box and a status line naming
// what failed and why. A failed backup has changed nothing but the sleep, so
// it wakes the robot again; a failed restore leaves it asleep, as the board
// holds part of the backup. Either says so when the robot stays asleep.
class BackupFlows {
    Q_DECLARE_TR_FUNCTIONS(BackupFlows)

  public:
    BackupFlows(BoardCommands& board, Services& services);

    // Rows of the motion table window, shown again for every entry read or
    // written (may be null).
    void setTable(MotionTable* table) { m_table = table; }
    // Told after each exchange group: (done, total).
    void setProgress(std::function<void(int, int)> progress) { m_progress = std::move(progress); }

    // Reads everything the board keeps. Servo parameters are read only when
    // the board runs in SVP mode; a servo that does not answer is left out and
    // noted. Nothing, after a message, when a read failed.
    std::optional<BoardBackup> Backup();
    // Writes a backup to the board and verifies every write. Servo blocks are
    // written only when the board runs in SVP mode (noted otherwise).
    bool Restore(const BoardBackup& backup);

    // What the last run left out or could not do, one line each.
    const QStringList& notes() const { return m_notes; }

    // The warning about values the program's own dialogs never set, one line
    // each after the first; empty when the backup holds none.
    static QString RestoreWarnings(const BoardBackup& backup);
    // The confirmation question of a restore, naming what it overwrites.
    static QString RestoreQuestion(const BoardBackup& backup, const QString& path);
    // Asks it (Yes/No); true for Yes.
    static bool ConfirmRestore(Services& services, const BoardBackup& backup, const QString& path);
    // A short account of a backup: motions, scenarios, records, servos.
    static QString Summary(const BoardBackup& backup);

  private:
    // Keeps what failed (with the link's cause where `withCause`) and the
    // details shown below it; false.
    bool stop(const QString& what, bool withCause = true, const QString& details = {});
    // Shows what stop() kept, adding that the robot is left asleep when it is.
    void showFailure(bool asleep);
    void step();
    bool readAll(BoardBackup& b);
    bool writeAll(const BoardBackup& b);
    // Writes with `write`, reads back with `read` and compares with `expected`.
    bool verified(const QString& what, const std::function<bool()>& write,
                  const std::function<bool(QByteArray&)>& read, const QByteArray& expected);

    BoardCommands& m_board;
    Services& m_services;
    MotionTable* m_table = nullptr;
    std::function<void(int, int)> m_progress;
    QStringList m_notes;
    int m_done = 0;
    int m_total = 0;
    QString m_flowName;
    QString m_failure;
    QString m_details;
};

} // namespace qvx
