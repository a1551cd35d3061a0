#include "Afx.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ProfilePath() {
    char dir[MAX_PATH];
    ::GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + AfxGetApp()->m_pszProfileName;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Profile : ::testing::Test {
    void SetUp() override { ::DeleteFileA(ProfilePath().c_str()); }
    void TearDown() override { ::DeleteFileA(ProfilePath().c_str()); }
    CWinApp& app = *AfxGetApp();
};

} // namespace

TEST_F(Profile, NamedAfterTheExecutableInTheWindowsDirectory) {
    EXPECT_STREQ(app.m_pszExeName, "framework_tests");
    EXPECT_STREQ(app.m_pszProfileName, "framework_tests.INI");
    EXPECT_STREQ(app.m_pszAppName, "framework_tests");
}

TEST_F(Profile, IntegersAndStringsAreWrittenAsIniText) {
    app.WriteProfileInt("Options", "Multi_Chimo", 1);
    app.WriteProfileInt("Options", "Timer", -5);
    app.WriteProfileString("Options", "Timer_Start", "06:30PM");
    app.WriteProfileString("Options", "Timer_Stop", "");
    app.WriteProfileInt("Special", "Disable_Tray_Icon", 0);
    EXPECT_EQ(FileText(ProfilePath()), "[Options]\r\nMulti_Chimo=1\r\nTimer=-5\r\n"
                                       "Timer_Start=06:30PM\r\nTimer_Stop=\r\n"
                                       "[Special]\r\nDisable_Tray_Icon=0\r\n");
    EXPECT_EQ(app.GetProfileInt("Options", "Multi_Chimo", -1), 1);
    EXPECT_EQ(app.GetProfileInt("Options", "Timer", -1), -5);
    EXPECT_EQ(app.GetProfileInt("Options", "Absent", -1), -1);
    EXPECT_STREQ(app.GetProfileString("Options", "Timer_Start"), "06:30PM");
    EXPECT_STREQ(app.GetProfileString("Options", "Timer_Stop"), "");
    EXPECT_STREQ(app.GetProfileString("Options", "Absent"), "");
    EXPECT_STREQ(app.GetProfileString("Options", "Absent", "dflt"), "dflt");
}

TEST_F(Profile, ANullValueRemovesTheEntry) {
    app.WriteProfileString("Options", "Timer_Start", "x");
    app.WriteProfileString("Options", "Timer_Stop", "y");
    app.WriteProfileString("Options", "Timer_Start", nullptr);
    EXPECT_EQ(FileText(ProfilePath()), "[Options]\r\nTimer_Stop=y\r\n");
}

// Up to what the system's profile functions keep (Wine's stop short of 32 767 characters).
TEST_F(Profile, LongValuesAreReadWhole) {
    for (size_t length : {255u, 256u, 1023u, 5000u, 30000u}) {
        std::string value(length, 'v');
        value.back() = 'E';
        app.WriteProfileString("Options", "Long", value.c_str());
        CString read = app.GetProfileString("Options", "Long");
        EXPECT_EQ(read.GetLength(), static_cast<int>(length));
        EXPECT_TRUE(read.str() == value) << "value of " << length << " characters differs";
    }
}
