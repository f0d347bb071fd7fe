// Where the settings window's controls stand, in twips of its client area,
// in stacking order from top to bottom (only lstIPath and lstRPath overlap,
// and lstRPath lies hidden beneath). The platform layer builds the real
// window from these tables.
#pragma once

#include "platform/control_layout.h"
#include "platform/system_values.h"

namespace settings {

using platform::ControlKind;
using platform::ControlLayout;

inline constexpr int kSetClientWidth = 5295;
inline constexpr int kSetClientHeight = 3330;
inline constexpr wchar_t kSetCaption[] = L"Mirabeltonの設定";

inline constexpr wchar_t kDropHint[] = L"Ｄ＆Ｄで参照可能";

inline constexpr ControlLayout kSetLayout[] = {
    {"picHotkey", ControlKind::Panel, 2280, 180, 2775, 320, L"", 14},
    {"cmdEdit", ControlKind::Button, 1920, 2100, 975, 375, L"上書き(&R)", 8},
    {"cmdDialog", ControlKind::Button, 4800, 1620, 255, 255, L"...", 7, nullptr, L"参照"},
    {"cmdCancel", ControlKind::CancelButton, 3720, 2860, 1335, 345, L"キャンセル(&C)", 12},
    {"cmdSet", ControlKind::Button, 2280, 2860, 1335, 345, L"設定(&S)", 11},
    {"lstIPath", ControlKind::ListBox, 240, 1020, 1575, 1500, L"", 2},
    {"cmdDel", ControlKind::Button, 4080, 2100, 975, 375, L"削除(&D)", 10},
    {"cmdAdd", ControlKind::Button, 3000, 2100, 975, 375, L"追加(&A)", 9},
    {"txtIPath", ControlKind::TextBox, 1920, 1020, 3135, 270, L"", 4},
    {"txtRPath", ControlKind::TextBox, 1920, 1620, 2895, 270, L"", 6},
    {"lstRPath", ControlKind::ListBox, 480, 1200, 1095, 1140, L"", -1},
    {"Label4", ControlKind::Label, 1920, 780, 540, 180, L"短縮名", 3, nullptr, kDropHint},
    {"Label5", ControlKind::Label, 1920, 1380, 885, 180, L"実在パス名", 5, nullptr, kDropHint},
    {"Label3", ControlKind::Label, 240, 780, 1080, 180, L"一覧（短縮名）", 1, nullptr,
     L"Ｗクリックで短縮名・実在パス名表示"},
    {"Label1", ControlKind::Label, 240, 240, 1920, 180, L"呼び出しに使うホットキー", 0},
};

// The two etched separators: a dark line with a light one just below it.
struct LineLayout {
  int x1, y1, x2, y2;
  int sysColor;  // kColorWindow (light) or kColorAppWorkspace (dark)
};

inline constexpr LineLayout kSetLines[] = {
    {240, 2715, 5040, 2715, platform::kColorWindow},        // Line2
    {240, 2700, 5040, 2700, platform::kColorAppWorkspace},  // Line1
    {240, 610, 5040, 610, platform::kColorWindow},          // Line4
    {240, 600, 5040, 600, platform::kColorAppWorkspace},    // Line3
};

// The open-file dialog's fixed options.
inline constexpr wchar_t kOpenDialogTitle[] = L"実在パスを開く";
inline constexpr wchar_t kOpenDialogFilter[] = L"すべてのﾌｧｲﾙ (*.*)|*.*";

}  // namespace settings
