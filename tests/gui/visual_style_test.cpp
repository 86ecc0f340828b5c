// The application-wide visual style: the scheme colours on the frames of every covered control, the states
// a face shows, the plain Fusion look for everything else and after switching off, the widgets created
// later (dialogs included), the unchanged palette, and the hover bookkeeping of polish and unpolish.

#include "app/visual_style.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>
#include <memory>
#include <thread>

using tessvane::app::currentVisualScheme;
using tessvane::app::setVisualStyle;
using tessvane::app::VisualStyle;

namespace {

const QColor kBlue(123, 158, 189);
const QColor kOlive(164, 185, 127);
const QColor kSilver(198, 197, 215);

// A stand-in for the program's own button control: a plain widget that says it is a push button through a
// property and paints itself through the style.
class OwnButton : public QWidget {
public:
    explicit OwnButton(bool asPushButton) {
        if (asPushButton) {
            setProperty("tessvaneKind", QStringLiteral("pushButton"));
        }
        resize(80, 24);
    }

    [[nodiscard]] QImage render(QStyle::State extra) const {
        QStyleOptionButton option;
        option.initFrom(this);
        option.state |= extra;
        option.text = QStringLiteral("Merge");
        return paintInto(size(), [&](QPainter& painter) {
            style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
        });
    }

    static QImage paintInto(QSize size, const std::function<void(QPainter&)>& paint) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(QApplication::palette().window().color());
        QPainter painter(&image);
        paint(painter);
        return image;
    }

protected:
    void paintEvent(QPaintEvent*) override {}
};

[[nodiscard]] QImage grabOf(QWidget& widget) { return widget.grab().toImage(); }

[[nodiscard]] QColor pixelAt(const QImage& image, QPoint point) { return QColor(image.pixel(point)); }

[[nodiscard]] QString describe(const QColor& colour) {
    return QStringLiteral("(%1,%2,%3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

// The mean grey level inside the frame, so a lighter or darker face shows whatever its gradient.
[[nodiscard]] double meanFaceGrey(const QImage& image) {
    double sum = 0.0;
    int count = 0;
    for (int y = 2; y < image.height() - 2; ++y) {
        for (int x = 2; x < image.width() - 2; ++x) {
            sum += qGray(image.pixel(x, y));
            ++count;
        }
    }
    return count == 0 ? 0.0 : sum / count;
}

[[nodiscard]] QColor expectedDisabledFrame() {
    const QColor face = QApplication::palette().button().color();
    return QColor(face.red() - 0x20, face.green() - 0x20, face.blue() - 0x20);
}

// A covered control and a point on its one-pixel frame.
struct FramedControl {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
    std::function<QPoint(QWidget&)> framePoint;
};

[[nodiscard]] QPoint topMiddle(QWidget& widget) { return QPoint(widget.width() / 2, 0); }

[[nodiscard]] std::vector<FramedControl> framedControls() {
    return {
        {"push button", [] { return std::make_unique<QPushButton>(QStringLiteral("OK")); }, topMiddle},
        {"line edit", [] { return std::make_unique<QLineEdit>(QStringLiteral("text")); }, topMiddle},
        {"plain text edit", [] { return std::make_unique<QPlainTextEdit>(QStringLiteral("a\nb")); }, topMiddle},
        {"rich text edit", [] { return std::make_unique<QTextEdit>(QStringLiteral("a")); }, topMiddle},
        {"combo box",
         [] {
             auto combo = std::make_unique<QComboBox>();
             combo->addItem(QStringLiteral("one"));
             return combo;
         },
         topMiddle},
        {"editable combo box",
         [] {
             auto combo = std::make_unique<QComboBox>();
             combo->setEditable(true);
             return combo;
         },
         topMiddle},
        {"spin box", [] { return std::make_unique<QSpinBox>(); }, topMiddle},
        {"group box", [] { return std::make_unique<QGroupBox>(QStringLiteral("Group")); },
         [](QWidget& widget) { return QPoint(widget.width() / 2, widget.height() - 1); }},
        {"check box", [] { return std::make_unique<QCheckBox>(QStringLiteral("Check")); },
         [](QWidget& widget) {
             QStyleOptionButton option;
             option.initFrom(&widget);
             const QRect indicator = widget.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &widget);
             return QPoint(indicator.center().x(), indicator.top());
         }},
    };
}

// A control that keeps the plain look, made afresh under each style.
struct PlainControl {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
};

[[nodiscard]] std::vector<PlainControl> plainControls() {
    return {
        {"tool button",
         [] {
             auto button = std::make_unique<QToolButton>();
             button->setText(QStringLiteral("Tool"));
             return button;
         }},
        {"checked tool button",
         [] {
             auto button = std::make_unique<QToolButton>();
             button->setText(QStringLiteral("Tool"));
             button->setCheckable(true);
             button->setChecked(true);
             return button;
         }},
        {"scroll bar", [] { return std::make_unique<QScrollBar>(Qt::Vertical); }},
        // Item views draw their check boxes through the same primitive as a check box.
        {"list with a check box",
         [] {
             auto list = std::make_unique<QListWidget>();
             auto* item = new QListWidgetItem(QStringLiteral("entry"), list.get());
             item->setCheckState(Qt::Checked);
             return list;
         }},
    };
}

}  // namespace

class VisualStyleTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QApplication::setStyle(QStringLiteral("Fusion")); }
    void cleanup() { QApplication::setStyle(QStringLiteral("Fusion")); }

    void schemeColoursTheFrames_data();
    void schemeColoursTheFrames();
    void disabledFrameIsFaceLessTwenty();
    void faceShowsHoverAndPress();
    void indicatorsShowTheirState();
    void ownButtonIsPaintedAsPushButton();
    void comboDropDownIsFramed();
    void laterWidgetsAndDialogsGetTheStyle();
    void otherControlsKeepThePlainLook();
    void outOfRangeSchemeSwitchesOff_data();
    void outOfRangeSchemeSwitchesOff();
    void paletteIsTheSameOnAndOff();
    void switchingRepaintsShownWidgets();
    void hoverIsSwitchedOnAndTakenBack();
    void otherThreadChangesNothing();
};

void VisualStyleTest::schemeColoursTheFrames_data() {
    QTest::addColumn<int>("scheme");
    QTest::addColumn<QColor>("frame");
    QTest::newRow("1 blue") << 1 << kBlue;
    QTest::newRow("2 olive") << 2 << kOlive;
    QTest::newRow("3 silver") << 3 << kSilver;
}

void VisualStyleTest::schemeColoursTheFrames() {
    QFETCH(int, scheme);
    QFETCH(QColor, frame);
    // A widget made before the switch is repolished; the others are made under the style.
    QPushButton earlier(QStringLiteral("Earlier"));
    earlier.resize(80, 24);
    (void)setVisualStyle(scheme == 1 ? 2 : 1);

    QVERIFY(setVisualStyle(scheme));
    QCOMPARE(currentVisualScheme(), scheme);
    QCOMPARE(pixelAt(grabOf(earlier), topMiddle(earlier)), frame);
    for (const FramedControl& control : framedControls()) {
        std::unique_ptr<QWidget> widget = control.make();
        widget->resize(120, 60);
        const QPoint point = control.framePoint(*widget);
        const QColor seen = pixelAt(grabOf(*widget), point);
        QVERIFY2(seen == frame, qPrintable(QStringLiteral("%1 at (%2,%3) is %4")
                                               .arg(QLatin1String(control.name))
                                               .arg(point.x())
                                               .arg(point.y())
                                               .arg(describe(seen))));
    }
}

void VisualStyleTest::disabledFrameIsFaceLessTwenty() {
    QVERIFY(setVisualStyle(1));
    const QColor expected = expectedDisabledFrame();
    QCOMPARE(tessvane::app::disabledFrameColour(), expected);
    for (const FramedControl& control : framedControls()) {
        std::unique_ptr<QWidget> widget = control.make();
        widget->resize(120, 60);
        widget->setEnabled(false);
        const QColor seen = pixelAt(grabOf(*widget), control.framePoint(*widget));
        QVERIFY2(seen == expected,
                 qPrintable(QStringLiteral("%1 disabled is %2").arg(QLatin1String(control.name), describe(seen))));
    }
}

void VisualStyleTest::faceShowsHoverAndPress() {
    QVERIFY(setVisualStyle(1));
    QPushButton button(QStringLiteral("OK"));
    button.resize(80, 24);
    const auto render = [&](QStyle::State extra) {
        QStyleOptionButton option;
        option.initFrom(&button);
        option.state |= extra;
        option.text = button.text();
        return OwnButton::paintInto(button.size(), [&](QPainter& painter) {
            button.style()->drawControl(QStyle::CE_PushButton, &option, &painter, &button);
        });
    };
    const QImage normal = render(QStyle::State_Raised);
    const QImage hovered = render(QStyle::State_Raised | QStyle::State_MouseOver);
    const QImage pressed = render(QStyle::State_Sunken);
    QVERIFY(normal != hovered);
    QVERIFY(normal != pressed);
    QVERIFY(hovered != pressed);
    // The face changes; the frame keeps the scheme colour in every state.
    for (const QImage& image : {normal, hovered, pressed}) {
        QCOMPARE(pixelAt(image, topMiddle(button)), kBlue);
    }
    // Under the mouse the face is lighter, while pressed darker.
    QVERIFY(meanFaceGrey(hovered) > meanFaceGrey(normal));
    QVERIFY(meanFaceGrey(pressed) < meanFaceGrey(normal));
    // A checked push button, like a pressed one, shows the darker face.
    button.setCheckable(true);
    button.setChecked(true);
    QVERIFY(meanFaceGrey(grabOf(button)) < meanFaceGrey(normal));
}

void VisualStyleTest::indicatorsShowTheirState() {
    QVERIFY(setVisualStyle(1));
    QCheckBox box;
    const QRect area(0, 0, 14, 14);
    const auto render = [&](QStyle::PrimitiveElement element, QStyle::State state) {
        QStyleOptionButton option;
        option.initFrom(&box);
        option.rect = area;
        option.state = state | QStyle::State_Enabled;
        return OwnButton::paintInto(area.size(), [&](QPainter& painter) {
            box.style()->drawPrimitive(element, &option, &painter, &box);
        });
    };
    const std::vector<std::pair<const char*, QImage>> checks = {
        {"off", render(QStyle::PE_IndicatorCheckBox, QStyle::State_Off)},
        {"on", render(QStyle::PE_IndicatorCheckBox, QStyle::State_On)},
        {"third state", render(QStyle::PE_IndicatorCheckBox, QStyle::State_NoChange)},
        {"off under the mouse", render(QStyle::PE_IndicatorCheckBox, QStyle::State_Off | QStyle::State_MouseOver)},
        {"off pressed", render(QStyle::PE_IndicatorCheckBox, QStyle::State_Off | QStyle::State_Sunken)},
    };
    for (std::size_t i = 0; i < checks.size(); ++i) {
        QCOMPARE(pixelAt(checks[i].second, QPoint(7, 0)), kBlue);
        for (std::size_t j = i + 1; j < checks.size(); ++j) {
            QVERIFY2(checks[i].second != checks[j].second,
                     qPrintable(QStringLiteral("%1 looks like %2").arg(QLatin1String(checks[i].first),
                                                                       QLatin1String(checks[j].first))));
        }
    }
    QRadioButton radio;
    QVERIFY(render(QStyle::PE_IndicatorRadioButton, QStyle::State_On) !=
            render(QStyle::PE_IndicatorRadioButton, QStyle::State_Off));
    // The third state of a real three-state box reaches the painting.
    QCheckBox threeState(QStringLiteral("Three"));
    threeState.setTristate(true);
    threeState.resize(100, 24);
    const QImage unchecked = grabOf(threeState);
    threeState.setCheckState(Qt::PartiallyChecked);
    const QImage partial = grabOf(threeState);
    threeState.setCheckState(Qt::Checked);
    const QImage checked = grabOf(threeState);
    QVERIFY(partial != unchecked);
    QVERIFY(partial != checked);
}

void VisualStyleTest::ownButtonIsPaintedAsPushButton() {
    OwnButton plainWidget(false);
    const QImage plainBefore = plainWidget.render(QStyle::State_Raised);
    QVERIFY(setVisualStyle(1));

    OwnButton own(true);
    const QImage normal = own.render(QStyle::State_Raised);
    const QImage hovered = own.render(QStyle::State_Raised | QStyle::State_MouseOver);
    QCOMPARE(pixelAt(normal, QPoint(40, 0)), kBlue);
    QCOMPARE(pixelAt(hovered, QPoint(40, 0)), kBlue);
    QVERIFY(normal != hovered);
    // The bevel alone, as the button control paints it, is styled the same way.
    QStyleOptionButton option;
    option.initFrom(&own);
    const QImage bevel = OwnButton::paintInto(own.size(), [&](QPainter& painter) {
        own.style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, &own);
    });
    QCOMPARE(pixelAt(bevel, QPoint(40, 0)), kBlue);
    // A widget that does not say it is a push button keeps the plain look.
    OwnButton other(false);
    QCOMPARE(other.render(QStyle::State_Raised), plainBefore);
}

void VisualStyleTest::comboDropDownIsFramed() {
    QVERIFY(setVisualStyle(2));
    for (const bool editable : {false, true}) {
        QWidget window;
        auto* combo = new QComboBox(&window);
        combo->setEditable(editable);
        combo->addItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
        window.resize(200, 60);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        combo->showPopup();
        QWidget* dropDown = combo->view()->window();
        QTRY_VERIFY(dropDown->isVisible());
        const QImage image = grabOf(*dropDown);
        QCOMPARE(pixelAt(image, QPoint(image.width() / 2, 0)), kOlive);
        QCOMPARE(pixelAt(image, QPoint(0, image.height() / 2)), kOlive);
        combo->hidePopup();
    }
}

void VisualStyleTest::laterWidgetsAndDialogsGetTheStyle() {
    QVERIFY(setVisualStyle(1));
    QPushButton later(QStringLiteral("Later"));
    QVERIFY(qobject_cast<VisualStyle*>(later.style()) != nullptr);

    QFileDialog fileDialog(nullptr, QStringLiteral("Open"), QDir::tempPath());
    fileDialog.setOption(QFileDialog::DontUseNativeDialog);
    fileDialog.resize(600, 400);
    fileDialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fileDialog));
    QVERIFY(qobject_cast<VisualStyle*>(fileDialog.style()) != nullptr);

    QMessageBox messageBox(QMessageBox::Information, QStringLiteral("Done"), QStringLiteral("Saved"),
                           QMessageBox::Ok);
    messageBox.show();
    QVERIFY(QTest::qWaitForWindowExposed(&messageBox));

    for (QWidget* dialog : {static_cast<QWidget*>(&fileDialog), static_cast<QWidget*>(&messageBox)}) {
        const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
        QVERIFY(!buttons.isEmpty());
        int styledButtons = 0;
        for (QPushButton* button : buttons) {
            QVERIFY(qobject_cast<VisualStyle*>(button->style()) != nullptr);
            if (button->isVisible() && button->isEnabled()) {
                QCOMPARE(pixelAt(grabOf(*button), topMiddle(*button)), kBlue);
                ++styledButtons;
            }
        }
        QVERIFY(styledButtons > 0);
    }
    // The file name field of the file dialog is an edit field of the styled look.
    QLineEdit* fileName = fileDialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(fileName != nullptr);
    QCOMPARE(pixelAt(grabOf(*fileName), topMiddle(*fileName)), kBlue);
}

void VisualStyleTest::otherControlsKeepThePlainLook() {
    const auto grabFresh = [](const PlainControl& control) {
        std::unique_ptr<QWidget> widget = control.make();
        widget->resize(60, 80);
        return grabOf(*widget);
    };
    std::vector<QImage> plain;
    for (const PlainControl& control : plainControls()) {
        plain.push_back(grabFresh(control));
    }
    QVERIFY(setVisualStyle(1));
    for (std::size_t i = 0; i < plainControls().size(); ++i) {
        const PlainControl& control = plainControls()[i];
        QVERIFY2(grabFresh(control) == plain[i], control.name);
    }
}

void VisualStyleTest::outOfRangeSchemeSwitchesOff_data() {
    QTest::addColumn<int>("scheme");
    QTest::newRow("0") << 0;
    QTest::newRow("4") << 4;
    QTest::newRow("-1") << -1;
    QTest::newRow("20") << 20;
}

void VisualStyleTest::outOfRangeSchemeSwitchesOff() {
    QFETCH(int, scheme);
    QPushButton button(QStringLiteral("OK"));
    button.resize(80, 24);
    const QImage plain = grabOf(button);
    QVERIFY(setVisualStyle(1));
    QVERIFY(grabOf(button) != plain);

    QVERIFY(!setVisualStyle(scheme));
    QCOMPARE(currentVisualScheme(), 0);
    QVERIFY(qobject_cast<VisualStyle*>(QApplication::style()) == nullptr);
    QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
    QCOMPARE(grabOf(button), plain);
    // Switching off what is already off changes nothing and still reports off.
    QVERIFY(!setVisualStyle(scheme));
    QCOMPARE(grabOf(button), plain);
}

void VisualStyleTest::paletteIsTheSameOnAndOff() {
    const QPalette plain = QApplication::palette();
    for (const int scheme : {1, 2, 3}) {
        QVERIFY(setVisualStyle(scheme));
        QCOMPARE(QApplication::palette().button().color(), plain.button().color());
        QVERIFY(QApplication::palette() == plain);
    }
    QVERIFY(!setVisualStyle(0));
    QVERIFY(QApplication::palette() == plain);
}

void VisualStyleTest::switchingRepaintsShownWidgets() {
    class PaintCounter : public QObject {
    public:
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    };
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* button = new QPushButton(QStringLiteral("OK"));
    auto* edit = new QLineEdit;
    layout->addWidget(button);
    layout->addWidget(edit);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PaintCounter counter;
    button->installEventFilter(&counter);
    edit->installEventFilter(&counter);

    for (const int scheme : {1, 3, 0}) {
        counter.paints = 0;
        (void)setVisualStyle(scheme);
        QTRY_VERIFY(counter.paints >= 2);
        QCOMPARE(button->style(), QApplication::style());
    }
}

void VisualStyleTest::hoverIsSwitchedOnAndTakenBack() {
    QLineEdit edit;
    QGroupBox group;
    OwnButton own(true);
    OwnButton ownWithHover(true);
    ownWithHover.setAttribute(Qt::WA_Hover);
    QToolButton tool;
    for (QWidget* widget : std::initializer_list<QWidget*>{&edit, &group, &own, &ownWithHover, &tool}) {
        widget->ensurePolished();
    }
    const bool toolHoverWhenPlain = tool.testAttribute(Qt::WA_Hover);
    QVERIFY(!edit.testAttribute(Qt::WA_Hover));
    QVERIFY(!own.testAttribute(Qt::WA_Hover));

    QVERIFY(setVisualStyle(1));
    QVERIFY(edit.testAttribute(Qt::WA_Hover));
    QVERIFY(group.testAttribute(Qt::WA_Hover));
    QVERIFY(own.testAttribute(Qt::WA_Hover));
    QCOMPARE(tool.testAttribute(Qt::WA_Hover), toolHoverWhenPlain);
    // Another scheme unpolishes and polishes again; the attribute stays on.
    QVERIFY(setVisualStyle(2));
    QVERIFY(edit.testAttribute(Qt::WA_Hover));

    QVERIFY(!setVisualStyle(0));
    QVERIFY(!edit.testAttribute(Qt::WA_Hover));
    QVERIFY(!group.testAttribute(Qt::WA_Hover));
    QVERIFY(!own.testAttribute(Qt::WA_Hover));
    // A widget that asked for hover events itself keeps them.
    QVERIFY(ownWithHover.testAttribute(Qt::WA_Hover));
}

void VisualStyleTest::otherThreadChangesNothing() {
    QVERIFY(setVisualStyle(2));
    bool result = true;
    std::thread([&result] { result = setVisualStyle(0); }).join();
    QVERIFY(!result);
    QCOMPARE(currentVisualScheme(), 2);
}

QTEST_MAIN(VisualStyleTest)
#include "visual_style_test.moc"
