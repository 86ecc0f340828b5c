#pragma once

#include "ui/control_ids.h"
#include "ui/property_value.h"

#include <span>
#include <string_view>

namespace tessvane::ui {

// One kind-specific property: its number, name, type and the value it has when the
// template stores none.
struct PropertySpec {
    int number = 0;
    std::string_view name;
    StoredValue defaultValue;
};

// The kind-specific properties of a kind, numbered from 8 without gaps.
[[nodiscard]] std::span<const PropertySpec> propertyTable(ControlKind kind);

// The description of one property of a kind, the common ones 0 to 7 included; none when the kind
// has no such number.
[[nodiscard]] const PropertySpec* findProperty(ControlKind kind, int number);

// Property numbers by name, for the code of each kind.
namespace window_property {
inline constexpr int caption = 8, borderStyle = 9, backColor = 10, backgroundPicture = 11,
                     backgroundPictureMode = 12, backgroundMusic = 13, musicPlayMode = 14, controlBox = 15,
                     maximizeBox = 16, minimizeBox = 17, startPosition = 18, movable = 19, icon = 20,
                     enterMovesFocus = 21, escCloses = 22, f1OpensHelp = 23, helpFile = 24, helpContext = 25,
                     showInTaskbar = 26, dragAnywhere = 27, shape = 28, alwaysOnTop = 29, keepTitleActive = 30,
                     className = 31;
}
namespace picbox_property {
inline constexpr int border = 8, backColor = 9, picture = 10, displayMode = 11, playAnimation = 12,
                     dataSource = 13, dataField = 14;
}
namespace drawpanel_property {
inline constexpr int border = 8, backColor = 9, backgroundPicture = 10, backgroundPictureMode = 11,
                     autoRedraw = 12, coordinateUnit = 13, penType = 14, drawingMode = 15, penWidth = 16,
                     penColour = 17, brushType = 18, brushColour = 19, textColour = 20,
                     textBackgroundColour = 21, font = 22, drawingWidth = 23, drawingHeight = 24;
}
namespace button_property {
inline constexpr int picture = 8, isDefaultButton = 9, text = 10, alignment = 11, verticalAlignment = 12,
                     font = 13;
}
namespace label_property {
inline constexpr int text = 8, effect = 9, border = 10, gradientFrameWidth = 11, gradientFrameColour1 = 12,
                     gradientFrameColour2 = 13, gradientFrameColour3 = 14, font = 15, textColor = 16,
                     backColor = 17, backgroundPicture = 18, backgroundPictureMode = 19,
                     backgroundGradientMode = 20, backgroundGradientColour1 = 21, backgroundGradientColour2 = 22,
                     backgroundGradientColour3 = 23, alignment = 24, wordWrap = 25, verticalAlignment = 26,
                     dataSource = 27, dataField = 28;
}
namespace translabel_property {
inline constexpr int text = 8, effect = 9, font = 10, textColor = 11, alignment = 12, wordWrap = 13,
                     verticalAlignment = 14;
}
namespace commondlg_property {
inline constexpr int dialogType = 8, title = 9, fileName = 10, filter = 11, filterIndex = 12, initialFolder = 13,
                     defaultExtension = 14, createPrompt = 15, fileMustExist = 16, overwritePrompt = 17,
                     pathMustExist = 18, keepCurrentFolder = 19, fontColour = 20, fontBold = 21, fontItalic = 22,
                     fontUnderline = 23, fontStrikeOut = 24, fontFaceName = 25, fontSize = 26, helpFile = 27,
                     helpCommand = 28, helpContext = 29;
}

}  // namespace tessvane::ui
