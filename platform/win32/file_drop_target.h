// An OLE drop target that accepts file lists (CF_HDROP) for one window and
// hands the decisions to callbacks: what effect a drag shows, and what a
// drop does with the dropped names.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

namespace win32 {

class FileDropTarget final : public IDropTarget {
 public:
  // The effect to show (DROPEFFECT_COPY or DROPEFFECT_NONE) for a drag
  // that does or does not offer a file list.
  using OverHandler = std::function<int(bool offersFiles)>;
  // The dropped file names, in the drag source's order; empty when the
  // data held no file list.
  using DropHandler = std::function<void(const std::vector<std::wstring>& files)>;

  // Registers a new target for window; nullptr when OLE refuses (it must be
  // initialised on this thread). Revoke before the window goes.
  static FileDropTarget* Register(HWND window, OverHandler over, DropHandler drop);
  void Revoke();

  static bool OffersFiles(IDataObject* data);
  static std::vector<std::wstring> Files(IDataObject* data);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDropTarget
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                 DWORD* effect) override;

 private:
  FileDropTarget(HWND window, OverHandler over, DropHandler drop);
  ~FileDropTarget() = default;
  DWORD Effect() const;

  LONG references_ = 1;
  HWND window_;
  OverHandler over_;
  DropHandler drop_;
  bool offersFiles_ = false;  // of the drag in progress
};

}  // namespace win32
