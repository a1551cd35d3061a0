#pragma once
// The Sleep Timer's quiet-hours test on HHMM values (hours x 100 + minutes, 24-hour form, 0 for
// "not set"; the 12 AM hour is stored as 24xx).

// Whether time of day `t` (0 to 2359) lies inside the quiet hours from `start` to `stop`, both
// ends included. Only the Sleep Timer state 1 with both times set silences anything. A window
// whose start is not before its stop runs past midnight; equal ends mean all day.
//
// The stored 12 AM hour (2400 to 2459) is compared as 0000 to 0059, the values the clock
// really reaches, so "12:00AM to 12:30AM" is quiet from 00:00 to 00:30 and "10:00PM to
// 12:00AM" includes the 00:00 chime.
bool InQuietHours(int timerState, int start, int stop, int t);

// The chime's volume (0 to 100) at a quarter inside the quiet hours (`inQuietHours`) or outside:
// outside the day's `volume`; inside the night volume `nightVolume` when it is one (0 to 100),
// or -1, silent, when the quiet hours keep silent (the stored -1, or any other value).
int VolumeAt(bool inQuietHours, int nightVolume, int volume);
