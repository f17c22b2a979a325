#pragma once
// The drop area's OLE drop target: accepts shell file drags (CF_HDROP) on one window and hands
// the dropped paths, as one text, to a handler. It never copies, moves or opens a file itself.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <wrl/client.h>

#include <functional>
#include <string>

class FileDropTarget : public IDropTarget {
public:
    // One path, or, for several files, every path followed by CR LF.
    using DropHandler = std::function<void(const std::string& droppedPaths)>;

    static Microsoft::WRL::ComPtr<FileDropTarget> Create(DropHandler handler);

    // Registers for `window` with RegisterDragDrop. Only the first request counts; a second one,
    // or a failed registration, changes nothing.
    void Register(HWND window);
    // Revokes the registration, if any. Call it before the window is destroyed.
    void Revoke();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point,
                                   DWORD* effect) override;

private:
    explicit FileDropTarget(DropHandler handler);
    virtual ~FileDropTarget() = default;

    LONG references_ = 1;
    DropHandler handler_;
    HWND window_ = nullptr;
    bool acceptsData_ = false;  // from DragEnter until DragLeave
};

// The text a drop hands over: one path, or every path followed by CR LF, as ANSI bytes.
std::string DroppedPathsText(HDROP drop);

// The effect a drag gets from the key state and the effects the source allows.
DWORD DropEffectFor(bool accepted, DWORD keyState, DWORD allowedEffects);
