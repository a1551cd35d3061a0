// The quarter-hour chime.
#include "main/ChimeDlg.h"

#include "core/Texts.h"
#include "main/Microphone.h"
#include "main/SoundSlots.h"
#include "platform/Winmm.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <algorithm>

namespace {
// The tick comes this much before its boundary even without a lead-in: time to ask whether the
// user is busy and to show the ringing status, so that the first note waits for nothing the
// user cannot hear.
constexpr unsigned kHeadStartMs = 100;
// A tick earlier than this beyond what it was armed for waits on the timer again, not in the
// chime.
constexpr unsigned kEarlySlackMs = 1000;
// The sound system readies its devices on first use, which can take a second: it is readied
// this long before the first chime, so that it delays no note, and costs nothing before.
constexpr unsigned kReadyAheadMs = 5000;

} // namespace

ChimeOptions CChimeDlg::Options() const {
    ChimeOptions options;
    options.multi = Checked(IDC_MULTI);
    options.useSame = Checked(IDC_USE_SAME);
    options.disableSecondary = Checked(IDC_DISABLE_SECONDARY);
    return options;
}

int CChimeDlg::Volume() const {
    // Before the controls exist (the first arming), the default.
    HWND slider = ::GetDlgItem(m_hWnd, IDC_VOLUME);
    return slider ? static_cast<int>(::SendMessageA(slider, TBM_GETPOS, 0, 0)) : 100;
}

unsigned CChimeDlg::WantedLeadIn() const { return Checked(IDC_WAKE_SPEAKERS) ? m_nLeadInMs : 0; }

std::string CChimeDlg::SlotText(SoundSlot slot) const {
    CString text;
    GetDlgItemText(SlotInfo(slot).edit, text);
    return text.str();
}

void CChimeDlg::ArmChimeTimer(bool afterChange) {
    const LocalTime now = Platform().Now();
    const Boundary next = afterChange ? m_schedule.NextAfterChange(now) : m_schedule.Next(now);
    // Read and scaled now, so that the tick only plays it; and only a sound that plays from
    // memory can start with a lead-in: any other rings on the boundary itself.
    const ChimeChoice choice = SelectChime(next.hour, next.minute, Options());
    const unsigned leadIn = WantedLeadIn();
    const bool fromMemory =
        choice.play && m_player.Prepare(SlotText(choice.slot), Volume(), leadIn);
    m_nArmedLeadIn = fromMemory ? leadIn : 0;
    m_nArmedEarly = m_nArmedLeadIn + kHeadStartMs;
    // SetTimer replaces a timer of the same id, so a stale one never fires as well.
    const unsigned delay = m_schedule.Arm(next, m_nArmedEarly);
    SetTimer(ID_CHIME_TIMER, std::max<unsigned>(delay, USER_TIMER_MINIMUM));
    if (!m_bSoundReady)
        SetTimer(ID_READY_TIMER,
                 std::max<unsigned>(delay > kReadyAheadMs ? delay - kReadyAheadMs : 0,
                                    USER_TIMER_MINIMUM));
}

void CChimeDlg::OnTimeChange() {
    ArmChimeTimer(true);
    RefreshStatus();
}

void CChimeDlg::OnPowerBroadcast(UINT event) {
    if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND)
        OnTimeChange();
}

// A full-screen program, a full-screen game, presentation mode, Windows' Do not disturb or a
// call: no chime over them. Any other answer, or none (a failed call, a system without it),
// lets the chime ring.
QuietReason CChimeDlg::BusyReason() {
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

void CChimeDlg::ChimeTick(UINT_PTR nIDEvent) {
    if (nIDEvent == ID_READY_TIMER) {
        KillTimer(nIDEvent);
        WinmmDll().waveOutGetNumDevs();
        m_bSoundReady = TRUE;
        return;
    }
    if (nIDEvent != ID_CHIME_TIMER) {
        Default();
        return;
    }
    const ChimeSchedule::Tick tick = m_schedule.OnTick(Platform().Now());
    KillTimer(nIDEvent);
    // The quiet hours and the snooze are those of the boundary, which may still be a moment
    // away.
    const Boundary& at = tick.boundary;
    if (tick.timely && at.msAway > m_nArmedEarly + kEarlySlackMs) {
        // Well before its time (the clock was set forward a little, unannounced): the timer
        // waits for the rest, so that the lead-in and the note keep their moments.
        SetTimer(ID_CHIME_TIMER,
                 std::max<unsigned>(m_schedule.Arm(at, m_nArmedEarly), USER_TIMER_MINIMUM));
        return;
    }
    if (!tick.timely) {
        RefreshStatus();
    } else if (!m_bDisabled && !RefreshStatus(&at)) {
        // Quiet for the user's sake, and said so in the tooltip until a quarter rings.
        const QuietReason before = m_quiet;
        m_quiet = Checked(IDC_QUIET_WHEN_BUSY) ? BusyReason() : QuietReason::None;
        if (m_quiet == QuietReason::None && Ring(at)) {
            // The window goes on taking its messages while the chime sounds; its end arms the
            // next quarter.
            Default();
            return;
        }
        if (m_quiet != QuietReason::None) {
            m_nQuietHour = at.hour;
            m_nQuietMinute = at.minute;
        }
        if (m_quiet != QuietReason::None || before != QuietReason::None)
            RefreshStatus();
    }
    ArmChimeTimer();
    Default();
}

bool CChimeDlg::Ring(const Boundary& boundary) {
    if (!m_nChimeSerial)
        AfxGetApp()->DoWaitCursor(1);
    SetTrayStatus(kTipRinging, IDI_TRAY_RINGING);
    Platform().Notify(NIM_MODIFY, &m_nid);

    const ChimeChoice choice = SelectChime(boundary.hour, boundary.minute, Options());
    unsigned serial = 0;
    if (choice.play) {
        // The time left until the boundary, measured now that the busy check and the tray are
        // done: the lead-in starts that much before it, the note on it.
        const LocalTime now = Platform().Now();
        const unsigned wait = boundary.utc && now.utc ? MsAfter(now, boundary.utc - now.utc) : 0;
        // A speech still going ends as the chime starts.
        if (Checked(IDC_SPEAK_TIME))
            Platform().Speak(L"", Volume(), Player().Device());
        serial = m_player.Chime(SlotText(choice.slot), choice.count, Volume(), wait, m_nArmedLeadIn,
                                m_hWnd, WM_CHIME_DONE);
    }
    if (!serial) {
        // Nothing sounds: the ringing status was the whole of it.
        m_nChimeSerial = 0;
        RefreshStatus(&boundary);
        AfxGetApp()->DoWaitCursor(-1);
        return false;
    }
    m_nChimeSerial = serial;
    m_nRingHour = boundary.hour;
    m_nRingMinute = boundary.minute;
    return true;
}

void CChimeDlg::OnChimeDone(bool whole, unsigned serial) {
    // A chime that another took the place of has nothing left to restore.
    if (!serial || serial != m_nChimeSerial)
        return;
    m_nChimeSerial = 0;
    RefreshStatus();
    AfxGetApp()->DoWaitCursor(-1);
    if (whole)
        SpeakTime(m_nRingHour, m_nRingMinute);
    // Re-armed from the clock as it is after the sound, so lateness never accumulates.
    ArmChimeTimer();
}

void CChimeDlg::OnVolumeScroll(UINT code, HWND slider) {
    if (slider != ::GetDlgItem(m_hWnd, IDC_VOLUME) ||
        (code != TB_ENDTRACK && code != TB_THUMBPOSITION))
        return;
    const int volume = Volume();
    if (volume == m_nPreviewedVolume)
        return;
    m_nPreviewedVolume = volume;
    const std::string hour = SlotText(SoundSlot::Hour);
    if (hour.empty())
        PlayResource(IDW_CUE_YES, volume);
    else
        m_player.PlayNow(hour, volume);
}
