// A value read back from the profile or the registry, whatever it holds, through the string
// class and every rule that reads stored values: the sleep times, the slot texts, the program
// path that instances compare.
#include "CString.h"
#include "SleepTime.h"
#include "SlotFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
void Check(bool condition) {
    if (!condition)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int a = in.ConsumeIntegral<int>(), b = in.ConsumeIntegral<int>();
    const char ch = in.ConsumeIntegral<char>();
    const std::string raw = in.ConsumeRemainingBytesAsString();

    // The profile hands back a byte count with the text; a registry value may hold NULs.
    CString value(raw.data(), static_cast<int>(raw.size()));
    Check(value.GetLength() == static_cast<int>(raw.size()));
    // A count is the caller's promise about the buffer: any count up to its size, or below 0.
    const int count = a < 0 ? a : static_cast<int>(static_cast<unsigned>(a) % (raw.size() + 1));
    CString cut(raw.data(), count);
    Check(cut.GetLength() == (count > 0 ? count : 0));

    // Index arithmetic with any numbers stays inside the string.
    Check(value.Left(a).GetLength() <= value.GetLength());
    Check(value.Right(b).GetLength() <= value.GetLength());
    Check(value.Mid(a).GetLength() <= value.GetLength());
    Check(value.Mid(a, b).GetLength() <= value.GetLength());
    (void)value.GetAt(a);
    const int found = value.Find(ch, b);
    Check(found == -1 || (found >= 0 && found < value.GetLength()));
    CString sub = value.Mid(b, 3);
    const int at = value.Find(sub, a);
    Check(at >= -1 && at <= value.GetLength());
    (void)value.SpanIncluding(sub);

    CString upper = value;
    upper.MakeUpper();
    Check(upper.GetLength() == value.GetLength());
    CString trimmed = value;
    trimmed.Trim();
    Check(trimmed.GetLength() <= value.GetLength());
    CString number;
    number.Format("%d", a);
    Check(number.GetLength() > 0 && number.GetLength() <= 11);
    CString joined = value + number;
    joined += value;
    Check(joined.GetLength() == 2 * value.GetLength() + number.GetLength());

    // The rules that read stored values, on the value as the program holds it.
    const std::string text = value.str().c_str(); // as the controls see it: up to a NUL
    (void)ParseSleepTimeText(text);
    Check(SlotFile(text, "C:\\WINDOWS").size() <= kMaxPathLength);
    return 0;
}
