#pragma once
// Everything the application code uses from the framework.

#include "framework/CButton.h"
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CEdit.h"
#include "framework/CFileDialog.h"
#include "framework/CString.h"
#include "framework/CToolTipCtrl.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "framework/IsFile.h"
#include "framework/ScopedWin.h"
