#pragma once
// The settings window's icon in the notification area: its record, its status icons at the
// display's scale, and its return when Explorer makes a new taskbar.
#include "framework/Afx.h"
#include "res/resource.h"

#include <shellapi.h>

// The tray icon's id, and the message its mouse and keyboard events arrive with.
constexpr UINT ID_TRAY_ICON = 129;
constexpr UINT WM_TRAY_NOTIFY = WM_APP + 1;

class CTrayIcon : public CCmdTarget {
public:
    const MessageMap& GetMessageMap() const override;
    // Makes the record for `window` with the Active status, and adds the icon unless the
    // profile's "Disable_Tray_Icon" suppresses it.
    void Create(HWND window);
    // Shows `tip` and icon resource `iconId`.
    void Show(const char* tip, UINT iconId);
    // Removes the icon for good (the program ends): a new taskbar does not bring it back.
    void Remove();
    // The icon for status icon `iconId`, at the small-icon size of the display scale (16, 20, 24
    // or 32 pixels at 100 % to 200 %), loaded once from the image of that size.
    HICON Icon(UINT iconId);

private:
    // Adds the icon (when wanted) with the status it shows now.
    void Add();
    NOTIFYICONDATAW m_nid{};
    struct SizedIcon {
        UINT id;
        CIcon icon;
    } m_icons[4] = {{IDI_TRAY_ACTIVE, {}},
                    {IDI_TRAY_DISABLED, {}},
                    {IDI_TRAY_SLEEPING, {}},
                    {IDI_TRAY_RINGING, {}}};
    // FALSE when the profile suppresses the icon, and once the program ends.
    bool m_wanted = true;
};
