#include "framework/CString.h"

#include "framework/Language.h"
#include "framework/Unicode.h"

CString LoadText(unsigned int id) {
    // The text language's own text, read in place; else the English one.
    int length = 0;
    const wchar_t* text = LanguageText(id, &length);
    return text ? Utf8(text, length) : CString();
}

bool CString::LoadString(unsigned int id) {
    *this = LoadText(id);
    return !IsEmpty();
}
