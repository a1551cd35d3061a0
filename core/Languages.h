#pragma once
// The languages CHIMO! speaks, and which of them it speaks to a user: the one they chose, or
// the first of Windows' display languages it has, or English.
#include <string>
#include <vector>

struct Language {
    const char* tag;     // as Windows names it: "de", "pt-BR"
    unsigned short id;   // the LANGID of its resources
    const char* ownName; // in UTF-8, as its speakers write it: "Deutsch", "日本語"
};

// English first; the others in the order the language list shows them.
extern const Language kLanguages[];
extern const int kLanguageCount;

// The language whose name `name` is ("de-AT", "de_at", "DE" and "de" all give German; "pt-PT"
// gives Portuguese (Brazil)), or -1 for one CHIMO! does not speak. Chinese in the traditional
// script (zh-Hant, zh-TW, zh-HK, zh-MO) is not the simplified Chinese CHIMO! has.
int LanguageNamed(const std::string& name);

// The language to speak: `chosen` (the stored choice) when it names one CHIMO! has; otherwise
// the first of `preferred` (Windows' display languages, most wanted first) that it has;
// otherwise English (0).
int ChooseLanguage(const std::string& chosen, const std::vector<std::string>& preferred);
