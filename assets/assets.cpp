#include "assets/assets.h"

#include <QFile>

// Q_INIT_RESOURCE declares a function at the point of use, so it must be called outside any
// namespace. Calling it makes sure the resource is registered even when this library is
// linked statically and nothing else refers to it.
static void registerAssetResources() { Q_INIT_RESOURCE(assets); }

namespace tessvane::assets {

namespace {

[[nodiscard]] QByteArray readResource(const QString& path) {
    registerAssetResources();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

}  // namespace

QByteArray builtInPictureBytes() { return readResource(QStringLiteral(":/assets/built_in_picture.bmp")); }

QByteArray programIconBytes() { return readResource(QStringLiteral(":/assets/tessvane.ico")); }

}  // namespace tessvane::assets
