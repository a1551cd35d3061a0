// Two pieces of the C++ run-time, replaced to keep the static executable small. Neither changes
// what a caller sees: no window procedure lets an exception out (each reports it), and every
// report goes through std::exception::what().
//
// - std::terminate's default handler prints the exception's demangled type to a console the
//   program does not have, and links in a 46 KB demangler for that; this one ends the process
//   the same way, without the message.
// - The library's checks (std::string's range checks, a bad std::function call, a failed
//   allocation) throw through the helpers below. The run-time's own versions build
//   std::logic_error and friends, which bring a second, reference-counted string
//   implementation (over 40 KB); these throw one small exception type with the same text.
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>

#if defined(__GNUC__) && !defined(__clang__) && defined(_WIN32)
namespace {
class LibraryCheckFailed : public std::exception {
public:
    explicit LibraryCheckFailed(const char* what) { Append(what ? what : "library check failed"); }
    // The library's range checks pass a format with %s, %zu and %% in it.
    LibraryCheckFailed(const char* format, va_list args) {
        for (const char* p = format; *p; ++p) {
            if (p[0] == '%' && p[1] == 's') {
                Append(va_arg(args, const char*));
                ++p;
            } else if (p[0] == '%' && p[1] == 'z' && p[2] == 'u') {
                char digits[24];
                char* first = digits + sizeof digits - 1;
                *first = '\0';
                size_t n = va_arg(args, size_t);
                do
                    *--first = static_cast<char>('0' + n % 10);
                while ((n /= 10) != 0);
                Append(first);
                p += 2;
            } else {
                if (p[0] == '%' && p[1] == '%')
                    ++p;
                const char one[2] = {*p, '\0'};
                Append(one);
            }
        }
    }
    const char* what() const noexcept override { return m_text; }

private:
    // Appends as much of `text` as fits; the text always stays terminated.
    void Append(const char* text) {
        size_t used = std::strlen(m_text);
        for (; text && *text && used + 1 < sizeof m_text; ++text)
            m_text[used++] = *text;
        m_text[used] = '\0';
    }
    char m_text[256] = "";
};
} // namespace

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_logic_error(const char* what) { throw LibraryCheckFailed(what); }
void __throw_length_error(const char* what) { throw LibraryCheckFailed(what); }
void __throw_out_of_range(const char* what) { throw LibraryCheckFailed(what); }
void __throw_out_of_range_fmt(const char* format, ...) {
    va_list args;
    va_start(args, format);
    LibraryCheckFailed failure(format, args);
    va_end(args);
    throw failure;
}
void __throw_invalid_argument(const char* what) { throw LibraryCheckFailed(what); }
void __throw_bad_function_call() { throw LibraryCheckFailed("bad function call"); }
} // namespace std
#endif
