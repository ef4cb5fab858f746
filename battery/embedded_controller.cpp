#include "battery/embedded_controller.h"

#include "common/debug_sink.h"
#include "common/fixed_text.h"

namespace {

constexpr std::uint8_t kReadStatusByte = 0xB0;
constexpr std::uint8_t kChargeSwitch = 0x59;
constexpr std::uint8_t kChargingOff = 0xD7;
constexpr std::uint8_t kChargingOn = 0xD8;

// The library does not tell reliably whether a read worked, so the byte starts at 0: a read
// that writes nothing reads as identified, not worn out, charging on.
std::uint8_t EcReadStatusByte(EmbeddedController& ec, std::uint8_t address) {
    std::uint8_t value = 0;
    ec.Evaluate(kReadStatusByte, &address, 1, &value, 1);
    return value;
}

void WriteValueLine(DebugSink& debug, std::u16string_view prefix, std::uint32_t value,
                    std::u16string_view suffix) {
    char16_t line[260];
    FixedText(line).Append(prefix).AppendHex(value).Append(suffix);
    debug.Write(line);
}

void SendChargeSwitch(EmbeddedController& ec, std::uint8_t data) {
    ec.Evaluate(kChargeSwitch, &data, 1, nullptr, 0);
}

}  // namespace

bool IsBtReplaceNeeded(EmbeddedController& ec, DebugSink& debug) {
    const std::uint8_t value = EcReadStatusByte(ec, 0xEF);
    WriteValueLine(debug, u"NameSpaceEF=", value, u"\n");
    return (value & 0x0F) == 9;
}

bool IsBtIdentifiedF3(EmbeddedController& ec, DebugSink& debug) {
    const std::uint8_t value = EcReadStatusByte(ec, 0xF3);
    WriteValueLine(debug, u"NameSpaceF3=", value, u"\n");
    return (value & 0x20) == 0;
}

bool IsBtIdentifiedF2(EmbeddedController& ec, DebugSink& debug) {
    const std::uint8_t value = EcReadStatusByte(ec, 0xF2);
    WriteValueLine(debug, u"NameSpaceF2=", value, u"\n");
    return (value & 0x04) == 0;
}

bool IsBtChargeOff(EmbeddedController& ec, DebugSink& debug) {
    const std::uint32_t bit = (EcReadStatusByte(ec, 0xF2) >> 4) & 1;
    WriteValueLine(debug, u"NameSpaceF2 =", bit, u"");
    return bit != 0;
}

void SetBtDischargeEnable(EmbeddedController& ec, DebugSink& debug) {
    debug.Write(u"SetBtDischargeEnable");
    SendChargeSwitch(ec, kChargingOff);
}

void SetBtDischargeDisable(EmbeddedController& ec, DebugSink& debug) {
    debug.Write(u"SetBtDischargeDisable");
    SendChargeSwitch(ec, kChargingOn);
}
