#include "fuzz/PictureFuzz.h"

#include "pose/BackgroundPicture.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>

namespace qvx {

namespace {

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

} // namespace

int FuzzPictures(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QImage image = BackgroundPicture::DecodeJpeg(bytes);
    if (image.isNull()) return 0;
    check(image.format() == QImage::Format_RGB888, "picture not in RGB");
    check(BackgroundPicture::SizeAllowed(image.width(), image.height()),
          "picture larger than the limits");
    return 0;
}

} // namespace qvx
