#pragma once
#include "CString.h"

#include <windows.h>

#include <utility>

class CWnd;

// A menu the code borrows (a sub-menu, the system menu): operations only, never destroyed here.
class CMenuHandle {
public:
    CMenuHandle(HMENU menu = nullptr) : m_hMenu(menu) {}

    HMENU GetSafeHmenu() const { return m_hMenu; }
    explicit operator bool() const { return m_hMenu != nullptr; }

    CMenuHandle GetSubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }
    UINT CheckMenuItem(UINT id, UINT check) { return ::CheckMenuItem(m_hMenu, id, check); }
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr) {
        return ::AppendMenuA(m_hMenu, flags, id, text);
    }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    UINT GetMenuState(UINT id, UINT flags) const { return ::GetMenuState(m_hMenu, id, flags); }
    CString GetMenuString(UINT item, UINT flags) const;
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* exclude = nullptr);

protected:
    HMENU m_hMenu;
};

// A menu this object owns: destroyed with it, unless detached first.
class CMenu : public CMenuHandle {
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    CMenu(CMenu&& other) noexcept : CMenuHandle(std::exchange(other.m_hMenu, nullptr)) {}
    CMenu& operator=(CMenu&& other) noexcept {
        if (this != &other) {
            DestroyMenu();
            m_hMenu = std::exchange(other.m_hMenu, nullptr);
        }
        return *this;
    }
    ~CMenu() { DestroyMenu(); }

    BOOL LoadMenu(UINT id);
    BOOL CreatePopupMenu();
    BOOL DestroyMenu() { return m_hMenu ? ::DestroyMenu(std::exchange(m_hMenu, nullptr)) : FALSE; }
    HMENU Detach() { return std::exchange(m_hMenu, nullptr); }
};
