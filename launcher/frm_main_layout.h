// Where the launcher's controls stand, in twips, in stacking order from top
// to bottom (the first one is drawn over the later ones). The platform layer
// creates the real controls from this table.
#pragma once

#include "platform/control_layout.h"

namespace launcher {

using platform::ControlKind;
using platform::ControlLayout;

inline constexpr int kMainClientWidth = 3600;
inline constexpr int kMainClientHeight = 750;
inline constexpr wchar_t kMainCaption[] = L"Mirabelton";

inline constexpr ControlLayout kMainLayout[] = {
    {"picAbout", ControlKind::Panel, 0, 960, 3615, 495, L"", 10, nullptr},
    {"lblClose", ControlKind::Label, 2760, 240, 735, 195, L"Close", -1, "picAbout"},
    {"lblPlatform", ControlKind::Label, 90, 240, 2055, 180, L"Working on Windows", -1, "picAbout"},
    {"lblCopyright", ControlKind::Label, 90, 30, 2880, 180, L"© 2026 The Mirabelton developers", -1,
     "picAbout"},
    {"cmdEnd", ControlKind::Button, 2040, 1920, 855, 375, L"&X", 4, nullptr},
    {"cmdOther", ControlKind::Button, 3000, 1920, 1575, 340, L"リストに追加(&A)...", 3, nullptr},
    {"cmdCancel", ControlKind::CancelButton, 2760, 1140, 1215, 340, L"キャンセル", 2, nullptr},
    {"cmdOK", ControlKind::DefaultButton, 1440, 1140, 1215, 340, L"OK", 1, nullptr},
    {"cmbRun", ControlKind::ComboBox, 480, 360, 2535, 300, L"", 0, nullptr},
    {"lblSet", ControlKind::Label, 150, 420, 180, 180, L"", -1, nullptr, L"設定(Alt+S)"},
    {"lblBlue", ControlKind::Label, 0, 0, 3015, 255, L"", -1, nullptr},
    {"lblTitle", ControlKind::Label, 240, 45, 1020, 180, L"Mirabelton", -1, nullptr},
    {"lblRun", ControlKind::Label, 3100, 300, 420, 420, L"", -1, nullptr, L"実行(Enter)"},
    {"lblEnd", ControlKind::Label, 3250, 60, 255, 255, L"r", -1, nullptr, L"常駐終了"},
    {"lblHide", ControlKind::Label, 2980, 60, 255, 255, L"0", -1, nullptr, L"最小化（隠す）"},
};

}  // namespace launcher
