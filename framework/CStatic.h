#pragma once
#include "CWnd.h"

// A static text or icon control.
class CStatic : public CWnd {};
