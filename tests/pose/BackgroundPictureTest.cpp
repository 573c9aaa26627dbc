#include "pose/BackgroundPicture.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

using namespace qvx;
using qvxtest::writeFile;

Q_DECLARE_METATYPE(PictureLoad::Outcome)

namespace {

// Encodes a picture with libjpeg itself, so the tests do not depend on Qt's
// JPEG plugin being installed. `fill` writes row y: one byte a pixel for
// grayscale, three for RGB, four for CMYK.
// A progressive JPEG may instead follow `scans`, a scan script of its own.
QByteArray encodeJpeg(int width, int height, J_COLOR_SPACE space,
                      const std::function<void(int, uchar*)>& fill, bool progressive = false,
                      const std::vector<jpeg_scan_info>& scans = {}) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.in_color_space = space;
    cinfo.input_components = space == JCS_GRAYSCALE ? 1 : space == JCS_CMYK ? 4 : 3;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
    if (!scans.empty()) {
        cinfo.scan_info = scans.data();
        cinfo.num_scans = int(scans.size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    QByteArray row(width * cinfo.input_components, '\0');
    while (cinfo.next_scanline < cinfo.image_height) {
        fill(int(cinfo.next_scanline), reinterpret_cast<uchar*>(row.data()));
        JSAMPROW r = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(outSize));
    std::free(out);
    return bytes;
}

// A sound progressive scan script for three components with 190 scans for
// each of `levels` steps of precision: the DC values of all components in one
// scan, then every AC coefficient of every component in a scan of its own.
std::vector<jpeg_scan_info> everyCoefficientAlone(int levels) {
    std::vector<jpeg_scan_info> scans;
    for (int step = 0; step < levels; ++step) {
        const int al = levels - 1 - step;
        const int ah = step == 0 ? 0 : al + 1;
        scans.push_back({3, {0, 1, 2, 0}, 0, 0, ah, al});
        for (int c = 0; c < 3; ++c)
            for (int k = 1; k < 64; ++k)
                scans.push_back({1, {c, 0, 0, 0}, k, k, ah, al});
    }
    return scans;
}

QByteArray manyScanJpeg(int levels) {
    return encodeJpeg(
        8, 8, JCS_RGB, [](int y, uchar* row) { std::fill(row, row + 24, uchar(y * 30)); }, true,
        everyCoefficientAlone(levels));
}

QByteArray uniformGray(int width, int height) {
    return encodeJpeg(width, height, JCS_GRAYSCALE,
                      [width](int, uchar* row) { std::fill(row, row + width, uchar(128)); });
}

// Four quadrants: red, green / blue, white.
const QColor kQuadrants[2][2] = {{Qt::red, Qt::green}, {Qt::blue, Qt::white}};

QByteArray quadrantJpeg(int width, int height, bool progressive = false) {
    return encodeJpeg(
        width, height, JCS_RGB,
        [=](int y, uchar* row) {
            for (int x = 0; x < width; ++x) {
                const QColor c = kQuadrants[y * 2 / height][x * 2 / width];
                row[3 * x] = uchar(c.red());
                row[3 * x + 1] = uchar(c.green());
                row[3 * x + 2] = uchar(c.blue());
            }
        },
        progressive);
}

// A picture with detail everywhere, so that its scan data is long.
QByteArray noisyJpeg(bool progressive = false) {
    QRandomGenerator rng(7);
    return encodeJpeg(
        96, 64, JCS_RGB,
        [&rng](int, uchar* row) {
            for (int i = 0; i < 96 * 3; ++i)
                row[i] = uchar(rng.bounded(256));
        },
        progressive);
}

QByteArray bitmapBytes(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// The offset of a JPEG marker (0xFF, code) in the bytes, or -1.
qsizetype markerAt(const QByteArray& jpeg, uchar code) {
    return jpeg.indexOf(QByteArray("\xFF") + char(code));
}

// The frame header of a baseline JPEG, changed to state another size.
QByteArray withFrameSize(QByteArray jpeg, quint16 width, quint16 height) {
    const qsizetype sof = markerAt(jpeg, 0xC0);
    Q_ASSERT(sof > 0);
    qToBigEndian(height, jpeg.data() + sof + 5);
    qToBigEndian(width, jpeg.data() + sof + 7);
    return jpeg;
}

// The information header of a bitmap, changed to state another size.
QByteArray withBitmapSize(QByteArray bmp, qint32 width, qint32 height) {
    qToLittleEndian(width, bmp.data() + 18);
    qToLittleEndian(height, bmp.data() + 22);
    return bmp;
}

bool near(QRgb a, QColor b, int tolerance = 16) {
    return qAbs(qRed(a) - b.red()) <= tolerance && qAbs(qGreen(a) - b.green()) <= tolerance &&
           qAbs(qBlue(a) - b.blue()) <= tolerance;
}

} // namespace

class BackgroundPictureTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        if (!writeFile(path, bytes)) qFatal("cannot write %s", qPrintable(path));
        return path;
    }

  private slots:
    void jpeg_decodesSizeAndColours_data() {
        QTest::addColumn<bool>("progressive");
        QTest::newRow("baseline") << false;
        QTest::newRow("progressive") << true;
    }
    void jpeg_decodesSizeAndColours() {
        QFETCH(bool, progressive);
        const PictureLoad load =
            BackgroundPicture::Load(write("robot.jpg", quadrantJpeg(64, 48, progressive)));
        QCOMPARE(load.outcome, PictureLoad::Loaded);
        QCOMPARE(load.image.size(), QSize(64, 48));
        for (int qy = 0; qy < 2; ++qy)
            for (int qx = 0; qx < 2; ++qx) {
                const QRgb px = load.image.pixel(16 + 32 * qx, 12 + 24 * qy);
                QVERIFY2(near(px, kQuadrants[qy][qx]),
                         qPrintable(QStringLiteral("quadrant %1,%2 is #%3")
                                        .arg(qx)
                                        .arg(qy)
                                        .arg(px & 0xFFFFFF, 6, 16, QLatin1Char('0'))));
            }
    }

    void grayscaleJpeg_decodesAsGrey() {
        const QByteArray jpeg = encodeJpeg(40, 30, JCS_GRAYSCALE, [](int y, uchar* row) {
            for (int x = 0; x < 40; ++x)
                row[x] = uchar(x * 6 + y);
        });
        const QImage image = BackgroundPicture::DecodeJpeg(jpeg);
        QCOMPARE(image.size(), QSize(40, 30));
        for (int y = 0; y < 30; y += 7)
            for (int x = 0; x < 40; x += 5) {
                const QRgb px = image.pixel(x, y);
                QCOMPARE(qRed(px), qGreen(px));
                QCOMPARE(qGreen(px), qBlue(px));
                QVERIFY(qAbs(qRed(px) - (x * 6 + y)) <= 8);
            }
    }

    // Adobe's CMYK files (the encoder writes its marker) hold inverted samples:
    // 255 is no ink.
    void cmykJpeg_convertsToRgb() {
        const QByteArray jpeg = encodeJpeg(16, 16, JCS_CMYK, [](int y, uchar* row) {
            for (int x = 0; x < 16; ++x) {
                const bool red = y < 8;
                row[4 * x] = 255;               // no cyan
                row[4 * x + 1] = red ? 0 : 255; // full magenta for red
                row[4 * x + 2] = red ? 0 : 127; // full yellow for red, half below
                row[4 * x + 3] = 255;           // no black
            }
        });
        const QImage image = BackgroundPicture::DecodeJpeg(jpeg);
        QCOMPARE(image.size(), QSize(16, 16));
        QVERIFY(near(image.pixel(8, 3), Qt::red));
        QVERIFY(near(image.pixel(8, 12), QColor(255, 255, 127)));
    }

    // The extension alone decides how a file is read.
    void fileKinds_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<PictureLoad::Outcome>("outcome");
        QTest::addColumn<QSize>("size");
        const QByteArray jpeg = quadrantJpeg(24, 16);
        const QByteArray bmp = bitmapBytes(20, 10);
        QRandomGenerator rng(3);
        QByteArray random(3000, '\0');
        for (char& c : random)
            c = char(rng.bounded(256));

        const auto loaded = PictureLoad::Loaded;
        const auto bad = PictureLoad::Unreadable;
        QTest::newRow(".jpg") << "a.jpg" << jpeg << loaded << QSize(24, 16);
        QTest::newRow(".JPG") << "b.JPG" << jpeg << loaded << QSize(24, 16);
        QTest::newRow(".jpeg") << "c.jpeg" << jpeg << loaded << QSize(24, 16);
        QTest::newRow("no extension") << "robot" << jpeg << loaded << QSize(24, 16);
        QTest::newRow("other extension") << "d.png" << jpeg << loaded << QSize(24, 16);
        QTest::newRow(".bmp") << "e.bmp" << bmp << loaded << QSize(20, 10);
        QTest::newRow(".BMP") << "f.BMP" << bmp << loaded << QSize(20, 10);
        QTest::newRow("top-down bitmap")
            << "g.bmp" << withBitmapSize(bmp, 20, -10) << loaded << QSize(20, 10);
        QTest::newRow("jpeg named .bmp") << "h.bmp" << jpeg << bad << QSize(0, 0);
        QTest::newRow("bitmap named .jpg") << "i.jpg" << bmp << bad << QSize(0, 0);
        QTest::newRow("random bytes") << "j.jpg" << random << bad << QSize(0, 0);
        QTest::newRow("empty jpeg") << "k.jpg" << QByteArray() << bad << QSize(0, 0);
        QTest::newRow("empty bitmap") << "l.bmp" << QByteArray() << bad << QSize(0, 0);
        QTest::newRow("jpeg header only")
            << "m.jpg" << jpeg.left(markerAt(jpeg, 0xDA)) << bad << QSize(0, 0);
        QTest::newRow("truncated bitmap")
            << "n.bmp" << bmp.left(bmp.size() - 40) << bad << QSize(0, 0);
        QTest::newRow("bitmap claiming 60000 x 60000")
            << "o.bmp" << withBitmapSize(bmp, 60000, 60000) << bad << QSize(0, 0);
    }
    void fileKinds() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(PictureLoad::Outcome, outcome);
        QFETCH(QSize, size);
        const PictureLoad load = BackgroundPicture::Load(write(name, bytes));
        QCOMPARE(load.outcome, outcome);
        QCOMPARE(load.image.size(), size);
    }

    // The decoder only warns about these and would paint the missing part grey.
    void damagedJpeg_unreadable_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray jpeg = noisyJpeg();
        const qsizetype scan = markerAt(jpeg, 0xDA);
        QVERIFY(scan > 0 && jpeg.size() - scan > 2000);
        const qsizetype middle = scan + (jpeg.size() - scan) / 2;
        QVERIFY(!BackgroundPicture::DecodeJpeg(jpeg).isNull());

        QTest::newRow("cut in the middle of the scan") << jpeg.left(middle);
        QTest::newRow("cut before the end mark") << jpeg.chopped(2);
        QTest::newRow("end mark in the middle") << QByteArray(jpeg).replace(middle, 2, "\xFF\xD9");
        QTest::newRow("bytes overwritten in the middle")
            << QByteArray(jpeg).replace(middle, 16, QByteArray(16, '\x55'));
        const QByteArray progressive = noisyJpeg(true);
        QTest::newRow("progressive, cut in the middle") << progressive.left(progressive.size() / 2);
    }
    void damagedJpeg_unreadable() {
        QFETCH(QByteArray, bytes);
        QVERIFY(BackgroundPicture::DecodeJpeg(bytes).isNull());
        const PictureLoad load = BackgroundPicture::Load(write("damaged.jpg", bytes));
        QCOMPARE(load.outcome, PictureLoad::Unreadable);
        QVERIFY(load.image.isNull());
    }

    // Refused from the header, before memory for the pixels is taken; and
    // progressive files with so many scans that decoding them takes forever.
    void jpegSizeLimits_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loads");
        const int side = BackgroundPicture::kMaxSide;
        QTest::newRow("header claiming 60000 x 60000")
            << withFrameSize(quadrantJpeg(16, 16), 60000, 60000) << false;
        QTest::newRow("longest side") << uniformGray(side, 8) << true;
        QTest::newRow("side one too long") << uniformGray(side + 1, 8) << false;
        QTest::newRow("pixels over the limit") << uniformGray(8192, 8193) << false;
        QTest::newRow("380 scans") << manyScanJpeg(2) << true;
        QTest::newRow("570 scans") << manyScanJpeg(3) << false;
    }
    void jpegSizeLimits() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loads);
        QCOMPARE(!BackgroundPicture::DecodeJpeg(bytes).isNull(), loads);
    }

    void missingFile_notFoundWithoutImage() {
        for (const QString& path :
             {QString(), m_dir.filePath("missing.jpg"), m_dir.filePath("missing.bmp")}) {
            const PictureLoad load = BackgroundPicture::Load(path);
            QCOMPARE(load.outcome, PictureLoad::NotFound);
            QVERIFY(load.image.isNull());
        }
    }

    void directory_unreadable() {
        QVERIFY(QDir(m_dir.path()).mkdir("folder.jpg"));
        QCOMPARE(BackgroundPicture::Load(m_dir.filePath("folder.jpg")).outcome,
                 PictureLoad::Unreadable);
    }

    void fileWithoutReadPermission_unreadable() {
        const QString path = write("locked.jpg", quadrantJpeg(8, 8));
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        if (QFile f(path); f.open(QIODevice::ReadOnly))
            QSKIP("this user reads files without read permission");
        QCOMPARE(BackgroundPicture::Load(path).outcome, PictureLoad::Unreadable);
    }

    // Data after the end of a JPEG is ignored, but not beyond the size limit.
    void oversizeFile_unreadable() {
        const QString path = write("large.jpg", quadrantJpeg(16, 16));
        QFile f(path);
        QVERIFY(f.resize(f.size() + 4096));
        QCOMPARE(BackgroundPicture::Load(path).outcome, PictureLoad::Loaded);
        QVERIFY(f.resize(BackgroundPicture::kMaxFileSize + 1)); // sparse: no disk used
        QCOMPARE(BackgroundPicture::Load(path).outcome, PictureLoad::Unreadable);
    }
};

QVX_TEST_CLASS(BackgroundPictureTest)
#include "BackgroundPictureTest.moc"
