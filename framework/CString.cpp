#include "framework/CString.h"

#include "framework/CWinApp.h"

#include <cstdarg>
#include <vector>

void CString::Format(const char* format, ...) {
    va_list args, probe;
    va_start(args, format);
    va_copy(probe, args);
    // The system's own formatter (the C++ library's vsnprintf brings MinGW's, some 25 KB).
    const int needed = ::_vscprintf(format, probe);
    va_end(probe);
    m_str.clear();
    if (needed >= 0) {
        std::vector<char> buffer(static_cast<size_t>(needed) + 1);
        ::_vsnprintf(buffer.data(), buffer.size(), format, args);
        m_str.assign(buffer.data(), static_cast<size_t>(needed));
    }
    va_end(args);
}

bool CString::LoadString(unsigned int id) {
    // With a zero buffer size LoadStringA does not give a pointer; read into a buffer that
    // grows until the string fits.
    std::string buffer(256, '\0');
    for (;;) {
        int n = ::LoadStringA(AfxGetInstanceHandle(), id, buffer.data(),
                              static_cast<int>(buffer.size()));
        if (n <= 0) {
            m_str.clear();
            return false;
        }
        if (static_cast<size_t>(n) + 1 < buffer.size() || buffer.size() >= 65536) {
            m_str.assign(buffer.data(), static_cast<size_t>(n));
            return true;
        }
        buffer.resize(buffer.size() * 2);
    }
}
