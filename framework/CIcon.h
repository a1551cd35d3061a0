#pragma once
#include <windows.h>

// Owns an icon loaded at a given size (LoadImage without LR_SHARED, so it must be destroyed).
class CIcon {
public:
    CIcon() = default;
    ~CIcon() { Destroy(); }
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;

    // Icon resource `id` of `instance`, from the image the group has for `cx` x `cy` (or the
    // nearest, scaled); FALSE when there is no such icon.
    BOOL Load(HINSTANCE instance, UINT id, int cx, int cy) {
        Destroy();
        m_hIcon = static_cast<HICON>(
            ::LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
        return m_hIcon != nullptr;
    }
    void Destroy() {
        if (m_hIcon)
            ::DestroyIcon(m_hIcon);
        m_hIcon = nullptr;
    }
    operator HICON() const { return m_hIcon; }

private:
    HICON m_hIcon = nullptr;
};
