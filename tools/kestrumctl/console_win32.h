// Console output for the developer tool: UTF-16 text written as UTF-8, so that it reads the
// same in a terminal and through a pipe.
#pragma once

#include <string_view>

#include "common/debug_sink.h"

void PrintLine(std::u16string_view text);
void PrintError(std::u16string_view text);

// Shows the program's debug lines on the error stream while a command runs.
class ConsoleDebugSink final : public DebugSink {
public:
    void Write(const char16_t* line) override;
};
