#include "tests/e2e/driver/remote_buffer.h"

namespace e2e {

RemoteBuffer::RemoteBuffer(DWORD processId, std::size_t size) : m_size(size) {
    m_process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (m_process == nullptr) return;
    m_address = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer() {
    if (m_address != nullptr) VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    if (m_process != nullptr) CloseHandle(m_process);
}

bool RemoteBuffer::Write(std::size_t offset, const void* data, std::size_t size) {
    if (!Valid() || offset > m_size || size > m_size - offset) return false;
    SIZE_T written = 0;
    return WriteProcessMemory(m_process, Address(offset), data, size, &written) && written == size;
}

bool RemoteBuffer::Read(std::size_t offset, void* data, std::size_t size) const {
    if (!Valid() || offset > m_size || size > m_size - offset) return false;
    SIZE_T read = 0;
    return ReadProcessMemory(m_process, Address(offset), data, size, &read) && read == size;
}

}  // namespace e2e
