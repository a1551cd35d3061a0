// The release run-time's own exception for the library's checks: a range error says what was
// out of range, with the numbers filled in. Built without the test library, which would bring
// the standard run-time's versions of the same functions along.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

int main() {
    std::string text = "abc";
    volatile std::size_t at = 7;
    try {
        (void)text.at(at);
    } catch (const std::exception& e) {
        const char* what = e.what();
        const bool filled = std::strstr(what, "basic_string::at") &&
                            std::strstr(what, "(which is 7)") &&
                            std::strstr(what, "(which is 3)") && !std::strchr(what, '%');
        std::printf("%s\n%s\n", what, filled ? "1 passed, 0 failed" : "0 passed, 1 failed");
        return filled ? 0 : 1;
    }
    std::printf("no exception\n0 passed, 1 failed\n");
    return 1;
}
