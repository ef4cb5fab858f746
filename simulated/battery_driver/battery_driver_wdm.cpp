// The development battery driver's kernel-mode shell. Wine loads it for a root-enumerated
// device node, as Windows would; it registers the battery device interface, and answers the
// battery class requests with AnswerRequest over the state the developer tool keeps in the
// registry. It only moves bytes and holds the requests that wait.
// The kernel headers define these two themselves; keep the compiler's intrinsics header from
// defining them a second time, which C++ refuses.
#define __INTRINSIC_DEFINED_InterlockedBitTestAndSet
#define __INTRINSIC_DEFINED_InterlockedBitTestAndReset
#include <ddk/wdm.h>

#include "simulated/battery_driver/battery_answer.h"

namespace {

using simulated_battery::Answer;
using simulated_battery::Battery;

// {72631E54-78A4-11D0-BCF7-00AA00B7B32A}: the battery device interface class.
constexpr GUID kBatteryInterface = {
    0x72631E54, 0x78A4, 0x11D0, {0xBC, 0xF7, 0x00, 0xAA, 0x00, 0xB7, 0xB3, 0x2A}};
constexpr ULONG kPoolTag = 0x7442734B;  // "KsBt"
// How often waiting requests look at the state again; the registry tells no one of a change.
constexpr std::uint32_t kPollMilliseconds = 20;

struct DeviceExtension {
    DEVICE_OBJECT* lower;
    UNICODE_STRING interfaceName;
    int slot;
};

UNICODE_STRING g_serviceKey;
int g_devices;
// Requests that wait for a battery or a change of status, linked through their
// Tail.Overlay.ListEntry and guarded by the cancel spin lock, which their cancel routine
// holds when it runs.
LIST_ENTRY g_waiting;
KEVENT g_waitingAdded;

DeviceExtension* ExtensionOf(DEVICE_OBJECT* device) {
    return static_cast<DeviceExtension*>(device->DeviceExtension);
}

// A slot without a readable state is an empty slot: tag 0.
void ReadBattery(int slot, Battery& battery) {
    RtlZeroMemory(&battery, sizeof battery);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &g_serviceKey, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE,
                               nullptr, nullptr);
    HANDLE key = nullptr;
    if (!NT_SUCCESS(ZwOpenKey(&key, KEY_READ, &attributes))) return;
    UNICODE_STRING name;
    RtlInitUnicodeString(&name, reinterpret_cast<PCWSTR>(simulated_battery::kValueNames[slot]));
    const ULONG size = sizeof(KEY_VALUE_PARTIAL_INFORMATION) + sizeof battery;
    auto* value = static_cast<KEY_VALUE_PARTIAL_INFORMATION*>(
        ExAllocatePoolWithTag(PagedPool, size, kPoolTag));
    ULONG length = 0;
    if (value &&
        NT_SUCCESS(ZwQueryValueKey(key, &name, KeyValuePartialInformation, value, size, &length)) &&
        value->Type == REG_BINARY && value->DataLength == sizeof battery) {
        RtlCopyMemory(&battery, value->Data, sizeof battery);
    }
    if (value) ExFreePoolWithTag(value, kPoolTag);
    ZwClose(key);
}

bool Ask(IRP* irp, const Battery& battery, bool waitOver, Answer& answer) {
    IO_STACK_LOCATION* stack = IoGetCurrentIrpStackLocation(irp);
    const auto& control = stack->Parameters.DeviceIoControl;
    const simulated_battery::Request request{
        control.IoControlCode, static_cast<const std::uint8_t*>(irp->AssociatedIrp.SystemBuffer),
        irp->AssociatedIrp.SystemBuffer ? control.InputBufferLength : 0,
        irp->AssociatedIrp.SystemBuffer ? control.OutputBufferLength : 0, waitOver};
    simulated_battery::AnswerRequest(battery, request, answer);
    return answer.status != simulated_battery::kStatusPending;
}

// Puts the answer into the request; completing it is the caller's, outside any lock.
void Fill(IRP* irp, const Answer& answer) {
    if (answer.size) RtlCopyMemory(irp->AssociatedIrp.SystemBuffer, answer.bytes, answer.size);
    irp->IoStatus.Status = static_cast<NTSTATUS>(answer.status);
    irp->IoStatus.Information = answer.size;
}

NTSTATUS Complete(IRP* irp, NTSTATUS status, ULONG_PTR information = 0) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

// A waiting request's remaining time in milliseconds, and whether it arrived during the
// current poll interval (which it is then not charged for), kept in its driver context.
// Counting down by the poll interval needs no clock, which the x86_64 kernel headers give only
// through the kernel's shared page.
std::uint32_t RemainingOf(IRP* irp) {
    return static_cast<std::uint32_t>(
        reinterpret_cast<ULONG_PTR>(irp->Tail.Overlay.DriverContext[0]));
}

void SetWait(IRP* irp, std::uint32_t remaining, bool arrived) {
    irp->Tail.Overlay.DriverContext[0] = reinterpret_cast<PVOID>(ULONG_PTR{remaining});
    irp->Tail.Overlay.DriverContext[1] = reinterpret_cast<PVOID>(ULONG_PTR{arrived});
}

// Counts one poll interval off a request's wait; true when its time is up.
bool ChargeInterval(IRP* irp) {
    std::uint32_t remaining = RemainingOf(irp);
    const bool arrived = irp->Tail.Overlay.DriverContext[1] != nullptr;
    if (!arrived && remaining != simulated_battery::kWaitForever) {
        remaining = remaining > kPollMilliseconds ? remaining - kPollMilliseconds : 0;
    }
    SetWait(irp, remaining, false);
    return remaining == 0;
}

void NTAPI CancelWaiting(DEVICE_OBJECT*, IRP* irp) {
    RemoveEntryList(&irp->Tail.Overlay.ListEntry);
    IoReleaseCancelSpinLock(irp->CancelIrql);
    Complete(irp, STATUS_CANCELLED);
}

NTSTATUS HoldWaiting(IRP* irp, std::uint32_t milliseconds) {
    SetWait(irp, milliseconds, true);
    KIRQL irql;
    IoAcquireCancelSpinLock(&irql);
    IoSetCancelRoutine(irp, CancelWaiting);
    if (irp->Cancel && IoSetCancelRoutine(irp, nullptr)) {
        IoReleaseCancelSpinLock(irql);
        return Complete(irp, STATUS_CANCELLED);
    }
    IoMarkIrpPending(irp);
    InsertTailList(&g_waiting, &irp->Tail.Overlay.ListEntry);
    IoReleaseCancelSpinLock(irql);
    KeSetEvent(&g_waitingAdded, IO_NO_INCREMENT, FALSE);
    return STATUS_PENDING;
}

// Completes the waiting requests that `finished` picks, outside the lock.
template <typename Finished>
void CompleteWaiting(Finished finished) {
    LIST_ENTRY done;
    InitializeListHead(&done);
    KIRQL irql;
    IoAcquireCancelSpinLock(&irql);
    for (LIST_ENTRY* entry = g_waiting.Flink; entry != &g_waiting;) {
        IRP* irp = CONTAINING_RECORD(entry, IRP, Tail.Overlay.ListEntry);
        entry = entry->Flink;
        if (!finished(irp)) continue;
        RemoveEntryList(&irp->Tail.Overlay.ListEntry);
        IoSetCancelRoutine(irp, nullptr);
        InsertTailList(&done, &irp->Tail.Overlay.ListEntry);
    }
    IoReleaseCancelSpinLock(irql);
    while (!IsListEmpty(&done)) {
        IRP* irp = CONTAINING_RECORD(RemoveHeadList(&done), IRP, Tail.Overlay.ListEntry);
        IoCompleteRequest(irp, IO_NO_INCREMENT);
    }
}

// Asks every waiting request again: the state may have changed, or its time may be up.
VOID NTAPI WatchWaiting(PVOID) {
    static Battery batteries[simulated_battery::kMaxBatteries];
    static Answer answer;
    for (;;) {
        KIRQL irql;
        IoAcquireCancelSpinLock(&irql);
        const bool idle = IsListEmpty(&g_waiting);
        IoReleaseCancelSpinLock(irql);
        if (idle) {
            KeWaitForSingleObject(&g_waitingAdded, Executive, KernelMode, FALSE, nullptr);
        } else {
            LARGE_INTEGER interval;
            interval.QuadPart = -LONGLONG{kPollMilliseconds} * 10000;  // relative, 100 ns units
            KeDelayExecutionThread(KernelMode, FALSE, &interval);
        }
        for (int slot = 0; slot < simulated_battery::kMaxBatteries; ++slot) {
            ReadBattery(slot, batteries[slot]);
        }
        CompleteWaiting([&](IRP* irp) {
            const int slot = ExtensionOf(IoGetCurrentIrpStackLocation(irp)->DeviceObject)->slot;
            if (!Ask(irp, batteries[slot], ChargeInterval(irp), answer)) return false;
            Fill(irp, answer);
            return true;
        });
    }
}

NTSTATUS NTAPI DispatchControl(DEVICE_OBJECT* device, IRP* irp) {
    static Battery battery;
    static Answer answer;
    // Requests arrive one at a time, so the records can stay off the small kernel stack.
    ReadBattery(ExtensionOf(device)->slot, battery);
    if (!Ask(irp, battery, false, answer)) return HoldWaiting(irp, answer.waitMilliseconds);
    Fill(irp, answer);
    const NTSTATUS status = irp->IoStatus.Status;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

// A client that closes its handle, or ends, takes its waiting requests with it.
NTSTATUS NTAPI DispatchCleanup(DEVICE_OBJECT*, IRP* irp) {
    FILE_OBJECT* file = IoGetCurrentIrpStackLocation(irp)->FileObject;
    CompleteWaiting([file](IRP* waiting) {
        if (IoGetCurrentIrpStackLocation(waiting)->FileObject != file) return false;
        waiting->IoStatus.Status = STATUS_CANCELLED;
        waiting->IoStatus.Information = 0;
        return true;
    });
    return Complete(irp, STATUS_SUCCESS);
}

NTSTATUS NTAPI DispatchOpenClose(DEVICE_OBJECT*, IRP* irp) { return Complete(irp, STATUS_SUCCESS); }

NTSTATUS NTAPI PassDown(DEVICE_OBJECT* device, IRP* irp) {
    IoSkipCurrentIrpStackLocation(irp);
    return IoCallDriver(ExtensionOf(device)->lower, irp);
}

NTSTATUS NTAPI SignalLowerDone(DEVICE_OBJECT*, IRP*, PVOID event) {
    KeSetEvent(static_cast<KEVENT*>(event), IO_NO_INCREMENT, FALSE);
    return STATUS_MORE_PROCESSING_REQUIRED;
}

// The device below starts first; the interface is enabled once it has.
NTSTATUS StartDevice(DEVICE_OBJECT* device, IRP* irp) {
    DeviceExtension* extension = ExtensionOf(device);
    KEVENT lowerDone;
    KeInitializeEvent(&lowerDone, NotificationEvent, FALSE);
    IoCopyCurrentIrpStackLocationToNext(irp);
    IoSetCompletionRoutine(irp, SignalLowerDone, &lowerDone, TRUE, TRUE, TRUE);
    if (IoCallDriver(extension->lower, irp) == STATUS_PENDING) {
        KeWaitForSingleObject(&lowerDone, Executive, KernelMode, FALSE, nullptr);
    }
    NTSTATUS status = irp->IoStatus.Status;
    if (NT_SUCCESS(status)) status = IoSetDeviceInterfaceState(&extension->interfaceName, TRUE);
    return Complete(irp, status, irp->IoStatus.Information);
}

NTSTATUS RemoveDevice(DEVICE_OBJECT* device, IRP* irp) {
    DeviceExtension* extension = ExtensionOf(device);
    IoSetDeviceInterfaceState(&extension->interfaceName, FALSE);
    irp->IoStatus.Status = STATUS_SUCCESS;
    const NTSTATUS status = PassDown(device, irp);
    IoDetachDevice(extension->lower);
    RtlFreeUnicodeString(&extension->interfaceName);
    IoDeleteDevice(device);
    return status;
}

NTSTATUS NTAPI DispatchPnp(DEVICE_OBJECT* device, IRP* irp) {
    switch (IoGetCurrentIrpStackLocation(irp)->MinorFunction) {
        case IRP_MN_START_DEVICE:
            return StartDevice(device, irp);
        case IRP_MN_REMOVE_DEVICE:
            return RemoveDevice(device, irp);
        default:
            return PassDown(device, irp);
    }
}

NTSTATUS NTAPI AddDevice(DRIVER_OBJECT* driver, DEVICE_OBJECT* pdo) {
    if (g_devices == simulated_battery::kMaxBatteries) return STATUS_INSUFFICIENT_RESOURCES;
    DEVICE_OBJECT* device = nullptr;
    NTSTATUS status = IoCreateDevice(driver, sizeof(DeviceExtension), nullptr, FILE_DEVICE_BATTERY,
                                     FILE_DEVICE_SECURE_OPEN, FALSE, &device);
    if (!NT_SUCCESS(status)) return status;
    DeviceExtension* extension = ExtensionOf(device);
    RtlZeroMemory(extension, sizeof *extension);
    // The interface goes on the device node's own object, where enumeration finds it.
    status = IoRegisterDeviceInterface(pdo, &kBatteryInterface, nullptr, &extension->interfaceName);
    if (NT_SUCCESS(status)) {
        extension->lower = IoAttachDeviceToDeviceStack(device, pdo);
        if (!extension->lower) status = STATUS_NO_SUCH_DEVICE;
    }
    if (!NT_SUCCESS(status)) {
        RtlFreeUnicodeString(&extension->interfaceName);
        IoDeleteDevice(device);
        return status;
    }
    extension->slot = g_devices++;
    device->Flags |= DO_BUFFERED_IO;
    device->Flags &= ~DO_DEVICE_INITIALIZING;
    return STATUS_SUCCESS;
}

}  // namespace

extern "C" NTSTATUS NTAPI DriverEntry(DRIVER_OBJECT* driver, UNICODE_STRING* registryPath) {
    g_serviceKey.Length = 0;
    g_serviceKey.MaximumLength = registryPath->Length;
    g_serviceKey.Buffer =
        static_cast<PWSTR>(ExAllocatePoolWithTag(NonPagedPool, registryPath->Length, kPoolTag));
    if (!g_serviceKey.Buffer) return STATUS_INSUFFICIENT_RESOURCES;
    RtlCopyUnicodeString(&g_serviceKey, registryPath);
    InitializeListHead(&g_waiting);
    KeInitializeEvent(&g_waitingAdded, SynchronizationEvent, FALSE);

    HANDLE watcher = nullptr;
    const NTSTATUS status = PsCreateSystemThread(&watcher, THREAD_ALL_ACCESS, nullptr, nullptr,
                                                 nullptr, WatchWaiting, nullptr);
    if (!NT_SUCCESS(status)) return status;
    ZwClose(watcher);

    driver->MajorFunction[IRP_MJ_CREATE] = DispatchOpenClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = DispatchOpenClose;
    driver->MajorFunction[IRP_MJ_CLEANUP] = DispatchCleanup;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchControl;
    driver->MajorFunction[IRP_MJ_PNP] = DispatchPnp;
    driver->MajorFunction[IRP_MJ_POWER] = PassDown;
    driver->MajorFunction[IRP_MJ_SYSTEM_CONTROL] = PassDown;
    driver->DriverExtension->AddDevice = AddDevice;
    return STATUS_SUCCESS;
}
