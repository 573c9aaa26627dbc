// Opening and saving documents as the main window does: OpenDocument into an
// empty chart, then SaveDocument over the very file that was opened. Documents
// of 1000, 10 000 and 100 000 items (the most a document may hold) are first
// saved by the program itself, with a link from every item to the next, bending
// points on some links and names of every sort: plain, Japanese and long ones.
// The heavy rows give every item a long Japanese name and every link eight
// bending points, and open a file whose sections are not in order, with
// comments, lower-case names and keys the program does not read.
#include "Median.h"
#include "base/Services.h"
#include "document/DocumentFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
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
        {
            QuietServices services;
            Chart chart;
            MotionHeader header;
            header.MotionName = QString::fromUtf8("歩行テスト");
            DocumentContext ctx(chart, header, services);
            buildChart(chart, c.items, c.heavy);
            if (!DocumentFile::SaveDocument(ctx, path, false)) return 1;
        }
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
    return 0;
}
