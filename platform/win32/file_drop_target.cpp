#include "platform/win32/file_drop_target.h"

#include <utility>

#include "platform/win32/on_demand.h"

namespace win32 {

namespace {

FORMATETC FileListFormat() {
  FORMATETC format{};
  format.cfFormat = CF_HDROP;
  format.dwAspect = DVASPECT_CONTENT;
  format.lindex = -1;
  format.tymed = TYMED_HGLOBAL;
  return format;
}

}  // namespace

FileDropTarget::FileDropTarget(HWND window, OverHandler over, DropHandler drop)
    : window_(window), over_(std::move(over)), drop_(std::move(drop)) {}

FileDropTarget* FileDropTarget::Register(HWND window, OverHandler over, DropHandler drop) {
  auto* target = new FileDropTarget(window, std::move(over), std::move(drop));
  if (FAILED(on_demand::RegisterDragDrop(window, target))) {
    target->Release();
    return nullptr;
  }
  return target;  // the registration holds its own reference; ours is the caller's
}

void FileDropTarget::Revoke() {
  on_demand::RevokeDragDrop(window_);
  over_ = nullptr;
  drop_ = nullptr;
  Release();
}

bool FileDropTarget::OffersFiles(IDataObject* data) {
  if (!data) return false;
  FORMATETC format = FileListFormat();
  return data->QueryGetData(&format) == S_OK;
}

std::vector<std::wstring> FileDropTarget::Files(IDataObject* data) {
  std::vector<std::wstring> files;
  if (!OffersFiles(data)) return files;
  FORMATETC format = FileListFormat();
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return files;
  if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
    const UINT count = on_demand::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    files.reserve(count);
    for (UINT i = 0; i < count; ++i) {
      const UINT length = on_demand::DragQueryFileW(drop, i, nullptr, 0);
      std::wstring name(static_cast<std::size_t>(length) + 1, L'\0');
      on_demand::DragQueryFileW(drop, i, name.data(), length + 1);
      name.resize(length);
      files.push_back(std::move(name));
    }
    GlobalUnlock(medium.hGlobal);
  }
  on_demand::ReleaseStgMedium(&medium);
  return files;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE FileDropTarget::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE FileDropTarget::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// No exception may unwind into the system's drag loop.
DWORD FileDropTarget::Effect() const {
  try {
    if (over_ && over_(offersFiles_) == DROPEFFECT_COPY) return DROPEFFECT_COPY;
  } catch (...) {
  }
  return DROPEFFECT_NONE;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::DragEnter(IDataObject* data, DWORD, POINTL,
                                                    DWORD* effect) {
  offersFiles_ = OffersFiles(data);
  if (effect) *effect = Effect();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  if (effect) *effect = Effect();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::DragLeave() {
  offersFiles_ = false;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  offersFiles_ = OffersFiles(data);
  if (effect) *effect = Effect();
  try {
    if (drop_) drop_(Files(data));
  } catch (...) {
  }
  offersFiles_ = false;
  return S_OK;
}

}  // namespace win32
