#pragma once
// One owner per handle: each class below releases what it holds when it goes out of scope.
#include "framework/CString.h"
#include "framework/Unicode.h"

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

// An open registry key.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    LONG Open(HKEY parent, const char* name, REGSAM access = KEY_QUERY_VALUE) {
        Close();
        return Kept(::RegOpenKeyExW(parent, WideText(name), 0, access, &m_hKey));
    }
    // Opens the key, creating it (and the path to it) when it is not there.
    LONG Create(HKEY parent, const char* name) {
        Close();
        return Kept(::RegCreateKeyExW(parent, WideText(name), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                      nullptr, &m_hKey, nullptr));
    }
    void Close() {
        if (m_hKey)
            ::RegCloseKey(std::exchange(m_hKey, nullptr));
    }
    operator HKEY() const { return m_hKey; }

    // The key's default value, whole: ERROR_SUCCESS with the text, or the error (a value that
    // is not text, say a number another program stored there, is ERROR_UNSUPPORTED_TYPE).
    LONG QueryDefaultText(CString& text) const {
        const DWORD kinds = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
        std::vector<wchar_t> buffer(256);
        // The value may grow between the calls; read until it fits.
        for (int attempt = 0; attempt < 4; ++attempt) {
            DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
            const LONG result =
                ::RegGetValueW(m_hKey, nullptr, nullptr, kinds, nullptr, buffer.data(), &size);
            if (result == ERROR_SUCCESS)
                text = Utf8(buffer.data()); // terminated by the call
            if (result != ERROR_MORE_DATA)
                return result;
            buffer.resize(size / sizeof(wchar_t) + 1);
        }
        return ERROR_MORE_DATA;
    }

private:
    // The handle is the key's only after a success: a failed call may leave anything there.
    LONG Kept(LONG result) {
        if (result != ERROR_SUCCESS)
            m_hKey = nullptr;
        return result;
    }
    HKEY m_hKey = nullptr;
};

// A kernel object (a file, a process), closed with its owner. A failed open gives either of
// the system's two "no handle" values; both are held as none.
class CHandle {
public:
    explicit CHandle(HANDLE handle = nullptr)
        : m_h(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~CHandle() {
        if (m_h)
            ::CloseHandle(m_h);
    }
    CHandle(CHandle&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    HANDLE get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    HANDLE m_h;
};

// A COM interface pointer; Release()d once.
template <class T> class CComPtr {
public:
    CComPtr() = default;
    ~CComPtr() {
        if (m_p)
            m_p->Release();
    }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }
    // For a call that hands out a new pointer: what was held before is released first.
    void** Receive() {
        if (m_p)
            std::exchange(m_p, nullptr)->Release();
        return reinterpret_cast<void**>(&m_p);
    }

private:
    T* m_p = nullptr;
};

// COM for this thread, from construction to destruction (when it could be started).
class CComInit {
public:
    CComInit() : m_ok(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~CComInit() {
        if (m_ok)
            ::CoUninitialize();
    }
    CComInit(const CComInit&) = delete;
    CComInit& operator=(const CComInit&) = delete;

private:
    bool m_ok;
};

// A hook on this thread, removed with its owner.
struct CHookRemover {
    void operator()(HHOOK hook) const { ::UnhookWindowsHookEx(hook); }
};
using CHook = std::unique_ptr<std::remove_pointer_t<HHOOK>, CHookRemover>;
inline CHook HookThisThread(int kind, HOOKPROC proc) {
    return CHook(::SetWindowsHookExW(kind, proc, nullptr, ::GetCurrentThreadId()));
}

// A font, an icon or a menu this program made, destroyed with its owner.
struct CGdiDeleter {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using CFont = std::unique_ptr<HFONT__, CGdiDeleter>;
struct CIconDestroyer {
    void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
using CIcon = std::unique_ptr<HICON__, CIconDestroyer>;
struct CMenuDestroyer {
    void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
using CMenu = std::unique_ptr<HMENU__, CMenuDestroyer>;

// Icon resource `id` of `instance`, from the image its group has for `cx` x `cy` (or the
// nearest, scaled); empty when there is no such icon.
inline CIcon LoadIconSized(HINSTANCE instance, UINT id, int cx, int cy) {
    return CIcon(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR)));
}

// A window's client-area device context, released with its owner.
struct CDCReleaser {
    HWND hwnd;
    void operator()(HDC dc) const { ::ReleaseDC(hwnd, dc); }
};
using CClientDC = std::unique_ptr<HDC__, CDCReleaser>;
inline CClientDC ClientDC(HWND hwnd) { return CClientDC(::GetDC(hwnd), CDCReleaser{hwnd}); }

// An object selected into a device context, deselected again (the previous one put back).
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object)
        : m_hDC(dc), m_previous(object ? ::SelectObject(dc, object) : nullptr) {}
    ~CSelectObject() {
        if (m_previous)
            ::SelectObject(m_hDC, m_previous);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_previous;
};
