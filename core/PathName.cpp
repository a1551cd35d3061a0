#include "PathName.h"

std::string FileNamePart(const std::string& path) {
    std::string::size_type cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string StripExtension(const std::string& fileName) {
    std::string::size_type dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::string::size_type i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

bool SameProgramFile(const std::string& pathA, const std::string& pathB) {
    std::string a = FileNamePart(pathA), b = FileNamePart(pathB);
    return !a.empty() && EqualsIgnoreCase(a, b);
}
