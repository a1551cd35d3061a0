// The program's entry point: the one application object and the framework's start-up.
#include "app/ChimeApp.h"

CChimeApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    return AfxWinMain(instance, previous, commandLine, showCommand);
}
