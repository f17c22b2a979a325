#pragma once
// Owners for the Windows handles and COM objects of the program and its tests: each closes
// what it holds exactly once, on every path.
#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

#include <cstdint>
#include <type_traits>
#include <utility>

// Holds one T, closed with CloseFunction unless it is the value Invalid (a number, because Windows'
// INVALID_HANDLE_VALUE is a pointer cast that no template argument may hold).
template <typename T, auto CloseFunction, std::intptr_t Invalid = 0>
class Unique {
public:
    Unique() = default;
    explicit Unique(T value) : value_(value) {}
    ~Unique() { Close(); }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : value_(other.Release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    T Get() const { return value_; }
    bool Valid() const { return value_ != InvalidValue(); }
    explicit operator bool() const { return Valid(); }
    T Release() { return std::exchange(value_, InvalidValue()); }
    void Reset(T value = InvalidValue()) {
        Close();
        value_ = value;
    }
    // Closing can fail (a delayed write error shows up here), so callers that care may ask.
    bool Close() {
        if (!Valid()) return true;
        const auto result = CloseFunction(Release());
        // BOOL closers succeed with non-zero; GlobalFree and LocalFree with null.
        if constexpr (std::is_pointer_v<decltype(result)>) {
            return result == nullptr;
        } else {
            return result != 0;
        }
    }

private:
    static T InvalidValue() { return reinterpret_cast<T>(Invalid); }

    T value_ = InvalidValue();
};

using FileHandle = Unique<HANDLE, &CloseHandle, -1>;   // CreateFile, CreateToolhelp32Snapshot
using FindHandle = Unique<HANDLE, &FindClose, -1>;
using ProcessHandle = Unique<HANDLE, &CloseHandle>;    // OpenProcess, ShellExecuteEx, tokens
using UniqueBrush = Unique<HBRUSH, &DeleteObject>;
using UniqueFont = Unique<HFONT, &DeleteObject>;
using UniqueIcon = Unique<HICON, &DestroyIcon>;
using UniqueWindow = Unique<HWND, &DestroyWindow>;
using UniqueGlobal = Unique<HGLOBAL, &GlobalFree>;
using UniqueLocal = Unique<HLOCAL, &LocalFree>;

// OLE on the calling thread, for as long as the object lives (drag and drop, shortcuts).
class OleSession {
public:
    OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialised_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool initialised_;
};

// Takes over the one reference a fresh `new` object carries. Not ComPtr::Attach: in this
// toolchain's mingw-w64 headers it adds a reference of its own, which would leak the object.
template <typename T>
Microsoft::WRL::ComPtr<T> AdoptCom(T* fresh) {
    Microsoft::WRL::ComPtr<T> owner;
    *owner.ReleaseAndGetAddressOf() = fresh;
    return owner;
}
