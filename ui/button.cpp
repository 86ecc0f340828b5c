#include "ui/button.h"

#include "ui/label_text.h"
#include "ui/property_tables.h"
#include "ui/runtime.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace tessvane::ui {

namespace property = button_property;

Button::Button(const ControlRecord& record, WindowId window, QWidget* parent) : Control(record, window, parent) {
    // The style recognises the button by this property, since it is not one of the toolkit's own.
    QObject::setProperty("tessvaneKind", QStringLiteral("pushButton"));
    setAttribute(Qt::WA_Hover);
    setFocusPolicy((record.flags & control_flag::tabStop) != 0 ? Qt::StrongFocus : Qt::NoFocus);
}

void Button::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.features = QStyleOptionButton::None;
    if (m_down) {
        option.state |= QStyle::State_Sunken;
    } else {
        option.state |= QStyle::State_Raised;
    }
    if (underMouse() && isEnabled()) {
        option.state |= QStyle::State_MouseOver;
    }
    // The label is drawn below with the button's own alignment, so the style draws the bevel only.
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);

    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const int alignment = integerProperty(property::alignment);
    const int verticalAlignment = integerProperty(property::verticalAlignment);
    const int horizontalFlag = alignment == 1 ? Qt::AlignHCenter : alignment == 2 ? Qt::AlignRight : Qt::AlignLeft;
    const int verticalFlag = verticalAlignment == 0   ? Qt::AlignTop
                             : verticalAlignment == 2 ? Qt::AlignBottom
                                                      : Qt::AlignVCenter;
    // A multi-line button: long texts wrap and "\r\n" breaks the line.
    painter.setFont(fontProperty(property::font));
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(m_down ? contents.translated(1, 1) : contents, horizontalFlag | verticalFlag | Qt::TextWordWrap,
                     displayText(textProperty(property::text)));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void Button::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_pressedByMouse = true;
    if (focusPolicy() != Qt::NoFocus) {
        setFocus(Qt::MouseFocusReason);
    }
    setDown(true);
}

void Button::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressedByMouse) {
        setDown(rect().contains(event->position().toPoint()));
    }
}

void Button::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressedByMouse) {
        event->ignore();
        return;
    }
    m_pressedByMouse = false;
    const bool inside = rect().contains(event->position().toPoint());
    setDown(false);
    if (inside) {
        click();
    }
}

void Button::keyPressEvent(QKeyEvent* event) {
    // Only the space bar presses a button; Enter has no special meaning in this window.
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        setDown(true);
        return;
    }
    event->ignore();
}

void Button::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && m_down) {
        setDown(false);
        click();
        return;
    }
    event->ignore();
}

void Button::focusOutEvent(QFocusEvent* event) {
    if (!m_pressedByMouse) {
        setDown(false);
    }
    Control::focusOutEvent(event);
}

void Button::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_pressedByMouse = false;
        setDown(false);
    }
    Control::changeEvent(event);
}

void Button::setDown(bool down) {
    if (m_down != down) {
        m_down = down;
        update();
    }
}

void Button::click() {
    raiseEvent(*this, kButtonClicked);
}

}  // namespace tessvane::ui
