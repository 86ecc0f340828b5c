#include "ui/runtime.h"

#include "ui/button.h"
#include "ui/common_dlg.h"
#include "ui/control.h"
#include "ui/fatal_error.h"
#include "ui/label.h"
#include "ui/window.h"

#include <QCoreApplication>
#include <QPointer>

#include <map>
#include <new>
#include <utility>
#include <vector>

namespace tessvane::ui {
namespace {

struct Runtime {
    const WindowTemplate* windowTemplate = nullptr;
    std::map<std::pair<std::uint32_t, int>, EventHandler> bindings;  // (record id, event) → handler
    std::map<ControlKind, ControlFactory> factories;
    std::map<WindowId, QPointer<Window>> windows;
    std::map<std::pair<WindowId, ControlId>, QPointer<Control>> controls;
    bool loopStarted = false;
    std::vector<std::function<void()>> endOfRun;
};

Runtime& runtime() {
    static Runtime instance;
    return instance;
}

Control* makeLabel(const ControlRecord& record, WindowId window, QWidget* parent) {
    return new Label(record, window, parent);  // the parent widget owns it
}
Control* makeButton(const ControlRecord& record, WindowId window, QWidget* parent) {
    return new Button(record, window, parent);
}
Control* makeCommonDlg(const ControlRecord& record, WindowId window, QWidget* parent) {
    return new CommonDlg(record, window, parent);
}

ControlFactory factoryFor(ControlKind kind) {
    switch (kind) {
        case ControlKind::label:
            return &makeLabel;
        case ControlKind::button:
            return &makeButton;
        case ControlKind::commonDlg:
            return &makeCommonDlg;
        default:
            break;
    }
    const auto found = runtime().factories.find(kind);
    return found != runtime().factories.end() ? found->second : nullptr;
}

const ControlRecord* findRecord(std::uint32_t id) {
    if (runtime().windowTemplate == nullptr) {
        return nullptr;
    }
    for (const ControlRecord& record : runtime().windowTemplate->records) {
        if (record.id == id) {
            return &record;
        }
    }
    return nullptr;
}

void windowDestroyed(WindowId window) {
    Runtime& state = runtime();
    state.windows.erase(window);
    std::erase_if(state.controls, [window](const auto& entry) { return entry.first.first == window; });
    if (state.windows.empty() && state.loopStarted) {
        QCoreApplication::exit(0);
    }
}

}  // namespace

void registerControlKind(ControlKind kind, ControlFactory factory) { runtime().factories[kind] = factory; }

bool loadTemplate(const WindowTemplate& windowTemplate, const HandlerTable& handlers) {
    Runtime& state = runtime();
    if (windowTemplate.records.empty() || windowTemplate.records.front().kind != ControlKind::window) {
        return false;
    }
    std::map<std::pair<std::uint32_t, int>, EventHandler> bindings;
    for (const ControlRecord& record : windowTemplate.records) {
        for (const EventBinding& binding : record.events) {
            EventHandler handler = handlers ? handlers(binding.handler) : EventHandler{};
            if (!handler) {
                return false;
            }
            bindings[{record.id, binding.event}] = std::move(handler);
        }
    }
    state.windowTemplate = &windowTemplate;
    state.bindings = std::move(bindings);
    return true;
}

bool loadWindow(WindowId windowId) {
    Runtime& state = runtime();
    const ControlRecord* windowRecord = findRecord(windowId);
    if (windowRecord == nullptr || windowRecord->kind != ControlKind::window || state.windows.contains(windowId)) {
        return false;
    }
    const auto records = state.windowTemplate->records;

    // The window itself, hidden until it is complete.
    auto* window = new Window(*windowRecord, windowId);  // deletes itself when closed
    state.windows[windowId] = window;
    QObject::connect(window, &QObject::destroyed, [windowId] { windowDestroyed(windowId); });
    state.controls[{windowId, windowId}] = window;

    // Every control, from the last record back, first as a child of the window.
    int platformChildId = 100;
    for (std::size_t index = records.size(); index-- > 1;) {
        const ControlRecord& record = records[index];
        const ControlFactory factory = factoryFor(record.kind);
        Control* control = factory != nullptr ? factory(record, windowId, window) : nullptr;
        if (control == nullptr) {
            delete window;
            return false;
        }
        control->hide();
        control->setPlatformChildId(platformChildId);
        platformChildId += 10;
        state.controls[{windowId, record.id}] = control;
    }

    // Then into the parent each record names.
    for (std::size_t index = 1; index < records.size(); ++index) {
        const ControlRecord& record = records[index];
        if (record.parent != 0 && record.parent != windowId) {
            Control* parent = lookUpControl(windowId, record.parent);
            Control* control = lookUpControl(windowId, record.id);
            if (parent == nullptr || control == nullptr) {
                delete window;
                return false;
            }
            control->setParent(parent);
            control->setGeometry(record.left, record.top, record.width, record.height);
        }
    }

    // Sibling order: each control goes directly below the nearest earlier record with the same
    // parent, or on top of its siblings when there is none.
    for (std::size_t index = 1; index < records.size(); ++index) {
        Control* control = lookUpControl(windowId, records[index].id);
        Control* above = nullptr;
        for (std::size_t earlier = index; earlier-- > 1;) {
            if (records[earlier].parent == records[index].parent) {
                above = lookUpControl(windowId, records[earlier].id);
                break;
            }
        }
        if (above != nullptr) {
            control->stackUnder(above);
        } else {
            control->raise();
        }
    }

    for (std::size_t index = 1; index < records.size(); ++index) {
        lookUpControl(windowId, records[index].id)->windowComplete();
    }
    for (std::size_t index = 1; index < records.size(); ++index) {
        Control* control = lookUpControl(windowId, records[index].id);
        control->setAttribute(Qt::WA_ShowWithoutActivating);
        control->setVisible((records[index].flags & control_flag::visible) != 0);
    }

    raiseEvent(*window, kWindowCreated);
    if ((windowRecord->flags & control_flag::visible) != 0) {
        window->show();
    }
    return true;
}

int runMessageLoop() {
    Runtime& state = runtime();
    if (state.windows.empty()) {
        return 0;
    }
    state.loopStarted = true;
    const int code = QCoreApplication::exec();
    state.loopStarted = false;
    return code;
}

Control* lookUpControl(WindowId window, ControlId control) noexcept {
    const auto found = runtime().controls.find({window, control});
    return found != runtime().controls.end() ? found->second.data() : nullptr;
}

Control& findControl(WindowId window, ControlId control) {
    Control* found = lookUpControl(window, control);
    if (found == nullptr) {
        fatalError("a window or control addressed by the program is not loaded");
    }
    return *found;
}

EventResult raiseEvent(const Control& control, int event, const EventArgs& args) {
    const auto found = runtime().bindings.find({control.controlId(), event});
    if (found == runtime().bindings.end()) {
        return EventResult::deliver;
    }
    // Copied, so a handler may reload the template that bound it.
    const EventHandler handler = found->second;
    try {
        return handler(args);
    } catch (const std::bad_alloc&) {
        fatalError("out of memory");
    }
}

void atEndOfRun(std::function<void()> fn) { runtime().endOfRun.push_back(std::move(fn)); }

void endRun() {
    Runtime& state = runtime();
    state.bindings.clear();
    state.windowTemplate = nullptr;
    auto routines = std::move(state.endOfRun);
    state.endOfRun.clear();
    for (auto& routine : routines) {
        routine();
    }
}

}  // namespace tessvane::ui
