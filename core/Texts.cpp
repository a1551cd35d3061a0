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

std::string ShortcutOf(const std::string& label) {
    for (std::string::size_type i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != '&')
            continue;
        if (label[i + 1] != '&')
            return std::string("Alt+") + label[i + 1];
        ++i;
    }
    return std::string();
}
