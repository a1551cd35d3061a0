#pragma once
// The reasons for the chime to keep quiet beyond its quiet hours and Disable, as pure rules: a
// call (some program is using the microphone), a full-screen program or presentation,
// Windows' Do not disturb, the snooze chosen from the tray, and the days of the week it rings
// on.
#include "core/LocalTime.h"

#include <functional>
#include <string>
#include <vector>

// One program's record in the system's store of microphone use: when it last started and
// stopped using the microphone (FILETIME values: 100 ns units since 1601), and which program:
// a classic one by its key name (its path, each "\" written "#"), a Store app by its package
// family name.
struct MicrophoneUse {
    std::string program;
    std::string package;
    unsigned long long start = 0, stop = 0;
};

// A program's path as the store writes it in a key name: each "\" as "#" (so a "#" of the path
// itself stays as it is, and a key name is never decoded back).
std::string KeyNameOf(const std::string& path);

// A use older than this is taken as left behind by a program that ended while recording.
constexpr unsigned long long kStaleMicrophoneUse = 12ull * 3600 * 10000000;

// Whether some program is using the microphone at `now` (a FILETIME value): a record that
// started and has not stopped, started no more than 12 hours before `now`, and whose program
// `running` says is running now (a process of the classic program, or of the Store app's
// package).
bool MicrophoneInUse(const std::vector<MicrophoneUse>& uses, unsigned long long now,
                     const std::function<bool(const MicrophoneUse&)>& running);

// Windows' Do not disturb (Focus assist) as its state record says: on for "priority only" (1)
// and "alarms only" (2). A record that could not be read, or of another size, is off.
bool DoNotDisturbOn(bool read, unsigned long size, unsigned long value);

// Why a quarter that was due did not ring, beyond the quiet hours, the days, the snooze and
// Disable (which show as states of their own).
enum class QuietReason {
    None,
    Call,
    FullScreen,
    Presentation,
    DoNotDisturb,
    Locked,     // the session is locked or disconnected
    DisplayOff, // the display is off
    Away,       // no input for the minutes asked
};

// Whether anybody is there: the session locked (from lock to unlock) or disconnected (from a
// console or remote disconnect to a connect), and the display off, as the system's notices
// leave them.
struct Presence {
    bool locked = false, disconnected = false, displayOff = false;
};
// `presence` after the session notice `event` (WTS_SESSION_LOCK and the others, by value: 1
// console connect, 2 console disconnect, 3 remote connect, 4 remote disconnect, 7 lock, 8
// unlock); any other leaves it as it is.
Presence AfterSessionEvent(Presence presence, unsigned event);
// Why nobody is there to hear a quarter: locked, the display off, or no input for `idleMs`
// of at least `awayMinutes` minutes; None when someone is.
QuietReason AwayReason(const Presence& presence, unsigned long idleMs, int awayMinutes);

// "Silence for an hour": chosen at a moment, it silences every boundary before the hour is up;
// the first at or after its end rings. Its moments are milliseconds of a clock that never
// jumps, so that it lasts an hour of real time whatever is done to the wall clock.
class Snooze {
public:
    static constexpr long long kMs = 3600 * 1000;
    void Start(long long nowMs) { m_until = nowMs + kMs, m_on = true; }
    void End() { m_on = false; }
    // Whether it is in force at `nowMs` (the menu's check, the tooltip).
    bool InForce(long long nowMs) const { return m_on && nowMs < m_until; }
    // Whether a boundary at `boundaryMs` keeps quiet.
    bool Silences(long long boundaryMs) const { return m_on && boundaryMs < m_until; }
    // What is left of it at `nowMs`, in milliseconds.
    long long Left(long long nowMs) const { return InForce(nowMs) ? m_until - nowMs : 0; }

    // When it ends, on the wall clock as `now` reads it: a clock set since it began moves
    // the end with it.
    LocalTime Ends(const LocalTime& now) const;

private:
    long long m_until = 0;
    bool m_on = false;
};

// The days CHIMO! rings on: bit 0 Monday to bit 6 Sunday. A stored value that is absent or
// out of range is every day.
constexpr int kEveryDay = 127;
int DaysFromProfile(int stored);
// Whether it rings on `weekday` (0 Monday to 6 Sunday).
bool RingsOn(int days, int weekday);
// The weekday shown at `position` (0 to 6) of a week that begins on `firstDay`.
int DayAt(int position, int firstDay);
