#include "core/Languages.h"

#include <cstring>

const Language kLanguages[] = {
    {"en-US", 0x0409, "English"},  {"de-DE", 0x0407, "Deutsch"},
    {"es-ES", 0x0C0A, "Español"},  {"fr-FR", 0x040C, "Français"},
    {"it-IT", 0x0410, "Italiano"}, {"nl-NL", 0x0413, "Nederlands"},
    {"pl-PL", 0x0415, "Polski"},   {"pt-BR", 0x0416, "Português (Brasil)"},
    {"ru-RU", 0x0419, "Русский"},  {"ja-JP", 0x0411, "日本語"},
    {"zh-CN", 0x0804, "简体中文"},
};
const int kLanguageCount = static_cast<int>(sizeof kLanguages / sizeof kLanguages[0]);

namespace {
// `name` in lower case, with '_' read as '-'.
std::string Normalized(const std::string& name) {
    std::string out = name;
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        else if (c == '_')
            c = '-';
    }
    return out;
}

std::string BaseOf(const std::string& name) { return name.substr(0, name.find('-')); }

bool TraditionalChinese(const std::string& name) {
    if (BaseOf(name) != "zh")
        return false;
    for (const char* mark : {"-hant", "-tw", "-hk", "-mo"}) {
        const size_t at = name.find(mark);
        const size_t end = at + std::strlen(mark);
        if (at != std::string::npos && (end == name.size() || name[end] == '-'))
            return true;
    }
    return false;
}
} // namespace

int LanguageNamed(const std::string& name) {
    const std::string wanted = Normalized(name);
    if (wanted.empty() || TraditionalChinese(wanted))
        return -1;
    for (int i = 0; i < kLanguageCount; ++i)
        if (BaseOf(Normalized(kLanguages[i].tag)) == BaseOf(wanted))
            return i;
    return -1;
}

int ChooseLanguage(const std::string& chosen, const std::vector<std::string>& preferred) {
    const int own = LanguageNamed(chosen);
    if (own >= 0)
        return own;
    for (const std::string& name : preferred) {
        const int found = LanguageNamed(name);
        if (found >= 0)
            return found;
    }
    return 0;
}
