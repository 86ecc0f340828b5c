#include "app/visual_style.h"

#include "platform/colours.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QTextEdit>
#include <QThread>

#include <algorithm>
#include <memory>

namespace tessvane::app {

namespace {

constexpr double kCornerRadius = 3.0;
// The disabled frame is the face colour less this much in each of red, green and blue.
constexpr int kDisabledFrameDarkening = 0x20;
// Multi-line edit fields are frames around a square viewport; two pixels keep the viewport inside the
// rounded corners of the one-pixel frame.
constexpr int kMultiLineFrameWidth = 2;
// A group box's title sits on its frame line, this far in from the left corner.
constexpr int kGroupTitleIndent = 8;
// The gap in the frame line on either side of the title.
constexpr int kGroupTitleGap = 3;

// Marks the widgets on which this style switched hover events on, so unpolish takes back only those.
constexpr char kHoverSetByStyle[] = "tessvaneHoverSetByStyle";

// How a face looks: the order of precedence is disabled, pressed, hovered, normal.
enum class FaceState { normal, hovered, pressed, disabled };

[[nodiscard]] QColor mixed(const QColor& from, const QColor& to, double amountOfTo) {
    const auto blend = [amountOfTo](int a, int b) {
        return static_cast<int>(a + (b - a) * amountOfTo + 0.5);
    };
    return QColor(blend(from.red(), to.red()), blend(from.green(), to.green()), blend(from.blue(), to.blue()));
}

// The colours of one scheme in the current face colour, worked out where they are painted so a change of
// the face colour shows at the next paint.
struct Shades {
    QColor frame;
    QColor disabledFrame;
    QColor face;
    QColor mark;          // check marks, radio dots, arrows
    QColor glow;          // the inner line of a hovered button or a focused field
    QColor selection;     // the current entry of a drop-down list
};

[[nodiscard]] Shades shadesFor(const QColor& frame) {
    const QColor face = platform::faceColour();
    return Shades{.frame = frame,
                  .disabledFrame = disabledFrameColour(),
                  .face = face,
                  .mark = frame.darker(175),
                  .glow = mixed(frame, Qt::white, 0.45),
                  .selection = mixed(Qt::white, frame, 0.45)};
}

[[nodiscard]] FaceState faceStateOf(const QStyleOption& option) {
    if (!(option.state & QStyle::State_Enabled)) {
        return FaceState::disabled;
    }
    if (option.state & (QStyle::State_Sunken | QStyle::State_On)) {
        return FaceState::pressed;
    }
    if (option.state & QStyle::State_MouseOver) {
        return FaceState::hovered;
    }
    return FaceState::normal;
}

// A one-pixel line drawn along the outermost pixels of a rectangle: the path runs through pixel centres.
[[nodiscard]] QRectF lineRect(const QRect& rect) { return QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5); }

// The top-to-bottom gradient of a button face, tinted by the scheme: lighter under the mouse, darker and
// reversed while pressed, flat face colour when disabled.
[[nodiscard]] QBrush buttonFace(const QRectF& rect, FaceState state, const Shades& shades) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    switch (state) {
        case FaceState::normal:
            gradient.setColorAt(0.0, mixed(Qt::white, shades.frame, 0.06));
            gradient.setColorAt(1.0, mixed(shades.face, shades.frame, 0.30));
            break;
        case FaceState::hovered:
            gradient.setColorAt(0.0, Qt::white);
            gradient.setColorAt(1.0, mixed(Qt::white, shades.frame, 0.32));
            break;
        case FaceState::pressed:
            gradient.setColorAt(0.0, mixed(shades.face, shades.frame, 0.50));
            gradient.setColorAt(1.0, mixed(shades.face, shades.frame, 0.32));
            break;
        case FaceState::disabled:
            return QBrush(shades.face);
    }
    return QBrush(gradient);
}

// The face of a check box or radio indicator: near white, so the mark stands out.
[[nodiscard]] QBrush indicatorFace(const QRectF& rect, FaceState state, const Shades& shades) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    switch (state) {
        case FaceState::normal:
            gradient.setColorAt(0.0, Qt::white);
            gradient.setColorAt(1.0, mixed(Qt::white, shades.frame, 0.18));
            break;
        case FaceState::hovered:
            gradient.setColorAt(0.0, Qt::white);
            gradient.setColorAt(1.0, mixed(Qt::white, shades.frame, 0.38));
            break;
        case FaceState::pressed:
            gradient.setColorAt(0.0, mixed(shades.face, shades.frame, 0.40));
            gradient.setColorAt(1.0, mixed(Qt::white, shades.frame, 0.15));
            break;
        case FaceState::disabled:
            return QBrush(shades.face);
    }
    return QBrush(gradient);
}

[[nodiscard]] QColor frameColourOf(FaceState state, const Shades& shades) {
    return state == FaceState::disabled ? shades.disabledFrame : shades.frame;
}

[[nodiscard]] QColor markColourOf(const QStyleOption& option, const Shades& shades) {
    return option.state & QStyle::State_Enabled ? shades.mark
                                                : option.palette.color(QPalette::Disabled, QPalette::WindowText);
}

// A filled rounded shape with its one-pixel frame, the common form of every styled control.
void paintFramedShape(QPainter& painter, const QRect& rect, double radius, const QBrush& fill, const QColor& frame) {
    painter.setPen(QPen(frame, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(lineRect(rect), radius, radius);
}

void paintGlow(QPainter& painter, const QRect& rect, double radius, const QColor& colour) {
    painter.setPen(QPen(colour, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(lineRect(rect.adjusted(1, 1, -1, -1)), std::max(radius - 1.0, 0.0),
                            std::max(radius - 1.0, 0.0));
}

// A small solid triangle pointing up or down, centred in the rectangle.
void paintArrow(QPainter& painter, const QRect& rect, Qt::ArrowType direction, const QColor& colour) {
    const double halfWidth = std::clamp(rect.width() / 4.0, 2.0, 4.0);
    const double height = halfWidth;
    const QPointF centre = QRectF(rect).center();
    const double tip = direction == Qt::UpArrow ? centre.y() - height / 2.0 : centre.y() + height / 2.0;
    const double base = direction == Qt::UpArrow ? centre.y() + height / 2.0 : centre.y() - height / 2.0;
    QPainterPath path;
    path.moveTo(centre.x() - halfWidth, base);
    path.lineTo(centre.x() + halfWidth, base);
    path.lineTo(centre.x(), tip);
    path.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(path);
}

void paintPlusOrMinus(QPainter& painter, const QRect& rect, bool plus, const QColor& colour) {
    const QPointF centre = QRectF(rect).center();
    const double half = std::clamp(rect.height() / 4.0, 2.0, 4.0);
    painter.setPen(QPen(colour, 1.5));
    painter.drawLine(QPointF(centre.x() - half, centre.y()), QPointF(centre.x() + half, centre.y()));
    if (plus) {
        painter.drawLine(QPointF(centre.x(), centre.y() - half), QPointF(centre.x(), centre.y() + half));
    }
}

// Push buttons are QPushButton and the program's own button control, which is a plain widget that says what
// it is through a property and paints itself through the style as a push button.
[[nodiscard]] bool isPushButton(const QWidget* widget) {
    return qobject_cast<const QPushButton*>(widget) != nullptr ||
           (widget != nullptr && widget->property("tessvaneKind").toString() == QLatin1String("pushButton"));
}

[[nodiscard]] bool isMultiLineEdit(const QWidget* widget) {
    return qobject_cast<const QTextEdit*>(widget) != nullptr || qobject_cast<const QPlainTextEdit*>(widget) != nullptr;
}

// The drop-down list of a combo box is a popup window whose parent is the combo box.
[[nodiscard]] const QComboBox* comboOfDropDown(const QWidget* widget) {
    if (widget == nullptr) {
        return nullptr;
    }
    const QWidget* window = widget->window();
    if (window->windowType() != Qt::Popup) {
        return nullptr;
    }
    return qobject_cast<const QComboBox*>(window->parentWidget());
}

// The widgets that get hover events, so they can show the highlight under the mouse.
[[nodiscard]] bool wantsHover(const QWidget* widget) {
    return isPushButton(widget) || qobject_cast<const QCheckBox*>(widget) != nullptr ||
           qobject_cast<const QRadioButton*>(widget) != nullptr || qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QComboBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr ||
           qobject_cast<const QGroupBox*>(widget) != nullptr;
}

// With no widget given, the option alone says what is painted, and it is painted in the styled look.
template <typename Widget>
[[nodiscard]] bool isNoneOr(const QWidget* widget) {
    return widget == nullptr || qobject_cast<const Widget*>(widget) != nullptr;
}

void paintPushButtonPanel(QPainter& painter, const QStyleOptionButton& option, const Shades& shades) {
    const FaceState state = faceStateOf(option);
    const QRectF shape = lineRect(option.rect);
    paintFramedShape(painter, option.rect, kCornerRadius, buttonFace(shape, state, shades),
                     frameColourOf(state, shades));
    const bool isDefault = option.features & QStyleOptionButton::DefaultButton;
    if (state == FaceState::hovered || (isDefault && state == FaceState::normal)) {
        paintGlow(painter, option.rect, kCornerRadius, state == FaceState::hovered ? Qt::white : shades.glow);
    }
    // The keyboard focus shows as a dotted line inside the frame, once the keyboard has been used.
    if ((option.state & QStyle::State_HasFocus) && (option.state & QStyle::State_KeyboardFocusChange) &&
        option.rect.width() > 8 && option.rect.height() > 8) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        QPen dots(markColourOf(option, shades), 1.0, Qt::DotLine);
        dots.setCosmetic(true);
        painter.setPen(dots);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(option.rect.adjusted(3, 3, -4, -4));
    }
}

void paintCheckIndicator(QPainter& painter, const QStyleOption& option, const Shades& shades) {
    const FaceState state = faceStateOf(option);
    // State_On means checked here, not pressed: a box pressed with the mouse is sunken.
    const FaceState faceState = state == FaceState::pressed && !(option.state & QStyle::State_Sunken)
                                    ? (option.state & QStyle::State_MouseOver ? FaceState::hovered : FaceState::normal)
                                    : state;
    const QRectF shape = lineRect(option.rect);
    paintFramedShape(painter, option.rect, 2.0, indicatorFace(shape, faceState, shades),
                     frameColourOf(state, shades));
    if (faceState == FaceState::hovered) {
        paintGlow(painter, option.rect, 2.0, shades.glow);
    }
    const QColor mark = markColourOf(option, shades);
    if (option.state & QStyle::State_NoChange) {
        // The third state of a three-state box: a filled square where the check mark would be.
        const QRectF square = QRectF(option.rect).adjusted(4.0, 4.0, -4.0, -4.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(mixed(mark, shades.face, 0.25));
        painter.drawRoundedRect(square, 1.0, 1.0);
    } else if (option.state & QStyle::State_On) {
        const QRectF box = QRectF(option.rect);
        QPainterPath tick;
        tick.moveTo(box.left() + box.width() * 0.24, box.top() + box.height() * 0.52);
        tick.lineTo(box.left() + box.width() * 0.43, box.top() + box.height() * 0.72);
        tick.lineTo(box.left() + box.width() * 0.77, box.top() + box.height() * 0.29);
        painter.setPen(QPen(mark, std::max(1.5, box.width() / 8.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    }
}

void paintRadioIndicator(QPainter& painter, const QStyleOption& option, const Shades& shades) {
    const FaceState state = faceStateOf(option);
    const FaceState faceState = state == FaceState::pressed && !(option.state & QStyle::State_Sunken)
                                    ? (option.state & QStyle::State_MouseOver ? FaceState::hovered : FaceState::normal)
                                    : state;
    // A circle needs a square.
    const int side = std::min(option.rect.width(), option.rect.height());
    QRect square(0, 0, side, side);
    square.moveCenter(option.rect.center());
    const QRectF shape = lineRect(square);
    painter.setPen(QPen(frameColourOf(state, shades), 1.0));
    painter.setBrush(indicatorFace(shape, faceState, shades));
    painter.drawEllipse(shape);
    if (faceState == FaceState::hovered) {
        painter.setPen(QPen(shades.glow, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(shape.adjusted(1.0, 1.0, -1.0, -1.0));
    }
    if (option.state & QStyle::State_On) {
        const double radius = side * 0.2;
        painter.setPen(Qt::NoPen);
        painter.setBrush(markColourOf(option, shades));
        painter.drawEllipse(shape.center(), radius, radius);
    }
}

// The frame of a single or multi-line edit field, with an inner line while it has the focus or the mouse.
void paintFieldFrame(QPainter& painter, const QStyleOption& option, double radius, const Shades& shades) {
    const bool enabled = option.state & QStyle::State_Enabled;
    painter.setPen(QPen(enabled ? shades.frame : shades.disabledFrame, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(lineRect(option.rect), radius, radius);
    if (enabled && (option.state & (QStyle::State_HasFocus | QStyle::State_MouseOver))) {
        const QColor inner = option.state & QStyle::State_HasFocus ? shades.glow : mixed(shades.glow, Qt::white, 0.5);
        paintGlow(painter, option.rect, radius, inner);
    }
}

[[nodiscard]] QColor fieldBackground(const QStyleOption& option) {
    return option.palette.color(option.state & QStyle::State_Enabled ? QPalette::Active : QPalette::Disabled,
                                QPalette::Base);
}

}  // namespace

std::optional<VisualScheme> visualSchemeFromNumber(int number) {
    switch (number) {
        case 1:
            return VisualScheme::blue;
        case 2:
            return VisualScheme::olive;
        case 3:
            return VisualScheme::silver;
        default:
            return std::nullopt;
    }
}

QColor schemeFrameColour(VisualScheme scheme) {
    switch (scheme) {
        case VisualScheme::blue:
            return QColor(123, 158, 189);
        case VisualScheme::olive:
            return QColor(164, 185, 127);
        case VisualScheme::silver:
            return QColor(198, 197, 215);
    }
    return QColor(123, 158, 189);
}

QColor disabledFrameColour() {
    const QColor face = platform::faceColour();
    const auto darken = [](int channel) { return std::max(channel - kDisabledFrameDarkening, 0); };
    return QColor(darken(face.red()), darken(face.green()), darken(face.blue()));
}

VisualStyle::VisualStyle(VisualScheme scheme)
    : QProxyStyle(QStringLiteral("Fusion")), m_scheme(scheme), m_frame(schemeFrameColour(scheme)) {}

void VisualStyle::polish(QWidget* widget) {
    const bool hadHover = widget->testAttribute(Qt::WA_Hover);
    QProxyStyle::polish(widget);
    if (!hadHover && wantsHover(widget)) {
        widget->setAttribute(Qt::WA_Hover, true);
        widget->setProperty(kHoverSetByStyle, true);
    }
}

void VisualStyle::unpolish(QWidget* widget) {
    QProxyStyle::unpolish(widget);
    if (widget->property(kHoverSetByStyle).toBool()) {
        widget->setAttribute(Qt::WA_Hover, false);
        widget->setProperty(kHoverSetByStyle, QVariant());
    }
}

void VisualStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
    if (option == nullptr || painter == nullptr) {
        return;
    }
    const Shades shades = shadesFor(m_frame);
    switch (element) {
        case PE_PanelButtonCommand:
            // Tool buttons come here too, with a tool button option; they keep the plain look.
            if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
                button != nullptr && (widget == nullptr || isPushButton(widget))) {
                painter->save();
                painter->setRenderHint(QPainter::Antialiasing, true);
                paintPushButtonPanel(*painter, *button, shades);
                painter->restore();
                return;
            }
            break;
        case PE_FrameFocusRect:
            // A push button draws its own focus line inside its panel.
            if (isPushButton(widget)) {
                return;
            }
            if (qobject_cast<const QCheckBox*>(widget) != nullptr ||
                qobject_cast<const QRadioButton*>(widget) != nullptr) {
                if (option->state & State_KeyboardFocusChange) {
                    painter->save();
                    QPen dots(markColourOf(*option, shades), 1.0, Qt::DotLine);
                    dots.setCosmetic(true);
                    painter->setPen(dots);
                    painter->setBrush(Qt::NoBrush);
                    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
                    painter->restore();
                }
                return;
            }
            break;
        case PE_IndicatorCheckBox:
            // Item views draw their check boxes through here as well; they keep the plain look.
            if (widget == nullptr || qobject_cast<const QCheckBox*>(widget) != nullptr ||
                qobject_cast<const QGroupBox*>(widget) != nullptr) {
                painter->save();
                painter->setRenderHint(QPainter::Antialiasing, true);
                paintCheckIndicator(*painter, *option, shades);
                painter->restore();
                return;
            }
            break;
        case PE_IndicatorRadioButton:
            if (isNoneOr<QRadioButton>(widget)) {
                painter->save();
                painter->setRenderHint(QPainter::Antialiasing, true);
                paintRadioIndicator(*painter, *option, shades);
                painter->restore();
                return;
            }
            break;
        case PE_FrameGroupBox:
            if (isNoneOr<QGroupBox>(widget)) {
                const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
                const bool flat = frame != nullptr && (frame->features & QStyleOptionFrame::Flat);
                const bool enabled = option->state & State_Enabled;
                painter->save();
                painter->setRenderHint(QPainter::Antialiasing, true);
                painter->setPen(QPen(enabled ? shades.frame : shades.disabledFrame, 1.0));
                painter->setBrush(Qt::NoBrush);
                const QRectF line = lineRect(option->rect);
                if (flat) {
                    painter->drawLine(line.topLeft(), line.topRight());
                } else {
                    painter->drawRoundedRect(line, kCornerRadius, kCornerRadius);
                }
                painter->restore();
                return;
            }
            break;
        case PE_PanelLineEdit:
            // A line edit without a frame lies inside a spin box or combo box, which paint the field.
            if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
                frame != nullptr && frame->lineWidth > 0 && isNoneOr<QLineEdit>(widget)) {
                painter->save();
                painter->setRenderHint(QPainter::Antialiasing, true);
                painter->setPen(Qt::NoPen);
                painter->setBrush(fieldBackground(*option));
                painter->drawRoundedRect(lineRect(option->rect), kCornerRadius, kCornerRadius);
                painter->restore();
                proxy()->drawPrimitive(PE_FrameLineEdit, option, painter, widget);
                return;
            }
            break;
        case PE_FrameLineEdit:
            if (isNoneOr<QLineEdit>(widget)) {
                painter->save();
                painter->setRenderHint(QPainter::Antialiasing, true);
                paintFieldFrame(*painter, *option, kCornerRadius, shades);
                painter->restore();
                return;
            }
            break;
        case PE_Frame:
            if (isMultiLineEdit(widget)) {
                painter->save();
                painter->setRenderHint(QPainter::Antialiasing, true);
                paintFieldFrame(*painter, *option, kCornerRadius, shades);
                painter->restore();
                return;
            }
            // The drop-down list of a combo box: a plain rectangle, as a popup window is one.
            if (comboOfDropDown(widget) != nullptr && widget->isWindow()) {
                painter->save();
                painter->setPen(QPen(option->state & State_Enabled ? shades.frame : shades.disabledFrame, 1.0));
                painter->setBrush(Qt::NoBrush);
                painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
                painter->restore();
                return;
            }
            break;
        default:
            break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void VisualStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    if (option == nullptr || painter == nullptr) {
        return;
    }
    // The entries of a combo box's drop-down list are painted by the plain style, with the current entry in
    // a light shade of the scheme instead of the palette's highlight.
    if (element == CE_MenuItem && qobject_cast<const QComboBox*>(widget) != nullptr) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            QStyleOptionMenuItem tinted(*item);
            tinted.palette.setColor(QPalette::Highlight, shadesFor(m_frame).selection);
            tinted.palette.setColor(QPalette::HighlightedText, item->palette.color(QPalette::Text));
            QProxyStyle::drawControl(element, &tinted, painter, widget);
            return;
        }
    }
    if (element == CE_ItemViewItem && comboOfDropDown(widget) != nullptr) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option)) {
            QStyleOptionViewItem tinted(*item);
            tinted.palette.setColor(QPalette::Highlight, shadesFor(m_frame).selection);
            tinted.palette.setColor(QPalette::HighlightedText, item->palette.color(QPalette::Text));
            QProxyStyle::drawControl(element, &tinted, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void VisualStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                     const QWidget* widget) const {
    if (option == nullptr || painter == nullptr) {
        return;
    }
    const Shades shades = shadesFor(m_frame);
    if (control == CC_ComboBox && (isNoneOr<QComboBox>(widget) || isNoneOr<QAbstractSpinBox>(widget))) {
        if (const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option)) {
            const FaceState state = faceStateOf(*combo);
            const QRect arrow = proxy()->subControlRect(CC_ComboBox, combo, SC_ComboBoxArrow, widget);
            const QRectF shape = lineRect(combo->rect);
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing, true);
            QPainterPath outline;
            outline.addRoundedRect(shape, kCornerRadius, kCornerRadius);
            if (combo->editable) {
                // An edit field with a button at its end.
                painter->fillPath(outline, fieldBackground(*combo));
                painter->save();
                painter->setClipPath(outline);
                const QRect button(arrow.left(), combo->rect.top(), combo->rect.right() - arrow.left() + 1,
                                   combo->rect.height());
                const bool arrowActive = combo->activeSubControls & SC_ComboBoxArrow;
                const FaceState buttonState = state == FaceState::hovered && !arrowActive ? FaceState::normal : state;
                painter->fillRect(button, buttonFace(QRectF(button), buttonState, shades));
                painter->setPen(QPen(frameColourOf(state, shades), 1.0));
                painter->drawLine(QPointF(button.left() + 0.5, shape.top()), QPointF(button.left() + 0.5, shape.bottom()));
                painter->restore();
            } else {
                // A list without an edit field looks like a push button.
                painter->fillPath(outline, buttonFace(shape, state, shades));
            }
            if (combo->frame) {
                painter->setPen(QPen(frameColourOf(state, shades), 1.0));
                painter->setBrush(Qt::NoBrush);
                painter->drawPath(outline);
                if (state != FaceState::disabled && (combo->state & (State_HasFocus | State_MouseOver))) {
                    const QColor inner = combo->state & State_HasFocus ? shades.glow : Qt::white;
                    paintGlow(*painter, combo->rect, kCornerRadius, inner);
                }
            }
            if (combo->subControls & SC_ComboBoxArrow) {
                paintArrow(*painter, arrow, Qt::DownArrow, markColourOf(*combo, shades));
            }
            painter->restore();
            return;
        }
    }
    if (control == CC_SpinBox && isNoneOr<QAbstractSpinBox>(widget)) {
        if (const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option)) {
            const bool enabled = spin->state & State_Enabled;
            const QRectF shape = lineRect(spin->rect);
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing, true);
            QPainterPath outline;
            outline.addRoundedRect(shape, kCornerRadius, kCornerRadius);
            painter->fillPath(outline, fieldBackground(*spin));
            if (spin->buttonSymbols != QAbstractSpinBox::NoButtons) {
                const QRect up = proxy()->subControlRect(CC_SpinBox, spin, SC_SpinBoxUp, widget);
                const QRect down = proxy()->subControlRect(CC_SpinBox, spin, SC_SpinBoxDown, widget);
                // The buttons reach the frame on the right, top and bottom, and meet in the middle.
                const int left = std::min(up.left(), down.left());
                const int middle = (up.bottom() + down.top() + 1) / 2;
                const QRect upArea(left, spin->rect.top(), spin->rect.right() - left + 1, middle - spin->rect.top());
                const QRect downArea(left, middle, spin->rect.right() - left + 1, spin->rect.bottom() - middle + 1);
                const auto buttonState = [&](SubControl part, QAbstractSpinBox::StepEnabledFlag step) {
                    if (!enabled || !(spin->stepEnabled & step)) {
                        return FaceState::disabled;
                    }
                    if (spin->activeSubControls & part) {
                        if (spin->state & State_Sunken) {
                            return FaceState::pressed;
                        }
                        if (spin->state & State_MouseOver) {
                            return FaceState::hovered;
                        }
                    }
                    return FaceState::normal;
                };
                const FaceState upState = buttonState(SC_SpinBoxUp, QAbstractSpinBox::StepUpEnabled);
                const FaceState downState = buttonState(SC_SpinBoxDown, QAbstractSpinBox::StepDownEnabled);
                painter->save();
                painter->setClipPath(outline);
                painter->fillRect(upArea, buttonFace(QRectF(upArea), upState, shades));
                painter->fillRect(downArea, buttonFace(QRectF(downArea), downState, shades));
                painter->setPen(QPen(enabled ? shades.frame : shades.disabledFrame, 1.0));
                painter->drawLine(QPointF(left + 0.5, shape.top()), QPointF(left + 0.5, shape.bottom()));
                painter->drawLine(QPointF(left, middle - 0.5), QPointF(shape.right(), middle - 0.5));
                painter->restore();
                const QColor upMark = upState == FaceState::disabled ? shades.disabledFrame : shades.mark;
                const QColor downMark = downState == FaceState::disabled ? shades.disabledFrame : shades.mark;
                if (spin->buttonSymbols == QAbstractSpinBox::PlusMinus) {
                    paintPlusOrMinus(*painter, upArea.adjusted(1, 1, -1, 0), true, upMark);
                    paintPlusOrMinus(*painter, downArea.adjusted(1, 0, -1, -1), false, downMark);
                } else {
                    paintArrow(*painter, upArea.adjusted(1, 1, -1, 0), Qt::UpArrow, upMark);
                    paintArrow(*painter, downArea.adjusted(1, 0, -1, -1), Qt::DownArrow, downMark);
                }
            }
            if (spin->frame) {
                painter->setPen(QPen(enabled ? shades.frame : shades.disabledFrame, 1.0));
                painter->setBrush(Qt::NoBrush);
                painter->drawPath(outline);
                if (enabled && (spin->state & (State_HasFocus | State_MouseOver))) {
                    const QColor inner =
                        spin->state & State_HasFocus ? shades.glow : mixed(shades.glow, Qt::white, 0.5);
                    paintGlow(*painter, spin->rect, kCornerRadius, inner);
                }
            }
            painter->restore();
            return;
        }
    }
    if (control == CC_GroupBox && isNoneOr<QGroupBox>(widget)) {
        if (const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option)) {
            // The frame line runs through the middle of the title, broken where the title stands.
            QRect title;
            if ((group->subControls & SC_GroupBoxLabel) && !group->text.isEmpty()) {
                title = proxy()->subControlRect(CC_GroupBox, group, SC_GroupBoxLabel, widget);
            }
            if (group->subControls & SC_GroupBoxCheckBox) {
                title |= proxy()->subControlRect(CC_GroupBox, group, SC_GroupBoxCheckBox, widget);
            }
            if (group->subControls & SC_GroupBoxFrame) {
                QStyleOptionFrame frame;
                frame.QStyleOption::operator=(*group);
                frame.features = group->features;
                frame.lineWidth = group->lineWidth;
                frame.midLineWidth = group->midLineWidth;
                if (!title.isNull()) {
                    frame.rect.setTop(title.center().y());
                }
                painter->save();
                painter->setClipRegion(QRegion(group->rect) -
                                       QRegion(title.adjusted(-kGroupTitleGap, 0, kGroupTitleGap, 0)));
                proxy()->drawPrimitive(PE_FrameGroupBox, &frame, painter, widget);
                painter->restore();
            }
            QStyleOptionGroupBox titleOnly(*group);
            titleOnly.subControls &= ~SC_GroupBoxFrame;
            QProxyStyle::drawComplexControl(control, &titleOnly, painter, widget);
            return;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QRect VisualStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                  const QWidget* widget) const {
    QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    if (control == CC_GroupBox && (part == SC_GroupBoxLabel || part == SC_GroupBoxCheckBox) &&
        isNoneOr<QGroupBox>(widget)) {
        const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        const bool leftAligned = group != nullptr && !(group->textAlignment & (Qt::AlignHCenter | Qt::AlignRight));
        if (leftAligned) {
            rect.translate(kGroupTitleIndent, 0);
        }
    }
    return rect;
}

QSize VisualStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contentsSize,
                                    const QWidget* widget) const {
    QSize size = QProxyStyle::sizeFromContents(type, option, contentsSize, widget);
    // Room for the title's indent, so a narrow group box still shows its whole title.
    if (type == CT_GroupBox && isNoneOr<QGroupBox>(widget)) {
        size.rwidth() += kGroupTitleIndent;
    }
    return size;
}

int VisualStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    if (metric == PM_DefaultFrameWidth && isMultiLineEdit(widget)) {
        return kMultiLineFrameWidth;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

namespace {

[[nodiscard]] QApplication* guiApplication() {
    return qobject_cast<QApplication*>(QCoreApplication::instance());
}

// Back to the plain look. QApplication::setStyle unpolishes every widget with the styled look, polishes it
// with the plain one, sends each a style change and schedules a repaint of each.
void switchOff() {
    QStyle* current = QApplication::style();
    const bool plainAlready = qobject_cast<VisualStyle*>(current) == nullptr &&
                              current->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
    if (!plainAlready) {
        QApplication::setStyle(QStringLiteral("Fusion"));
    }
}

}  // namespace

bool setVisualStyle(int scheme) {
    // The style covers the widgets of the user-interface thread only; anywhere else nothing changes.
    QApplication* application = guiApplication();
    if (application == nullptr || QThread::currentThread() != application->thread()) {
        return false;
    }
    const std::optional<VisualScheme> wanted = visualSchemeFromNumber(scheme);
    if (!wanted) {
        switchOff();
        return false;
    }
    // Setting the new style unpolishes every widget with the old one first, so this one call switches the
    // old look off and the new one on, with a single repaint. The application takes the style over.
    auto style = std::make_unique<VisualStyle>(*wanted);
    QApplication::setStyle(style.release());
    return currentVisualScheme() == scheme;
}

int currentVisualScheme() {
    if (guiApplication() == nullptr) {
        return 0;
    }
    const auto* style = qobject_cast<const VisualStyle*>(QApplication::style());
    return style == nullptr ? 0 : static_cast<int>(style->scheme());
}

}  // namespace tessvane::app
