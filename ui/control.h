#pragma once

#include "ui/control_ids.h"
#include "ui/property_value.h"
#include "ui/window_template.h"

#include <QColor>
#include <QFont>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace tessvane::ui {

// A live control: the widget of one template record, with the values of its numbered
// properties. Each kind derives from it and paints itself from those values.
class Control : public QWidget {
    Q_OBJECT

public:
    Control(const ControlRecord& record, WindowId window, QWidget* parent);

    [[nodiscard]] const ControlRecord& record() const noexcept { return m_record; }
    [[nodiscard]] ControlId controlId() const noexcept { return m_record.id; }
    [[nodiscard]] WindowId windowId() const noexcept { return m_window; }
    [[nodiscard]] ControlKind kind() const noexcept { return m_record.kind; }

    // The platform's child identifier: 100, 110, … in creation order.
    [[nodiscard]] int platformChildId() const noexcept { return m_platformChildId; }
    void setPlatformChildId(int id) noexcept { m_platformChildId = id; }

    // A copy of a property's value; the geometry properties come from the widget as it is now
    // (a window's from its outer frame). An empty text for a number the kind does not have.
    [[nodiscard]] PropertyValue controlProperty(int number) const;

    // Stores a copy and lets the control react. A value of another type than the property's is
    // refused (false); an integer given for a colour, or a colour for an integer, is converted.
    bool setControlProperty(int number, PropertyValue value);

    // Called once the whole window has been built, before controls are shown.
    virtual void windowComplete() {}

protected:
    // Reacts to a changed property; the default repaints.
    virtual void propertyChanged(int number);

    [[nodiscard]] std::int32_t integerProperty(int number) const;
    [[nodiscard]] Colour colourProperty(int number) const;
    [[nodiscard]] bool booleanProperty(int number) const;
    [[nodiscard]] const std::string& textProperty(int number) const;
    [[nodiscard]] const ByteBuffer& bytesProperty(int number) const;

    // A colour property resolved to a colour (0xFF000000: the face colour, looked up now).
    [[nodiscard]] QColor resolvedColour(int number) const;

    // The font a font property names; empty: the system's default GUI font.
    [[nodiscard]] QFont fontProperty(int number) const;

private:
    const ControlRecord& m_record;
    WindowId m_window;
    int m_platformChildId = 0;
    std::vector<PropertyValue> m_values;  // indexed by property number
};

}  // namespace tessvane::ui
