#pragma once

#include <cstdint>

namespace tessvane::ui {

using WindowId = std::uint32_t;
using ControlId = std::uint32_t;

enum class ControlKind { window, picBox, drawPanel, label, button, commonDlg, transLabel };

// The one window of the program and its controls, as the template names them.
inline constexpr WindowId kMainWindow = 0x52010001;
inline constexpr ControlId kSmallPictureLabel = 0x16010021;  // 透明标签2
inline constexpr ControlId kLargePictureLabel = 0x16010018;  // 透明标签1
inline constexpr ControlId kFileDialog = 0x16010016;         // 通用对话框1
inline constexpr ControlId kInstructionsLabel = 0x16010015;  // 标签1
inline constexpr ControlId kGenerateButton = 0x16010014;     // 按钮2
inline constexpr ControlId kMergeButton = 0x16010006;        // 按钮1
inline constexpr ControlId kSmallPictureBox = 0x16010005;    // 图片框2
inline constexpr ControlId kLargePictureBox = 0x16010004;    // 图片框1
inline constexpr ControlId kCanvas = 0x16010003;             // 画板1

// Common property numbers, shared by every kind.
namespace common_property {
inline constexpr int left = 0;
inline constexpr int top = 1;
inline constexpr int width = 2;
inline constexpr int height = 3;
inline constexpr int tag = 4;
inline constexpr int visible = 5;
inline constexpr int disabled = 6;
inline constexpr int mousePointer = 7;
inline constexpr int firstKindSpecific = 8;
}  // namespace common_property

// Common event numbers; kind-specific events count from 0.
namespace common_event {
inline constexpr int leftButtonDown = -1;
inline constexpr int leftButtonUp = -2;
inline constexpr int doubleClicked = -3;
inline constexpr int rightButtonDown = -4;
inline constexpr int rightButtonUp = -5;
inline constexpr int mouseMoved = -6;
}  // namespace common_event

// Event 0 of a window (created), of a button (clicked) and of a canvas (repaint).
inline constexpr int kWindowCreated = 0;
inline constexpr int kButtonClicked = 0;
inline constexpr int kCanvasRepaint = 0;

}  // namespace tessvane::ui
