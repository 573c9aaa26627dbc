#include "board/BackupFlows.h"

#include "base/Services.h"
#include "board/AnalogFormat.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "board/MotionTable.h"
#include "compiler/MotionTransfer.h"
#include "settings/OptionFlows.h"

namespace qvx {

namespace {

// Exchanges of the settings part, each counted once for the progress bar:
// option word, start motions, alarm, SVP channels, analog references, three
// mixing tables, sensor settings, receiver references, trim, home position
// and the 24 channel names.
constexpr int kSettingSteps = 12 + QmxBoard::kChannels;

QString stepName(int scenario, int step) {
    return BackupFlows::tr("%1 step %2")
        .arg(MotionTable::Caption(QmxBoard::kScenarioEntryBase + scenario))
        .arg(step + 1);
}
// WHAT is a text marked with QT_TRANSLATE_NOOP in the context BackupFlows.
QString channelName(const char* what, int c) {
    return BackupFlows::tr("%1 of CH%2").arg(BackupFlows::tr(what)).arg(c + 1);
}

QByteArray wordBytes(quint16 w) {
    QByteArray b;
    BigEndian::appendWord(b, w);
    return b;
}

} // namespace

BackupFlows::BackupFlows(BoardCommands& board, Services& services)
    : m_board(board), m_services(services) {}

void BackupFlows::step() {
    ++m_done;
    if (m_progress) m_progress(m_done, m_total);
}

bool BackupFlows::stop(const QString& what, bool withCause, const QString& details) {
    m_failure = withCause ? m_board.link().failureWith(what) : what;
    m_details = details;
    return false;
}

void BackupFlows::showFailure(bool asleep) {
    QString text = tr("%1 stopped: %2").arg(m_flowName, m_failure);
    if (asleep) text = BoardCommands::LeftAsleep(text);
    m_services.ShowStatus(text);
    if (!m_details.isEmpty()) text += QStringLiteral("\r\n") + m_details;
    m_services.ShowMessageBox(MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::English, text);
    if (m_progress) m_progress(0, 0);
}

std::optional<BoardBackup> BackupFlows::Backup() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return std::nullopt;
    m_notes.clear();
    m_flowName = tr("Backup");
    m_done = 0;
    m_total = QmxBoard::kTableEntries + kSettingSteps;
    BoardBackup b;
    // The file keeps whole seconds.
    const QDateTime now = QDateTime::currentDateTime();
    b.taken = now.addMSecs(-now.time().msec());
    if (!m_board.SetSleep(0)) {
        stop(BoardCommands::SleepFailedText());
        showFailure(false);
        return std::nullopt;
    }
    if (!readAll(b)) {
        // Reading changed nothing on the board: the robot is woken again.
        showFailure(!m_board.SetSleep(1));
        return std::nullopt;
    }
    if (!m_board.SetSleep(1)) {
        stop(tr("everything was read, but the robot could not be woken"));
        showFailure(true);
        return std::nullopt;
    }
    if (m_progress) m_progress(0, 0);
    return b;
}

bool BackupFlows::readAll(BoardBackup& b) {
    auto failed = [this](const QString& what) { return stop(tr("reading %1 failed").arg(what)); };
    quint16 working = 0;
    if (!m_board.ReadOptionWord(false, working)) return failed(tr("the option word"));
    b.servosRead = working & BoardCommands::kOptSvp;
    if (!m_board.ReadBoardInfo(b.boardInfo)) return failed(tr("the board's identification"));

    for (int e = 0; e < QmxBoard::kTableEntries; ++e) {
        QByteArray& entry = b.table[size_t(e)];
        if (!m_board.ReadTableEntry(e, entry))
            return failed(tr("table entry %1").arg(MotionTable::Caption(e)));
        if (m_table) m_table->ShowTableRow(entry, e);
        step();
    }
    for (int s = 0; s < QmxBoard::kMotionSlots; ++s)
        m_total += BoardBackup::RecordsOf(s, b.table[size_t(s)]);
    for (int s = 0; s < QmxBoard::kScenarioSlots; ++s)
        m_total += BoardBackup::StepsOf(b.table[size_t(QmxBoard::kScenarioEntryBase + s)]);

    for (int s = 0; s < QmxBoard::kMotionSlots; ++s) {
        const int n = BoardBackup::RecordsOf(s, b.table[size_t(s)]);
        if (MotionTable::EntryCount(b.table[size_t(s)]) > n)
            m_notes << tr("%1 counts more records than the board holds; the records up to "
                          "the end of its memory were read")
                           .arg(MotionTable::Caption(s));
        auto& records = b.motions[size_t(s)];
        records.resize(size_t(n));
        for (int i = 0; i < n; ++i) {
            if (!m_board.ReadMotionRecord(true, s, i, records[size_t(i)]))
                return failed(MotionTransfer::RecordName(s, i));
            step();
        }
    }
    for (int s = 0; s < QmxBoard::kScenarioSlots; ++s) {
        const int n = BoardBackup::StepsOf(b.table[size_t(QmxBoard::kScenarioEntryBase + s)]);
        auto& steps = b.scenarios[size_t(s)];
        for (int i = 0; i < n; ++i) {
            int motion = 0;
            if (!m_board.ReadScenarioStep(s, i, motion)) return failed(stepName(s, i));
            steps.push_back(quint8(motion));
            step();
        }
    }

    int button = 0, powerOn = 0, alarm = 0;
    if (!m_board.ReadOptionWord(true, b.optionWord)) return failed(tr("the option word"));
    step();
    if (!m_board.ReadStartMotions(button, powerOn)) return failed(tr("the start motions"));
    b.buttonStart = quint8(button);
    b.powerOnStart = quint8(powerOn);
    step();
    if (!m_board.ReadAlarmSetting(alarm, b.alarmVoltage)) return failed(tr("the alarm setting"));
    b.alarmMotion = quint8(alarm);
    step();
    if (!m_board.ReadSvpChannels(b.svpChannels)) return failed(tr("the SVP channels"));
    step();
    if (!m_board.ReadAdReference(true, b.adReference)) return failed(tr("the analog references"));
    step();
    for (int k = 0; k < 3; ++k) {
        if (!m_board.ReadMixing(true, k, b.mixing[size_t(k)]))
            return failed(tr("the mixing of AD%1").arg(k + 1));
        step();
    }
    if (!m_board.ReadAdSettings(true, b.adSettings)) return failed(tr("the sensor settings"));
    step();
    if (!m_board.ReadReceiverReference(true, b.receiverReference))
        return failed(tr("the receiver references"));
    step();
    if (!m_board.ReadTrimData(true, b.trim)) return failed(tr("the trim"));
    step();
    if (!m_board.ReadHomePosition(b.home)) return failed(tr("the home position"));
    step();
    for (int c = 0; c < QmxBoard::kChannels; ++c) {
        if (!m_board.ReadChannelNameBytes(c, b.channelNames[size_t(c)]))
            return failed(channelName(QT_TRANSLATE_NOOP("BackupFlows", "the name"), c));
        step();
    }

    if (!b.servosRead) {
        m_notes << tr("Servo parameters were left out: the board is not in SVP mode");
        return true;
    }
    const quint32 svp = OptionFlows::SvpMask(b.svpChannels);
    for (int c = 0; c < QmxBoard::kChannels; ++c)
        if (svp & (1u << c)) ++m_total;
    for (int c = 0; c < QmxBoard::kChannels; ++c) {
        if (!(svp & (1u << c))) continue;
        // One attempt per servo, as the servo list reads them: a servo that
        // is missing costs one time-out and is left out.
        QByteArray block;
        if (m_board.ReadServoParams(c, block))
            b.servos[c] = block;
        else
            m_notes
                << tr("The servo of CH%1 did not answer; its parameters were left out").arg(c + 1);
        step();
    }
    return true;
}

bool BackupFlows::Restore(const BoardBackup& backup) {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    // Everything is sent from this copy: the caller's backup may change while
    // an exchange waits.
    const BoardBackup b = backup;
    m_notes.clear();
    m_flowName = tr("Restore");
    m_done = 0;
    m_total = b.recordCount() + b.stepCount() + QmxBoard::kTableEntries + kSettingSteps;
    if (!m_board.SetSleep(0)) {
        stop(BoardCommands::SleepFailedText());
        showFailure(false);
        return false;
    }
    // The board holds part of the backup after a failed write: the robot is
    // left asleep rather than started on it.
    bool ok = writeAll(b);
    if (ok && !m_board.SetSleep(1))
        ok = stop(tr("everything was written, but the robot could not be woken"));
    if (!ok) {
        showFailure(true);
        return false;
    }
    if (m_progress) m_progress(0, 0);
    return true;
}

bool BackupFlows::verified(const QString& what, const std::function<bool()>& write,
                           const std::function<bool(QByteArray&)>& read,
                           const QByteArray& expected) {
    if (!write()) return stop(tr("writing %1 failed").arg(what));
    QByteArray back;
    if (!read(back)) return stop(tr("reading back %1 failed").arg(what));
    if (back != expected)
        return stop(tr("%1 reads back differently from what was written").arg(what), false,
                    tr("written %1\r\nread    %2")
                        .arg(BoardBackup::HexBytes(expected), BoardBackup::HexBytes(back)));
    step();
    return true;
}

bool BackupFlows::writeAll(const BoardBackup& b) {
    BoardCommands& board = m_board;
    bool svpMode = false;
    if (!b.servos.empty()) {
        quint16 working = 0;
        if (!board.ReadOptionWord(false, working))
            return stop(tr("reading the option word failed"));
        svpMode = working & BoardCommands::kOptSvp;
        if (svpMode) m_total += int(b.servos.size());
    }

    // Records and steps first, then the entries that point at them.
    for (int s = 0; s < QmxBoard::kMotionSlots; ++s) {
        const auto& records = b.motions[size_t(s)];
        for (int i = 0; i < int(records.size()); ++i) {
            const MotionRecord& r = records[size_t(i)];
            if (!verified(
                    MotionTransfer::RecordName(s, i),
                    [&] { return board.WriteMotionRecord(true, s, i, r); },
                    [&](QByteArray& back) {
                        MotionRecord read;
                        if (!board.ReadMotionRecord(true, s, i, read)) return false;
                        back = read.toBytes();
                        return true;
                    },
                    r.toBytes()))
                return false;
        }
    }
    for (int s = 0; s < QmxBoard::kScenarioSlots; ++s) {
        const auto& steps = b.scenarios[size_t(s)];
        for (int i = 0; i < int(steps.size()); ++i) {
            const int motion = steps[size_t(i)];
            if (!verified(
                    stepName(s, i), [&] { return board.WriteScenarioStep(s, i, motion); },
                    [&](QByteArray& back) {
                        int read = 0;
                        if (!board.ReadScenarioStep(s, i, read)) return false;
                        back = QByteArray(1, char(read));
                        return true;
                    },
                    QByteArray(1, char(motion))))
                return false;
        }
    }
    for (int e = 0; e < QmxBoard::kTableEntries; ++e) {
        const QByteArray& entry = b.table[size_t(e)];
        if (!verified(
                tr("table entry %1").arg(MotionTable::Caption(e)),
                [&] { return board.WriteTableEntry(e, entry); },
                [&](QByteArray& back) { return board.ReadTableEntry(e, back); }, entry))
            return false;
        if (m_table) m_table->ShowTableRow(entry, e);
    }

    if (!verified(
            tr("the home position"), [&] { return board.WriteHomePosition(b.home); },
            [&](QByteArray& back) {
                BigEndian::Words w{};
                if (!board.ReadHomePosition(w)) return false;
                back = BigEndian::fromWords(w);
                return true;
            },
            BigEndian::fromWords(b.home)))
        return false;
    for (int c = 0; c < QmxBoard::kChannels; ++c) {
        const QByteArray& name = b.channelNames[size_t(c)];
        if (!verified(
                channelName(QT_TRANSLATE_NOOP("BackupFlows", "the name"), c),
                [&] { return board.WriteChannelNameBytes(c, name); },
                [&](QByteArray& back) { return board.ReadChannelNameBytes(c, back); }, name))
            return false;
    }
    if (!verified(
            tr("the trim"), [&] { return board.WriteTrimData(true, b.trim); },
            [&](QByteArray& back) {
                BigEndian::Words w{};
                if (!board.ReadTrimData(true, w)) return false;
                back = BigEndian::fromWords(w);
                return true;
            },
            BigEndian::fromWords(b.trim)))
        return false;
    if (!verified(
            tr("the analog references"),
            [&] { return board.WriteAdReference(true, b.adReference); },
            [&](QByteArray& back) { return board.ReadAdReference(true, back); }, b.adReference))
        return false;
    for (int k = 0; k < 3; ++k) {
        const QByteArray& mix = b.mixing[size_t(k)];
        if (!verified(
                tr("the mixing of AD%1").arg(k + 1),
                [&] { return board.WriteMixing(true, k, mix); },
                [&](QByteArray& back) { return board.ReadMixing(true, k, back); }, mix))
            return false;
    }
    if (!verified(
            tr("the sensor settings"), [&] { return board.WriteAdSettings(true, b.adSettings); },
            [&](QByteArray& back) { return board.ReadAdSettings(true, back); }, b.adSettings))
        return false;
    if (!verified(
            tr("the receiver references"),
            [&] { return board.WriteReceiverReference(true, b.receiverReference); },
            [&](QByteArray& back) { return board.ReadReceiverReference(true, back); },
            b.receiverReference))
        return false;
    if (!verified(
            tr("the start motions"),
            [&] { return board.WriteStartMotions(b.buttonStart, b.powerOnStart); },
            [&](QByteArray& back) {
                int button = 0, powerOn = 0;
                if (!board.ReadStartMotions(button, powerOn)) return false;
                back = BoardBackup::Bytes({quint8(button), quint8(powerOn)});
                return true;
            },
            BoardBackup::Bytes({b.buttonStart, b.powerOnStart})))
        return false;
    if (!verified(
            tr("the alarm setting"),
            [&] { return board.WriteAlarmSetting(b.alarmMotion, b.alarmVoltage); },
            [&](QByteArray& back) {
                int motion = 0;
                quint16 volts = 0;
                if (!board.ReadAlarmSetting(motion, volts)) return false;
                back = QByteArray(1, char(motion)) + wordBytes(volts);
                return true;
            },
            QByteArray(1, char(b.alarmMotion)) + wordBytes(b.alarmVoltage)))
        return false;
    if (!verified(
            tr("the SVP channels"), [&] { return board.WriteSvpChannels(b.svpChannels); },
            [&](QByteArray& back) { return board.ReadSvpChannels(back); }, b.svpChannels))
        return false;

    if (!b.servos.empty() && !svpMode)
        m_notes << tr("Servo parameters were not written: the board is not in SVP mode");
    // Named copies rather than a structured binding, which clang 14 cannot
    // capture in a lambda.
    for (const auto& servoBlock : b.servos) {
        if (!svpMode) break;
        const int servo = servoBlock.first;
        const QByteArray& block = servoBlock.second;
        if (!verified(
                channelName(QT_TRANSLATE_NOOP("BackupFlows", "the servo"), servo),
                [&] { return board.WriteServoParams(servo, block); },
                [&](QByteArray& back) { return board.ReadServoParams(servo, back); }, block))
            return false;
    }

    // The option word last: it decides what the board starts at power-on,
    // which must find everything else in place.
    return verified(
        tr("the option word"), [&] { return board.WriteOptionWord(true, b.optionWord); },
        [&](QByteArray& back) {
            quint16 w = 0;
            if (!board.ReadOptionWord(true, w)) return false;
            back = wordBytes(w);
            return true;
        },
        wordBytes(b.optionWord));
}

QString BackupFlows::Summary(const BoardBackup& b) {
    int motions = 0, scenarios = 0;
    for (int e : b.usedEntries())
        (e < QmxBoard::kMotionSlots ? motions : scenarios)++;
    // "1 motion", "2 motions".
    auto count = [](qsizetype n, const char* one, const char* many) {
        return tr(n == 1 ? one : many).arg(n);
    };
    QString s = tr("%1 (%2), %3 (%4)")
                    .arg(count(motions, QT_TR_NOOP("%1 motion"), QT_TR_NOOP("%1 motions")),
                         count(b.recordCount(), QT_TR_NOOP("%1 record"), QT_TR_NOOP("%1 records")),
                         count(scenarios, QT_TR_NOOP("%1 scenario"), QT_TR_NOOP("%1 scenarios")),
                         count(b.stepCount(), QT_TR_NOOP("%1 step"), QT_TR_NOOP("%1 steps")));
    if (b.servosRead)
        s +=
            tr(", %1").arg(count(qsizetype(b.servos.size()), QT_TR_NOOP("%1 servo parameter block"),
                                 QT_TR_NOOP("%1 servo parameter blocks")));
    return s;
}

bool BackupFlows::ConfirmRestore(Services& services, const BoardBackup& backup,
                                 const QString& path) {
    return services.ShowMessageBox(MsgIcon::Question, MsgButtons::YesNo, 0, MsgLanguage::English,
                                   RestoreQuestion(backup, path)) == ResultYes;
}

QString BackupFlows::RestoreWarnings(const BoardBackup& b) {
    const QStringList unusual = b.unusualValues();
    if (unusual.isEmpty()) return {};
    return tr("Warning: the backup holds values the program's own dialogs never "
              "set; they are restored as they are:\r\n") +
           unusual.join(QStringLiteral("\r\n"));
}

QString BackupFlows::RestoreQuestion(const BoardBackup& b, const QString& path) {
    const QString warnings = RestoreWarnings(b);
    return (warnings.isEmpty() ? QString() : warnings + QStringLiteral("\r\n\r\n")) +
           (b.servos.empty()
                ? tr("Restore %1 onto the board?\r\n\r\nIt overwrites all 85 table entries with "
                     "the backup's %2, and every stored setting: option word, start and alarm "
                     "motions, SVP channels, analog and receiver settings, trim, home position "
                     "and channel names.\r\n\r\nMotions now on the board that the backup does "
                     "not hold are lost. The robot sleeps while the backup is written.")
                : tr("Restore %1 onto the board?\r\n\r\nIt overwrites all 85 table entries with "
                     "the backup's %2, and every stored setting: option word, start and alarm "
                     "motions, SVP channels, analog and receiver settings, trim, home position "
                     "and channel names, servo parameters.\r\n\r\nMotions now on the board that "
                     "the backup does not hold are lost. The robot sleeps while the backup is "
                     "written."))
               .arg(path, Summary(b));
}

} // namespace qvx
