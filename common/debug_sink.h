// Where the program's diagnostic lines go: the debugger output in the product, a recorder in
// tests. Lines are fixed English texts; there is no log file and there are no levels.
#pragma once

class DebugSink {
public:
    virtual ~DebugSink() = default;
    // `line` is terminated; it carries a line end only where its format has one.
    virtual void Write(const char16_t* line) = 0;
};
