#include "picture/load_picture_handlers.h"

#include "picture/read_whole_file.h"
#include "ui/control_ids.h"
#include "ui/property_tables.h"
#include "ui/shell.h"

#include <string>
#include <utility>
#include <variant>

namespace tessvane::picture {
namespace {

// Both handlers share the one dialog component, so the name confirmed last, for either box, is
// the name read when the dialog is cancelled.
void loadPictureInto(ui::ControlId box) {
    // The dialog's own answer is not looked at: a cancelled dialog leaves the name it had.
    ui::openDialog(ui::kMainWindow, ui::kFileDialog);

    ByteBuffer bytes;
    {
        const ui::PropertyValue name =
            ui::getProperty(ui::kMainWindow, ui::kFileDialog, ui::commondlg_property::fileName);
        const auto* text = std::get_if<std::string>(&name);
        bytes = readWholeFile(text != nullptr ? std::string_view(*text) : std::string_view());
    }  // the name is released here, before the box gets the bytes

    // An empty buffer too: a failed read leaves the box without a picture.
    ui::setProperty(ui::kMainWindow, box, ui::picbox_property::picture, std::move(bytes));
}

}  // namespace

void loadLargePicture() { loadPictureInto(ui::kLargePictureBox); }

void loadSmallPicture() { loadPictureInto(ui::kSmallPictureBox); }

}  // namespace tessvane::picture
