// Byte sources that decoders read in pieces: an open file, bytes in memory, or a network connection
// (platform/Socket.h). The music streamer reads its sources through them, so a piece of music is
// decoded from the open file as it plays instead of being loaded whole first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TByteStream {
  public:
    virtual ~TByteStream() = default;

    // Reads up to size bytes; fewer only at the end of the data, except from a connection, which
    // gives what has arrived (0 only once it ends).
    virtual size_t Read(void* out, size_t size) = 0;
    // Moves to offset from origin (0 the start, 1 the current position, 2 the end). False, with the
    // position unchanged, when the target lies outside the data or the stream cannot seek.
    virtual bool Seek(int64_t offset, int origin) = 0;
    virtual int64_t Tell() const = 0;
    // Total bytes; -1 when unknown (a connection).
    virtual int64_t Size() const = 0;
    virtual bool Seekable() const { return true; }
};

// The file at path opened for reading; nullptr when it cannot be opened.
std::unique_ptr<TByteStream> OpenFileStream(const std::string& path);
// Reads bytes held in memory, shared with the caller.
std::unique_ptr<TByteStream> OpenMemoryStream(std::shared_ptr<const std::vector<uint8_t>> bytes);
