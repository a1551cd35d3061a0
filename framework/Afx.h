#pragma once
// Everything the application code uses from the framework.

#include "framework/Accessible.h"
#include "framework/CButton.h"
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CEdit.h"
#include "framework/CFileDialog.h"
#include "framework/IsFile.h"
#include "framework/CFont.h"
#include "framework/CIcon.h"
#include "framework/CMenu.h"
#include "framework/CString.h"
#include "framework/CToolTipCtrl.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
