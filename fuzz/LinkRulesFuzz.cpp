// The link label's fallback open command, the filling of its error text and its fitting, on any
// registry command, link target, shell code and rectangle.
#include "core/LinkRules.h"
#include "core/Texts.h"
#include "fuzz/Check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    EdgeRect r;
    r.left = in.ConsumeIntegral<int>();
    r.top = in.ConsumeIntegral<int>();
    r.right = in.ConsumeIntegral<int>();
    r.bottom = in.ConsumeIntegral<int>();
    const unsigned style = in.ConsumeIntegral<unsigned>();
    const int cx = in.ConsumeIntegral<int>(), cy = in.ConsumeIntegral<int>();
    (void)FitRectToText(r, style, cx, cy);

    const int code = in.ConsumeIntegral<int>();
    const std::string error = FillIn("Unknown Error (%1) occurred.%2", {std::to_string(code)});
    Check(error == "Unknown Error (" + std::to_string(code) + ") occurred.");

    const std::string target = in.ConsumeRandomLengthString(4096);
    const std::string command = in.ConsumeRemainingBytesAsString();
    std::string out = "untouched";
    if (BuildOpenCommand(command, target, out)) {
        Check(out.size() <= kMaxOpenCommand);
        Check(out.size() > target.size() &&
              out.compare(out.size() - target.size(), target.size(), target) == 0);
        Check(out[out.size() - target.size() - 1] == ' ');
    } else {
        Check(out == "untouched");
    }
    return 0;
}
