#include "framework/CString.h"

#include "framework/CWinApp.h"
#include "framework/Unicode.h"

CString LoadText(unsigned int id) {
    // The resource's own text, read in place (a zero size gives a pointer to it).
    const wchar_t* text = nullptr;
    const int length =
        ::LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? Utf8(text, length) : CString();
}

bool CString::LoadString(unsigned int id) {
    *this = LoadText(id);
    return !IsEmpty();
}
