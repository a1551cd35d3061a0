#pragma once
// Two more reasons for the chime to keep quiet, as pure rules: a call (some program is using
// the microphone) and the snooze chosen from the tray.
#include <functional>
#include <string>
#include <vector>

// One program's record in the system's store of microphone use: when it last started and
// stopped using the microphone (FILETIME values: 100 ns units since 1601), and, for a program
// installed the classic way, its path (empty for a Store app).
struct MicrophoneUse {
    std::string program;
    unsigned long long start = 0, stop = 0;
};

// A classic program's path from its key name in the store, where each "\" is written "#".
std::string ProgramFromKeyName(const std::string& name);

// A use older than this is taken as left behind by a program that ended while recording.
constexpr unsigned long long kStaleMicrophoneUse = 12ull * 3600 * 10000000;

// Whether some program is using the microphone at `now` (a FILETIME value): a record that
// started and has not stopped, started no more than 12 hours before `now`, and, for a classic
// program, whose program `running` says is running now.
bool MicrophoneInUse(const std::vector<MicrophoneUse>& uses, unsigned long long now,
                     const std::function<bool(const std::string&)>& running);

// "Silence for an hour": chosen at a moment, it silences every boundary before the hour is up;
// the first at or after its end rings.
class Snooze {
public:
    static constexpr long long kSeconds = 3600;
    void Start(long long nowUtc) { m_until = nowUtc + kSeconds; }
    void End() { m_until = 0; }
    // Whether it is in force at `nowUtc` (the menu's check, the tooltip).
    bool InForce(long long nowUtc) const { return nowUtc < m_until; }
    // Whether the boundary at `boundaryUtc` keeps quiet.
    bool Silences(long long boundaryUtc) const { return boundaryUtc < m_until; }
    long long Until() const { return m_until; }

private:
    long long m_until = 0;
};
