// The Sleep Timer's time parser on any text a user can type or a profile can hold.
#include "core/SleepTime.h"
#include "fuzz/Check.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string typed(reinterpret_cast<const char*>(data), size);
    const SleepTimeParse parsed = ParseSleepTimeText(typed);

    // The text has no outer white space; a text that fails is the typed one trimmed.
    Check(parsed.text.empty() || (!IsSpace(parsed.text.front()) && !IsSpace(parsed.text.back())));
    if (!parsed.ok) {
        Check(parsed.text.size() <= typed.size() && typed.find(parsed.text) != std::string::npos);
        return 0;
    }
    if (parsed.text.empty()) {
        Check(parsed.hhmm == 0);
        return 0;
    }
    Check(parsed.hhmm >= 100 && parsed.hhmm <= 2459 && parsed.hhmm % 100 <= 59);
    Check(parsed.text.size() == 7); // "hh:mmAM"

    // The normalised text is a fixed point: it parses to itself and the same time.
    const SleepTimeParse again = ParseSleepTimeText(parsed.text);
    Check(again.ok && again.hhmm == parsed.hhmm && again.text == parsed.text);
    return 0;
}
