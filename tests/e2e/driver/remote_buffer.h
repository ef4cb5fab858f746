// Memory inside another process, for messages whose parameters point at memory the
// receiver reads or fills itself (the system carries only a few messages' data across).
#pragma once

#include <windows.h>

#include <cstddef>

namespace e2e {

class RemoteBuffer {
public:
    RemoteBuffer(DWORD processId, std::size_t size);
    ~RemoteBuffer();

    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return m_address != nullptr; }
    // The address as the other process sees it.
    void* Address(std::size_t offset = 0) const { return static_cast<char*>(m_address) + offset; }
    bool Write(std::size_t offset, const void* data, std::size_t size);
    bool Read(std::size_t offset, void* data, std::size_t size) const;

private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
    std::size_t m_size = 0;
};

}  // namespace e2e
