#include "board/BoardBackup.h"

#include "board/AnalogFormat.h"
#include "board/BoardCommands.h"
#include "board/MotionTable.h"
#include "board/ReceiverFormat.h"
#include "settings/AnalogFlows.h"
#include "settings/OptionFlows.h"
#include "settings/ServoParams.h"
#include "settings/TrimFlows.h"
#include "base/Cp932.h"
#include "document/IniFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace qvx {

namespace {

constexpr int kRecordsInMemory = QmxBoard::kMotionSlots * QmxBoard::kRecordsPerSlot;

const QString kBackup = QStringLiteral("Backup");
const QString kOptions = QStringLiteral("Options");
const QString kAnalog = QStringLiteral("Analog");
const QString kReceiver = QStringLiteral("Receiver");
const QString kTrim = QStringLiteral("Trim");
const QString kHome = QStringLiteral("Home");
const QString kNames = QStringLiteral("Names");
const QString kServos = QStringLiteral("Servos");
const QString kTable = QStringLiteral("Table");

QString channelKey(int c) {
    return QStringLiteral("CH") + QString::number(c + 1);
}
QString recordKey(int i) {
    return QString::asprintf("R%.3d", i + 1);
}
QString stepKey(int i) {
    return QString::asprintf("Step%.3d", i + 1);
}

// Text for the reader: control characters would break the line or the
// terminal that shows the file, so they show as '?'.
QString printable(QString text) {
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = u'?';
    return text;
}

QString nameText(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    return u'"' + printable(Cp932::decode(nul < 0 ? bytes : bytes.left(nul))) + u'"';
}

// An entry byte as the choice lists show it: "M1".."S5", or the number.
QString entryCaption(int entry) {
    if (entry < QmxBoard::kTableEntries) return MotionTable::Caption(entry);
    return QStringLiteral("none (") + QString::number(entry) + u')';
}

const std::pair<quint16, const char*> kOptionBits[] = {
    {BoardCommands::kOptSleep, "sleep"},
    {BoardCommands::kOptPause, "pause"},
    {BoardCommands::kOptReceiverReports, "receiver reports"},
    {BoardCommands::kOptWrx1, "WRX-1"},
    {BoardCommands::kOptDataDialog, "data dialog"},
    {BoardCommands::kOptAdReports, "analog reports"},
    {BoardCommands::kOptPlaybackReport, "report at end"},
    {BoardCommands::kOptAlarm, "alarm"},
    {BoardCommands::kOptPowerOnStart, "power-on start"},
    {BoardCommands::kOptButtonStart, "start switch"},
    {BoardCommands::kOptTransmitter, "transmitter"},
    {BoardCommands::kOptSvp, "SVP mode at next start"}};

// The option bits some part of the program sets.
quint16 namedOptionBits() {
    quint16 named = 0;
    for (const auto& bit : kOptionBits)
        named |= bit.first;
    return named;
}

QString optionText(quint16 word) {
    QStringList on;
    for (const auto& [bit, text] : kOptionBits)
        if (word & bit) on << QLatin1String(text);
    const quint16 other = word & ~namedOptionBits();
    if (other) on << QString::asprintf("other bits %04X", other);
    return on.isEmpty() ? QStringLiteral("no option set") : on.join(QStringLiteral(", "));
}

QString channelSetText(quint32 mask) {
    QStringList on;
    for (int c = 0; c < QmxBoard::kChannels; ++c)
        if (mask & (1u << c)) on << channelKey(c);
    return on.isEmpty() ? QStringLiteral("none") : on.join(u' ');
}

QString referenceText(const QByteArray& b) {
    QStringList parts;
    for (int k = 0; k < QmxBoard::Analog::kInputs; ++k)
        parts << QStringLiteral("AD%1 %2").arg(k + 1).arg(BigEndian::word(b, 2 * k));
    return parts.join(QStringLiteral(", "));
}

QString mixingText(const QByteArray& b) {
    QStringList parts;
    for (int c = 0; c < b.size(); ++c) {
        const int index = AnalogSettings::GainIndexOfByte(quint8(b[c]));
        if (index != AnalogSettings::kGainOff)
            parts << channelKey(c) + u' ' + AnalogSettings::GainText(index);
    }
    return parts.isEmpty() ? QStringLiteral("all OFF") : parts.join(QStringLiteral(", "));
}

QString sensorText(const QByteArray& b) {
    AnalogSettings s;
    s.takeSensorBytes(b);
    QStringList parts;
    for (int slot = 0; slot < AnalogSettings::kSlots; ++slot)
        parts << QStringLiteral("AD%1.%2 %3 %4")
                     .arg(slot / 2 + 1)
                     .arg(slot % 2 + 1)
                     .arg(s.thr[size_t(slot)])
                     .arg(AnalogSettings::SelectionCaption(s.sel[size_t(slot)]));
    return parts.join(QStringLiteral(", "));
}

QString receiverText(const QByteArray& b) {
    QStringList parts;
    for (int k = 0; k < b.size(); ++k)
        parts << QStringLiteral("PA%1 %2").arg(k + 1).arg(quint8(b[k]));
    return parts.join(QStringLiteral(", "));
}

QString servoText(const QByteArray& block) {
    const QStringList columns = ServoParams::Columns();
    const QStringList values = ServoParams::RowTexts(0, {}, true, block);
    QStringList parts;
    // The list's parameter columns: after number, name and servo kind, and
    // without the offset, which the block does not hold.
    for (int k = 3; k + 1 < columns.size() && k < values.size(); ++k)
        parts << columns[k] + u' ' + values[k];
    return parts.join(QStringLiteral(", "));
}

QString entryText(int row, const QByteArray& e) {
    const int count = MotionTable::EntryCount(e);
    if (count == 0) return QStringLiteral("not in use");
    const QString what =
        row < QmxBoard::kMotionSlots ? QStringLiteral(" records, ") : QStringLiteral(" steps, ");
    return nameText(e.mid(10)) + QStringLiteral(", ") + QString::number(count) + what +
           MotionTable::DateText(e) + QStringLiteral(", control ") +
           QString::number(MotionTable::EntryControl(e));
}

QByteArray wordBytes(quint16 w) {
    QByteArray b;
    BigEndian::appendWord(b, w);
    return b;
}

class Writer {
  public:
    void section(const QString& name) { m_ini.beginSection(name); }
    void bytes(const QString& key, const QByteArray& b, const QString& meaning = {}) {
        QString value = BoardBackup::HexBytes(b);
        if (!meaning.isEmpty()) value += QStringLiteral("  (") + meaning + u')';
        const QByteArray k = key.toLatin1();
        m_ini.write(QLatin1StringView(k), value);
    }
    void text(const QString& key, const QString& value) {
        const QByteArray k = key.toLatin1();
        m_ini.write(QLatin1StringView(k), value);
    }
    QByteArray finish() { return m_ini.finish(); }

  private:
    IniWriter m_ini;
};

// The most a backup of a whole board holds: the fixed sections, a section for
// every motion and scenario slot, and as many keys as there are values.
constexpr int kFixedSections = 9;
constexpr int kMaxSections = kFixedSections + QmxBoard::kMotionSlots + QmxBoard::kScenarioSlots;
constexpr int maxRecordKeys() {
    // Each motion entry counts up to 255 records, cut where the memory ends.
    int n = 0;
    for (int s = 0; s < QmxBoard::kMotionSlots; ++s)
        n += std::min(QmxBoard::kMaxRecords, kRecordsInMemory - s * QmxBoard::kRecordsPerSlot);
    return n;
}
constexpr int kMaxKeys = 3 + 4 + 5 + 1 + 3 * QmxBoard::kChannels + 1 + QmxBoard::kChannels +
                         QmxBoard::kTableEntries + maxRecordKeys() +
                         QmxBoard::kScenarioSlots * QmxBoard::kScenarioSteps;
// Besides them, a blank line after each section and room for a reader's notes.
constexpr int kMaxLines = kMaxKeys + 2 * kMaxSections + 1000;

// Where each section and key of a file stands, found by going through its
// lines as IniFile does: a file that gives a section or a key twice, holds a
// line that is neither, or holds more than a backup can, is refused here,
// before anything is made of its values.
class Layout {
  public:
    // The fault, or nothing.
    QString scan(const QByteArray& bytes) {
        const QString text = Cp932::decode(bytes);
        QString section;
        int number = 0;
        for (qsizetype at = 0; at <= text.size(); ++number) {
            qsizetype end = text.indexOf(u'\n', at);
            if (end < 0) end = text.size();
            QStringView view = QStringView(text).mid(at, end - at);
            at = end + 1;
            if (view.endsWith(u'\r')) view.chop(1);
            const QStringView trimmed = view.trimmed();
            const int line = number + 1;
            if (trimmed.isEmpty() || trimmed.startsWith(u';')) continue;
            if (trimmed.startsWith(u'[') && trimmed.endsWith(u']') && trimmed.size() >= 2) {
                section = trimmed.mid(1, trimmed.size() - 2).trimmed().toString();
                if (m_sections.size() == kMaxSections)
                    return QCoreApplication::translate(
                               "BoardBackup", "The file has more sections than a backup of a whole "
                                              "board (%1): [%2] on line %3 is one too many")
                        .arg(kMaxSections)
                        .arg(section)
                        .arg(line);
                if (section.compare(kBackup, Qt::CaseInsensitive) == 0) m_sawBackup = true;
                const auto [it, fresh] = m_sections.emplace(section.toLower(), line);
                if (!fresh)
                    return QCoreApplication::translate("BoardBackup",
                                                       "[%1] is given twice, on lines %2 and %3")
                        .arg(section, QString::number(it->second), QString::number(line));
                continue;
            }
            const qsizetype eq = view.indexOf(u'=');
            const QString key = eq < 0 ? QString() : view.left(eq).trimmed().toString();
            if (key.isEmpty())
                return QCoreApplication::translate(
                           "BoardBackup", "Line %1 is no [section], KEY=VALUE or ;comment line")
                    .arg(line);
            if (m_sections.empty())
                return QCoreApplication::translate("BoardBackup",
                                                   "Line %1 gives %2 before the first section")
                    .arg(line)
                    .arg(key);
            if (int(m_keys.size()) == kMaxKeys)
                return QCoreApplication::translate(
                           "BoardBackup", "The file has more keys than a backup of a whole board "
                                          "(%1): %2 on line %3 is one too many")
                    .arg(kMaxKeys)
                    .arg(Where(section, key))
                    .arg(line);
            const auto [it, fresh] = m_keys.emplace(keyName(section, key), line);
            if (!fresh)
                return Where(section, key) +
                       QCoreApplication::translate("BoardBackup",
                                                   " is given twice, on lines %1 and %2")
                           .arg(it->second)
                           .arg(line);
        }
        return {};
    }

    bool sawBackup() const { return m_sawBackup; }
    // The line of a key, or 0.
    int line(const QString& section, const QString& key) const {
        const auto it = m_keys.find(keyName(section, key));
        return it == m_keys.end() ? 0 : it->second;
    }

    static QString Where(const QString& section, const QString& key) {
        return u'[' + section + QStringLiteral("] ") + key;
    }

  private:
    static QString keyName(const QString& section, const QString& key) {
        return section.toLower() + u'\n' + key.toLower();
    }

    std::map<QString, int> m_sections;
    std::map<QString, int> m_keys;
    bool m_sawBackup = false;
};

// Reads the values of a parsed file, remembering the first fault and which
// keys were taken, so that a key nobody asked for can be refused as well.
class Reader {
  public:
    Reader(const IniFile& ini, const Layout& layout) : m_ini(ini), m_layout(layout) {}

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    void fail(const QString& text) {
        if (m_error.isEmpty()) m_error = text;
    }

    std::optional<QString> value(const QString& section, const QString& key) {
        m_taken[section.toLower()].insert(key.toLower());
        if (!m_ini.valueExists(section, key)) {
            fail(Layout::Where(section, key) +
                 QCoreApplication::translate("BoardBackup", " is missing"));
            return std::nullopt;
        }
        return m_ini.readString(section, key, {});
    }
    bool has(const QString& section, const QString& key) const {
        return m_ini.valueExists(section, key);
    }

    QByteArray bytes(const QString& section, const QString& key, int size) {
        const std::optional<QString> v = value(section, key);
        if (!v) return QByteArray(size, '\0');
        // What follows the bytes in parentheses is for the reader only.
        const qsizetype open = v->indexOf(u'(');
        const std::optional<QByteArray> b =
            BoardBackup::ParseHexBytes(v->left(open < 0 ? v->size() : open).trimmed(), size);
        if (!b) {
            fail(where(section, key) +
                 QCoreApplication::translate("BoardBackup", " must be %1 in hex")
                     .arg(size == 1
                              ? QCoreApplication::translate("BoardBackup", "1 byte")
                              : QCoreApplication::translate("BoardBackup", "%1 bytes").arg(size)));
            return QByteArray(size, '\0');
        }
        return *b;
    }
    quint16 word(const QString& section, const QString& key) {
        return BigEndian::word(bytes(section, key, 2), 0);
    }

    // Refuses sections and keys the reading did not ask for.
    void checkNothingElse() {
        for (const QString& s : m_ini.sections()) {
            const auto it = m_taken.constFind(s.toLower());
            if (it == m_taken.cend()) {
                fail(QCoreApplication::translate("BoardBackup", "[%1] does not belong in a backup")
                         .arg(s));
                return;
            }
            for (const QString& k : m_ini.keys(s))
                if (!it->contains(k.toLower())) {
                    fail(where(s, k) + QCoreApplication::translate("BoardBackup",
                                                                   " does not belong in a backup"));
                    return;
                }
        }
    }

    // "[Section] Key (line N)".
    QString where(const QString& section, const QString& key) const {
        const int line = m_layout.line(section, key);
        return Layout::Where(section, key) +
               (line > 0 ? QCoreApplication::translate("BoardBackup", " (line %1)").arg(line)
                         : QString());
    }

  private:
    const IniFile& m_ini;
    const Layout& m_layout;
    QString m_error;
    QHash<QString, QSet<QString>> m_taken;
};

// The format number of a file: a decimal number from 1 up; blanks around it
// are allowed, as around every value.
std::optional<int> formatOf(Reader& r) {
    const std::optional<QString> value = r.value(kBackup, QStringLiteral("Format"));
    if (!value) return std::nullopt;
    const QString text = value->trimmed();
    const QString where = r.where(kBackup, QStringLiteral("Format"));
    if (text.isEmpty()) {
        r.fail(where + QCoreApplication::translate("BoardBackup",
                                                   " is empty: it must give the format number, %1")
                           .arg(BoardBackup::kFormatVersion));
        return std::nullopt;
    }
    for (QChar c : text)
        if (c < u'0' || c > u'9') {
            r.fail(where + QCoreApplication::translate(
                               "BoardBackup", " must be a decimal format number such as %1, not %2")
                               .arg(BoardBackup::kFormatVersion)
                               .arg(text));
            return std::nullopt;
        }
    QStringView digits(text);
    while (digits.size() > 1 && digits.front() == u'0')
        digits = digits.mid(1);
    if (digits == u"0") {
        r.fail(where + QCoreApplication::translate("BoardBackup", " is 0; formats count from 1"));
        return std::nullopt;
    }
    // A number too long for an int is of a format far newer than this one.
    bool ok = false;
    const int format = digits.size() <= 9 ? digits.toInt(&ok) : 0;
    if (!ok || format > BoardBackup::kFormatVersion) {
        r.fail(QCoreApplication::translate(
                   "BoardBackup", "This backup is of format %1, written by a newer version; "
                                  "this version reads format %2")
                   .arg(digits)
                   .arg(BoardBackup::kFormatVersion));
        return std::nullopt;
    }
    return format;
}

} // namespace

int BoardBackup::RecordsOf(int slot, const QByteArray& entry) {
    const int room = kRecordsInMemory - slot * QmxBoard::kRecordsPerSlot;
    return std::clamp(MotionTable::EntryCount(entry), 0, std::max(room, 0));
}

int BoardBackup::StepsOf(const QByteArray& entry) {
    return std::min(MotionTable::EntryCount(entry), QmxBoard::kScenarioSteps);
}

QList<int> BoardBackup::usedEntries() const {
    QList<int> used;
    for (int e = 0; e < QmxBoard::kTableEntries; ++e)
        if (MotionTable::EntryCount(table[size_t(e)]) > 0) used << e;
    return used;
}

int BoardBackup::recordCount() const {
    int n = 0;
    for (const auto& m : motions)
        n += int(m.size());
    return n;
}

int BoardBackup::stepCount() const {
    int n = 0;
    for (const auto& s : scenarios)
        n += int(s.size());
    return n;
}

QString BoardBackup::HexBytes(const QByteArray& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    QString t;
    t.reserve(bytes.size() * 3);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i) t += u' ';
        t += QLatin1Char(kDigits[quint8(bytes[i]) >> 4]);
        t += QLatin1Char(kDigits[quint8(bytes[i]) & 0xF]);
    }
    return t;
}

std::optional<QByteArray> BoardBackup::ParseHexBytes(const QString& text, int size) {
    if (size == 0) return text.isEmpty() ? std::optional<QByteArray>(QByteArray()) : std::nullopt;
    if (text.size() != 3 * size - 1) return std::nullopt;
    QByteArray b(size, '\0');
    auto digit = [](QChar c) -> int {
        const char16_t u = c.unicode();
        if (u >= '0' && u <= '9') return u - '0';
        if (u >= 'A' && u <= 'F') return u - 'A' + 10;
        if (u >= 'a' && u <= 'f') return u - 'a' + 10;
        return -1;
    };
    for (int i = 0; i < size; ++i) {
        const int hi = digit(text[3 * i]), lo = digit(text[3 * i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        if (i + 1 < size && text[3 * i + 2] != u' ') return std::nullopt;
        b[i] = char(hi << 4 | lo);
    }
    return b;
}

QByteArray BoardBackup::toBytes() const {
    Writer w;
    w.section(kBackup);
    w.text(QStringLiteral("Format"), QString::number(kFormatVersion));
    w.text(QStringLiteral("Taken"), taken.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    w.bytes(QStringLiteral("Board"), boardInfo,
            u'"' + printable(QString::fromLatin1(boardInfo)) + u'"');

    w.section(kOptions);
    w.bytes(QStringLiteral("OptionWord"), wordBytes(optionWord), optionText(optionWord));
    w.bytes(QStringLiteral("StartMotions"), BoardBackup::Bytes({buttonStart, powerOnStart}),
            QStringLiteral("start switch ") + entryCaption(buttonStart) +
                QStringLiteral(", power-on ") + entryCaption(powerOnStart));
    w.bytes(QStringLiteral("Alarm"), QByteArray(1, char(alarmMotion)) + wordBytes(alarmVoltage),
            entryCaption(alarmMotion) + QStringLiteral(" at ") +
                OptionFlows::VoltText(OptionFlows::RawToVolts(alarmVoltage)));
    w.bytes(QStringLiteral("SvpChannels"), svpChannels,
            channelSetText(OptionFlows::SvpMask(svpChannels)));

    w.section(kAnalog);
    w.bytes(QStringLiteral("Reference"), adReference, referenceText(adReference));
    for (int k = 0; k < 3; ++k)
        w.bytes(QStringLiteral("Mixing") + QString::number(k + 1), mixing[size_t(k)],
                mixingText(mixing[size_t(k)]));
    w.bytes(QStringLiteral("Sensors"), adSettings, sensorText(adSettings));

    w.section(kReceiver);
    w.bytes(QStringLiteral("Reference"), receiverReference, receiverText(receiverReference));

    w.section(kTrim);
    for (int c = 0; c < kChannels; ++c)
        w.bytes(channelKey(c), wordBytes(trim[size_t(c)]), QString::number(trim[size_t(c)]));
    w.section(kHome);
    for (int c = 0; c < kChannels; ++c)
        w.bytes(channelKey(c), wordBytes(home[size_t(c)]), QString::number(home[size_t(c)]));
    w.section(kNames);
    for (int c = 0; c < kChannels; ++c)
        w.bytes(channelKey(c), channelNames[size_t(c)], nameText(channelNames[size_t(c)]));

    w.section(kServos);
    if (servosRead) {
        w.text(QStringLiteral("Read"), QStringLiteral("yes"));
        for (const auto& [id, block] : servos)
            w.bytes(channelKey(id), block, servoText(block));
    } else {
        w.text(QStringLiteral("Read"),
               QStringLiteral("no  (left out: the board was not in SVP mode)"));
    }

    w.section(kTable);
    for (int e = 0; e < QmxBoard::kTableEntries; ++e)
        w.bytes(MotionTable::Caption(e), table[size_t(e)], entryText(e, table[size_t(e)]));

    for (int s = 0; s < QmxBoard::kMotionSlots; ++s) {
        const auto& records = motions[size_t(s)];
        if (records.empty()) continue;
        w.section(MotionTable::Caption(s));
        for (size_t i = 0; i < records.size(); ++i)
            w.bytes(recordKey(int(i)), records[i].toBytes());
    }
    for (int s = 0; s < QmxBoard::kScenarioSlots; ++s) {
        const auto& steps = scenarios[size_t(s)];
        if (steps.empty()) continue;
        w.section(MotionTable::Caption(QmxBoard::kScenarioEntryBase + s));
        for (size_t i = 0; i < steps.size(); ++i)
            w.bytes(stepKey(int(i)), QByteArray(1, char(steps[i])), entryCaption(steps[i]));
    }
    return w.finish();
}

std::optional<BoardBackup> BoardBackup::Parse(const QByteArray& bytes, QString* error) {
    auto refuse = [error](const QString& why) -> std::optional<BoardBackup> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (bytes.size() > kMaxFileSize)
        return refuse(TooLargeText(QCoreApplication::translate("BoardBackup", "The file")));
    // Counted before anything is made of the lines, which would cost far more.
    const qsizetype lines = std::count(bytes.cbegin(), bytes.cend(), '\n') + 1;
    if (lines > kMaxLines)
        return refuse(
            QCoreApplication::translate(
                "BoardBackup", "The file has %1 lines; a backup of a whole board has at most %2")
                .arg(lines)
                .arg(kMaxLines));
    Layout layout;
    if (const QString fault = layout.scan(bytes); !fault.isEmpty())
        return refuse(layout.sawBackup() ? fault
                                         : QCoreApplication::translate(
                                               "BoardBackup", "This is no board backup: ") +
                                               fault.front().toLower() + fault.mid(1));
    IniFile ini;
    ini.parseBytes(bytes);
    if (!ini.valueExists(kBackup, QStringLiteral("Format")))
        return refuse(QCoreApplication::translate(
            "BoardBackup", "This is no board backup: [Backup] Format is missing"));

    Reader r(ini, layout);
    if (!formatOf(r)) return refuse(r.error());
    BoardBackup b;
    if (const auto t = r.value(kBackup, QStringLiteral("Taken")))
        b.taken = QDateTime::fromString(*t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    b.boardInfo = r.bytes(kBackup, QStringLiteral("Board"), QmxBoard::kBoardInfoSize);

    b.optionWord = r.word(kOptions, QStringLiteral("OptionWord"));
    const QByteArray starts = r.bytes(kOptions, QStringLiteral("StartMotions"), 2);
    b.buttonStart = quint8(starts[0]);
    b.powerOnStart = quint8(starts[1]);
    const QByteArray alarm = r.bytes(kOptions, QStringLiteral("Alarm"), 3);
    b.alarmMotion = quint8(alarm[0]);
    b.alarmVoltage = BigEndian::word(alarm, 1);
    b.svpChannels = r.bytes(kOptions, QStringLiteral("SvpChannels"), 3);

    b.adReference = r.bytes(kAnalog, QStringLiteral("Reference"), QmxBoard::Analog::kReferenceSize);
    for (int k = 0; k < 3; ++k)
        b.mixing[size_t(k)] = r.bytes(kAnalog, QStringLiteral("Mixing") + QString::number(k + 1),
                                      QmxBoard::Analog::kMixingSize);
    b.adSettings = r.bytes(kAnalog, QStringLiteral("Sensors"), QmxBoard::Analog::kSettingsSize);
    b.receiverReference =
        r.bytes(kReceiver, QStringLiteral("Reference"), QmxBoard::Receiver::kReferenceSize);
    // A board written FF calibrates the input from what it measures instead:
    // such a value could never be restored as it is.
    for (int k = 0; k < QmxBoard::Receiver::kReferenceSize && r.ok(); ++k)
        if (quint8(b.receiverReference[k]) == QmxBoard::Receiver::kAutoCalibrate)
            r.fail(r.where(kReceiver, QStringLiteral("Reference")) +
                   QCoreApplication::translate(
                       "BoardBackup", " holds FF for PA%1, which a board takes as the order to "
                                      "calibrate PA%1 from what it measures: it cannot be restored")
                       .arg(k + 1));

    for (int c = 0; c < kChannels; ++c) {
        b.trim[size_t(c)] = r.word(kTrim, channelKey(c));
        b.home[size_t(c)] = r.word(kHome, channelKey(c));
        b.channelNames[size_t(c)] = r.bytes(kNames, channelKey(c), QmxBoard::kChannelNameSize);
    }

    if (const auto read = r.value(kServos, QStringLiteral("Read"))) {
        const QString answer = read->section(u' ', 0, 0, QString::SectionSkipEmpty);
        if (answer == QLatin1String("yes"))
            b.servosRead = true;
        else if (answer != QLatin1String("no"))
            r.fail(r.where(kServos, QStringLiteral("Read")) +
                   QCoreApplication::translate("BoardBackup", " must be yes or no"));
    }
    const quint32 svp = OptionFlows::SvpMask(b.svpChannels);
    for (int c = 0; c < kChannels && r.ok(); ++c) {
        if (!r.has(kServos, channelKey(c))) continue;
        if (!b.servosRead || !(svp & (1u << c))) {
            r.fail(r.where(kServos, channelKey(c)) +
                   QCoreApplication::translate(
                       "BoardBackup", " is given, but no SVP servo was read on that channel"));
            break;
        }
        b.servos[c] = r.bytes(kServos, channelKey(c), ServoParams::kSize);
    }

    for (int e = 0; e < QmxBoard::kTableEntries; ++e)
        b.table[size_t(e)] = r.bytes(kTable, MotionTable::Caption(e), QmxBoard::kEntrySize);
    if (!r.ok()) return refuse(r.error());

    // Records by their place in the motion memory: two entries that share a
    // record must agree on it, or restoring one would undo the other.
    std::map<int, std::pair<int, int>> owner; // place -> (slot, index) first seen
    for (int s = 0; s < QmxBoard::kMotionSlots && r.ok(); ++s) {
        const int n = RecordsOf(s, b.table[size_t(s)]);
        const QString section = MotionTable::Caption(s);
        auto& records = b.motions[size_t(s)];
        for (int i = 0; i < n && r.ok(); ++i) {
            const QByteArray bytesOf = r.bytes(section, recordKey(i), MotionRecord::kSize);
            records.push_back(*MotionRecord::fromBytes(bytesOf));
            const int place = s * QmxBoard::kRecordsPerSlot + i;
            const auto [it, fresh] = owner.emplace(place, std::pair{s, i});
            if (fresh) continue;
            const auto [os, oi] = it->second;
            if (b.motions[size_t(os)][size_t(oi)] != records.back())
                r.fail(r.where(section, recordKey(i)) +
                       QCoreApplication::translate("BoardBackup",
                                                   " is the same record of the board as ") +
                       r.where(MotionTable::Caption(os), recordKey(oi)) +
                       QCoreApplication::translate("BoardBackup", ", but differs from it"));
        }
    }
    for (int s = 0; s < QmxBoard::kScenarioSlots && r.ok(); ++s) {
        const int entry = QmxBoard::kScenarioEntryBase + s;
        const int n = StepsOf(b.table[size_t(entry)]);
        for (int i = 0; i < n && r.ok(); ++i)
            b.scenarios[size_t(s)].push_back(
                quint8(r.bytes(MotionTable::Caption(entry), stepKey(i), 1)[0]));
    }
    if (r.ok()) r.checkNothingElse();
    if (!r.ok()) return refuse(r.error());
    return b;
}

QStringList BoardBackup::unusualValues() const {
    QStringList found;
    auto note = [&found](const QString& section, const QString& key, const QByteArray& value,
                         const QString& why) {
        found << u'[' + section + QStringLiteral("] ") + key + u'=' + HexBytes(value) +
                     QStringLiteral(": ") + why;
    };
    if (const quint16 other = optionWord & ~namedOptionBits())
        note(kOptions, QStringLiteral("OptionWord"), wordBytes(optionWord),
             QCoreApplication::translate("BoardBackup", "bits %1 are set, which no dialog sets")
                 .arg(QString::asprintf("%04X", other)));
    // A motion choice is a table entry, or FF for none.
    auto noEntry = [](quint8 e) { return e != 0xFF && e >= QmxBoard::kTableEntries; };
    if (noEntry(buttonStart) || noEntry(powerOnStart))
        note(kOptions, QStringLiteral("StartMotions"), Bytes({buttonStart, powerOnStart}),
             QCoreApplication::translate("BoardBackup", "a start motion that is no table entry"));
    const QByteArray alarm = QByteArray(1, char(alarmMotion)) + wordBytes(alarmVoltage);
    if (noEntry(alarmMotion))
        note(kOptions, QStringLiteral("Alarm"), alarm,
             QCoreApplication::translate("BoardBackup", "an alarm motion that is no table entry"));
    const int volts = OptionFlows::RawToVolts(alarmVoltage);
    if (volts < OptionFlows::kVoltMin || volts > OptionFlows::kVoltMax)
        note(kOptions, QStringLiteral("Alarm"), alarm,
             QCoreApplication::translate(
                 "BoardBackup", "the alarm voltage %1 is outside the option dialog's %2 to %3")
                 .arg(OptionFlows::VoltText(volts), OptionFlows::VoltText(OptionFlows::kVoltMin),
                      OptionFlows::VoltText(OptionFlows::kVoltMax)));
    for (int k = 0; k < QmxBoard::Analog::kInputs; ++k)
        if (const int v = BigEndian::word(adReference, 2 * k); v > QmxBoard::Analog::kReferenceMax)
            note(kAnalog, QStringLiteral("Reference"), adReference,
                 QCoreApplication::translate("BoardBackup",
                                             "AD%1 is %2, beyond the analog dialog's 0 to %3")
                     .arg(k + 1)
                     .arg(v)
                     .arg(QmxBoard::Analog::kReferenceMax));
    for (int k = 0; k < receiverReference.size(); ++k)
        if (const int v = quint8(receiverReference[k]); v > QmxBoard::Receiver::kReferenceMax)
            note(kReceiver, QStringLiteral("Reference"), receiverReference,
                 QCoreApplication::translate("BoardBackup",
                                             "PA%1 is %2, beyond the receiver window's 0 to %3")
                     .arg(k + 1)
                     .arg(v)
                     .arg(QmxBoard::Receiver::kReferenceMax));
    for (int c = 0; c < kChannels; ++c)
        if (const int t = trim[size_t(c)]; t < TrimFlows::kMin || t > TrimFlows::kMax)
            note(kTrim, channelKey(c), wordBytes(quint16(t)),
                 QCoreApplication::translate(
                     "BoardBackup",
                     "%1 is beyond the trim window's %2 to %3 (a trim file holding it "
                     "is refused)")
                     .arg(t)
                     .arg(TrimFlows::kMin)
                     .arg(TrimFlows::kMax));
    return found;
}

bool BoardBackup::Save(const QString& path) const {
    return IniFile::saveBytes(path, toBytes());
}

QString BoardBackup::TooLargeText(const QString& what) {
    return what + QCoreApplication::translate(
                      "BoardBackup", " is larger than %1 MB; a backup of a whole board is smaller")
                      .arg(kMaxFileSize / (1024 * 1024));
}

std::optional<BoardBackup> BoardBackup::Load(const QString& path, QString* error) {
    auto refuse = [&](const QString& why) -> std::optional<BoardBackup> {
        if (error) *error = why;
        return std::nullopt;
    };
    // Only regular files: a pipe would block the read for ever and a device
    // such as /dev/zero never ends.
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(path + QCoreApplication::translate("BoardBackup", " does not exist"));
    if (!info.isFile())
        return refuse(path + QCoreApplication::translate("BoardBackup", " is no file"));
    if (info.size() > kMaxFileSize) return refuse(TooLargeText(path));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return refuse(QCoreApplication::translate("BoardBackup", "Cannot read %1: %2")
                          .arg(path, f.errorString()));
    // One byte more than the limit shows a file still growing past it.
    const QByteArray bytes = f.read(kMaxFileSize + 1);
    qCDebug(lcDoc) << "read" << path << bytes.size() << "bytes";
    return Parse(bytes, error);
}

} // namespace qvx
