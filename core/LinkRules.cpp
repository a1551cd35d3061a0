#include "core/LinkRules.h"

#include <algorithm>

#include <limits>
#include <string>

namespace {
// Edge arithmetic is done wide and the result kept in range: a rectangle near the limits of
// int, or a huge extent, gives the nearest representable edge instead of overflowing.
int ToInt(long long v) {
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}
} // namespace

EdgeRect FitRectToText(EdgeRect r, unsigned style, int cx, int cy) {
    long long left = r.left, top = r.top, right = r.right, bottom = r.bottom;
    if (style & kStyleCenterImage) {
        long long dy = (bottom - top - cy) / 2; // C++ division truncates toward zero
        top += dy;
        bottom -= dy;
    } else {
        bottom = top + cy;
    }
    if (style & kStyleCenter) {
        long long dx = (right - left - cx) / 2;
        left += dx;
        right -= dx;
    } else if (style & kStyleRight) {
        left = right - cx;
    } else {
        right = left + cx;
    }
    return EdgeRect{ToInt(left), ToInt(top), ToInt(right), ToInt(bottom)};
}

bool BuildOpenCommand(const std::string& command, const std::string& target, std::string& out) {
    std::string::size_type cut = command.find("\"%1\"");
    if (cut == std::string::npos)
        cut = command.find("%1");
    std::string built = command.substr(0, cut);
    built += ' ';
    built += target;
    if (built.size() > kMaxOpenCommand)
        return false;
    out = built;
    return true;
}

ProgramCommand QuoteProgram(const std::string& command) {
    const std::string::size_type start = command.find_first_not_of(' ');
    if (start == std::string::npos)
        return {};
    ProgramCommand run;
    std::string::size_type end;
    if (command[start] == '"') {
        end = command.find('"', start + 1);
        run.program = command.substr(start + 1, end == std::string::npos ? end : end - start - 1);
        end = end == std::string::npos ? command.size() : end + 1;
    } else {
        // ".exe" in any case, followed by a space or the end.
        const auto endsExe = [&](std::string::size_type at) {
            static const char kExe[] = ".exe";
            for (std::string::size_type i = 0; i < 4; ++i)
                if (at + i >= command.size() || (command[at + i] | 0x20) != kExe[i])
                    return false;
            return at + 4 == command.size() || command[at + 4] == ' ';
        };
        end = std::string::npos;
        for (std::string::size_type at = command.find('.', start);
             at != std::string::npos && end == std::string::npos; at = command.find('.', at + 1))
            if (endsExe(at))
                end = at + 4;
        if (end == std::string::npos)
            end = std::min(command.find(' ', start), command.size());
        run.program = command.substr(start, end - start);
    }
    run.line = '"' + run.program + '"' + command.substr(end);
    return run;
}
