#include "ui/win32/control_table.h"

namespace zorvitan {
namespace {

using K = ControlKind;

// Frame4 stands below Frame3 on screen but comes after Frame2 here: creation
// order is what gives the tab order inside Frame5.
constexpr ControlSpec kControls[] = {
    {kFrame5, "Frame5", K::kFrame, kNoControl, "Opcje", 120, 120, 6615, 1935},
    {kFrame3, "Frame3", K::kFrame, kFrame5, "Podaj katalog ze stroną", 120, 240, 3015, 615},
    {kText1, "Text1", K::kTextBox, kFrame3, "", 120, 240, 2295, 285},
    {kCommand3, "Command3", K::kCommandButton, kFrame3, "...", 2520, 240, 375, 255},
    {kFrame2, "Frame2", K::kFrame, kFrame5, "Gdzie zapisać plik z mapą serwisu?", 3480, 240, 3015,
     615},
    {kText2, "Text2", K::kTextBox, kFrame2, "", 120, 240, 2295, 285},
    {kCommand2, "Command2", K::kCommandButton, kFrame2, "...", 2520, 240, 375, 255},
    {kFrame4, "Frame4", K::kFrame, kFrame5, "Obrabiaj następujące pliki:", 120, 1080, 3015, 615},
    {kText3, "Text3", K::kTextBox, kFrame4, "*.htm; *.html; *.php", 120, 240, 2775, 285},
    {kFrame1, "Frame1", K::kFrame, kFrame5, "Typ indeksowania", 3480, 1080, 3015, 615},
    {kCheck1, "Check1", K::kCheckBox, kFrame1, "Nie dodawaj stron bez tytułu", 120, 240, 2655, 255},
    {kCommand1, "Command1", K::kCommandButton, kNoControl, "Generuj mapę serwisu", 120, 2280, 2055,
     375},
    {kCommand4, "Command4", K::kCommandButton, kNoControl, "WWW", 2400, 2280, 2055, 375},
    {kCommand5, "Command5", K::kCommandButton, kNoControl, "Koniec", 4680, 2280, 2055, 375},
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
