#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QtGlobal>

namespace qvx {

// What came of loading a background picture. NotFound: the path was empty or
// names nothing; the caller stays silent. Unreadable: the file is there but is
// no picture we can show; reason says why ("it is empty", ...), and the caller
// names the file with UnreadableText.
struct PictureLoad {
    enum Outcome { NotFound, Loaded, Unreadable } outcome = NotFound;
    QImage image;
    QString reason;
};

// Loads the pose window's background picture. A name ending in ".bmp" (any
// case) is read as a Windows bitmap; every other name is decoded as JPEG.
//
// The file comes from the user and may be anything: it is read whole into
// memory up to kMaxFileSize, and a picture is refused before any pixel memory
// is taken when a side is longer than kMaxSide or it has more than kMaxPixels
// pixels. A JPEG is refused as well when its data is damaged or cut short;
// the decoder reports that only as a warning and would fill the rest of the
// picture with grey.
class BackgroundPicture {
  public:
    // "The background picture FILE cannot be read: REASON".
    static QString UnreadableText(const QString& path, const QString& reason);

    static constexpr int kMaxSide = 16384;
    static constexpr qint64 kMaxPixels = 64LL * 1024 * 1024;
    static constexpr qint64 kMaxFileSize = 256LL * 1024 * 1024;

    static PictureLoad Load(const QString& path);

    // True when the file name's extension, in lower case, is ".bmp".
    static bool IsBitmapPath(const QString& path);

    // A JPEG file's bytes as an RGB888 picture; grayscale and CMYK pictures
    // are converted. A null image on any failure.
    static QImage DecodeJpeg(const QByteArray& bytes);
    // A Windows bitmap file's bytes; a null image on any failure.
    static QImage DecodeBitmap(const QByteArray& bytes);

    static bool SizeAllowed(qint64 width, qint64 height) {
        return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
               width * height <= kMaxPixels;
    }
};

} // namespace qvx
