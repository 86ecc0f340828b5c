#include "ui/property_tables.h"

#include "platform/colours.h"

#include <array>

namespace tessvane::ui {
namespace {

constexpr Colour kFace = platform::kFaceColourValue;

constexpr PropertySpec kCommon[] = {
    {0, "left", integerValue(0)},    {1, "top", integerValue(0)},         {2, "width", integerValue(0)},
    {3, "height", integerValue(0)},  {4, "tag", textValue("")},           {5, "visible", booleanValue(true)},
    {6, "disabled", booleanValue(false)}, {7, "mousePointer", textValue("")},
};

constexpr PropertySpec kWindow[] = {
    {8, "caption", textValue("")},
    {9, "borderStyle", integerValue(2)},
    {10, "backColor", colourValue(kFace)},
    {11, "backgroundPicture", bytesValue()},
    {12, "backgroundPictureMode", integerValue(1)},
    {13, "backgroundMusic", bytesValue()},
    {14, "musicPlayMode", integerValue(0)},
    {15, "controlBox", booleanValue(true)},
    {16, "maximizeBox", booleanValue(false)},
    {17, "minimizeBox", booleanValue(false)},
    {18, "startPosition", integerValue(1)},
    {19, "movable", booleanValue(true)},
    {20, "icon", bytesValue()},
    {21, "enterMovesFocus", booleanValue(false)},
    {22, "escCloses", booleanValue(false)},
    {23, "f1OpensHelp", booleanValue(false)},
    {24, "helpFile", textValue("")},
    {25, "helpContext", integerValue(0)},
    {26, "showInTaskbar", booleanValue(true)},
    {27, "dragAnywhere", booleanValue(false)},
    {28, "shape", integerValue(0)},
    {29, "alwaysOnTop", booleanValue(false)},
    {30, "keepTitleActive", booleanValue(false)},
    {31, "className", textValue("")},
};

constexpr PropertySpec kPicBox[] = {
    {8, "border", integerValue(0)},
    {9, "backColor", colourValue(kFace)},
    {10, "picture", bytesValue()},
    {11, "displayMode", integerValue(0)},
    {12, "playAnimation", booleanValue(true)},
    {13, "dataSource", textValue("")},
    {14, "dataField", textValue("")},
};

constexpr PropertySpec kDrawPanel[] = {
    {8, "border", integerValue(0)},
    {9, "backColor", colourValue(kFace)},
    {10, "backgroundPicture", bytesValue()},
    {11, "backgroundPictureMode", integerValue(1)},
    {12, "autoRedraw", booleanValue(false)},
    {13, "coordinateUnit", integerValue(0)},
    {14, "penType", integerValue(1)},
    {15, "drawingMode", integerValue(12)},
    {16, "penWidth", integerValue(0)},
    {17, "penColour", colourValue(0x00000000)},
    {18, "brushType", integerValue(1)},
    {19, "brushColour", colourValue(0x00FFFFFF)},
    {20, "textColour", colourValue(0x00000000)},
    {21, "textBackgroundColour", colourValue(kFace)},
    {22, "font", textValue("")},
    {23, "drawingWidth", integerValue(0)},
    {24, "drawingHeight", integerValue(0)},
};

constexpr PropertySpec kLabel[] = {
    {8, "text", textValue("标签")},
    {9, "effect", integerValue(0)},
    {10, "border", integerValue(0)},
    {11, "gradientFrameWidth", integerValue(8)},
    {12, "gradientFrameColour1", colourValue(0x00808080)},
    {13, "gradientFrameColour2", colourValue(0x00FFFFFF)},
    {14, "gradientFrameColour3", colourValue(0x00808080)},
    {15, "font", textValue("")},
    {16, "textColor", colourValue(0x00000000)},
    {17, "backColor", colourValue(kFace)},
    {18, "backgroundPicture", bytesValue()},
    {19, "backgroundPictureMode", integerValue(1)},
    {20, "backgroundGradientMode", integerValue(0)},
    {21, "backgroundGradientColour1", colourValue(0x00808080)},
    {22, "backgroundGradientColour2", colourValue(0x00FFFFFF)},
    {23, "backgroundGradientColour3", colourValue(0x00808080)},
    {24, "alignment", integerValue(0)},
    {25, "wordWrap", booleanValue(false)},
    {26, "verticalAlignment", integerValue(1)},
    {27, "dataSource", textValue("")},
    {28, "dataField", textValue("")},
};

constexpr PropertySpec kTransLabel[] = {
    {8, "text", textValue("透明标签")},
    {9, "effect", integerValue(0)},
    {10, "font", textValue("")},
    {11, "textColor", colourValue(0x00000000)},
    {12, "alignment", integerValue(0)},
    {13, "wordWrap", booleanValue(false)},
    {14, "verticalAlignment", integerValue(1)},
};

constexpr PropertySpec kButton[] = {
    {8, "picture", bytesValue()},
    {9, "isDefaultButton", booleanValue(false)},
    {10, "text", textValue("按钮")},
    {11, "alignment", integerValue(1)},
    {12, "verticalAlignment", integerValue(1)},
    {13, "font", textValue("")},
};

constexpr PropertySpec kCommonDlg[] = {
    {8, "dialogType", integerValue(0)},
    {9, "title", textValue("")},
    {10, "fileName", textValue("")},
    {11, "filter", textValue("")},
    {12, "filterIndex", integerValue(0)},
    {13, "initialFolder", textValue("")},
    {14, "defaultExtension", textValue("")},
    {15, "createPrompt", booleanValue(false)},
    {16, "fileMustExist", booleanValue(true)},
    {17, "overwritePrompt", booleanValue(true)},
    {18, "pathMustExist", booleanValue(true)},
    {19, "keepCurrentFolder", booleanValue(false)},
    {20, "fontColour", colourValue(0x00000000)},
    {21, "fontBold", booleanValue(false)},
    {22, "fontItalic", booleanValue(false)},
    {23, "fontUnderline", booleanValue(false)},
    {24, "fontStrikeOut", booleanValue(false)},
    {25, "fontFaceName", textValue("")},
    {26, "fontSize", integerValue(0)},
    {27, "helpFile", textValue("")},
    {28, "helpCommand", integerValue(0)},
    {29, "helpContext", integerValue(0)},
};

// Each table must number its properties from 8 on without gaps, so a number indexes it.
template <std::size_t N>
constexpr bool numberedFromEight(const PropertySpec (&table)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i].number != static_cast<int>(i) + common_property::firstKindSpecific) {
            return false;
        }
    }
    return true;
}
static_assert(numberedFromEight(kWindow) && numberedFromEight(kPicBox) && numberedFromEight(kDrawPanel) &&
              numberedFromEight(kLabel) && numberedFromEight(kTransLabel) && numberedFromEight(kButton) &&
              numberedFromEight(kCommonDlg));

}  // namespace

std::span<const PropertySpec> propertyTable(ControlKind kind) {
    switch (kind) {
        case ControlKind::window:
            return kWindow;
        case ControlKind::picBox:
            return kPicBox;
        case ControlKind::drawPanel:
            return kDrawPanel;
        case ControlKind::label:
            return kLabel;
        case ControlKind::button:
            return kButton;
        case ControlKind::commonDlg:
            return kCommonDlg;
        case ControlKind::transLabel:
            return kTransLabel;
    }
    return {};
}

const PropertySpec* findProperty(ControlKind kind, int number) {
    if (number >= 0 && number < common_property::firstKindSpecific) {
        return &kCommon[number];
    }
    const auto table = propertyTable(kind);
    const auto index = static_cast<std::size_t>(number - common_property::firstKindSpecific);
    if (number < common_property::firstKindSpecific || index >= table.size()) {
        return nullptr;
    }
    return &table[index];
}

}  // namespace tessvane::ui
