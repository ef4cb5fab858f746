// The development battery driver's answers to arbitrary requests in an arbitrary state. The
// kernel shell copies an answer into the caller's buffer as it is, so an answer must never be
// larger than the output the caller gave, nor than the answer's own room, and only a request
// that may still wait may be told to wait.
//
// Input: the state record, then the request code's choice, the output size, waitOver, and the
// request's input bytes (the rest).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "battery/battery_ioctl.h"
#include "simulated/battery_driver/battery_answer.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input.h"

using namespace simulated_battery;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input({data, size});
    Battery battery;
    input.TakeBytes({reinterpret_cast<std::uint8_t*>(&battery), sizeof battery});
    constexpr std::uint32_t kCodes[] = {battery_ioctl::kQueryTag, battery_ioctl::kQueryStatus,
                                        battery_ioctl::kQueryInformation, 0x294048};
    const std::uint32_t code = kCodes[input.TakeU8() % std::size(kCodes)];
    const std::uint32_t outputSize = input.TakeU16();
    const bool waitOver = input.TakeBool();
    std::vector<std::uint8_t> requestBytes(input.TakeU8() % 32);
    input.TakeBytes(requestBytes);

    Answer answer;
    std::memset(&answer, 0xA5, sizeof answer);
    AnswerRequest(battery,
                  {code, requestBytes.data(), static_cast<std::uint32_t>(requestBytes.size()),
                   outputSize, waitOver},
                  answer);
    FuzzCheck(answer.size <= outputSize, "an answer fits the caller's output");
    FuzzCheck(answer.size <= sizeof answer.bytes, "an answer fits its own room");
    FuzzCheck(answer.status == kStatusSuccess || answer.size == 0, "a failure gives no bytes");
    FuzzCheck(answer.status != kStatusPending || !waitOver,
              "a request whose time is up never waits");
    return 0;
}
