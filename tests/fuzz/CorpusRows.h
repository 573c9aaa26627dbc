#pragma once

#include <QDir>
#include <QFile>
#include <QTest>

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

} // namespace qvxtest
