#include "framework/window_map.h"

#include <vector>

#include "framework/message_pump.h"
#include "framework/thread_slot.h"
#include "framework/wnd.h"

namespace {

// Every window bound to an object. It is asked at each message a framework window receives,
// so it is kept in the process: under Wine a window property costs a round trip to the server
// each time, some 160 of them for one opening of the sheet. Windows of any thread are bound
// here. It is never freed, as a window may still get a message while the process ends.
class BoundWindows {
public:
    CWnd* Find(HWND hWnd) {
        AcquireSRWLockShared(&m_lock);
        CWnd* found = nullptr;
        for (const Binding& binding : m_bindings) {
            if (binding.window == hWnd) found = binding.object;
        }
        ReleaseSRWLockShared(&m_lock);
        return found;
    }
    void Bind(HWND hWnd, CWnd* pWnd) {
        AcquireSRWLockExclusive(&m_lock);
        m_bindings.push_back({hWnd, pWnd});
        ReleaseSRWLockExclusive(&m_lock);
    }
    void Unbind(HWND hWnd) {
        AcquireSRWLockExclusive(&m_lock);
        std::erase_if(m_bindings,
                      [hWnd](const Binding& binding) { return binding.window == hWnd; });
        ReleaseSRWLockExclusive(&m_lock);
    }
    // A window can end without its last message passing through the framework (its thread
    // ended, a subclass kept the message), and a later window may get its handle. Its entry
    // goes before each hand-over, so a new window never finds an old object; telling whether
    // a window of this process lives asks no server, only an ended one costs a round trip.
    void DropEnded() {
        AcquireSRWLockExclusive(&m_lock);
        std::erase_if(m_bindings, [](const Binding& binding) { return !IsWindow(binding.window); });
        ReleaseSRWLockExclusive(&m_lock);
    }

private:
    struct Binding {
        HWND window;
        CWnd* object;
    };
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::vector<Binding> m_bindings;
};
BoundWindows& g_boundWindows = *new BoundWindows;

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
    return hWnd != nullptr ? g_boundWindows.Find(hWnd) : nullptr;
}

bool AfxHookWindowCreate(CWnd* pWnd) {
    if (pWnd->m_hWnd != nullptr) return false;
    EndHandOver();
    g_boundWindows.DropEnded();
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
    g_boundWindows.Bind(hWnd, pWnd);
    pWnd->m_hWnd = hWnd;
    return pWnd;
}

void AfxDetach(CWnd* pWnd) {
    CWindowHandOver::Restore(pWnd);
    g_boundWindows.Unbind(pWnd->m_hWnd);
    pWnd->m_hWnd = nullptr;
}
