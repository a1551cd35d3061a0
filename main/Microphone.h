#pragma once
// Whether the user is on a call: Windows 10 (1903 and later) and 11 record, per program, when it
// last started and stopped using the microphone, under
//   HKCU\Software\Microsoft\Windows\CurrentVersion\CapabilityAccessManager\ConsentStore\microphone
// one subkey per Store app, and below "NonPackaged" one per classic program, named by its path
// with "\" written "#"; each holds LastUsedTimeStart and LastUsedTimeStop (REG_QWORD,
// FILETIME). The store is not a documented interface: nothing documented tells a call apart.
// Read only; anything missing or unreadable counts as not in use, so a future Windows that
// changes it simply lets the chime ring.

// Whether some program is using the microphone at `nowUtc` (seconds since 1970), by the rule
// of MicrophoneInUse in core/Quiet.h.
bool MicrophoneInUseNow(long long nowUtc);
