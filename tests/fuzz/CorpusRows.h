#pragma once

#include <QDir>
#include <QFile>
#include <QTest>
#include <cstddef>
#include <cstdint>

namespace qvxtest {

// One data row per file of a fuzz corpus folder, named after the file; a
// corpus of fewer than ten files counts as missing.
inline void addCorpusRows(const QString& folder) {
    QTest::addColumn<QString>("path");
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    QVERIFY2(names.size() >= 10, qPrintable(QStringLiteral("the corpus in %1 is missing").arg(folder)));
    for (const QString& n : names) QTest::newRow(qPrintable(n)) << dir.filePath(n);
}

// The bytes of a corpus file (empty when it cannot be read; the caller checks).
inline QByteArray readCorpusFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A fuzz target's entry: 0 when the input was handled soundly.
using FuzzEntry = int (*)(const std::uint8_t*, std::size_t);

// Runs the corpus file at path through the entry the fuzzer drives; its bytes
// go to input for checks of the caller's own.
inline void replayCorpusFile(const QString& path, FuzzEntry entry, QByteArray* input = nullptr) {
    const QByteArray bytes = readCorpusFile(path);
    QVERIFY(!bytes.isEmpty());
    QCOMPARE(
        entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())),
        0);
    if (input) *input = bytes;
}

} // namespace qvxtest
