// CPropertyPage: one page of a property sheet, on a template of the resource source.
#pragma once

#include <windows.h>
// The common controls' declarations need the platform's types first.
#include <commctrl.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "framework/dialog.h"
#include "resources/dialog_template.h"

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT nIDTemplate);

    // Attributes
    // The page's header record; a page that shows a title of its own sets pszTitle and
    // PSP_USETITLE.
    PROPSHEETPAGEW m_psp;

    // Overridables
    // Each time the page becomes the active page; TRUE accepts. The framework's own step.
    virtual BOOL OnSetActive();
    // A page is a control of its sheet: the sheet's dialog manager moves the focus across all
    // of it, so the page leaves input to the sheet's filter, which comes next in the walk.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class CPropertySheet;

    // Loads the page's template in the resolved language and copies it with `sheetFont` in
    // place of its own, so that page and sheet measure dialog units in one font. False when
    // the template is missing or malformed.
    bool PrepareTemplate(const std::optional<DialogFont>& sheetFont);

    static UINT CALLBACK PageCallback(HWND hWnd, UINT uMsg, LPPROPSHEETPAGEW ppsp);

    // What m_psp.pResource points at while a sheet runs.
    std::vector<std::byte> m_template;
};
