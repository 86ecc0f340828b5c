#include "app/program_icon.h"

#include "assets/assets.h"

#include <QBuffer>
#include <QImageReader>

namespace tessvane::app {

QIcon programIcon() {
    QByteArray bytes = assets::programIconBytes();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QIcon icon;
    // The 48 × 48 image is for the desktop's own use; the window takes the other two.
    for (int index = 0; index < reader.imageCount(); ++index) {
        if (!reader.jumpToImage(index)) {
            break;
        }
        const QImage image = reader.read();
        if (image.width() == 32 || image.width() == 16) {
            icon.addPixmap(QPixmap::fromImage(image));
        }
    }
    return icon;
}

}  // namespace tessvane::app
