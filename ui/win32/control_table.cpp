#include "ui/win32/control_table.h"

#include "engine/walk/pattern.h"

namespace zorvitan {
namespace {

using K = ControlKind;

// The patterns frame stands below the site folder frame on screen but comes
// after the map file frame here: creation order is what gives the tab order
// inside the options frame.
constexpr ControlSpec kControls[] = {
    {kOptionsFrame, "options_frame", K::kFrame, kNoControl, "Opcje", 120, 120, 6615, 1935},
    {kSiteFolderFrame, "site_folder_frame", K::kFrame, kOptionsFrame, "Podaj katalog ze stroną",
     120, 240, 3015, 615},
    {kSiteFolderEdit, "site_folder_edit", K::kTextBox, kSiteFolderFrame, "", 120, 240, 2295, 285},
    {kSiteFolderButton, "site_folder_button", K::kCommandButton, kSiteFolderFrame, "...", 2520, 240,
     375, 255},
    {kMapFileFrame, "map_file_frame", K::kFrame, kOptionsFrame,
     "Gdzie zapisać plik z mapą serwisu?", 3480, 240, 3015, 615},
    {kMapFileEdit, "map_file_edit", K::kTextBox, kMapFileFrame, "", 120, 240, 2295, 285},
    {kMapFileButton, "map_file_button", K::kCommandButton, kMapFileFrame, "...", 2520, 240, 375,
     255},
    {kPatternsFrame, "patterns_frame", K::kFrame, kOptionsFrame, "Obrabiaj następujące pliki:", 120,
     1080, 3015, 615},
    {kPatternsEdit, "patterns_edit", K::kTextBox, kPatternsFrame, kDefaultPatterns, 120, 240, 2775,
     285},
    {kIndexingFrame, "indexing_frame", K::kFrame, kOptionsFrame, "Typ indeksowania", 3480, 1080,
     3015, 615},
    {kSkipUntitledCheck, "skip_untitled_check", K::kCheckBox, kIndexingFrame,
     "Nie dodawaj stron bez tytułu", 120, 240, 2655, 255},
    {kGenerateButton, "generate_button", K::kCommandButton, kNoControl, "Generuj mapę serwisu", 120,
     2280, 2055, 375},
    {kWebButton, "web_button", K::kCommandButton, kNoControl, "WWW", 2400, 2280, 2055, 375},
    {kExitButton, "exit_button", K::kCommandButton, kNoControl, "Koniec", 4680, 2280, 2055, 375},
};

}  // namespace

const ControlSpec* ControlTable() { return kControls; }

std::size_t ControlCount() { return sizeof(kControls) / sizeof(kControls[0]); }

const ControlSpec* FindControl(ControlId id) {
  for (const ControlSpec& spec : kControls) {
    if (spec.id == id) return &spec;
  }
  return nullptr;
}

}  // namespace zorvitan
