#include "board/MotionTable.h"

#include "base/Services.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "base/CommaList.h"
#include "base/Cp932.h"

#include <algorithm>

namespace qvx {

MotionTable::MotionTable(QObject* parent) : QObject(parent) {
    m_rows.fill(EmptyEntry());
}

QByteArray MotionTable::EmptyEntry() {
    QByteArray e(kEntrySize, '\0');
    for (int i = 4; i <= 9; ++i)
        e[i] = char(0xFF);
    return e;
}

QString MotionTable::Caption(int row) {
    return row < kMotionRows ? QStringLiteral("M") + QString::number(row + 1)
                             : QStringLiteral("S") + QString::number(row - kMotionRows + 1);
}

QString MotionTable::EntryName(const QByteArray& entry) {
    QByteArray raw = entry.mid(10, 32);
    const int nul = raw.indexOf('\0');
    if (nul >= 0) raw.truncate(nul);
    return Cp932::decode(raw);
}

int MotionTable::EntryCount(const QByteArray& entry) {
    return entry.isEmpty() ? 0 : quint8(entry[0]);
}

QString MotionTable::DateText(const QByteArray& entry) {
    if (entry.size() < 8 || quint8(entry[4]) == 255) return QStringLiteral("--/-- --:--");
    return QString::asprintf("%d/%d %02d:%02d", quint8(entry[4]), quint8(entry[5]),
                             quint8(entry[6]), quint8(entry[7]));
}

int MotionTable::EntryControl(const QByteArray& entry) {
    if (entry.size() < 10) return 0xFFFF;
    return BigEndian::word(entry, 8);
}

quint32 MotionTable::EntryPort(const QByteArray& entry) {
    if (entry.size() < 4) return 0;
    return quint32(quint8(entry[1])) | (quint32(quint8(entry[2])) << 8) |
           (quint32(quint8(entry[3])) << 16);
}

QStringList MotionTable::rowTexts(int row) const {
    const QByteArray& e = entry(row);
    return {Caption(row), EntryName(e), QString::number(EntryCount(e)), DateText(e),
            QString::number(EntryControl(e))};
}

void MotionTable::ShowTableRow(const QByteArray& entry, int row) {
    if (row < 0 || row >= kRows) return;
    QByteArray e = entry.left(kEntrySize);
    if (e.size() < kEntrySize) e.append(EmptyEntry().mid(e.size()));
    m_rows[size_t(row)] = e;
    m_read[size_t(row)] = true;
    m_lastPort = EntryPort(e);
    emit rowChanged(row);
}

void MotionTable::clear() {
    m_rows.fill(EmptyEntry());
    m_read.fill(false);
    emit cleared();
}

bool MotionTable::allRead() const {
    return std::all_of(m_read.begin(), m_read.end(), [](bool read) { return read; });
}

QString MotionTable::listOf(int first, int count) const {
    QStringList elements;
    for (int row = first; row < first + count; ++row)
        elements << Caption(row) + u' ' + name(row) + u' ' + DateText(entry(row));
    // Every element holds blanks, so each is quoted; quotes inside a name are
    // doubled so that a name read from the board cannot split the list.
    return CommaList::join(elements);
}

QString MotionTable::MotionList() const {
    return listOf(0, kMotionRows);
}

QString MotionTable::ScenarioList() const {
    return listOf(kMotionRows, kScenarioRows);
}

QString MotionTable::AllList() const {
    return MotionList() + u',' + ScenarioList();
}

bool MotionTable::ReadFromBoard(BoardCommands& board, QString* failure) {
    BoardLink& link = board.link();
    auto failed = [&](const QString& text) {
        if (failure) *failure = text;
        return false;
    };
    clear();
    if (!board.SetSleep(0))
        return failed(link.failureWith(tr("The robot could not be put to sleep")));
    for (int row = 0; row < kRows; ++row) {
        QByteArray e;
        if (!board.ReadTableEntry(row, e)) {
            // The read put the robot to sleep for itself: it is woken again.
            QString text =
                link.failureWith(tr("Reading the table entry of %1 failed").arg(Caption(row)));
            if (!board.SetSleep(1)) text = BoardCommands::LeftAsleep(text);
            return failed(text);
        }
        ShowTableRow(e, row);
    }
    if (!board.SetSleep(1))
        return failed(BoardCommands::LeftAsleep(
            link.failureWith(tr("The table was read, but the robot could not be woken"))));
    return true;
}

void MotionTable::follow(BoardCommands& board) {
    connect(&board, &BoardCommands::tableEntryWritten, this,
            [this](int entry, const QByteArray& data) { ShowTableRow(data, entry); });
    // Another board may be behind the port now (or the same one, changed
    // meanwhile by another program): nothing shown before is known to hold.
    connect(&board.link(), &BoardLink::portOpened, this, &MotionTable::clear);
}

} // namespace qvx
