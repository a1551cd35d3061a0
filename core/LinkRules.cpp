#include "LinkRules.h"

#include <cstdio>

EdgeRect FitRectToText(EdgeRect r, unsigned style, int cx, int cy) {
    if (style & kStyleCenterImage) {
        int dy = (r.bottom - r.top - cy) / 2; // C++ division truncates toward zero
        r.top += dy;
        r.bottom -= dy;
    } else {
        r.bottom = r.top + cy;
    }
    if (style & kStyleCenter) {
        int dx = (r.right - r.left - cx) / 2;
        r.left += dx;
        r.right -= dx;
    } else if (style & kStyleRight) {
        r.left = r.right - cx;
    } else {
        r.right = r.left + cx;
    }
    return r;
}

bool BuildOpenCommand(const std::string& command, const std::string& target, std::string& out) {
    std::string::size_type cut = command.find("\"%1\"");
    if (cut == std::string::npos)
        cut = command.find("%1");
    std::string built = command.substr(0, cut);
    built += ' ';
    built += target;
    if (built.size() > kMaxOpenCommand)
        return false;
    out = built;
    return true;
}

std::string OpenErrorText(int code) {
    const char* message = nullptr;
    switch (code) {
    case 0: message = "The operating system is out\nof memory or resources."; break;
    case 2: message = "The specified file was not found."; break;
    case 3: message = "The specified path was not found."; break;
    case 5: message = "The operating system denied\naccess to the specified file."; break;
    case 8: message = "There was not enough memory to complete the operation."; break;
    case 11: message = "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."; break;
    case 26: message = "A sharing violation occurred. "; break;
    case 27: message = "The filename association is\nincomplete or invalid."; break;
    case 28:
        message = "The DDE transaction could not\nbe completed because the request timed out.";
        break;
    case 29: message = "The DDE transaction failed."; break;
    case 30:
        message = "The DDE transaction could not\nbe completed because other DDE transactions\n"
                  "were being processed.";
        break;
    case 31: message = "There is no application associated\nwith the given filename extension."; break;
    case 32: message = "The specified dynamic-link library was not found."; break;
    default: break;
    }
    std::string text = "Unable to open hyperlink:\n\n";
    if (message) {
        text += message;
    } else {
        char unknown[64];
        std::snprintf(unknown, sizeof unknown, "Unknown Error (%d) occurred.", code);
        text += unknown;
    }
    return text;
}
