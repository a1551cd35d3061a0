#pragma once
#include "framework/Afx.h"

// The application: closes any running instance, then runs the settings dialog modally for the
// whole life of the process.
class CChimeApp : public CWinApp {
public:
    CChimeApp();
    BOOL InitInstance() override;
};
