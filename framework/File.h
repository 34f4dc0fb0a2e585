// A file opened for one read or one write, closed by its destructor. Reads
// report how many bytes arrived; write failures are sticky, so a writer can
// check once at the end (WriteFailed) and its caller deletes the partial file.
// Portable: the same code runs in the program and in the host tools.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

class File {
public:
    enum Mode { ForReading, ForWriting };

    File() = default;
    ~File() { Close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // ForWriting creates or truncates the file.
    bool Open(const char* path, Mode mode);
    void Close();
    bool IsOpen() const { return m_fp != nullptr; }

    // Bytes actually read; fewer than asked at end of file or on error.
    size_t Read(void* buffer, size_t bytes);
    // True when all bytes were read.
    bool ReadExact(void* buffer, size_t bytes) { return Read(buffer, bytes) == bytes; }
    void Write(const void* buffer, size_t bytes);
    bool Seek(uint64_t offset);
    uint64_t Position();
    uint64_t Length();
    // True after any write, seek or close failure since Open.
    bool WriteFailed() const { return m_bWriteFailed; }

private:
    std::FILE* m_fp = nullptr;
    bool m_bWriteFailed = false;
};
