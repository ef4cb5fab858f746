#include "framework/window_map.h"

#include "framework/message_pump.h"
#include "framework/thread_slot.h"
#include "framework/wnd.h"

namespace {

constexpr wchar_t kObjectProperty[] = L"Kestrum.CWnd";

// The creation in progress on this thread: the object handed over, the window the platform
// created for it (once it has), and the hook that sees the creation.
const ThreadSlot<CWnd> t_handedOver;
const ThreadSlot<HWND__> t_createdWindow;
const ThreadSlot<HHOOK__> t_creationHook;

void EndHandOver() {
    if (t_creationHook.Get() != nullptr) UnhookWindowsHookEx(t_creationHook.Get());
    t_handedOver.Set(nullptr);
    t_createdWindow.Set(nullptr);
    t_creationHook.Set(nullptr);
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
        if (code == HCBT_CREATEWND && t_handedOver.Get() != nullptr &&
            t_createdWindow.Get() == nullptr) {
            t_createdWindow.Set(reinterpret_cast<HWND>(wParam));
            Redirect(t_handedOver.Get(), t_createdWindow.Get());
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
    const HHOOK hook =
        SetWindowsHookExW(WH_CBT, CWindowHandOver::CreationHook, nullptr, GetCurrentThreadId());
    if (hook == nullptr) return false;
    t_creationHook.Set(hook);
    t_handedOver.Set(pWnd);
    return true;
}

bool AfxUnhookWindowCreate() {
    const bool taken = t_handedOver.Get() == nullptr;
    EndHandOver();
    return taken;
}

void AfxCancelWindowCreate(CWnd* pWnd) {
    if (t_handedOver.Get() == pWnd && t_createdWindow.Get() == nullptr) EndHandOver();
}

CWnd* AfxAttachHandedOver(HWND hWnd) {
    if (hWnd == nullptr || hWnd != t_createdWindow.Get()) return nullptr;
    CWnd* pWnd = t_handedOver.Get();
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
