#include "simulated/battery_driver/battery_answer.h"

#include <cstring>

#include "battery/battery_ioctl.h"

namespace simulated_battery {
namespace {

using namespace battery_ioctl;

struct ReportingScale {
    std::uint32_t granularity;
    std::uint32_t capacity;
};

struct ManufactureDate {
    std::uint8_t day;
    std::uint8_t month;
    std::uint16_t year;
};

void Fail(Answer& answer, std::uint32_t status) {
    answer.status = status;
    answer.size = 0;
}

void Wait(Answer& answer, std::uint32_t milliseconds) {
    answer.status = kStatusPending;
    answer.waitMilliseconds = milliseconds;
    answer.size = 0;
}

// The output of a request that succeeded, or the platform's too-small status when the
// caller's buffer cannot take it whole.
void Give(Answer& answer, const void* bytes, std::uint32_t size, std::uint32_t outputSize) {
    if (size > outputSize) return Fail(answer, kStatusBufferTooSmall);
    answer.status = kStatusSuccess;
    answer.size = size;
    std::memcpy(answer.bytes, bytes, size);
}

template <typename Record>
bool ReadInput(const Request& request, Record& record) {
    if (request.inputSize < sizeof record) return false;
    std::memcpy(&record, request.input, sizeof record);
    return true;
}

void AnswerTag(const Battery& battery, const Request& request, Answer& answer) {
    std::uint32_t waitMilliseconds = 0;
    if (!ReadInput(request, waitMilliseconds)) return Fail(answer, kStatusInvalidBufferSize);
    if (battery.failures & kFailTag) return Fail(answer, kStatusIoDeviceError);
    if (battery.tag != 0) return Give(answer, &battery.tag, sizeof battery.tag, request.outputSize);
    // An empty slot: wait for a battery as long as asked, then there is none.
    if (waitMilliseconds == 0 || request.waitOver) return Fail(answer, kStatusNoSuchDevice);
    Wait(answer, waitMilliseconds);
}

bool StatusChanged(const Battery& battery, const WaitStatus& wait) {
    return battery.status.powerState != wait.powerState ||
           battery.status.capacity < wait.lowCapacity ||
           battery.status.capacity > wait.highCapacity;
}

void AnswerStatus(const Battery& battery, const Request& request, Answer& answer) {
    WaitStatus wait;
    if (!ReadInput(request, wait)) return Fail(answer, kStatusInvalidBufferSize);
    if (battery.tag == 0 || wait.batteryTag != battery.tag)
        return Fail(answer, kStatusNoSuchDevice);
    if (battery.failures & kFailStatus) return Fail(answer, kStatusIoDeviceError);
    // With a timeout the caller wants to hear of a change: the current status once the state
    // differs from what it gave, or when the time is up.
    if (wait.timeout != 0 && !request.waitOver && !StatusChanged(battery, wait)) {
        return Wait(answer, wait.timeout);
    }
    Give(answer, &battery.status, sizeof battery.status, request.outputSize);
}

void GiveText(Answer& answer, const DriverText& text, std::uint32_t outputSize) {
    const std::uint32_t size =
        text.byteCount < sizeof text.bytes ? text.byteCount : sizeof text.bytes;
    Give(answer, text.bytes, size, outputSize);
}

void AnswerInformation(const Battery& battery, const Request& request, Answer& answer) {
    QueryInformation query;
    if (!ReadInput(request, query)) return Fail(answer, kStatusInvalidBufferSize);
    if (battery.tag == 0 || query.batteryTag != battery.tag)
        return Fail(answer, kStatusNoSuchDevice);
    if (battery.failures & kFailInformation) return Fail(answer, kStatusIoDeviceError);
    const std::uint32_t room = request.outputSize;
    switch (query.informationLevel) {
        case kBatteryInformation:
            return Give(answer, &battery.information, sizeof battery.information, room);
        case kGranularityInformation: {
            const ReportingScale scale{battery.granularity, battery.information.designedCapacity};
            return Give(answer, &scale, sizeof scale, room);
        }
        case kTemperature:
            return Give(answer, &battery.temperature, sizeof battery.temperature, room);
        case kEstimatedTime: {
            const std::uint32_t seconds = EstimatedTime(battery);
            return Give(answer, &seconds, sizeof seconds, room);
        }
        case kManufactureDate: {
            const ManufactureDate date{battery.manufactureDay, battery.manufactureMonth,
                                       battery.manufactureYear};
            return Give(answer, &date, sizeof date, room);
        }
        case kDeviceName:
            return GiveText(answer, battery.deviceName, room);
        case kManufactureName:
            return GiveText(answer, battery.manufactureName, room);
        case kUniqueId:
            return GiveText(answer, battery.uniqueId, room);
        case kSerialNumber:
            return GiveText(answer, battery.serialNumber, room);
        default:
            return Fail(answer, kStatusInvalidDeviceRequest);
    }
}

}  // namespace

std::uint32_t EstimatedTime(const Battery& battery) {
    if (battery.status.rate >= 0) return kUnknownTime;
    const std::uint64_t drain =
        static_cast<std::uint64_t>(-static_cast<std::int64_t>(battery.status.rate));
    const std::uint64_t seconds = std::uint64_t{battery.status.capacity} * 3600 / drain;
    return seconds < kUnknownTime ? static_cast<std::uint32_t>(seconds) : kUnknownTime - 1;
}

void AnswerRequest(const Battery& battery, const Request& request, Answer& answer) {
    answer.waitMilliseconds = 0;
    switch (request.code) {
        case kQueryTag:
            return AnswerTag(battery, request, answer);
        case kQueryStatus:
            return AnswerStatus(battery, request, answer);
        case kQueryInformation:
            return AnswerInformation(battery, request, answer);
        default:
            return Fail(answer, kStatusInvalidDeviceRequest);
    }
}

}  // namespace simulated_battery
