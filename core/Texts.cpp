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

std::string QuietTip(const std::string& clock, QuietReason reason) {
    const char* why = reason == QuietReason::Call           ? "a call"
                      : reason == QuietReason::FullScreen   ? "a full-screen program"
                      : reason == QuietReason::Presentation ? "a presentation"
                      : reason == QuietReason::DoNotDisturb ? "Do not disturb"
                                                            : nullptr;
    std::string tip = kTipActive;
    if (why)
        tip += "; quiet at " + clock + " (" + why + ")";
    if (tip.size() >= kTipSize)
        tip.resize(kTipSize - 1);
    return tip;
}
