// Stands in for a browser or mail program in tests: writes its command line to the file named
// by the CHIMO_RECORD_ARGS environment variable, or C:\chimo-record-args.txt; then, for a
// recorder's part, runs on for CHIMO_RECORD_WAIT milliseconds, if that is set.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main() {
    char path[MAX_PATH] = "C:\\chimo-record-args.txt";
    ::GetEnvironmentVariableA("CHIMO_RECORD_ARGS", path, MAX_PATH);
    if (FILE* out = std::fopen(path, "wb")) {
        std::fputs(::GetCommandLineA(), out);
        std::fclose(out);
    }
    char wait[16] = "";
    if (::GetEnvironmentVariableA("CHIMO_RECORD_WAIT", wait, sizeof wait))
        ::Sleep(static_cast<DWORD>(std::atoi(wait)));
    return 0;
}
