#pragma once

#include "picture/decode/byte_buffer.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace tessvane::ui {

enum class PropertyType { integer, colour, boolean, text, bytes };

// Colours are 0x00BBGGRR, or 0xFF000000 for the system's face colour. Texts are UTF-8.
using Colour = std::uint32_t;
using PropertyValue = std::variant<std::int32_t, Colour, bool, std::string, ByteBuffer>;

[[nodiscard]] PropertyType typeOf(const PropertyValue& value);

// A value as the template and the property tables store it: constant data. Byte values are
// named by the resource that holds them.
struct StoredValue {
    PropertyType type = PropertyType::integer;
    std::int64_t number = 0;
    std::string_view text;
};

[[nodiscard]] constexpr StoredValue integerValue(std::int32_t value) {
    return {.type = PropertyType::integer, .number = value};
}
[[nodiscard]] constexpr StoredValue colourValue(Colour value) { return {.type = PropertyType::colour, .number = value}; }
[[nodiscard]] constexpr StoredValue booleanValue(bool value) {
    return {.type = PropertyType::boolean, .number = value ? 1 : 0};
}
[[nodiscard]] constexpr StoredValue textValue(std::string_view value) {
    return {.type = PropertyType::text, .text = value};
}
// Empty bytes, or the bytes of a resource path such as ":/assets/built_in_picture.bmp".
[[nodiscard]] constexpr StoredValue bytesValue(std::string_view resource = {}) {
    return {.type = PropertyType::bytes, .text = resource};
}

// A live value made from a stored one; a resource that cannot be read gives empty bytes.
[[nodiscard]] PropertyValue materialise(const StoredValue& stored);

}  // namespace tessvane::ui
