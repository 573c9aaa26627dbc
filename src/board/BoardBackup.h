#pragma once

#include "board/BoardProtocol.h"
#include "board/MotionRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <initializer_list>
#include <map>
#include <optional>
#include <vector>

namespace qvx {

// Everything a board keeps, as one backup: the motion table, the records of
// every motion in use, the steps of every scenario in use and every stored
// setting, each as the bytes the board answers with.
//
// The file is an INI text file (CP932, CR LF) a person can read and compare:
// every value is the raw bytes in hex, followed by what they mean in the units
// the dialogs show, in parentheses. Only the bytes are read back; the text in
// parentheses is for the reader. A file is taken whole or refused whole.
struct BoardBackup {
    using Words = BigEndian::Words;
    static constexpr int kFormatVersion = 1;
    static constexpr int kChannels = QmxBoard::kChannels;

    QDateTime taken;
    // The board's identification text; shown, never written back.
    QByteArray boardInfo;
    std::array<QByteArray, QmxBoard::kTableEntries> table;
    // The records of each motion slot in use, read as (slot, index) for every
    // index its entry counts; empty for a slot not in use. A motion longer
    // than a slot runs on into the next slots, so two entries may share records.
    std::array<std::vector<MotionRecord>, QmxBoard::kMotionSlots> motions;
    // The motion numbers of each scenario's steps, as many as its entry counts.
    std::array<std::vector<quint8>, QmxBoard::kScenarioSlots> scenarios;
    // Stored copies.
    quint16 optionWord = 0;
    quint8 buttonStart = 0xFF, powerOnStart = 0xFF;
    quint8 alarmMotion = 0xFF;
    quint16 alarmVoltage = 0;
    QByteArray svpChannels;
    QByteArray adReference;
    std::array<QByteArray, 3> mixing;
    QByteArray adSettings;
    QByteArray receiverReference;
    Words trim{};
    Words home{};
    std::array<QByteArray, kChannels> channelNames;
    // Whether the board ran in SVP mode, so that the servos could be asked.
    bool servosRead = false;
    // Servo ID (= channel index) -> its 17-byte parameter block, for every
    // SVP channel whose servo answered.
    std::map<int, QByteArray> servos;

    bool operator==(const BoardBackup&) const = default;

    // Records a motion entry stands for: its count, cut where the motion
    // memory ends (the board has nothing beyond).
    static int RecordsOf(int slot, const QByteArray& entry);
    // Steps a scenario entry stands for: its count, at most the steps a
    // scenario holds.
    static int StepsOf(const QByteArray& entry);
    // Table entries in use (count above 0).
    QList<int> usedEntries() const;
    int recordCount() const;
    int stepCount() const;

    // The file's bytes.
    QByteArray toBytes() const;
    // A file's bytes as a backup; nothing, with the reason, when anything is
    // missing, malformed, ambiguous (a section or key given twice) or
    // inconsistent, when it holds more than a backup of a whole board, or
    // when the file is of a newer format. Faults name the key and its line.
    static std::optional<BoardBackup> Parse(const QByteArray& bytes, QString* error);
    // Writes the file atomically; false when it cannot be written.
    bool Save(const QString& path) const;
    static std::optional<BoardBackup> Load(const QString& path, QString* error);
    // A backup of a whole board takes about 3 MB; a file beyond this is
    // refused before it is read.
    static constexpr qint64 kMaxFileSize = 8LL * 1024 * 1024;
    // "WHAT is larger than 8 MB; ...".
    static QString TooLargeText(const QString& what);

    // Values a board can hold but the program's own dialogs never set (a
    // trim beyond the trim window's range, option bits no dialog names, a
    // start motion that is no table entry, ...), one line each with section,
    // key and value. They are restored as they are: a backup of a board must
    // always go back onto it; the user is told before.
    QStringList unusualValues() const;

    // An array of the given bytes.
    static QByteArray Bytes(std::initializer_list<quint8> bytes) {
        QByteArray b;
        for (quint8 x : bytes)
            b.append(char(x));
        return b;
    }
    // Hex bytes separated by blanks, upper case: "64 1F 40".
    static QString HexBytes(const QByteArray& bytes);
    // The bytes of such a text; nothing unless it is exactly `size` pairs of
    // hex digits separated by single blanks.
    static std::optional<QByteArray> ParseHexBytes(const QString& text, int size);
};

} // namespace qvx
