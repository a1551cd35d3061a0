#include "core/Texts.h"

std::string SpokenText(const std::string& text) {
    std::string spoken;
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && ++i == text.size())
            break;
        spoken += text[i];
    }
    while (!spoken.empty() && (spoken.back() == '.' || spoken.back() == ':'))
        spoken.pop_back();
    return spoken;
}

namespace {
// The UTF-8 character that starts at `at`, whole; empty where none does.
std::string WholeCharacterAt(const std::string& text, std::string::size_type at) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    const std::string::size_type length = lead < 0x80                   ? 1
                                          : lead >= 0xC2 && lead < 0xE0 ? 2
                                          : lead >= 0xE0 && lead < 0xF0 ? 3
                                          : lead >= 0xF0 && lead < 0xF5 ? 4
                                                                        : 0;
    if (length == 0 || text.size() - at < length)
        return std::string();
    for (std::string::size_type i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return std::string();
    return text.substr(at, length);
}
} // namespace

std::string ShortcutOf(const std::string& label) {
    for (std::string::size_type i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != '&')
            continue;
        if (label[i + 1] != '&') {
            const std::string key = WholeCharacterAt(label, i + 1);
            return key.empty() ? key : "Alt+" + key;
        }
        ++i;
    }
    return std::string();
}

std::string FillIn(const std::string& pattern, std::initializer_list<std::string> args) {
    std::string text;
    for (std::string::size_type i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] != '%' || !(next == '%' || (next >= '1' && next <= '9'))) {
            text += pattern[i];
            continue;
        }
        ++i;
        if (next == '%')
            text += '%';
        else if (static_cast<size_t>(next - '1') < args.size())
            text += *(args.begin() + (next - '1'));
    }
    return text;
}
