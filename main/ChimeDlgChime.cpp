// The quarter-hour chime.
#include "main/ChimeDlg.h"

#include "core/QuietHours.h"
#include "core/Texts.h"
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

namespace {
// The chime's volume at hour:minute as the settings stand: the night volume inside the quiet
// hours (which ring only when quieter).
int ChimeVolume(const SettingsView& view, bool inQuietHours) {
    const int volume = VolumeAt(inQuietHours, view.NightVolume(), view.Volume());
    return volume < 0 ? view.Volume() : volume;
}
} // namespace

void CChimeDlg::ArmChimeTimer(bool afterChange) {
    const LocalTime now = Platform().Now();
    const SettingsView view(m_hWnd);
    m_schedule.SetTellEvery(view.TellEvery());
    const Boundary next = afterChange ? m_schedule.NextAfterChange(now) : m_schedule.Next(now);
    // Read and scaled now, so that the tick only plays it; and only a sound that plays from
    // memory can start with a lead-in: any other rings on the boundary itself. A time told is
    // mixed on its tick, as Tell the time mixes it.
    ChimeChoice choice;
    if (next.minute % 15 == 0 && !TellsAt(next.hour, next.minute, view.TellEvery(), view.Options()))
        choice = SelectChime(next.hour, next.minute, view.Options());
    const unsigned leadIn = view.LeadIn(m_nLeadInMs);
    const int volume = ChimeVolume(view, IsSleeping(next.hour * 100 + next.minute));
    const bool fromMemory =
        choice.play &&
        (choice.strokes.empty()
             ? m_player.Prepare(view.SlotText(choice.slot), volume, leadIn)
             : m_player.PrepareStrokes(choice.strokes, view.Slots(), volume, leadIn));
    m_armed.leadInMs = fromMemory ? leadIn : 0;
    m_armed.earlyMs = m_armed.leadInMs + kHeadStartMs;
    // SetTimer replaces a timer of the same id, so a stale one never fires as well.
    const unsigned delay = m_schedule.Arm(next, m_armed.earlyMs);
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

void CChimeDlg::OnPowerBroadcast(UINT event, LPARAM data) {
    if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND)
        OnTimeChange();
    else if (event == PBT_POWERSETTINGCHANGE && data)
        m_quiet.OnPowerSetting(*reinterpret_cast<const POWERBROADCAST_SETTING*>(data));
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
    if (tick.timely && at.msAway > m_armed.earlyMs + kEarlySlackMs) {
        // Well before its time (the clock was set forward a little, unannounced): the timer
        // waits for the rest, so that the lead-in and the note keep their moments.
        SetTimer(ID_CHIME_TIMER,
                 std::max<unsigned>(m_schedule.Arm(at, m_armed.earlyMs), USER_TIMER_MINIMUM));
        return;
    }
    if (!tick.timely) {
        RefreshStatus();
    } else if (!m_bDisabled && !RefreshStatus(&at)) {
        // Quiet for the user's sake, and said so in the tooltip until a quarter rings.
        const SettingsView view(m_hWnd);
        const bool tipChanges = m_quiet.Decide(at, view.Checked(IDC_QUIET_WHEN_BUSY),
                                               view.Checked(IDC_QUIET_WHEN_AWAY));
        if (m_quiet.Reason() == QuietReason::None) {
            if (TellsAt(at.hour, at.minute, view.TellEvery(), view.Options())) {
                m_tell.TellAt(at.hour, at.minute,
                              ChimeVolume(view, IsSleeping(at.hour * 100 + at.minute)));
            } else if (at.minute % 15 == 0 && Ring(at)) {
                // The window goes on taking its messages while the chime sounds; its end arms
                // the next quarter.
                Default();
                return;
            }
        }
        if (tipChanges)
            RefreshStatus();
    }
    ArmChimeTimer();
    Default();
}

bool CChimeDlg::Ring(const Boundary& boundary) {
    if (!m_ringing.serial)
        AfxGetApp()->DoWaitCursor(1);
    m_tray.Show(LoadText(IDS_TIP_RINGING), IDI_TRAY_RINGING);

    const SettingsView view(m_hWnd);
    const ChimeChoice choice = SelectChime(boundary.hour, boundary.minute, view.Options());
    unsigned serial = 0;
    if (choice.play) {
        // The time left until the boundary, measured now that the busy check and the tray are
        // done: the lead-in starts that much before it, the note on it.
        const LocalTime now = Platform().Now();
        const unsigned wait = boundary.utc && now.utc ? MsAfter(now, boundary.utc - now.utc) : 0;
        // A speech still going ends as the chime starts.
        m_tell.Hush();
        const int volume = ChimeVolume(view, IsSleeping(boundary.hour * 100 + boundary.minute));
        serial = choice.strokes.empty()
                     ? m_player.Chime(view.SlotText(choice.slot), choice.count, volume, wait,
                                      m_armed.leadInMs, m_hWnd, WM_CHIME_DONE)
                     : m_player.ChimeStrokes(choice.strokes, view.Slots(), volume, wait,
                                             m_armed.leadInMs, m_hWnd, WM_CHIME_DONE);
    }
    if (!serial) {
        // Nothing sounds: the ringing status was the whole of it.
        m_ringing.serial = 0;
        RefreshStatus(&boundary);
        AfxGetApp()->DoWaitCursor(-1);
        return false;
    }
    m_ringing = {serial, boundary.hour, boundary.minute};
    return true;
}

void CChimeDlg::OnChimeDone(bool whole, unsigned serial) {
    // A chime that another took the place of has nothing left to restore.
    if (!serial || serial != m_ringing.serial)
        return;
    m_ringing.serial = 0;
    RefreshStatus();
    AfxGetApp()->DoWaitCursor(-1);
    if (whole)
        m_tell.SpeakTime(m_ringing.hour, m_ringing.minute);
    // Re-armed from the clock as it is after the sound, so lateness never accumulates.
    ArmChimeTimer();
}

void CChimeDlg::OnVolumeScroll(UINT code, HWND slider) {
    if (slider != ::GetDlgItem(m_hWnd, IDC_VOLUME) ||
        (code != TB_ENDTRACK && code != TB_THUMBPOSITION))
        return;
    const int volume = SettingsView(m_hWnd).Volume();
    if (volume == m_nPreviewedVolume)
        return;
    m_nPreviewedVolume = volume;
    const std::string hour = SettingsView(m_hWnd).SlotText(SoundSlot::Hour);
    if (hour.empty())
        PlayResource(IDW_CUE_YES, volume);
    else
        m_player.PlayNow(hour, volume);
}
