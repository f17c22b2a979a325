#pragma once
// A data object offering one format on an HGLOBAL it keeps, as a shell file drag (CF_HDROP)
// offers its files: shared by the Windows tests and the end-to-end drag source. The media it
// hands out name it as pUnkForRelease, so a receiver that releases its medium gives back
// exactly the reference GetData added, and a test can tell when one did not.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32_raii.h"

// DROPFILES, then each path NUL-terminated, then one more NUL: ANSI for char, UTF-16 (as
// Explorer sends it) for wchar_t.
template <typename Char>
UniqueGlobal DropFilesMemory(const std::vector<std::basic_string<Char>>& paths) {
    std::basic_string<Char> list;
    for (const auto& path : paths) {
        list += path;
        list += Char{};
    }
    list += Char{};
    const std::size_t bytes = list.size() * sizeof(Char);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + bytes));
    if (!memory) return memory;
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory.Get()));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = sizeof(Char) == sizeof(wchar_t);
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), bytes);
    GlobalUnlock(memory.Get());
    return memory;
}

class OneFormatData : public IDataObject {
public:
    static Microsoft::WRL::ComPtr<OneFormatData> Offering(CLIPFORMAT format, UniqueGlobal memory) {
        return AdoptCom(new OneFormatData(format, std::move(memory)));
    }
    template <typename Char>
    static Microsoft::WRL::ComPtr<OneFormatData> Files(
        const std::vector<std::basic_string<Char>>& paths) {
        return Offering(CF_HDROP, DropFilesMemory(paths));
    }
    static Microsoft::WRL::ComPtr<OneFormatData> Text(const std::string& text) {
        UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
        std::memcpy(GlobalLock(memory.Get()), text.c_str(), text.size() + 1);
        GlobalUnlock(memory.Get());
        return Offering(CF_TEXT, std::move(memory));
    }

    int getDataCalls = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDataObject))) {
            *object = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG remaining = InterlockedDecrement(&references_);
        if (remaining == 0) delete this;
        return static_cast<ULONG>(remaining);
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (format == nullptr || medium == nullptr) return E_INVALIDARG;
        ++getDataCalls;
        const HRESULT offered = QueryGetData(format);
        if (offered != S_OK) return offered;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory_.Get();
        medium->pUnkForRelease = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        if (format == nullptr) return E_INVALIDARG;
        if (format->cfFormat != format_) return DV_E_FORMATETC;
        if ((format->tymed & TYMED_HGLOBAL) == 0) return DV_E_TYMED;
        if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out != nullptr) out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    // OLE asks for the formats when the drag crosses into another process.
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (out == nullptr) return E_INVALIDARG;
        *out = nullptr;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format{format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &format, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    OneFormatData(CLIPFORMAT format, UniqueGlobal memory)
        : format_(format), memory_(std::move(memory)) {}
    virtual ~OneFormatData() = default;

    LONG references_ = 1;
    CLIPFORMAT format_;
    UniqueGlobal memory_;
};
