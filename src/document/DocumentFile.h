#pragma once

#include "document/Chart.h"
#include "document/DocumentSource.h"
#include "document/MotionHeader.h"

#include <QCoreApplication>
#include <QSize>
#include <QStringList>
#include <functional>

namespace qvx {

class Services;

// What opening and saving a document works on: the chart, its header, the
// canvas size (written to and grown by documents, used to place imported poses)
// and the services that ask and report.
struct DocumentContext {
    DocumentContext(Chart& c, MotionHeader& h, Services& s) : chart(c), header(h), services(s) {}

    Chart& chart;
    MotionHeader& header;
    Services& services;
    QSize canvas{640, 480};
    // The Width and Height of the document read last; empty while none was.
    QSize loadedCanvas;
    // Empties the chart before a file of another kind is opened; the main window
    // also empties its clipboard here. Without it the chart alone is cleared.
    std::function<void()> clearChart;
};

// The QMX document file: an INI text file with a "GraphicalEdit" section, one
// "ItemN" section per item and one "LinkN" section per link, and the import of
// comma-separated pose tables.
class DocumentFile {
    Q_DECLARE_TR_FUNCTIONS(DocumentFile)

  public:
    static constexpr int kPoseTable = 100;
    // Counts beyond these are refused instead of filling memory.
    static constexpr int kMaxCount = 100000;
    static constexpr int kMaxCanvas = 16384;
    // Item places and sizes and bending points lie within plus or minus this:
    // far beyond any canvas, and small enough that sums of them never overflow.
    static constexpr int kMaxCoordinate = 1 << 24;

    // What the user is told when a file cannot be read, or cannot be written
    // where it was asked to go.
    static QString CantUseText() { return tr("The designated file can't be used"); }
    static QString CantKeepText() { return tr("It can't be kept in the designated place"); }

    // The name a save uses: with the QMX filter the extension becomes ".QMX",
    // with the other filter the name stays as typed.
    static QString SaveName(const QString& fileName, bool qmxFilter);
    // Writes the chart. Returns false (after telling the user) when the place
    // cannot be written; the old file is then left as it was.
    static bool SaveDocument(DocumentContext& ctx, const QString& fileName, bool qmxFilter);
    // The document text exactly as SaveDocument writes it, before encoding.
    static QString DocumentText(const DocumentContext& ctx);
    // The bytes SaveDocument writes.
    static QByteArray DocumentBytes(const DocumentContext& ctx);
    // Reads the file once, for telling its kind and loading it.
    static DocumentSource ReadSource(const QString& fileName);
    // 0 or 7: a document of that kind; 100: a pose table; anything else: unusable.
    static int DetectFileKind(const QString& fileName);
    static int DetectFileKind(const DocumentSource& source);
    // Detects what the file is, asks before discarding a chart of another kind,
    // then loads, merges or imports it. Returns true when something was read.
    static bool OpenDocument(DocumentContext& ctx, const QString& fileName);
    // Appends a document to the chart. Returns false when reading stopped part-way.
    static bool LoadDocument(DocumentContext& ctx, const QString& fileName);
    // Appends the document the source read (its path names it in messages);
    // the source's items and links go into the chart.
    static bool LoadDocument(DocumentContext& ctx, DocumentSource& source);
    // Appends a pose table to the chart. Returns false when reading stopped part-way.
    static bool ImportTable(DocumentContext& ctx, const QString& fileName);
    // Appends the pose table the source read.
    static bool ImportTable(DocumentContext& ctx, const DocumentSource& source);

    // The lines of a CP932 text file (CR LF, LF or CR ends); empty when unreadable.
    static QStringList ReadLines(const QString& fileName, bool* ok = nullptr);
    // The lines of CP932 text as ReadLines() gives them.
    static QStringList LinesOf(const QByteArray& bytes);
    // The channel value a pose table entry stands for.
    static quint16 TableEntryValue(int entry);
};

} // namespace qvx
