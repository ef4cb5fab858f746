// How the development battery driver answers the battery class requests: a plain function of
// the battery's state and one request, so that the kernel-mode shell only moves bytes and
// holds the requests that wait, and the answering is tested and fuzzed on the host.
#pragma once

#include <cstdint>

#include "simulated/battery_driver/simulated_battery.h"

namespace simulated_battery {

// The platform's status codes that a battery driver completes requests with.
constexpr std::uint32_t kStatusSuccess = 0x00000000;
constexpr std::uint32_t kStatusPending = 0x00000103;  // not an answer: the request waits
constexpr std::uint32_t kStatusInvalidDeviceRequest = 0xC0000010;
constexpr std::uint32_t kStatusNoSuchDevice = 0xC000000E;
constexpr std::uint32_t kStatusBufferTooSmall = 0xC0000023;
constexpr std::uint32_t kStatusInvalidBufferSize = 0xC0000206;
constexpr std::uint32_t kStatusIoDeviceError = 0xC0000185;

constexpr std::uint32_t kWaitForever = 0xFFFFFFFF;

struct Request {
    std::uint32_t code;
    const std::uint8_t* input;
    std::uint32_t inputSize;
    std::uint32_t outputSize;
    // The request has already waited as long as it asked: answer with what there is now.
    bool waitOver;
};

struct Answer {
    std::uint32_t status;
    // With kStatusPending: how long the request may wait, in milliseconds, or kWaitForever.
    std::uint32_t waitMilliseconds;
    std::uint32_t size;  // bytes of `bytes` that are the output
    std::uint8_t bytes[512];
};

// The seconds the battery lasts at its current rate, as a driver estimates them; only while it
// discharges, else kUnknownTime.
constexpr std::uint32_t kUnknownTime = 0xFFFFFFFF;
std::uint32_t EstimatedTime(const Battery& battery);

// Answers `request` as a battery driver in state `battery` would. A request that waits is
// asked again with the same input whenever the state may have changed, and a last time with
// `waitOver` set when its time is up.
void AnswerRequest(const Battery& battery, const Request& request, Answer& answer);

}  // namespace simulated_battery
