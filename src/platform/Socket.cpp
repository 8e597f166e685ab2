// TCP connections over POSIX sockets.
#include "platform/Socket.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Connects without blocking longer than timeoutMs; the socket is left blocking.
bool ConnectWithin(int fd, const addrinfo& address, int timeoutMs) {
    int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) return false;
    int rc = connect(fd, address.ai_addr, address.ai_addrlen);
    if (rc != 0) {
        if (errno != EINPROGRESS) return false;
        pollfd p{fd, POLLOUT, 0};
        if (poll(&p, 1, timeoutMs) != 1) return false;
        int error = 0;
        socklen_t length = sizeof error;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) return false;
    }
    return fcntl(fd, F_SETFL, flags) == 0;
}

}  // namespace

std::unique_ptr<TSocketStream> TSocketStream::Connect(const std::string& host, int port, int timeoutMs) {
    if (port <= 0 || port > 65535) return nullptr;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return nullptr;
    int fd = -1;
    for (addrinfo* a = found; a && fd < 0; a = a->ai_next) {
        fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd >= 0 && !ConnectWithin(fd, *a, timeoutMs)) {
            close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(found);
    if (fd < 0) return nullptr;
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    return std::unique_ptr<TSocketStream>(new TSocketStream(fd));
}

TSocketStream::~TSocketStream() {
    close(fd_);
}

bool TSocketStream::Write(const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

std::optional<std::string> TSocketStream::ReadLine(size_t maxLength) {
    std::string line;
    char c = 0;
    while (Read(&c, 1) == 1) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        if (line.size() >= maxLength) return std::nullopt;
        line += c;
    }
    return std::nullopt;
}

size_t TSocketStream::Read(void* out, size_t size) {
    if (size == 0) return 0;
    ssize_t n = -1;
    do {
        n = recv(fd_, out, size, 0);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) return 0;  // closed, failed or timed out: the stream ends here
    received_ += int64_t(n);
    return size_t(n);
}
