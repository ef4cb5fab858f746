// CPropertySheet: a tabbed sheet of pages, run modally in the framework's own loop.
#pragma once

#include <windows.h>
// The common controls' declarations need the platform's types first.
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/property_page.h"
#include "framework/wnd.h"

class CPropertySheet : public CWnd {
public:
    // The caption is string nIDCaption of the resource source. Without a parent the main
    // window owns the sheet while it runs.
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // Attributes
    // The sheet's header record; the creator may add an icon and flags before DoModal.
    PROPSHEETHEADERW m_psh;

    // Operations
    // Pages are shown as tabs in the order they were added; the sheet does not own them.
    void AddPage(CPropertyPage* pPage);
    // Creates the sheet modeless with its owner disabled and runs the framework's nested loop
    // until the sheet has no current page (OK, or any way of cancelling). Then the owner is
    // enabled again and DestroyWindow is called. Returns IDOK, IDCANCEL, or -1 when the sheet
    // could not be made.
    virtual INT_PTR DoModal();

    // Overridables
    // Each page that has a window goes through its own DestroyWindow first, then the sheet.
    BOOL DestroyWindow() override;
    // Ctrl+Tab, Ctrl+PageUp and Ctrl+PageDown switch pages; the rest of the keyboard and mouse
    // input goes through the dialog manager.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;

protected:
    // The platform's own initialisation of the sheet: tabs, button layout, the start page.
    virtual BOOL OnInitDialog();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool BuildPropPageArray();
    HWND GetOwnerForModal() const;
    bool HasCurrentPage();

    std::wstring m_strCaption;
    CWnd* m_pParentWnd;
    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEW> m_pageRecords;
    int m_nMessageDepth = 0;  // sheet messages being handled, nested ones included
};
