// The product's debug line sink: the debugger output, nothing else.
#pragma once

#include <windows.h>

#include "common/debug_sink.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text crosses the boundary as is");

class DebuggerOutput final : public DebugSink {
public:
    void Write(const char16_t* line) override {
        OutputDebugStringW(reinterpret_cast<const wchar_t*>(line));
    }
};
