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
#include <cstdlib>
#include <exception>
#include <new>

#if defined(__GNUC__) && !defined(__clang__) && defined(_WIN32)
namespace {
class LibraryCheckFailed : public std::exception {
public:
    explicit LibraryCheckFailed(const char* what) : m_what(what ? what : "library check failed") {}
    const char* what() const noexcept override { return m_what; }

private:
    const char* m_what; // always a string literal of the library
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
void __throw_out_of_range_fmt(const char* what, ...) { throw LibraryCheckFailed(what); }
void __throw_invalid_argument(const char* what) { throw LibraryCheckFailed(what); }
void __throw_bad_function_call() { throw LibraryCheckFailed("bad function call"); }
} // namespace std
#endif
