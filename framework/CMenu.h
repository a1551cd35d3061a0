#pragma once
#include "framework/CString.h"

#include <windows.h>

#include <utility>

class CWnd;

// A menu the code borrows (a sub-menu, the system menu): operations only, never destroyed here.
class CMenuHandle {
public:
    CMenuHandle(HMENU menu = nullptr) : m_hMenu(menu) {}

    explicit operator bool() const { return m_hMenu != nullptr; }

    CMenuHandle GetSubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }
    UINT CheckMenuItem(UINT id, UINT check) { return ::CheckMenuItem(m_hMenu, id, check); }
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr) {
        return ::AppendMenuA(m_hMenu, flags, id, text);
    }
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

protected:
    HMENU m_hMenu;
};

// A menu this object owns: destroyed with it, unless detached first.
class CMenu : public CMenuHandle {
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    ~CMenu() { DestroyMenu(); }

    BOOL LoadMenu(UINT id);
    BOOL DestroyMenu() { return m_hMenu ? ::DestroyMenu(std::exchange(m_hMenu, nullptr)) : FALSE; }
};
