#include "app/handler_table.h"

#include "app/apply_visual_style.h"
#include "canvas/merge_pictures.h"
#include "export/export_picture.h"
#include "picture/load_picture_handlers.h"

namespace tessvane::app {
namespace {

// The handlers take no arguments and return nothing: the control handles the input as usual.
ui::EventHandler plain(void (*routine)()) {
    return [routine](const ui::EventArgs&) {
        routine();
        return ui::EventResult::deliver;
    };
}

}  // namespace

ui::EventHandler programHandler(ui::HandlerName name) {
    switch (name) {
        case ui::HandlerName::applyVisualStyle:
            return plain(&applyVisualStyle);
        case ui::HandlerName::mergePictures:
            return plain(&canvas::mergePictures);
        case ui::HandlerName::exportPicture:
            return plain(&exporter::exportPicture);
        case ui::HandlerName::loadLargePicture:
            return plain(&picture::loadLargePicture);
        case ui::HandlerName::loadSmallPicture:
            return plain(&picture::loadSmallPicture);
    }
    return {};
}

}  // namespace tessvane::app
