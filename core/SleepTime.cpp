#include "core/SleepTime.h"

namespace {
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
size_t DigitRun(const std::string& s, size_t from) {
    size_t n = 0;
    while (from + n < s.size() && IsDigit(s[from + n]))
        ++n;
    return n;
}
int Value(const std::string& digits) { return (digits[0] - '0') * 10 + (digits[1] - '0'); }
} // namespace

SleepTimeParse ParseSleepTimeText(const std::string& typed) {
    SleepTimeParse result;
    size_t first = 0, last = typed.size();
    while (first < last && IsSpace(typed[first]))
        ++first;
    while (last > first && IsSpace(typed[last - 1]))
        --last;
    const std::string text = typed.substr(first, last - first);
    result.text = text;
    if (text.empty()) {
        result.ok = true;
        return result;
    }

    const size_t n = DigitRun(text, 0);
    if (n != 1 && n != 2)
        return result;
    const std::string hour = n == 1 ? "0" + text.substr(0, 1) : text.substr(0, 2);
    // The hour digits as typed and exactly one character after them, whatever it is.
    const size_t restAt = n + 1;
    if (restAt > text.size() || DigitRun(text, restAt) != 2)
        return result;
    const std::string minute = text.substr(restAt, 2);

    std::string suffix = text.size() <= 2 ? text : text.substr(text.size() - 2);
    for (char& c : suffix)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (suffix != "AM" && suffix != "PM")
        return result;

    int h = Value(hour);
    const int m = Value(minute);
    if (h < 1 || h > 12 || m > 59)
        return result;
    if (suffix == "PM" && h != 12)
        h += 12;
    else if (suffix == "AM" && h == 12)
        h = 24;

    result.ok = true;
    result.hhmm = h * 100 + m;
    result.text = hour + ":" + minute + suffix;
    return result;
}
