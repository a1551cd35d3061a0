#include "PathName.h"

std::string FileNamePart(const std::string& path) {
    std::string::size_type cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string StripExtension(const std::string& fileName) {
    std::string::size_type dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}
