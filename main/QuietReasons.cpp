#include "main/QuietReasons.h"

#include "core/Texts.h"
#include "main/Microphone.h"
#include "main/TellTime.h"
#include "platform/Platform.h"
#include "res/resource.h"

#include <cstring>

const MessageMap& CQuietReasons::GetMessageMap() const {
    static const MessageMap map{
        &CCmdTarget::GetMessageMap(),
        {
            on::Command(ID_SNOOZE, &CQuietReasons::OnSnooze),
            on::Message<WM_WTSSESSION_CHANGE>(&CQuietReasons::OnSessionChange),
        }};
    return map;
}

void CQuietReasons::Attach(HWND window, std::function<void()> changed) {
    m_changed = std::move(changed);
    Platform().WatchPresence(window);
}

void CQuietReasons::OnSessionChange(UINT event, DWORD) {
    m_presence = AfterSessionEvent(m_presence, event);
}

void CQuietReasons::OnPowerSetting(const POWERBROADCAST_SETTING& setting) {
    for (const GUID& display : kDisplayStateSettings)
        if (IsEqualGUID(setting.PowerSetting, display) && setting.DataLength >= sizeof(DWORD)) {
            DWORD state = 0;
            std::memcpy(&state, setting.Data, sizeof state);
            m_presence.displayOff = state == 0; // 1 on, 2 dimmed
        }
}

// A full-screen program, a full-screen game, presentation mode, Windows' Do not disturb or a
// call: no chime over them. Any other answer, or none (a failed call, a system without it),
// lets the chime ring.
QuietReason CQuietReasons::BusyReason() {
    IPlatform& platform = Platform();
    QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
    if (SUCCEEDED(platform.QueryUserState(&state))) {
        if (state == QUNS_PRESENTATION_MODE)
            return QuietReason::Presentation;
        if (state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN)
            return QuietReason::FullScreen;
    }
    ULONG size = 0;
    DWORD value = 0;
    const bool read = SUCCEEDED(platform.QueryDoNotDisturb(&size, &value));
    if (DoNotDisturbOn(read, size, value))
        return QuietReason::DoNotDisturb;
    return MicrophoneInUseNow(platform.Now().utc) ? QuietReason::Call : QuietReason::None;
}

bool CQuietReasons::Decide(const Boundary& at, bool busy, bool away) {
    const QuietReason before = m_reason;
    m_reason = away ? AwayReason(m_presence, Platform().IdleMs(), awayMinutes) : QuietReason::None;
    if (m_reason == QuietReason::None && busy)
        m_reason = BusyReason();
    if (m_reason != QuietReason::None) {
        m_hour = at.hour;
        m_minute = at.minute;
    }
    return m_reason != QuietReason::None || before != QuietReason::None;
}

CString CQuietReasons::ActiveTip() const {
    const UINT why = m_reason == QuietReason::Call           ? IDS_QUIET_CALL
                     : m_reason == QuietReason::FullScreen   ? IDS_QUIET_FULL_SCREEN
                     : m_reason == QuietReason::Presentation ? IDS_QUIET_PRESENTATION
                     : m_reason == QuietReason::DoNotDisturb ? IDS_QUIET_DO_NOT_DISTURB
                     : m_reason == QuietReason::Locked       ? IDS_QUIET_LOCKED
                     : m_reason == QuietReason::DisplayOff   ? IDS_QUIET_DISPLAY_OFF
                     : m_reason == QuietReason::Away         ? IDS_QUIET_AWAY
                                                             : 0;
    if (!why)
        return LoadText(IDS_TIP_ACTIVE);
    return FillIn(LoadText(IDS_TIP_QUIET).str(),
                  {ClockText(m_hour, m_minute).str(), LoadText(why).str()});
}

void CQuietReasons::OnSnooze() {
    const long long now = Platform().Now().monotonicMs;
    if (snooze.InForce(now))
        snooze.End();
    else
        snooze.Start(now);
    if (m_changed)
        m_changed();
}
