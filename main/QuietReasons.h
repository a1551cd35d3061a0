#pragma once
// The reasons a due quarter keeps quiet for the user's sake (a call, a full-screen program or
// presentation, Windows' Do not disturb; nobody there: the session locked or disconnected, the
// display off, no input for a while) and the snooze chosen from the tray: what they say now,
// and what the tooltip says of the last quarter they kept quiet.
#include "core/Quiet.h"
#include "core/Schedule.h"
#include "framework/Afx.h"

#include <functional>

class CQuietReasons : public CCmdTarget {
public:
    const MessageMap& GetMessageMap() const override;
    // Asks that `window` be told of the session and the display; `changed` runs when the
    // snooze is switched from the tray (the status changes).
    void Attach(HWND window, std::function<void()> changed);
    // Asked at the due quarter `at`: why it keeps quiet, or None, nobody being there counting
    // when `away` and the user's being busy when `busy` (the settings' boxes); remembered for
    // the tooltip until a quarter rings. TRUE when the tooltip changes.
    bool Decide(const Boundary& at, bool busy, bool away);
    // A power setting changed: the display's state, when it is one of those asked for.
    void OnPowerSetting(const POWERBROADCAST_SETTING& setting);
    QuietReason Reason() const { return m_reason; }
    // The Active status, with the last quarter kept quiet and why: "CHIMO!: Active; quiet at
    // 10:45 (a call)".
    CString ActiveTip() const;

    // "Silence for an hour".
    Snooze snooze;
    // How long without input counts as nobody there.
    int awayMinutes = 10;

private:
    void OnSnooze();
    void OnSessionChange(UINT event, DWORD session);
    Presence m_presence;
    // Why the user is not to be disturbed now, or None.
    static QuietReason BusyReason();
    QuietReason m_reason = QuietReason::None;
    int m_hour = 0, m_minute = 0;
    std::function<void()> m_changed;
};
