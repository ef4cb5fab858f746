#include "framework/window_map.h"

#include "framework/message_pump.h"
#include "framework/wnd.h"

namespace {

constexpr wchar_t kObjectProperty[] = L"Kestrum.CWnd";

// The creation in progress on this thread.
struct HandOver {
    CWnd* object = nullptr;
    HWND window = nullptr;  // set once the platform has created it
    HHOOK hook = nullptr;
};
thread_local HandOver t_handOver;

void EndHandOver() {
    if (t_handOver.hook != nullptr) UnhookWindowsHookEx(t_handOver.hook);
    t_handOver = {};
}

}  // namespace

// Reaches the object's private procedure slot; the mapping is the only code that may.
class CWindowHandOver {
public:
    static void Redirect(CWnd* pWnd, HWND hWnd) {
        pWnd->m_pfnSuper = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    }
    static void Restore(CWnd* pWnd) {
        const auto current =
            reinterpret_cast<WNDPROC>(GetWindowLongPtrW(pWnd->m_hWnd, GWLP_WNDPROC));
        if (current == AfxWndProc && pWnd->m_pfnSuper != nullptr) {
            SetWindowLongPtrW(pWnd->m_hWnd, GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
        }
        pWnd->m_pfnSuper = nullptr;
    }

    // The platform's creation notice comes before the window's first message.
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && t_handOver.object != nullptr &&
            t_handOver.window == nullptr) {
            t_handOver.window = reinterpret_cast<HWND>(wParam);
            Redirect(t_handOver.object, t_handOver.window);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return hWnd != nullptr ? static_cast<CWnd*>(GetPropW(hWnd, kObjectProperty)) : nullptr;
}

bool AfxHookWindowCreate(CWnd* pWnd) {
    if (pWnd->m_hWnd != nullptr) return false;
    EndHandOver();
    t_handOver.hook =
        SetWindowsHookExW(WH_CBT, CWindowHandOver::CreationHook, nullptr, GetCurrentThreadId());
    if (t_handOver.hook == nullptr) return false;
    t_handOver.object = pWnd;
    return true;
}

bool AfxUnhookWindowCreate() {
    const bool taken = t_handOver.object == nullptr;
    EndHandOver();
    return taken;
}

void AfxCancelWindowCreate(CWnd* pWnd) {
    if (t_handOver.object == pWnd && t_handOver.window == nullptr) EndHandOver();
}

CWnd* AfxAttachHandedOver(HWND hWnd) {
    if (hWnd == nullptr || hWnd != t_handOver.window) return nullptr;
    CWnd* pWnd = t_handOver.object;
    EndHandOver();
    SetPropW(hWnd, kObjectProperty, pWnd);
    pWnd->m_hWnd = hWnd;
    return pWnd;
}

void AfxDetach(CWnd* pWnd) {
    CWindowHandOver::Restore(pWnd);
    RemovePropW(pWnd->m_hWnd, kObjectProperty);
    pWnd->m_hWnd = nullptr;
}
