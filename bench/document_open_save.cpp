// Opening and saving documents as the main window does: OpenDocument into an
// empty chart, then SaveDocument over the very file that was opened. Documents
// of 1000, 10 000 and 100 000 items (the most a document may hold) are first
// saved by the program itself, with a link from every item to the next, bending
// points on some links and names of every sort: plain, Japanese and long ones.
// The heavy rows give every item a long Japanese name and every link eight
// bending points, and open a file whose sections are not in order, with
// comments, lower-case names and keys the program does not read.
//
// Then `qvx resave`, `qvx convert` and `qvx info` as whole processes on the
// documents of 10 000 and 100 000 items: wall time and peak memory, each beside
// its goal. Last the reader and the writer alone from 10 000 to 1 000 000 items,
// beyond what a file may hold (the limits raised for the purpose), each in a
// process of its own: time and memory must grow with the items, no faster.
//
//   bench_document_open_save            every row
//   bench_document_open_save N          only row N of the first table (0 to 4)
//   bench_document_open_save --qvx PATH only the whole-process rows, run with
//                                       another build of the tool (for figures
//                                       before and after a change)
#include "Median.h"
#include "base/Services.h"
#include "document/DocumentFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using namespace qvx;

namespace {

class QuietServices : public Services {
  public:
    int boxes = 0;
    void ShowStatus(const QString&) override {}
    int ShowMessageBox(MsgIcon, MsgButtons, int, MsgLanguage, const QString& t) override {
        std::fprintf(stderr, "%s\n", qPrintable(t));
        return ++boxes, ResultOk;
    }
    std::optional<int> PickNumber(const QString&, const QString&, const QString&, int) override {
        return std::nullopt;
    }
    void SetBusy(bool) override {}
};

QString itemName(int n, bool heavy) {
    static const QString japanese[] = {QString::fromUtf8("立つ"), QString::fromUtf8("歩行"),
                                       QString::fromUtf8("右手を上げる"),
                                       QString::fromUtf8("おじぎ")};
    if (heavy)
        return QString::fromUtf8("長い名前の動作その") + QString::number(n) +
               QString::fromUtf8("、右足を前に出して左腕を振りながら重心を移す");
    switch (n % 10) {
    case 0:
        return japanese[(n / 10) % 4] + QString::number(n);
    case 7:
        return QStringLiteral("Long pose name number %1 with a few words after it").arg(n);
    default:
        return QStringLiteral("POS%1").arg(n);
    }
}

// The chart a user could have built: items in columns, each linked to the next,
// a branch link now and then, values that vary from item to item.
void buildChart(Chart& chart, int items, bool heavy) {
    chart.items.reserve(size_t(items));
    for (int n = 0; n < items; ++n) {
        Item it;
        it.name = itemName(n, heavy);
        it.kind = n % 13 == 5 ? KindCmp : (n % 7 == 3 ? KindSet : KindPos);
        it.width = kItemWidth;
        it.height = kItemHeight;
        it.left = 5 + (n / 12) * 70;
        it.top = 5 + (n % 12) * 40;
        it.colour = n % 9 == 0 ? 0x8000000F : kWhite;
        it.lead = quint8(n % 200 + 1);
        for (int k = 0; k < kChannelCount; ++k)
            it.values[size_t(k)] = quint16(16384 + ((n * 31 + k * 17) % 361) - 180);
        chart.items.push_back(std::move(it));
    }
    for (int n = 0; n + 1 < items; ++n) {
        Link l;
        l.kind = n % 11 == 4 ? BranchLink : MainLink;
        l.origin = n;
        l.final = n + 1;
        const int bends = heavy ? 8 : (n % 5 == 0 ? 2 : 0);
        for (int b = 0; b < bends; ++b)
            l.points << QPoint(40 + n % 700 + b * 3, 20 + b * 11);
        chart.links.push_back(std::move(l));
    }
    chart.startItem = 0;
}

// A document as another editor or a hand could leave it: the items' sections
// in reverse order, lower-case section names, a comment and an unknown key in
// every section. Opened it reads the same chart; saved it is the program's own.
QByteArray shuffledDocument(const QByteArray& saved) {
    const QList<QByteArray> sections = saved.split('[');
    QByteArray out;
    for (qsizetype i = sections.size() - 1; i >= 1; --i) {
        QByteArray s = '[' + sections[i];
        if (s.startsWith("[Item")) s = "[item" + s.mid(5);
        const qsizetype eol = s.indexOf('\n');
        s.insert(eol + 1, "; kept by hand\r\nUnknown=1\r\n");
        out += s;
    }
    return out;
}

struct Figures {
    double open = 0, save = 0, both = 0;
};

// Every run starts from the same file: the save of the run before replaced it.
Figures timeOpenSave(const QString& path, const QByteArray& source, int runs, int expectItems) {
    std::vector<double> open, save, both;
    for (int run = 0; run < runs; ++run) {
        {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                f.write(source) != source.size()) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                std::exit(1);
            }
        }
        QuietServices services;
        Chart chart;
        MotionHeader header;
        DocumentContext ctx(chart, header, services);
        QElapsedTimer t;
        t.start();
        const bool opened = DocumentFile::OpenDocument(ctx, path);
        const double o = double(t.nsecsElapsed()) / 1e6;
        t.restart();
        const bool saved = DocumentFile::SaveDocument(ctx, path, false);
        const double s = double(t.nsecsElapsed()) / 1e6;
        if (!opened || !saved || chart.itemCount() != expectItems || services.boxes != 0) {
            std::fprintf(stderr, "open or save of %s failed\n", qPrintable(path));
            std::exit(1);
        }
        open.push_back(o);
        save.push_back(s);
        both.push_back(o + s);
    }
    return {median(open), median(save), median(both)};
}

void row(const char* what, qint64 bytes, int runs, const Figures& f) {
    std::printf(
        "%-44s %9.1f MB  open %9.1f ms  save %9.1f ms  open+save %9.1f ms  (median of %d)\n", what,
        double(bytes) / 1e6, f.open, f.save, f.both, runs);
}

// Saves a chart of n items to path; its size in bytes, or -1.
qint64 makeDocument(const QString& path, int items, bool heavy = false) {
    QuietServices services;
    Chart chart;
    MotionHeader header;
    header.MotionName = QString::fromUtf8("歩行テスト");
    DocumentContext ctx(chart, header, services);
    buildChart(chart, items, heavy);
    if (!DocumentFile::SaveDocument(ctx, path, false)) return -1;
    return QFileInfo(path).size();
}

struct Run {
    double ms = 0;
    double cpuMs = 0; // user and system time
    double peakMiB = 0;
    int status = -1;
};

// Runs the program to its end under /usr/bin/time, which tells its peak
// resident memory as /usr/bin/time -v does (the rusage of a child spawned from
// this large process would count this process's memory as well): wall time,
// processor time, peak memory, exit status.
Run runProcess(QStringList args, const QString& report) {
    args = QStringList{QStringLiteral("/usr/bin/time"), QStringLiteral("-f"),
                       QStringLiteral("%U %S %M"), QStringLiteral("-o"), report} +
           args;
    std::vector<QByteArray> bytes;
    for (const QString& a : args)
        bytes.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    Run run;
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        if (waitpid(pid, &status, 0) == pid) {
            run.ms = double(t.nsecsElapsed()) / 1e6;
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    QFile f(report);
    // The last line: an exit status other than 0 is told on a line before it.
    const QList<QByteArray> lines =
        f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().split('\n') : QList<QByteArray>{};
    const QList<QByteArray> figures = lines.value(lines.size() - 1).split(' ');
    run.cpuMs = (figures.value(0).toDouble() + figures.value(1).toDouble()) * 1000;
    run.peakMiB = figures.value(2).toDouble() / 1024.0;
    return run;
}

void toolRow(const char* what, const QStringList& args, qint64 fileBytes, int runs, double goalMs,
             double goalMemory, const QString& report) {
    std::vector<double> ms, cpu, peak;
    for (int r = 0; r < runs; ++r) {
        const Run run = runProcess(args, report);
        if (run.status != 0) {
            std::fprintf(stderr, "%s failed (status %d)\n", what, run.status);
            std::exit(1);
        }
        ms.push_back(run.ms);
        cpu.push_back(run.cpuMs);
        peak.push_back(run.peakMiB);
    }
    const double fileMiB = double(fileBytes) / (1024.0 * 1024.0);
    const double peakMiB = median(peak);
    std::printf("%-28s %5.1f MiB file %7.1f ms (goal < %.0f), cpu %7.1f ms, peak %6.1f MiB = "
                "%4.2fx the file",
                what, fileMiB, median(ms), goalMs, median(cpu), peakMiB, peakMiB / fileMiB);
    if (goalMemory > 0) std::printf(" (goal < %.0fx)", goalMemory);
    std::printf("  (median of %d)\n", runs);
}

// The reader and the writer alone, limits raised to n items: in a process of
// its own (this program again), so that its peak memory is theirs alone.
// Writes "read-ms save-ms" to report.
int readAndSave(const QString& path, const QString& out, int items, const QString& report) {
    {
        QuietServices services;
        Chart chart;
        MotionHeader header;
        DocumentContext ctx(chart, header, services);
        QElapsedTimer t;
        t.start();
        DocumentSource source = DocumentSource::Read(path, {qint64(1) << 40, items});
        const bool loaded = DocumentFile::LoadDocument(ctx, source);
        const double read = double(t.nsecsElapsed()) / 1e6;
        // A file larger than any document may be would refuse to be replaced.
        QFile::remove(out);
        t.restart();
        const bool saved = DocumentFile::SaveDocument(ctx, out, false);
        const double save = double(t.nsecsElapsed()) / 1e6;
        if (!loaded || !saved || chart.itemCount() != items || services.boxes != 0) return 1;
        QFile f(report);
        if (!f.open(QIODevice::WriteOnly)) return 1;
        f.write(QByteArray::number(read) + ' ' + QByteArray::number(save));
    }
    return 0;
}

} // namespace

// The whole-process rows with the tool at qvx, then (unless onlyTools) the
// growth rows.
int toolAndGrowthRows(const QCoreApplication& app, const QString& qvx, bool onlyTools) {
    QTemporaryDir dir;
    const QString small = dir.filePath(QStringLiteral("10k.QMX"));
    const QString large = dir.filePath(QStringLiteral("100k.QMX"));
    const qint64 smallBytes = makeDocument(small, 10000);
    const qint64 largeBytes = makeDocument(large, 100000);
    if (smallBytes < 0 || largeBytes < 0) return 1;
    const QString out = dir.filePath(QStringLiteral("out.QMX"));
    const QString timeReport = dir.filePath(QStringLiteral("time"));
    QString entries;
    entries.fill(u',', kChannelCount - 1);

    std::printf("%s\n", qPrintable(qvx));
    toolRow("qvx resave, 10 000 items", {qvx, QStringLiteral("resave"), small, out}, smallBytes, 9,
            100, 0, timeReport);
    toolRow("qvx resave, 100 000 items", {qvx, QStringLiteral("resave"), large, out}, largeBytes, 5,
            1000, 2, timeReport);
    toolRow("qvx convert, 100 000 items",
            {qvx, QStringLiteral("convert"), QStringLiteral("--entries"), entries, large, out},
            largeBytes, 5, 1000, 2, timeReport);
    toolRow("qvx info, 100 000 items", {qvx, QStringLiteral("info"), large}, largeBytes, 5, 1000, 2,
            timeReport);
    if (onlyTools) return 0;

    // Growth: each row ten times the items of the one before.
    std::printf("reader and writer alone (limits raised), time and memory linear in the items:\n");
    double lastRead = 0, lastSave = 0;
    for (const int items : {10000, 100000, 1000000}) {
        const QString path = dir.filePath(QStringLiteral("scale.QMX"));
        const qint64 bytes = makeDocument(path, items);
        if (bytes < 0) return 1;
        const QString report = dir.filePath(QStringLiteral("report"));
        std::vector<double> read, save, peak;
        for (int r = 0; r < (items >= 1000000 ? 3 : 5); ++r) {
            const Run run =
                runProcess({app.applicationFilePath(), QStringLiteral("--read-and-save"), path, out,
                            QString::number(items), report},
                           timeReport);
            QFile f(report);
            if (run.status != 0 || !f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "reading or writing %d items failed\n", items);
                return 1;
            }
            const QList<QByteArray> figures = f.readAll().split(' ');
            read.push_back(figures.value(0).toDouble());
            save.push_back(figures.value(1).toDouble());
            peak.push_back(run.peakMiB);
        }
        const double fileMiB = double(bytes) / (1024.0 * 1024.0);
        std::printf("%8d items %7.1f MiB  read %8.1f ms  save %8.1f ms  peak %7.1f MiB = %4.2fx",
                    items, fileMiB, median(read), median(save), median(peak),
                    median(peak) / fileMiB);
        if (lastRead > 0)
            std::printf("  x%.1f read, x%.1f save for x10 items (goal about 10)",
                        median(read) / lastRead, median(save) / lastSave);
        std::printf("\n");
        lastRead = median(read);
        lastSave = median(save);
        QFile::remove(path);
    }
    return 0;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 6 && args[1] == QStringLiteral("--read-and-save"))
        return readAndSave(args[2], args[3], args[4].toInt(), args[5]);
    if (args.size() == 3 && args[1] == QStringLiteral("--qvx"))
        return toolAndGrowthRows(app, args[2], true);
    QTemporaryDir dir;
    struct Case {
        const char* label;
        int items;
        bool heavy;
        bool shuffled;
        int runs;
    };
    const Case cases[] = {
        {"1000 items", 1000, false, false, 15},
        {"10000 items", 10000, false, false, 9},
        {"100000 items", 100000, false, false, 5},
        {"100000 items, long Japanese names, 8 bends", 100000, true, false, 5},
        {"100000 items, reordered hand-edited file", 100000, false, true, 5},
    };
    // With a number, only that row runs (0 to 4), for a profiler.
    const int only = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : -1;
    std::vector<Figures> figures;
    for (const Case& c : cases) {
        if (only >= 0 && &c - cases != only) {
            figures.push_back({});
            continue;
        }
        const QString path = dir.filePath(QStringLiteral("doc%1.QMX").arg(figures.size()));
        if (makeDocument(path, c.items, c.heavy) < 0) return 1;
        QFile saved(path);
        if (!saved.open(QIODevice::ReadOnly)) return 1;
        QByteArray source = saved.readAll();
        saved.close();
        if (c.shuffled) source = shuffledDocument(source);
        const Figures f = timeOpenSave(path, source, c.runs, c.items);
        figures.push_back(f);
        row(c.label, source.size(), c.runs, f);
    }
    if (only >= 0) return 0;
    std::printf("100000 / 10000 items: open %.1fx, save %.1fx, open+save %.1fx\n",
                figures[2].open / figures[1].open, figures[2].save / figures[1].save,
                figures[2].both / figures[1].both);
    return toolAndGrowthRows(app, QStringLiteral(QVX_TOOL_PATH), false);
}
