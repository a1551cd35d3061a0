#pragma once
// Everything the application code uses from the framework.

#include "CButton.h"
#include "CDC.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "CEdit.h"
#include "CFileDialog.h"
#include "CFileFind.h"
#include "CFont.h"
#include "CIcon.h"
#include "CMenu.h"
#include "CStatic.h"
#include "CString.h"
#include "CToolTipCtrl.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "PlatformServices.h"
