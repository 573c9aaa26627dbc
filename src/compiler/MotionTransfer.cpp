#include "compiler/MotionTransfer.h"

#include "base/Services.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "board/MotionTable.h"
#include "compiler/Compiler.h"
#include "board/WordClasses.h"
#include "document/Chart.h"
#include "document/MotionHeader.h"

#include <QDateTime>
#include <algorithm>

namespace qvx {

MotionTransfer::MotionTransfer(Compiler& compiler, MotionHeader& header, BoardCommands& board,
                               Services& services)
    : m_compiler(compiler), m_header(header), m_board(board), m_services(services) {}

void MotionTransfer::report(int done, int total) {
    if (m_progress) m_progress(done, total);
}

bool MotionTransfer::CheckMotionFits(int slot) {
    const int n = int(m_compiler.MotionImage().size());
    // The table entry counts records in one byte, and a long motion runs on into
    // the slots after its own.
    if (n > kMaxRecords) {
        m_services.ShowMessageBox(
            MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::English,
            tr("The motion has %1 records; a motion can hold at most %2.").arg(n).arg(kMaxRecords));
        return false;
    }
    const int lastSlot = slot + (std::max(n, 1) - 1) / kRecordsPerSlot;
    if (lastSlot >= kMotionSlots) {
        m_services.ShowMessageBox(MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::English,
                                  tr("The motion has %1 records and would need M%2 to M%3; "
                                     "the board ends at M%4.")
                                      .arg(n)
                                      .arg(slot + 1)
                                      .arg(lastSlot + 1)
                                      .arg(kMotionSlots));
        return false;
    }
    return true;
}

QString MotionTransfer::RecordName(int slot, int index) {
    return tr("%1 record %2").arg(MotionTable::Caption(slot)).arg(index + 1);
}

bool MotionTransfer::failed(const QString& what) {
    m_failure = m_board.link().failureWith(what);
    return false;
}

bool MotionTransfer::ConfirmMotionWrite(int slot) {
    const int n = int(m_compiler.MotionImage().size());
    if (n <= kRecordsPerSlot) return true;
    QStringList later;
    for (int k = 0; k < n / kRecordsPerSlot; ++k)
        later << QStringLiteral("M") + QString::number(slot + 2 + k);
    const QString question =
        tr("As the data to input are more than thirty\r\nThe data of %1 would be deleted. Do "
           "you agree with this")
            .arg(later.join(u','));
    return m_services.ShowMessageBox(MsgIcon::Question, MsgButtons::YesNo, 0, MsgLanguage::English,
                                     question) == ResultYes;
}

bool MotionTransfer::ConfirmScenarioWrite() {
    if (m_compiler.StepCount() <= kMaxSteps) return true;
    const QString question =
        tr("We can't write the motion data\r\nmore than 200. Please understand us.");
    return m_services.ShowMessageBox(MsgIcon::Question, MsgButtons::YesNo, 0, MsgLanguage::English,
                                     question) == ResultYes;
}

bool MotionTransfer::WriteMotionToBoard(int slot, bool confirmed) {
    m_failure.clear();
    // What is sent is what was compiled when the write began, whatever the
    // window compiles meanwhile.
    const std::vector<MotionRecord> image = m_compiler.MotionImage();
    const MotionHeader header = m_header;
    const int n = int(image.size());
    if (slot < 0 || slot >= kMotionSlots || n == 0) return false;
    if (!CheckMotionFits(slot)) return false;
    if (!confirmed && !ConfirmMotionWrite(slot)) return false;
    report(0, n);
    for (int i = 0; i < n; ++i) {
        if (!m_board.WriteMotionRecord(true, slot, i, image[size_t(i)]))
            return failed(RecordName(slot, i));
        if (m_verify && !verifyRecord(slot, i, image[size_t(i)])) return false;
        m_services.ShowStatus(tr("Writing of %1 is done").arg(i + 1));
        report(i + 1, n);
    }
    if (!m_board.UpdateTableEntry(slot, n, int(header.MotionPort & 0xFFFFFF), header.MotionName,
                                  QDateTime(), int(header.MotionCtrl & 0xFFFF)))
        return failed(tr("the table entry of %1").arg(MotionTable::Caption(slot)));
    m_services.ShowStatus(tr("PCT is written"));
    return true;
}

bool MotionTransfer::verifyRecord(int slot, int index, const MotionRecord& written) {
    MotionRecord back;
    if (!m_board.ReadMotionRecord(true, slot, index, back))
        return failed(tr("reading back %1").arg(RecordName(slot, index)));
    if (back == written) return true;
    m_failure = tr("%1 reads back differently from what was written").arg(RecordName(slot, index));
    m_services.ShowMessageBox(
        MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::English,
        tr("Record %1 of M%2 reads back differently from what was written:\r\n"
           "written %3\r\nread    %4")
            .arg(index + 1)
            .arg(slot + 1)
            .arg(ReadRow(index, written).trimmed(), ReadRow(index, back).trimmed()));
    return false;
}

void MotionTransfer::readHeader(const QByteArray& entry) {
    m_header.MotionName = MotionTable::EntryName(entry);
    m_header.MotionPort = MotionTable::EntryPort(entry);
    m_header.MotionCtrl = quint32(MotionTable::EntryControl(entry));
}

QString MotionTransfer::ReadRow(int index, const MotionRecord& record) {
    // Upper-case hex, as every other hex row of the program.
    QString row = QString::asprintf("%.3d %.2X ", index + 1, record.lead);
    for (quint16 w : record.words)
        row += QString::asprintf("%.2X %.2X ", w >> 8, w & 0xFF);
    return row;
}

bool MotionTransfer::ReadMotionFromBoard(int slot) {
    m_failure.clear();
    if (slot < 0 || slot >= kMotionSlots) return false;
    QByteArray entry;
    if (!m_board.ReadTableEntry(slot, entry))
        return failed(tr("the table entry of %1").arg(MotionTable::Caption(slot)));
    const int n = MotionTable::EntryCount(entry);
    if (n == 0) return false;
    if (m_table) m_table->ShowTableRow(entry, slot);
    m_services.ShowStatus(PctReadText());
    readHeader(entry);

    m_listRows.clear();
    // The records are collected aside and become the motion image only when
    // all of them were read.
    std::vector<MotionRecord> image(static_cast<size_t>(n));
    QStringList rows;
    report(0, n);
    for (int i = 0; i < n; ++i) {
        MotionRecord r;
        if (!m_board.ReadMotionRecord(true, slot, i, r)) {
            m_compiler.SetMotionImage({});
            return failed(RecordName(slot, i));
        }
        image[size_t(i)] = r;
        rows << ReadRow(i, r);
        m_services.ShowStatus(tr("Reading of %1 is done").arg(i + 1));
        report(i + 1, n);
    }
    m_compiler.SetMotionImage(std::move(image));
    m_listRows = std::move(rows);
    return true;
}

bool MotionTransfer::WriteScenarioToBoard(const Chart& chart, int scenario, bool confirmed) {
    m_failure.clear();
    if (scenario < 0 || scenario >= MotionTable::kScenarioRows) return false;
    int n = m_compiler.StepCount();
    if (n <= 0) return false;
    // The motion numbers to send are taken from the chart before the first
    // exchange; the chart may change while the steps are written.
    std::vector<int> motions;
    motions.reserve(size_t(n));
    for (int k = 0; k < n; ++k) {
        const int item = m_compiler.StepItem()[size_t(k)];
        if (!chart.validItem(item)) return false;
        motions.push_back(chart.items[size_t(item)].lead);
    }
    const QString name = m_header.MotionName;
    if (n > kMaxSteps) {
        if (!confirmed && !ConfirmScenarioWrite()) return false;
        n = kMaxSteps;
    }
    const QString caption = MotionTable::Caption(kScenarioEntryBase + scenario);
    report(0, n);
    for (int k = 0; k < n; ++k) {
        if (!m_board.WriteScenarioStep(scenario, k, motions[size_t(k)]))
            return failed(tr("%1 step %2").arg(caption).arg(k + 1));
        m_services.ShowStatus(tr("Writing of %1 is done").arg(k + 1));
        report(k + 1, n);
    }
    if (!m_board.UpdateTableEntry(kScenarioEntryBase + scenario, n, -1, name, QDateTime(), -1))
        return failed(tr("the table entry of %1").arg(caption));
    return true;
}

bool MotionTransfer::ReadScenarioFromBoard(int scenario) {
    m_failure.clear();
    if (scenario < 0 || scenario >= MotionTable::kScenarioRows) return false;
    const QString caption = MotionTable::Caption(kScenarioEntryBase + scenario);
    QByteArray entry;
    if (!m_board.ReadTableEntry(kScenarioEntryBase + scenario, entry))
        return failed(tr("the table entry of %1").arg(caption));
    if (m_table) m_table->ShowTableRow(entry, kScenarioEntryBase + scenario);
    const int n = MotionTable::EntryCount(entry);
    if (n == 0) return false;
    readHeader(entry);
    m_listRows.clear();
    std::vector<qint32> steps(static_cast<size_t>(n), 0);
    QStringList rows;
    report(0, n);
    for (int i = 0; i < n; ++i) {
        int c = 0;
        if (!m_board.ReadScenarioStep(scenario, i, c))
            return failed(tr("%1 step %2").arg(caption).arg(i + 1));
        steps[size_t(i)] = c;
        rows << QStringLiteral("M") + QString::number(c + 1);
        report(i + 1, n);
    }
    m_compiler.SetSteps(std::move(steps), {});
    m_listRows = std::move(rows);
    return true;
}

int MotionTransfer::ClassifyRecord(const MotionRecord& record) {
    int agreed = RecordPos;
    bool disagree = false;
    for (quint16 w : record.words) {
        const WordClass& cls = WordClasses::ValueKind(w);
        // A word of an unassigned range makes the whole record unusable.
        if (!cls.assigned()) return RecordNone;
        const int c = cls.kind;
        if (c == RecordPos || disagree) continue;
        if (agreed == RecordPos)
            agreed = c;
        else if (agreed != c)
            disagree = true;
    }
    if (disagree) return RecordPos;
    return WordClasses::ValueKind(record.words[23]).kind;
}

int MotionTransfer::ResolveStep(int s) const {
    const auto& items = m_compiler.StepItem();
    const auto& targets = m_compiler.StepTarget();
    const int n = int(items.size());
    std::vector<bool> passed(size_t(n), false);
    while (s >= 0 && s < n && !passed[size_t(s)]) {
        if (items[size_t(s)] >= 0) return items[size_t(s)];
        passed[size_t(s)] = true;
        s = targets[size_t(s)];
    }
    return -1;
}

void MotionTransfer::advance(int& x, int& y) const {
    y += 40;
    if (y > m_canvasHeight - 30) {
        y = 5;
        x += 70;
    }
}

void MotionTransfer::RebuildChart(Chart& chart) {
    const auto& image = m_compiler.MotionImage();
    if (image.empty()) return;
    const int count = int(image.size());
    std::vector<qint32> stepItem(size_t(count), -1);
    std::vector<qint32> stepTarget(size_t(count), -1);

    int x = 5, y = 5;
    ItemNamer namer(chart);
    for (int i = 0; i < count; ++i) {
        const MotionRecord& r = image[size_t(i)];
        const int kind = ClassifyRecord(r);
        if (kind == RecordPos || kind == RecordSet || kind == RecordCmp) {
            const int item = chart.CreateItem(quint8(kind), x, y, &namer);
            if (item < 0) continue;
            Item& it = chart.items[size_t(item)];
            it.lead = r.lead;
            for (int k = 0; k < kChannelCount; ++k) {
                const quint16 w = r.words[size_t(k)];
                it.values[size_t(k)] =
                    kind == RecordCmp ? quint16(WordClasses::SplitValue(w).base) : w;
            }
            stepItem[size_t(i)] = item;
            advance(x, y);
        }
        if (kind == RecordCmp || kind == RecordJmp)
            stepTarget[size_t(i)] = WordClasses::RecordCodeBase(r).argument;
    }
    m_compiler.SetSteps(std::move(stepItem), std::move(stepTarget));
    const auto& steps = m_compiler.StepItem();
    const auto& targets = m_compiler.StepTarget();

    // Gathered first and added in one go: adding them one by one would walk
    // every link made so far for each new one.
    std::vector<Link> made;
    auto addLink = [&made](quint8 kind, int origin, int final) {
        made.push_back({false, kind, origin, final, {}});
    };
    for (int i = 0; i + 1 < count; ++i) {
        const int a = steps[size_t(i)];
        if (a < 0) continue;
        const int next = ResolveStep(i + 1);
        if (next >= 0) addLink(MainLink, a, next);
        if (targets[size_t(i)] != -1) {
            const int target = ResolveStep(targets[size_t(i)]);
            if (target >= 0) addLink(BranchLink, a, target);
        }
    }
    const int first = chart.AddLinks(int(made.size()));
    std::move(made.begin(), made.end(), chart.links.begin() + first);
    chart.startItem = chart.items.empty() ? -1 : 0;
}

void MotionTransfer::RebuildScenarioChart(Chart& chart) {
    const int count = m_compiler.StepCount();
    if (count <= 0) return;
    // First the names of the motions, read from the board; the chart is built
    // afterwards in one go, so no item is held while an exchange waits.
    const std::vector<qint32> motions = m_compiler.StepItem();
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const int motion = motions[size_t(i)];
        QString name = QStringLiteral("M") + QString::number(motion + 1) + u' ';
        QByteArray entry;
        if (m_board.ReadTableEntry(motion, entry)) {
            name += MotionTable::EntryName(entry);
            if (m_table) m_table->ShowTableRow(entry, motion);
        }
        names << name;
    }

    const int first = chart.AddItems(count);
    int x = 5, y = 5;
    for (int i = 0; i < count; ++i) {
        Item& it = chart.items[size_t(first + i)];
        it.left = x;
        it.top = y;
        advance(x, y);
        it.colour = kWhite;
        it.kind = KindMot;
        it.values.fill(0);
        it.lead = quint8(motions[size_t(i)]);
        it.name = names[i];
        it.height = kItemHeight;
        it.width = (m_textWidth ? m_textWidth(it.name) : 7 * int(it.name.size())) + 20;
    }
    const int firstLink = chart.AddLinks(count - 1);
    for (int j = 0; j + 1 < count; ++j) {
        Link& link = chart.links[size_t(firstLink + j)];
        link.kind = MainLink;
        link.origin = first + j;
        link.final = first + j + 1;
    }
    chart.startItem = first;
}

} // namespace qvx
