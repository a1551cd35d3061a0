#include "framework/CString.h"

#include "framework/CWinApp.h"

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
