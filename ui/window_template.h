#pragma once

#include "ui/control_ids.h"
#include "ui/property_value.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace tessvane::ui {

// The handlers a template can bind; the shell maps each name to the routine behind it.
enum class HandlerName { applyVisualStyle, mergePictures, exportPicture, loadLargePicture, loadSmallPicture };

struct EventBinding {
    int event = 0;
    HandlerName handler = HandlerName::applyVisualStyle;
};

struct StoredProperty {
    int number = 0;
    StoredValue value;
};

namespace control_flag {
inline constexpr std::uint32_t visible = 1u << 0;
inline constexpr std::uint32_t disabled = 1u << 1;
inline constexpr std::uint32_t tabStop = 1u << 2;
}  // namespace control_flag

// One record of a window template: the window itself (record 0) or one control.
struct ControlRecord {
    std::uint32_t id = 0;
    ControlKind kind = ControlKind::window;
    std::string_view name;
    std::uint32_t parent = 0;  // 0: the window
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::span<const std::uint32_t> children;
    std::string_view mousePointer;  // empty: the arrow
    std::string_view tag;
    std::uint32_t flags = 0;
    std::span<const EventBinding> events;
    std::span<const StoredProperty> properties;
};

// A window and its controls; record 0 is the window.
struct WindowTemplate {
    std::span<const ControlRecord> records;
};

// The program's one window.
[[nodiscard]] const WindowTemplate& mainWindowTemplate();

// The text of the instructions label.
inline constexpr std::string_view kInstructionsText =
    "\r\n使用说明：\r\n\r\n1.本软件不支持PNG格式图片的预览和合成,所以生成的图片会有白边,"
    "如果嫌不好看请使用2张背景一样的图片进行合成\r\n\r\n2.合成前请裁好图片大小,大图是100*100px,"
    "小图是30*45px\r\n\r\n3.直接双击图标加入合成的图片,然后点合并,再点生成就会在目录中生成你要的图片了";

}  // namespace tessvane::ui
