#include "framework/Language.h"

#include "framework/CWinApp.h"

namespace {
LANGID g_language = kEnglish;

struct Search {
    LANGID wanted;
    bool found;
};

BOOL CALLBACK HasLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    auto* search = reinterpret_cast<Search*>(param);
    search->found = search->found || language == search->wanted;
    return !search->found;
}

// `length` units of `text`, terminated.
std::vector<wchar_t> Terminated(const wchar_t* text, int length) {
    std::vector<wchar_t> copy(text, text + length);
    copy.push_back(L'\0');
    return copy;
}
} // namespace

void SetTextLanguage(LANGID language) { g_language = language; }
LANGID TextLanguage() { return g_language; }

const wchar_t* TextInLanguage(UINT id, LANGID language, int* length) {
    const HMODULE module = AfxGetInstanceHandle();
    // FindResourceEx falls back to another language where this one has no such block: its
    // absence is told first, so that a translation never shows another's text.
    Search search{language, false};
    ::EnumResourceLanguagesW(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(id / 16 + 1),
                             HasLanguage, reinterpret_cast<LONG_PTR>(&search));
    if (!search.found)
        return nullptr;
    // Strings come in blocks of sixteen, each a count and that many characters.
    const HRSRC found = ::FindResourceExW(module, MAKEINTRESOURCEW(6) /* RT_STRING */,
                                          MAKEINTRESOURCEW(id / 16 + 1), language);
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* at = static_cast<const wchar_t*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!at)
        return nullptr;
    const wchar_t* const end = at + ::SizeofResource(module, found) / sizeof(wchar_t);
    for (UINT skip = id % 16; skip > 0 && at < end; --skip)
        at += 1 + *at;
    if (at >= end || *at == 0 || end - (at + 1) < *at)
        return nullptr;
    *length = *at;
    return at + 1;
}

const wchar_t* LanguageText(UINT id, int* length) {
    const wchar_t* text = TextInLanguage(id, g_language, length);
    return text || g_language == kEnglish ? text : TextInLanguage(id, kEnglish, length);
}

void TranslateControls(HWND dialog, UINT base, TemplateTexts& templateTexts) {
    const auto translate = [&](HWND window, int id) {
        int length = 0;
        const wchar_t* text = LanguageText(base + static_cast<UINT>(id), &length);
        auto kept = templateTexts.begin();
        while (kept != templateTexts.end() && kept->first != id)
            ++kept;
        if (text && kept == templateTexts.end()) {
            std::vector<wchar_t> original(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1);
            ::GetWindowTextW(window, original.data(), static_cast<int>(original.size()));
            templateTexts.emplace_back(id, std::move(original));
        }
        if (text)
            ::SetWindowTextW(window, Terminated(text, length).data());
        else if (kept != templateTexts.end())
            ::SetWindowTextW(window, kept->second.data());
    };
    if (base != 0)
        translate(dialog, 0);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child);
        if (id > 0 && id != 0xFFFF)
            translate(child, id);
    }
}

void TranslateMenu(HMENU menu) {
    for (int i = 0, n = ::GetMenuItemCount(menu); i < n; ++i) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item))
            continue;
        if (item.hSubMenu)
            TranslateMenu(item.hSubMenu);
        else if (!(item.fType & MFT_SEPARATOR)) {
            int length = 0;
            if (const wchar_t* text = LanguageText(item.wID, &length)) {
                std::vector<wchar_t> copy = Terminated(text, length);
                MENUITEMINFOW change{};
                change.cbSize = sizeof change;
                change.fMask = MIIM_STRING;
                change.dwTypeData = copy.data();
                ::SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change);
            }
        }
    }
}
