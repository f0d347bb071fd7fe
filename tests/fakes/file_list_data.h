// Data for a drag: a file list (CF_HDROP) or plain text, in one global
// memory block. Also the drag's source, so the end-to-end tests can drive
// DoDragDrop with it: the drop happens once `release` is set. Windows only.
#pragma once

#include <ole2.h>
#include <shlobj.h>  // DROPFILES

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

namespace fakes {

struct PlainText {
  std::wstring text;
};

class FileListData final : public IDataObject, public IDropSource {
 public:
  explicit FileListData(const std::vector<std::wstring>& files) : format_(CF_HDROP) {
    std::wstring list;
    for (const std::wstring& file : files) list += file + L'\0';
    list += L'\0';
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    bytes_.resize(sizeof header + list.size() * sizeof(wchar_t));
    std::memcpy(bytes_.data(), &header, sizeof header);
    std::memcpy(bytes_.data() + sizeof header, list.data(), list.size() * sizeof(wchar_t));
  }
  explicit FileListData(const PlainText& plain) : format_(CF_UNICODETEXT) {
    bytes_.resize((plain.text.size() + 1) * sizeof(wchar_t));
    std::memcpy(bytes_.data(), plain.text.c_str(), bytes_.size());
  }

  // Lives on the test's stack for the whole drag.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = nullptr;
    if (IsEqualIID(iid, __uuidof(IDropSource))) *object = static_cast<IDropSource*>(this);
    if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IDataObject))) {
      *object = static_cast<IDataObject*>(this);
    }
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    return escape ? DRAGDROP_S_CANCEL : release ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
    std::memcpy(GlobalLock(memory), bytes_.data(), bytes_.size());
    GlobalUnlock(memory);
    *medium = STGMEDIUM{};
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format && format->cfFormat == format_ && (format->tymed & TYMED_HGLOBAL)
               ? S_OK
               : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

  std::atomic<bool> release{false};

 private:
  CLIPFORMAT format_;
  std::vector<char> bytes_;
};

}  // namespace fakes
