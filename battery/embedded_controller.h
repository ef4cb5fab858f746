// The notebook's embedded controller: its one call form, the four status checks and the
// charge switch.
#pragma once

#include <cstdint>

class DebugSink;

// The controller library's single entry point: a command byte, input bytes, output bytes.
class EmbeddedController {
public:
    virtual ~EmbeddedController() = default;
    virtual int Evaluate(std::uint8_t command, std::uint8_t* input, int inputCount,
                         std::uint8_t* output, int outputCount) = 0;
};

// Each check reads its status byte afresh and writes the byte (or bit) it saw to `debug`.
bool IsBtReplaceNeeded(EmbeddedController& ec, DebugSink& debug);  // 0xEF low nibble is 9
bool IsBtIdentifiedF3(EmbeddedController& ec, DebugSink& debug);   // 0xF3 bit 5 clear
bool IsBtIdentifiedF2(EmbeddedController& ec, DebugSink& debug);   // 0xF2 bit 2 clear
bool IsBtChargeOff(EmbeddedController& ec, DebugSink& debug);      // 0xF2 bit 4 set

// Charging off and charging on.
void SetBtDischargeEnable(EmbeddedController& ec, DebugSink& debug);
void SetBtDischargeDisable(EmbeddedController& ec, DebugSink& debug);
