// The executable as the loader sees it: hardening flags in the PE header, the manifest and the
// version block in its resources.
#include "tests/e2e/E2eSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<char> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The resource `id` of `type` in the executable, as text; empty when it has none.
std::string ResourceText(LPCSTR type, LPCSTR id) {
    HMODULE image = ::LoadLibraryExA(ChimoExePath().c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!image)
        return std::string();
    std::string text;
    if (HRSRC found = ::FindResourceA(image, id, type)) {
        const char* bytes = static_cast<const char*>(::LockResource(::LoadResource(image, found)));
        if (bytes)
            text.assign(bytes, ::SizeofResource(image, found));
    }
    ::FreeLibrary(image);
    return text;
}

} // namespace

// The file that ships is a 32-bit image: DEP and ASLR, with its relocations kept.
TEST(Image, HeaderAsksForDepAndAslr) {
    std::vector<char> file = ReadWholeFile(ChimoExePath());
    ASSERT_GT(file.size(), sizeof(IMAGE_DOS_HEADER)) << ChimoExePath();
    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, file.data(), sizeof dos);
    ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
    ASSERT_LE(static_cast<size_t>(dos.e_lfanew) + sizeof(IMAGE_NT_HEADERS32), file.size());
    IMAGE_NT_HEADERS32 nt;
    std::memcpy(&nt, file.data() + dos.e_lfanew, sizeof nt);
    ASSERT_EQ(nt.Signature, IMAGE_NT_SIGNATURE);
    ASSERT_EQ(nt.FileHeader.Machine, IMAGE_FILE_MACHINE_I386) << "the release is 32-bit";

    const WORD flags = nt.OptionalHeader.DllCharacteristics;
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_NX_COMPAT) << "DEP";
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE) << "ASLR";
    EXPECT_FALSE(nt.FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED)
        << "ASLR needs the relocations";
    EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

TEST(Image, ManifestDeclaresOsAndDpiButNoExecutionLevel) {
    std::string manifest = ResourceText(RT_MANIFEST, MAKEINTRESOURCEA(1));
    ASSERT_FALSE(manifest.empty()) << "no manifest resource";
    for (const char* windows : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
                                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) // 10 and 11
        EXPECT_NE(manifest.find(windows), std::string::npos) << windows;
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
    // Without one, the 32-bit program's INI file in the Windows directory stays writable
    // through virtualization.
    EXPECT_EQ(manifest.find("<requestedExecutionLevel"), std::string::npos);
    EXPECT_EQ(manifest.find("<trustInfo"), std::string::npos);
}

// The version block Explorer and the installed-programs list show.
TEST(Image, VersionBlock) {
    const std::string path = ChimoExePath();
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version resource";
    std::vector<BYTE> info(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(60, 1));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(60, 1));
    struct Row {
        const char* key;
        const char* value;
    } rows[] = {{"FileDescription", "CHIMO! v1.60"},
                {"ProductName", "CHIMO! v1.60"},
                {"InternalName", "CHIMO"},
                {"OriginalFilename", "CHIMO.EXE"},
                {"FileVersion", "1, 60, 0, 0"}};
    for (const Row& row : rows) {
        char* value = nullptr;
        std::string query = std::string("\\StringFileInfo\\040904b0\\") + row.key;
        ASSERT_TRUE(
            ::VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            << row.key;
        EXPECT_STREQ(value, row.value);
    }
}
