#pragma once
#include "framework/CWnd.h"

// A static text or icon control.
class CStatic : public CWnd {};
