#include "tests/e2e/driver/keyboard_input.h"

#include <vector>

namespace e2e {
namespace {

INPUT KeyInput(WORD virtualKey, WORD scanCode, DWORD flags, KeyDirection direction) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags | (direction == KeyDirection::Up ? KEYEVENTF_KEYUP : 0);
    return input;
}

INPUT VirtualKeyInput(WORD virtualKey, KeyDirection direction) {
    const WORD scanCode = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    return KeyInput(virtualKey, scanCode, 0, direction);
}

bool Send(std::vector<INPUT> inputs) {
    const UINT count = static_cast<UINT>(inputs.size());
    return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

}  // namespace

bool SendVirtualKey(WORD virtualKey, KeyDirection direction) {
    return Send({VirtualKeyInput(virtualKey, direction)});
}

bool TypeKeys(std::initializer_list<WORD> virtualKeys) {
    std::vector<INPUT> inputs;
    for (const WORD key : virtualKeys) inputs.push_back(VirtualKeyInput(key, KeyDirection::Down));
    for (auto key = std::rbegin(virtualKeys); key != std::rend(virtualKeys); ++key) {
        inputs.push_back(VirtualKeyInput(*key, KeyDirection::Up));
    }
    return Send(std::move(inputs));
}

bool SendScanCode(WORD scanCode, bool extended, KeyDirection direction) {
    const DWORD flags = KEYEVENTF_SCANCODE | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return Send({KeyInput(0, scanCode, flags, direction)});
}

}  // namespace e2e
