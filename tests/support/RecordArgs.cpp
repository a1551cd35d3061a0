// Stands in for a browser or mail program in tests: writes its command line to the file named
// by the CHIMO_RECORD_ARGS environment variable, or C:\chimo-record-args.txt.
#include <windows.h>

#include <cstdio>

int main() {
    char path[MAX_PATH] = "C:\\chimo-record-args.txt";
    ::GetEnvironmentVariableA("CHIMO_RECORD_ARGS", path, MAX_PATH);
    if (FILE* out = std::fopen(path, "wb")) {
        std::fputs(::GetCommandLineA(), out);
        std::fclose(out);
    }
    return 0;
}
