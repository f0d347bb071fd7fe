// Real paths from the open-file dialog or from a drop. Both fill the
// real-path field and propose the path's last component as the short name.
#include "settings/frm_set.h"
#include "settings/frm_set_layout.h"

namespace settings {

void frmSet::ProposeShortName(const std::wstring& path) {
  // Searched by characters, not by code-page bytes, so the second byte of
  // a Shift_JIS character (0x5C in "表" or "ソ") is never taken for a
  // separator.
  const std::size_t slash = path.rfind(L'\\');
  if (slash == std::wstring::npos) return;
  txtIPath.SetText(path.substr(slash + 1));
}

void frmSet::cmdDialog_Click() {
  const std::wstring chosen = fileDialog.ShowOpen(kOpenDialogTitle, kOpenDialogFilter);
  if (chosen.empty()) return;
  txtRPath.SetText(chosen);
  ProposeShortName(chosen);
}

void frmSet::TakeDroppedPath(const std::vector<std::wstring>& files) {
  if (files.empty()) return;
  txtRPath.SetText(files.front());
  ProposeShortName(files.front());
}

}  // namespace settings
