#include "core/Quiet.h"

std::string ProgramFromKeyName(const std::string& name) {
    std::string path = name;
    for (char& c : path)
        if (c == '#')
            c = '\\';
    return path;
}

bool MicrophoneInUse(const std::vector<MicrophoneUse>& uses, unsigned long long now,
                     const std::function<bool(const std::string&)>& running) {
    for (const MicrophoneUse& use : uses) {
        if (use.start == 0 || use.stop != 0)
            continue;
        if (use.start < now && now - use.start > kStaleMicrophoneUse)
            continue;
        if (!use.program.empty() && !running(use.program))
            continue;
        return true;
    }
    return false;
}
