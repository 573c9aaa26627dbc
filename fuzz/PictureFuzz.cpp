#include "fuzz/PictureFuzz.h"

#include "fuzz/FuzzCheck.h"
#include "pose/BackgroundPicture.h"

#include <QByteArray>

namespace qvx {

int FuzzPictures(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QImage image = BackgroundPicture::DecodeJpeg(bytes);
    if (image.isNull()) return 0;
    FuzzCheck(image.format() == QImage::Format_RGB888, "picture not in RGB");
    FuzzCheck(BackgroundPicture::SizeAllowed(image.width(), image.height()),
              "picture larger than the limits");
    return 0;
}

} // namespace qvx
