#include "ui/window_template.h"

#include "platform/colours.h"
#include "ui/property_tables.h"

namespace tessvane::ui {
namespace {

using namespace control_flag;

constexpr Colour kFace = platform::kFaceColourValue;

constexpr EventBinding kWindowEvents[] = {{kWindowCreated, HandlerName::applyVisualStyle}};
constexpr StoredProperty kWindowProperties[] = {
    {window_property::caption, textValue("Tessvane")},
    {window_property::borderStyle, integerValue(2)},
    {window_property::backColor, colourValue(0x00FFFFFF)},
    {window_property::backgroundPicture, bytesValue()},
    {window_property::backgroundPictureMode, integerValue(1)},
    {window_property::backgroundMusic, bytesValue()},
    {window_property::musicPlayMode, integerValue(0)},
    {window_property::controlBox, booleanValue(true)},
    {window_property::maximizeBox, booleanValue(false)},
    {window_property::minimizeBox, booleanValue(false)},
    {window_property::startPosition, integerValue(1)},
    {window_property::movable, booleanValue(true)},
    {window_property::icon, bytesValue()},
    {window_property::enterMovesFocus, booleanValue(false)},
    {window_property::escCloses, booleanValue(true)},
    {window_property::f1OpensHelp, booleanValue(false)},
    {window_property::helpFile, textValue("")},
    {window_property::helpContext, integerValue(0)},
    {window_property::showInTaskbar, booleanValue(true)},
    {window_property::dragAnywhere, booleanValue(false)},
    {window_property::shape, integerValue(0)},
    {window_property::alwaysOnTop, booleanValue(false)},
    {window_property::keepTitleActive, booleanValue(false)},
    {window_property::className, textValue("")},
};
constexpr std::uint32_t kWindowChildren[] = {kSmallPictureLabel, kLargePictureLabel, kFileDialog, kInstructionsLabel,
                                             kGenerateButton,    kMergeButton,       kSmallPictureBox, kLargePictureBox,
                                             kCanvas};

constexpr EventBinding kSmallLabelEvents[] = {{common_event::doubleClicked, HandlerName::loadSmallPicture}};
constexpr StoredProperty kSmallLabelProperties[] = {
    {translabel_property::text, textValue("双击")},
    {translabel_property::effect, integerValue(0)},
    {translabel_property::font, textValue("")},
    {translabel_property::textColor, colourValue(0x00000000)},
    {translabel_property::alignment, integerValue(1)},
    {translabel_property::wordWrap, booleanValue(false)},
    {translabel_property::verticalAlignment, integerValue(1)},
};

constexpr EventBinding kLargeLabelEvents[] = {{common_event::doubleClicked, HandlerName::loadLargePicture}};
constexpr StoredProperty kLargeLabelProperties[] = {
    {translabel_property::text, textValue("双击我加入")},
    {translabel_property::effect, integerValue(0)},
    {translabel_property::font, textValue("")},
    {translabel_property::textColor, colourValue(0x00000000)},
    {translabel_property::alignment, integerValue(1)},
    {translabel_property::wordWrap, booleanValue(false)},
    {translabel_property::verticalAlignment, integerValue(1)},
};

constexpr StoredProperty kInstructionsProperties[] = {
    {label_property::text, textValue(kInstructionsText)},
    {label_property::effect, integerValue(0)},
    {label_property::border, integerValue(0)},
    {label_property::gradientFrameWidth, integerValue(8)},
    {label_property::gradientFrameColour1, colourValue(0x00808080)},
    {label_property::gradientFrameColour2, colourValue(0x00FFFFFF)},
    {label_property::gradientFrameColour3, colourValue(0x00808080)},
    {label_property::font, textValue("")},
    {label_property::textColor, colourValue(0x00FF0090)},
    {label_property::backColor, colourValue(kFace)},
    {label_property::backgroundPicture, bytesValue()},
    {label_property::backgroundPictureMode, integerValue(1)},
    {label_property::backgroundGradientMode, integerValue(0)},
    {label_property::backgroundGradientColour1, colourValue(0x00808080)},
    {label_property::backgroundGradientColour2, colourValue(0x00FFFFFF)},
    {label_property::backgroundGradientColour3, colourValue(0x00808080)},
    {label_property::alignment, integerValue(0)},
    {label_property::wordWrap, booleanValue(true)},
    {label_property::verticalAlignment, integerValue(1)},
};

constexpr EventBinding kGenerateEvents[] = {{kButtonClicked, HandlerName::exportPicture}};
constexpr StoredProperty kGenerateProperties[] = {
    {button_property::picture, bytesValue()},       {button_property::isDefaultButton, booleanValue(false)},
    {button_property::text, textValue("生成")},     {button_property::alignment, integerValue(1)},
    {button_property::verticalAlignment, integerValue(1)}, {button_property::font, textValue("")},
};

constexpr EventBinding kMergeEvents[] = {{kButtonClicked, HandlerName::mergePictures}};
constexpr StoredProperty kMergeProperties[] = {
    {button_property::picture, bytesValue()},       {button_property::isDefaultButton, booleanValue(false)},
    {button_property::text, textValue("合并")},     {button_property::alignment, integerValue(1)},
    {button_property::verticalAlignment, integerValue(1)}, {button_property::font, textValue("")},
};

constexpr std::uint32_t kSmallBoxChildren[] = {kSmallPictureLabel};
constexpr StoredProperty kSmallBoxProperties[] = {
    {picbox_property::border, integerValue(0)},
    {picbox_property::backColor, colourValue(kFace)},
    {picbox_property::picture, bytesValue(":/assets/built_in_picture.bmp")},
    {picbox_property::displayMode, integerValue(1)},
    {picbox_property::playAnimation, booleanValue(true)},
    {picbox_property::dataSource, textValue("")},
    {picbox_property::dataField, textValue("")},
};

constexpr std::uint32_t kLargeBoxChildren[] = {kLargePictureLabel};
constexpr StoredProperty kLargeBoxProperties[] = {
    {picbox_property::border, integerValue(0)},
    {picbox_property::backColor, colourValue(kFace)},
    {picbox_property::picture, bytesValue()},
    {picbox_property::displayMode, integerValue(1)},
    {picbox_property::playAnimation, booleanValue(true)},
    {picbox_property::dataSource, textValue("")},
    {picbox_property::dataField, textValue("")},
};

constexpr ControlRecord kRecords[] = {
    {.id = kMainWindow, .kind = ControlKind::window, .name = "", .parent = 0,
     .left = 50, .top = 50, .width = 512, .height = 393, .children = kWindowChildren,
     .flags = visible, .events = kWindowEvents, .properties = kWindowProperties},
    {.id = kSmallPictureLabel, .kind = ControlKind::transLabel, .name = "透明标签2", .parent = kSmallPictureBox,
     .left = 0, .top = 0, .width = 32, .height = 48,
     .flags = visible, .events = kSmallLabelEvents, .properties = kSmallLabelProperties},
    {.id = kLargePictureLabel, .kind = ControlKind::transLabel, .name = "透明标签1", .parent = kLargePictureBox,
     .left = 0, .top = 0, .width = 100, .height = 100,
     .flags = visible, .events = kLargeLabelEvents, .properties = kLargeLabelProperties},
    {.id = kFileDialog, .kind = ControlKind::commonDlg, .name = "通用对话框1", .parent = 0,
     .left = 232, .top = 136, .width = 24, .height = 24, .flags = 0},
    {.id = kInstructionsLabel, .kind = ControlKind::label, .name = "标签1", .parent = 0,
     .left = 8, .top = 216, .width = 496, .height = 136,
     .flags = visible, .properties = kInstructionsProperties},
    {.id = kGenerateButton, .kind = ControlKind::button, .name = "按钮2", .parent = 0,
     .left = 376, .top = 168, .width = 112, .height = 40,
     .flags = visible | tabStop, .events = kGenerateEvents, .properties = kGenerateProperties},
    {.id = kMergeButton, .kind = ControlKind::button, .name = "按钮1", .parent = 0,
     .left = 40, .top = 168, .width = 104, .height = 40,
     .flags = visible | tabStop, .events = kMergeEvents, .properties = kMergeProperties},
    {.id = kSmallPictureBox, .kind = ControlKind::picBox, .name = "图片框2", .parent = 0,
     .left = 240, .top = 48, .width = 30, .height = 45, .children = kSmallBoxChildren,
     .flags = visible, .properties = kSmallBoxProperties},
    {.id = kLargePictureBox, .kind = ControlKind::picBox, .name = "图片框1", .parent = 0,
     .left = 40, .top = 24, .width = 100, .height = 100, .children = kLargeBoxChildren,
     .flags = visible, .properties = kLargeBoxProperties},
    {.id = kCanvas, .kind = ControlKind::drawPanel, .name = "画板1", .parent = 0,
     .left = 376, .top = 24, .width = 100, .height = 100, .flags = visible},
};

constexpr WindowTemplate kMainWindowTemplate{kRecords};

}  // namespace

const WindowTemplate& mainWindowTemplate() { return kMainWindowTemplate; }

}  // namespace tessvane::ui
