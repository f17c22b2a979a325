#include "ui/file_drop_target.h"

#include <shellapi.h>

#include <utility>

#include "platform/wide_text.h"
#include "platform/win32_raii.h"

namespace {

FORMATETC HdropFormat() {
    return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// Gives the medium back to its owner however we leave the function.
class StorageMedium {
public:
    StorageMedium() = default;
    ~StorageMedium() {
        if (filled_) ReleaseStgMedium(&medium_);
    }
    StorageMedium(const StorageMedium&) = delete;
    StorageMedium& operator=(const StorageMedium&) = delete;

    HRESULT Fetch(IDataObject* data) {
        FORMATETC format = HdropFormat();
        const HRESULT result = data->GetData(&format, &medium_);
        filled_ = SUCCEEDED(result);
        return result;
    }
    // The source may hand out more media than asked for; only an HGLOBAL can be an HDROP.
    HDROP Drop() const {
        if (!filled_ || medium_.tymed != TYMED_HGLOBAL) return nullptr;
        return static_cast<HDROP>(medium_.hGlobal);
    }

private:
    STGMEDIUM medium_{};
    bool filled_ = false;
};

}  // namespace

// Read as UTF-16 and converted without look-alikes: a character the ANSI code page cannot
// hold becomes '?', which the core recognises, instead of a similar letter that might name some
// other file. Each path gets a buffer of its own length, so long paths arrive intact.
std::string DroppedPathsText(HDROP drop) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::string text;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        const UINT copied = DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(copied < length ? copied : length);
        text += NarrowToCodePage(CP_ACP, path);
        if (count > 1) text += "\r\n";
    }
    return text;
}

DWORD DropEffectFor(bool accepted, DWORD keyState, DWORD allowedEffects) {
    if (!accepted) return DROPEFFECT_NONE;
    const auto allowedOrNone = [allowedEffects](DWORD effect) {
        return (allowedEffects & effect) != 0 ? effect : DROPEFFECT_NONE;
    };
    const bool control = (keyState & MK_CONTROL) != 0;
    const bool shift = (keyState & MK_SHIFT) != 0;
    if (control && shift) return DROPEFFECT_NONE;
    if (control) return allowedOrNone(DROPEFFECT_COPY);
    if (shift) return allowedOrNone(DROPEFFECT_MOVE);
    for (const DWORD effect : {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK}) {
        if ((allowedEffects & effect) != 0) return effect;
    }
    return DROPEFFECT_NONE;
}

Microsoft::WRL::ComPtr<FileDropTarget> FileDropTarget::Create(DropHandler handler) {
    return AdoptCom(new FileDropTarget(std::move(handler)));
}

FileDropTarget::FileDropTarget(DropHandler handler) : handler_(std::move(handler)) {}

void FileDropTarget::Register(HWND window) {
    if (window_ != nullptr) return;
    if (SUCCEEDED(RegisterDragDrop(window, this))) window_ = window;
}

void FileDropTarget::Revoke() {
    if (window_ == nullptr) return;
    RevokeDragDrop(window_);
    window_ = nullptr;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDropTarget))) {
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
    const LONG remaining = InterlockedDecrement(&references_);
    if (remaining == 0) delete this;
    return static_cast<ULONG>(remaining);
}

HRESULT STDMETHODCALLTYPE FileDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL,
                                                    DWORD* effect) {
    if (effect == nullptr) return E_INVALIDARG;
    FORMATETC format = HdropFormat();
    acceptsData_ = data != nullptr && data->QueryGetData(&format) == S_OK;
    *effect = DropEffectFor(acceptsData_, keyState, *effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::DragOver(DWORD keyState, POINTL, DWORD* effect) {
    if (effect == nullptr) return E_INVALIDARG;
    *effect = DropEffectFor(acceptsData_, keyState, *effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FileDropTarget::DragLeave() {
    acceptsData_ = false;
    return S_OK;
}

// Always E_FAIL: the source must not treat the drop as done (and, for a move, delete its file),
// since the paths are only read here.
HRESULT STDMETHODCALLTYPE FileDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL,
                                               DWORD* effect) {
    // A drop ends the drag as DragLeave does; the next one starts with DragEnter.
    const bool accepted = std::exchange(acceptsData_, false);
    if (effect == nullptr) return E_INVALIDARG;
    *effect = DropEffectFor(accepted, keyState, *effect);
    if (*effect == DROPEFFECT_NONE || data == nullptr) return E_FAIL;
    // Nothing may unwind through OLE's frames, whether from allocation or from the handler.
    try {
        std::string text;
        {
            StorageMedium medium;
            if (FAILED(medium.Fetch(data)) || medium.Drop() == nullptr) return E_FAIL;
            text = DroppedPathsText(medium.Drop());
        }
        if (handler_) handler_(text);
    } catch (...) {
    }
    return E_FAIL;
}
