// Developer tool: opens the meter sheet modally on its own, as the background program will on
// the battery hot-key, with the program's icon and no Apply button.
//
//   opensheet
#include <windows.h>
// The common controls' declarations need the platform's types first.
#include <commctrl.h>

#include "framework/afx_resources.h"
#include "resources/resolved_resource_win32.h"
#include "resources/resource.h"
#include "ui/kestrum_sheet_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);

    CKestrumSheet sheet;
    const HICON icon =
        LoadResolvedIcon(AfxGetResourceHandle(), IDR_MAINFRAME, GetSystemMetrics(SM_CXICON));
    sheet.m_psh.hIcon = icon;
    sheet.m_psh.dwFlags |= PSH_USEHICON | PSH_NOAPPLYNOW;
    const INT_PTR result = sheet.DoModal();
    if (icon != nullptr) DestroyIcon(icon);
    return result == -1 ? 1 : 0;
}
