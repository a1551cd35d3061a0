#pragma once
// The reasons a due quarter keeps quiet for the user's sake (a call, a full-screen program or
// presentation, Windows' Do not disturb) and the snooze chosen from the tray: what they say now,
// and what the tooltip says of the last quarter they kept quiet.
#include "core/Quiet.h"
#include "core/Schedule.h"
#include "framework/Afx.h"

#include <functional>

class CQuietReasons : public CCmdTarget {
public:
    const MessageMap& GetMessageMap() const override;
    // `changed` runs when the snooze is switched from the tray (the status changes).
    void Attach(std::function<void()> changed);
    // Asked at the due quarter `at` (when `wanted`, the settings' box): why it keeps quiet, or
    // None; remembered for the tooltip until a quarter rings. TRUE when the tooltip changes.
    bool Decide(const Boundary& at, bool wanted);
    QuietReason Reason() const { return m_reason; }
    // The Active status, with the last quarter kept quiet and why: "CHIMO!: Active; quiet at
    // 10:45 (a call)".
    CString ActiveTip() const;

    // "Silence for an hour".
    Snooze snooze;

private:
    void OnSnooze();
    // Why the user is not to be disturbed now, or None.
    static QuietReason BusyReason();
    QuietReason m_reason = QuietReason::None;
    int m_hour = 0, m_minute = 0;
    std::function<void()> m_changed;
};
