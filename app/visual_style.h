#pragma once

#include <QColor>
#include <QProxyStyle>

#include <optional>

namespace tessvane::app {

// The three colour schemes of the styled look, numbered as the shell numbers them.
enum class VisualScheme { blue = 1, olive = 2, silver = 3 };

// The scheme a number stands for, or none for a number outside 1 to 3.
[[nodiscard]] std::optional<VisualScheme> visualSchemeFromNumber(int number);

// The colour of the one-pixel frame around the controls of a scheme.
[[nodiscard]] QColor schemeFrameColour(VisualScheme scheme);

// The frame colour of a disabled control: the face colour less 0x20 in each of red, green and blue.
[[nodiscard]] QColor disabledFrameColour();

// The styled look of the whole application: gradient faces, one-pixel rounded frames in the scheme's
// colour and a highlight under the mouse, for push buttons, check boxes, radio buttons, group boxes,
// single and multi-line edit fields, combo boxes with their drop-down lists and spin boxes. Every other
// control (scroll bars, item views, tool buttons, ...) keeps the plain Fusion look it is built on, and so
// does the application palette, so the face colour is the same with the style on or off.
class VisualStyle : public QProxyStyle {
    Q_OBJECT

public:
    explicit VisualStyle(VisualScheme scheme);

    [[nodiscard]] VisualScheme scheme() const { return m_scheme; }

    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    [[nodiscard]] QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                       const QWidget* widget = nullptr) const override;
    [[nodiscard]] QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contentsSize,
                                         const QWidget* widget = nullptr) const override;
    [[nodiscard]] int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                                  const QWidget* widget = nullptr) const override;

private:
    VisualScheme m_scheme;
    QColor m_frame;
};

// Switches the styled look off, and for a scheme of 1, 2 or 3 on again with that scheme, for every
// present and future widget of the application. Returns true when the styled look is on afterwards.
[[nodiscard]] bool setVisualStyle(int scheme);

// The scheme of the styled look now in place, 0 when it is off.
[[nodiscard]] int currentVisualScheme();

}  // namespace tessvane::app
