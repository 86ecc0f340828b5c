#pragma once

#include <QObject>

namespace tessvane::app {

// The look at every message before it is delivered: mouse input on a control of the
// program's windows becomes that control's common event, and a bound handler may drop it.
class EventDispatch : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tessvane::app
