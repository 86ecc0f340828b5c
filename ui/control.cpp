#include "ui/control.h"

#include "platform/colours.h"
#include "platform/default_font.h"
#include "ui/property_tables.h"

#include <QString>

namespace tessvane::ui {

Control::Control(const ControlRecord& record, WindowId window, QWidget* parent)
    : QWidget(parent), m_record(record), m_window(window) {
    const auto table = propertyTable(record.kind);
    m_values.resize(common_property::firstKindSpecific + table.size());
    m_values[common_property::tag] = std::string(record.tag);
    m_values[common_property::visible] = (record.flags & control_flag::visible) != 0;
    m_values[common_property::disabled] = (record.flags & control_flag::disabled) != 0;
    m_values[common_property::mousePointer] = std::string(record.mousePointer);
    for (const PropertySpec& property : table) {
        m_values[static_cast<std::size_t>(property.number)] = materialise(property.defaultValue);
    }
    for (const StoredProperty& stored : record.properties) {
        const PropertySpec* known = findProperty(record.kind, stored.number);
        if (known != nullptr && stored.number >= common_property::firstKindSpecific) {
            m_values[static_cast<std::size_t>(stored.number)] = materialise(stored.value);
        }
    }
    setGeometry(record.left, record.top, record.width, record.height);
    setEnabled((record.flags & control_flag::disabled) == 0);
    setFont(platform::defaultGuiFont());
}

PropertyValue Control::controlProperty(int number) const {
    switch (number) {
        case common_property::left:
            return static_cast<std::int32_t>(isWindow() ? frameGeometry().x() : x());
        case common_property::top:
            return static_cast<std::int32_t>(isWindow() ? frameGeometry().y() : y());
        case common_property::width:
            return static_cast<std::int32_t>(isWindow() ? frameGeometry().width() : width());
        case common_property::height:
            return static_cast<std::int32_t>(isWindow() ? frameGeometry().height() : height());
        default:
            break;
    }
    if (number < 0 || static_cast<std::size_t>(number) >= m_values.size()) {
        return std::string();
    }
    return m_values[static_cast<std::size_t>(number)];
}

bool Control::setControlProperty(int number, PropertyValue value) {
    if (number < 0 || static_cast<std::size_t>(number) >= m_values.size()) {
        return false;
    }
    PropertyValue& slot = m_values[static_cast<std::size_t>(number)];
    if (typeOf(slot) != typeOf(value)) {
        if (typeOf(slot) == PropertyType::colour && typeOf(value) == PropertyType::integer) {
            value = static_cast<Colour>(std::get<std::int32_t>(value));
        } else if (typeOf(slot) == PropertyType::integer && typeOf(value) == PropertyType::colour) {
            value = static_cast<std::int32_t>(std::get<Colour>(value));
        } else {
            return false;
        }
    }
    switch (number) {
        case common_property::left:
            move(std::get<std::int32_t>(value), y());
            return true;
        case common_property::top:
            move(x(), std::get<std::int32_t>(value));
            return true;
        case common_property::width:
            resize(std::get<std::int32_t>(value), height());
            return true;
        case common_property::height:
            resize(width(), std::get<std::int32_t>(value));
            return true;
        default:
            break;
    }
    slot = std::move(value);
    if (number == common_property::visible) {
        setVisible(std::get<bool>(slot));
    } else if (number == common_property::disabled) {
        setEnabled(!std::get<bool>(slot));
    }
    propertyChanged(number);
    return true;
}

void Control::propertyChanged(int) { update(); }

std::int32_t Control::integerProperty(int number) const {
    const auto* value = std::get_if<std::int32_t>(&m_values.at(static_cast<std::size_t>(number)));
    return value != nullptr ? *value : 0;
}

Colour Control::colourProperty(int number) const {
    const auto* value = std::get_if<Colour>(&m_values.at(static_cast<std::size_t>(number)));
    return value != nullptr ? *value : 0;
}

bool Control::booleanProperty(int number) const {
    const auto* value = std::get_if<bool>(&m_values.at(static_cast<std::size_t>(number)));
    return value != nullptr && *value;
}

const std::string& Control::textProperty(int number) const {
    static const std::string kEmpty;
    const auto* value = std::get_if<std::string>(&m_values.at(static_cast<std::size_t>(number)));
    return value != nullptr ? *value : kEmpty;
}

const ByteBuffer& Control::bytesProperty(int number) const {
    static const ByteBuffer kEmpty;
    const auto* value = std::get_if<ByteBuffer>(&m_values.at(static_cast<std::size_t>(number)));
    return value != nullptr ? *value : kEmpty;
}

QColor Control::resolvedColour(int number) const { return platform::resolveColour(colourProperty(number)); }

QFont Control::fontProperty(int number) const {
    const std::string& name = textProperty(number);
    QFont font = platform::defaultGuiFont();
    if (!name.empty()) {
        font.setFamily(QString::fromStdString(name));
    }
    return font;
}

}  // namespace tessvane::ui
