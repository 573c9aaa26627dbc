#include "fuzz/ReaderFuzz.h"

#include "base/Services.h"
#include "board/BoardBackup.h"
#include "document/Chart.h"
#include "document/DocumentFile.h"
#include "document/IniFile.h"
#include "document/MotionHeader.h"
#include "fuzz/FuzzCheck.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

namespace qvx {

namespace {

// Answers every question with Yes and shows nothing.
class SilentServices : public Services {
  public:
    void ShowStatus(const QString&) override {}
    int ShowMessageBox(MsgIcon, MsgButtons, int, MsgLanguage, const QString&) override {
        return ResultYes;
    }
    std::optional<int> PickNumber(const QString&, const QString&, const QString&, int) override {
        return std::nullopt;
    }
    void SetBusy(bool) override {}
};

// What every reader must leave behind: links between items, a start item that
// is an item or none.
void checkChart(const Chart& chart) {
    for (const Link& l : chart.links)
        FuzzCheck(chart.validItem(l.origin) && chart.validItem(l.final),
                  "link end outside the chart");
    FuzzCheck(chart.startItem == -1 || chart.validItem(chart.startItem), "start outside the chart");
}

} // namespace

int FuzzReaders(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    if (size == 0 || !dir.isValid()) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    // INI text: what is read comes back byte for byte when nothing changed.
    {
        IniFile ini;
        ini.parseBytes(bytes);
        FuzzCheck(ini.toBytes() == bytes, "INI text not kept byte for byte");
        for (const QString& s : ini.sections())
            for (const QString& k : ini.keys(s))
                FuzzCheck(ini.valueExists(s, k), "listed key cannot be read");
    }

    const QString path = dir.filePath(data[0] & 1 ? QStringLiteral("input.csv")
                                                  : QStringLiteral("input.qmx"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return 0;
    }
    SilentServices services;
    MotionHeader header;
    // Opened into an empty chart, then merged into a chart that has items.
    Chart chart;
    DocumentContext ctx(chart, header, services);
    DocumentFile::OpenDocument(ctx, path);
    checkChart(chart);
    if (chart.itemCount() < 1000) {
        DocumentFile::LoadDocument(ctx, path);
        checkChart(chart);
    }
    Chart table;
    DocumentContext tableCtx(table, header, services);
    DocumentFile::ImportTable(tableCtx, path);
    checkChart(table);

    // A board backup: one that is taken reads back the same from its own file.
    QString error;
    if (const std::optional<BoardBackup> backup = BoardBackup::Parse(bytes, &error)) {
        const std::optional<BoardBackup> again = BoardBackup::Parse(backup->toBytes(), &error);
        FuzzCheck(again && *again == *backup, "backup not read back as written");
    }
    return 0;
}

} // namespace qvx
