#include "pose/BackgroundPicture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <optional>
#include <vector>

#include <jpeglib.h>
// jerror.h after jpeglib.h: it defines the message codes.
#include <jerror.h>

namespace qvx {

namespace {

// A progressive JPEG may hold any number of scans, each one a full pass over
// the picture; a hostile file uses that to keep the decoder busy for minutes.
// Real encoders write about ten.
constexpr int kMaxScans = 500;

// What the decoder may take for itself beyond the picture we keep: a
// progressive JPEG holds all its coefficients in memory, two bytes a sample.
// A picture of kMaxPixels pixels with three full-resolution components
// needs 384 MiB.
constexpr long kMaxDecoderMemory = 512L * 1024 * 1024;

// libjpeg's own error manager calls exit() on a fatal error. Ours jumps back
// into decode() instead, and treats warnings as fatal too: damaged or
// truncated data are only warnings there, after which the decoder goes on and
// paints the rest of the picture grey.
struct ErrorManager {
    jpeg_error_mgr pub; // first: the library's pointer to it is a pointer to all of it
    std::jmp_buf jump;
};

[[noreturn]] void failDecoding(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void emitMessage(j_common_ptr cinfo, int level) {
    // Levels 0 and up are trace messages, -1 a warning. An unknown JFIF
    // revision is the one warning that says nothing about the pixels.
    if (level >= 0 || cinfo->err->msg_code == JWRN_JFIF_MAJOR) return;
    failDecoding(cinfo);
}

void outputMessage(j_common_ptr) {}

void progressMonitor(j_common_ptr cinfo) {
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        failDecoding(cinfo);
}

// Everything the decoder changes lives here, outside the function that calls
// setjmp, so that nothing is lost or left indeterminate when an error jumps
// back to it.
struct JpegDecoder {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    std::vector<JSAMPLE> row;
    QImage image;

    // Safe whatever state decoding stopped in, even before the decompressor
    // was created: the library frees only what it allocated.
    ~JpegDecoder() { jpeg_destroy_decompress(&cinfo); }
};

// Four CMYK samples to RGB. Adobe's encoders store the samples inverted
// (255 is no ink) and say so with their marker; other files store ink.
void cmykToRgb(const JSAMPLE* in, uchar* out, int width, bool inverted) {
    for (int x = 0; x < width; ++x, in += 4, out += 3) {
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[0] = uchar((c * k + 127) / 255);
        out[1] = uchar((m * k + 127) / 255);
        out[2] = uchar((y * k + 127) / 255);
    }
}

void grayToRgb(const JSAMPLE* in, uchar* out, int width) {
    for (int x = 0; x < width; ++x, out += 3)
        out[0] = out[1] = out[2] = in[x];
}

// The decoding itself; any error or warning of the library jumps out of it
// back into decode(). It keeps nothing of its own that would need cleaning up,
// and stays a function of its own so that none of its locals live in the frame
// that calls setjmp.
Q_NEVER_INLINE bool decodeSteps(JpegDecoder& d, const QByteArray& bytes) {
    jpeg_create_decompress(&d.cinfo);
    d.cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
    d.progress.progress_monitor = progressMonitor;
    d.cinfo.progress = &d.progress;
    jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&d.cinfo, TRUE) != JPEG_HEADER_OK) return false;
    // Refused before the decoder sets up anything the size of the picture.
    if (!BackgroundPicture::SizeAllowed(d.cinfo.image_width, d.cinfo.image_height)) return false;

    int components;
    switch (d.cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        d.cinfo.out_color_space = JCS_GRAYSCALE;
        components = 1;
        break;
    case JCS_YCbCr:
    case JCS_RGB:
        d.cinfo.out_color_space = JCS_RGB;
        components = 3;
        break;
    case JCS_CMYK:
    case JCS_YCCK: // the library turns YCCK into CMYK
        d.cinfo.out_color_space = JCS_CMYK;
        components = 4;
        break;
    default:
        return false;
    }

    if (!jpeg_start_decompress(&d.cinfo)) return false;
    const int width = int(d.cinfo.output_width);
    const int height = int(d.cinfo.output_height);
    if (!BackgroundPicture::SizeAllowed(width, height) || d.cinfo.output_components != components)
        return false;
    d.image = QImage(width, height, QImage::Format_RGB888);
    if (d.image.isNull()) return false;
    d.row.resize(std::size_t(width) * std::size_t(components));

    const bool inverted = d.cinfo.saw_Adobe_marker;
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const int y = int(d.cinfo.output_scanline);
        uchar* line = d.image.scanLine(y);
        JSAMPROW target = components == 3 ? line : d.row.data();
        if (jpeg_read_scanlines(&d.cinfo, &target, 1) != 1) return false;
        if (components == 1)
            grayToRgb(d.row.data(), line, width);
        else if (components == 4)
            cmykToRgb(d.row.data(), line, width, inverted);
    }
    // Reads on to the end of the picture, so that damage after the last
    // scanline still counts.
    return jpeg_finish_decompress(&d.cinfo);
}

bool decode(JpegDecoder& d, const QByteArray& bytes) {
    d.cinfo.err = jpeg_std_error(&d.err.pub);
    d.err.pub.error_exit = failDecoding;
    d.err.pub.emit_message = emitMessage;
    d.err.pub.output_message = outputMessage;
    if (setjmp(d.err.jump)) return false;
    return decodeSteps(d, bytes);
}

// Whether a bitmap file holds all the pixel rows its header promises. Qt's
// reader stops quietly at the end of a short file and leaves the rows it did
// not get as they were allocated; a file cut short counts as unreadable here.
// The header is read as far as the check needs it; anything that is no
// bitmap header at all is left to the reader to refuse.
bool bitmapComplete(const QByteArray& bytes) {
    const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
    const qint64 size = bytes.size();
    if (size < 26 || b[0] != 'B' || b[1] != 'M') return true;
    const qint64 pixelsAt = qFromLittleEndian<quint32>(b + 10);
    const quint32 headerSize = qFromLittleEndian<quint32>(b + 14);
    qint64 width, height, bitsPerPixel;
    quint32 compression = 0, imageSize = 0;
    if (headerSize == 12) { // the old OS/2 header: 16-bit sizes, never compressed
        width = qFromLittleEndian<quint16>(b + 18);
        height = qFromLittleEndian<quint16>(b + 20);
        bitsPerPixel = qFromLittleEndian<quint16>(b + 24);
    } else if (headerSize >= 40 && size >= 38) {
        width = qFromLittleEndian<qint32>(b + 18);
        height = qAbs(qint64(qFromLittleEndian<qint32>(b + 22))); // negative: top-down
        bitsPerPixel = qFromLittleEndian<quint16>(b + 28);
        compression = qFromLittleEndian<quint32>(b + 30);
        imageSize = qFromLittleEndian<quint32>(b + 34);
    } else {
        return true;
    }
    if (!BackgroundPicture::SizeAllowed(width, height) || bitsPerPixel > 64) return false;
    // Uncompressed rows (plain or with bit fields) are padded to four bytes;
    // run-length data state their length.
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    const qint64 pixelBytes =
        uncompressed ? (width * bitsPerPixel + 31) / 32 * 4 * height : qint64(imageSize);
    return pixelsAt + pixelBytes <= size;
}

// The whole file, or nothing when it is not a plain file, cannot be read or is
// larger than any picture we would show.
// The whole file, or nothing with the reason in `why`.
std::optional<QByteArray> readWhole(const QString& path, QString& why) {
    if (!QFileInfo(path).isFile()) {
        why = QCoreApplication::translate("BackgroundPicture", "it is not a file");
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        why = file.errorString();
        return std::nullopt;
    }
    const qint64 size = file.size();
    if (size <= 0) {
        why = QCoreApplication::translate("BackgroundPicture", "it is empty");
        return std::nullopt;
    }
    if (size > BackgroundPicture::kMaxFileSize) {
        why = QCoreApplication::translate("BackgroundPicture", "it is larger than %1 MB")
                  .arg(BackgroundPicture::kMaxFileSize >> 20);
        return std::nullopt;
    }
    QByteArray bytes = file.read(size);
    if (bytes.size() != size) {
        why = QCoreApplication::translate("BackgroundPicture", "it could not be read whole");
        return std::nullopt;
    }
    return bytes;
}

} // namespace

QString BackgroundPicture::UnreadableText(const QString& path, const QString& reason) {
    return QCoreApplication::translate("BackgroundPicture",
                                       "The background picture %1 cannot be read: %2")
        .arg(path, reason);
}

bool BackgroundPicture::IsBitmapPath(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && name.mid(dot).toLower() == QLatin1String(".bmp");
}

QImage BackgroundPicture::DecodeJpeg(const QByteArray& bytes) {
    if (bytes.isEmpty()) return {};
    JpegDecoder decoder;
    if (!decode(decoder, bytes)) return {};
    return decoder.image;
}

QImage BackgroundPicture::DecodeBitmap(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return {};
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    // A top-down bitmap states its height as a negative number.
    const QSize size = reader.size();
    if (!SizeAllowed(size.width(), qAbs(qint64(size.height())))) return {};
    if (!bitmapComplete(bytes)) return {};
    QImage image;
    if (!reader.read(&image) || !SizeAllowed(image.width(), image.height())) return {};
    return image;
}

PictureLoad BackgroundPicture::Load(const QString& path) {
    PictureLoad result;
    if (path.isEmpty() || !QFileInfo::exists(path)) return result;
    result.outcome = PictureLoad::Unreadable;
    const std::optional<QByteArray> bytes = readWhole(path, result.reason);
    if (!bytes) return result;
    const bool bitmap = IsBitmapPath(path);
    QImage image = bitmap ? DecodeBitmap(*bytes) : DecodeJpeg(*bytes);
    if (image.isNull()) {
        result.reason =
            bitmap ? QCoreApplication::translate("BackgroundPicture",
                                                 "it is no Windows bitmap that can be shown, or "
                                                 "its data is damaged or too large")
                   : QCoreApplication::translate("BackgroundPicture",
                                                 "it is no JPEG picture that can be shown, or its "
                                                 "data is damaged or too large");
        return result;
    }
    result.outcome = PictureLoad::Loaded;
    result.image = std::move(image);
    return result;
}

} // namespace qvx
