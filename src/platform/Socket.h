// TCP client connections, for the music streamer's internet-radio source: a connection is a byte
// stream that cannot seek, with line reading for the response headers in front of the audio.
//
// Connecting and every read or write give up after a timeout, so a silent server ends the stream
// instead of holding the program for ever.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/ByteStream.h"

class TSocketStream : public TByteStream {
  public:
    static constexpr int TIMEOUT_MS = 10000;

    // A connection to host:port (a name or an address); nullptr when none can be made.
    static std::unique_ptr<TSocketStream> Connect(const std::string& host, int port,
                                                  int timeoutMs = TIMEOUT_MS);
    ~TSocketStream() override;
    TSocketStream(const TSocketStream&) = delete;
    TSocketStream& operator=(const TSocketStream&) = delete;

    // Sends every byte; false when the connection fails.
    bool Write(const std::string& bytes);
    // One line without its CR LF (or LF); nullopt when the connection ends first or the line runs
    // past maxLength bytes.
    std::optional<std::string> ReadLine(size_t maxLength);

    // What has arrived, up to size bytes, waiting only while nothing has: the decoder asks again
    // for more, so the main loop is held no longer than the network needs. 0 once the connection ends.
    size_t Read(void* out, size_t size) override;
    bool Seek(int64_t, int) override { return false; }
    int64_t Tell() const override { return received_; }
    int64_t Size() const override { return -1; }
    bool Seekable() const override { return false; }

  private:
    explicit TSocketStream(int fd) : fd_(fd) {}
    int fd_;
    int64_t received_ = 0;
};
