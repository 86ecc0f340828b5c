#include "ui/property_value.h"

#include <QFile>

namespace tessvane::ui {

PropertyType typeOf(const PropertyValue& value) {
    constexpr PropertyType kTypes[] = {PropertyType::integer, PropertyType::colour, PropertyType::boolean,
                                       PropertyType::text, PropertyType::bytes};
    return kTypes[value.index()];
}

PropertyValue materialise(const StoredValue& stored) {
    switch (stored.type) {
        case PropertyType::integer:
            return static_cast<std::int32_t>(stored.number);
        case PropertyType::colour:
            return static_cast<Colour>(stored.number);
        case PropertyType::boolean:
            return stored.number != 0;
        case PropertyType::text:
            return std::string(stored.text);
        case PropertyType::bytes:
            break;
    }
    if (stored.text.empty()) {
        return ByteBuffer{};
    }
    QFile resource(QString::fromUtf8(stored.text.data(), static_cast<qsizetype>(stored.text.size())));
    if (!resource.open(QIODevice::ReadOnly)) {
        return ByteBuffer{};
    }
    const QByteArray bytes = resource.readAll();
    return ByteBuffer(bytes.begin(), bytes.end());
}

}  // namespace tessvane::ui
