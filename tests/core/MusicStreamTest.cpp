// Music streaming: sources filling buffers (looping, ending, mono Ogg at its own rate) from the open
// file, the loader registry, the internet-radio source against a one-connection server on the
// loopback address, and the stream channel refilled from the main loop against a recording driver.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "FakeAudio.h"
#include "core/ErrorReport.h"
#include "core/MusicStream.h"
#include "platform/AudioSample.h"
#include "platform/TestOgg.h"
#include "platform/TestWav.h"
#include "support/TestEnv.h"

namespace {

std::vector<uint8_t> Wav(int channels, int bits, size_t dataBytes) {
    return testwav::Wav(channels, 11025, bits, dataBytes);
}

class MusicStreamTest : public ::testing::Test {
  protected:
    void SetUp() override { SetAudioDriverInstance(std::make_unique<FakeDriver>(&made)); }
    void TearDown() override { SetAudioDriverInstance(nullptr); }
    FakeChannel* Output() { return made.back().get(); }
    std::vector<std::shared_ptr<FakeChannel>> made;
};

// A radio server for one connection on 127.0.0.1: records the request up to its empty line,
// answers with the reply bytes, then closes. Every wait is bounded, so a failing test cannot hang.
class RadioServer {
  public:
    explicit RadioServer(std::string reply) : reply_(std::move(reply)) {
        listen_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        EXPECT_EQ(bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        EXPECT_EQ(listen(listen_, 1), 0);
        getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~RadioServer() { Request(); }
    int Port() const { return port_; }
    // Waits for the server to finish; what the client sent.
    const std::string& Request() {
        if (thread_.joinable()) thread_.join();
        if (listen_ >= 0) close(listen_);
        listen_ = -1;
        return request_;
    }

  private:
    void Serve() {
        pollfd p{listen_, POLLIN, 0};
        if (poll(&p, 1, 5000) != 1) return;
        int c = accept(listen_, nullptr, nullptr);
        if (c < 0) return;
        timeval limit{5, 0};
        setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        setsockopt(c, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        char ch = 0;
        while (request_.size() < 4096 && request_.find("\r\n\r\n") == std::string::npos &&
               recv(c, &ch, 1, 0) == 1)
            request_ += ch;
        send(c, reply_.data(), reply_.size(), MSG_NOSIGNAL);
        close(c);
    }
    std::string reply_;
    std::string request_;
    int listen_ = -1;
    int port_ = 0;
    std::thread thread_;
};

std::string OggReply(const std::string& headers, const std::vector<uint8_t>& ogg) {
    return "HTTP/1.0 200 OK\r\nContent-Type: application/ogg\r\n" + headers + "\r\n" +
           std::string(ogg.begin(), ogg.end());
}

}  // namespace

TEST(MusicSource, RadioStreamSendsItsRequestReadsTheHeadersAndPlaysUntilTheServerStops) {
    std::vector<uint8_t> ogg = MakeOgg(1, 22050, 30000);
    RadioServer server(
        OggReply("icy-name: Test\r\nice-audio-info: ice-channels=1;ice-samplerate=22050;channels=1;"
                 "samplerate=22050\r\n",
                 ogg));
    std::unique_ptr<TMusic> radio = TOGGStream::OpenIceStream("127.0.0.1", "live.ogg", server.Port());
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->STREAM_SIZE, 0);  // endless
    EXPECT_EQ(radio->SAMPLE_RATE, 22050);
    EXPECT_EQ(radio->STREAM_FORMAT, STREAM_FORMAT_MONO16);
    radio->Seti(7, 1);  // a stream that cannot rewind ends with its server, looping or not
    std::vector<uint8_t> played, buf(4096);
    for (int i = 0; i < 1000 && radio->PlayStatus == 1; ++i) {
        size_t n = radio->FillBuffer(buf.data(), buf.size());
        played.insert(played.end(), buf.begin(), buf.begin() + std::ptrdiff_t(n));
    }
    EXPECT_EQ(radio->PlayStatus, 0);
    std::optional<TAudioSample> whole = DecodeOgg(ogg);
    ASSERT_TRUE(whole);
    EXPECT_EQ(played, whole->data);  // every frame the server sent, in order
    EXPECT_EQ(server.Request(), "GET /live.ogg HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
}

TEST(MusicSource, RadioWithoutAudioInfoOrServerGivesNoSource) {
    std::vector<std::string> notices;
    SetErrorNotice([&](const std::string& text) { notices.push_back(text); });
    {
        RadioServer server(OggReply("icy-name: No info\r\n", MakeOgg(2, 44100, 1000)));
        EXPECT_EQ(TOGGStream::OpenIceStream("127.0.0.1", "live.ogg", server.Port()), nullptr);
        RadioServer rateOnly(OggReply("ice-audio-info: channels=2\r\n", MakeOgg(2, 44100, 1000)));
        EXPECT_EQ(TOGGStream::OpenIceStream("127.0.0.1", "live.ogg", rateOnly.Port()), nullptr);
    }
    EXPECT_TRUE(notices.empty());
    // A port that was bound for a moment and closed: nothing listens there.
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ASSERT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    getsockname(probe, reinterpret_cast<sockaddr*>(&addr), &len);
    close(probe);
    int closedPort = ntohs(addr.sin_port);
    EXPECT_EQ(TOGGStream::OpenIceStream("127.0.0.1", "live.ogg", closedPort), nullptr);
    EXPECT_EQ(notices, std::vector<std::string>{"Unable to connect"});
    SetErrorNotice(nullptr);
}

TEST(MusicSource, WavIsReadFromTheOpenFileAsItPlays) {
    testenv::TempDir dir;
    std::vector<uint8_t> wav = Wav(1, 8, 200000);
    testenv::WriteFile(dir.Path() / "tune.wav", std::string(wav.begin(), wav.end()));
    std::unique_ptr<TMusic> music = SonvekLoader::Load(dir.Str() + "tune.wav");
    ASSERT_NE(music, nullptr);
    std::vector<uint8_t> buf(1000);
    ASSERT_EQ(music->FillBuffer(buf.data(), buf.size()), 1000u);
    {
        // Rewrite bytes well ahead in place: a source that had read the whole file would not see it.
        std::fstream f(dir.Path() / "tune.wav", std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(std::streamoff(wav.size() - 200000 + 150000));
        f.write(std::string(1000, char(0x7F)).data(), 1000);
    }
    for (int i = 1; i <= 150; ++i) ASSERT_EQ(music->FillBuffer(buf.data(), buf.size()), 1000u);
    EXPECT_EQ(buf, std::vector<uint8_t>(1000, 0x7F));
    // A file cut inside a sample while it plays ends on the last whole sample.
    wav = Wav(2, 16, 200000);
    testenv::WriteFile(dir.Path() / "cut.wav", std::string(wav.begin(), wav.end()));
    music = SonvekLoader::Load(dir.Str() + "cut.wav");
    std::filesystem::resize_file(dir.Path() / "cut.wav", wav.size() - 3);
    size_t played = 0;
    for (size_t n; (n = music->FillBuffer(buf.data(), buf.size())) > 0;) played += n;
    EXPECT_EQ(played, 200000u - 4);
}

TEST(MusicSource, WavLoopsAroundTheEndOfItsDataOrEndsOnceAndDamagedWavIsRefused) {
    auto music = TWavStream::FromBytes(Wav(2, 16, 1000));
    ASSERT_NE(music, nullptr);
    music->Seti(7, 1);
    std::vector<uint8_t> buf(800);
    music->FillBuffer(buf.data(), buf.size());
    EXPECT_EQ(music->FillBuffer(buf.data(), buf.size()), 800u);
    EXPECT_EQ(buf[200], 0);  // byte 0 of the data again after the 200 left over
    EXPECT_EQ(buf[199], uint8_t(999 % 251));
    auto once = TWavStream::FromBytes(Wav(1, 8, 300));  // without the loop it ends once
    once->FillBuffer(buf.data(), 256);
    EXPECT_EQ(once->FillBuffer(buf.data(), 256), 44u);
    EXPECT_EQ(once->FillBuffer(buf.data(), 256), 0u);
    auto empty = TWavStream::FromBytes(Wav(1, 16, 0));
    ASSERT_NE(empty, nullptr);
    empty->Seti(7, 1);
    EXPECT_EQ(empty->FillBuffer(buf.data(), buf.size()), 0u);  // an empty loop does not spin
    EXPECT_EQ(TWavStream::FromBytes({1, 2, 3}), nullptr);
}

TEST(MusicSource, MonoOggKeepsItsRateAndLoopsWithoutGapsOrEndsOnce) {
    auto music = TOGGStream::FromBytes(MakeOgg(1, 22050, 5000));
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(music->SAMPLE_RATE, 22050);
    music->Seti(7, 1);
    std::vector<uint8_t> buf(40000);  // four loops of the 10000 bytes in one request
    size_t total = 0;
    for (int i = 0; i < 5; ++i) total += music->FillBuffer(buf.data(), buf.size());
    EXPECT_EQ(total, 5u * 40000);                                // every request met, across the loop points
    auto once = TOGGStream::FromBytes(MakeOgg(1, 22050, 5000));  // without the loop it ends once
    size_t played = 0;
    for (int i = 0; i < 5; ++i) played += once->FillBuffer(buf.data(), buf.size());
    EXPECT_GT(played, 0u);
    EXPECT_LT(played, 5u * 40000);
    EXPECT_EQ(once->FillBuffer(buf.data(), buf.size()), 0u);
}

TEST(MusicSource, LoaderFindsFilesInAnyCase) {
    testenv::TempDir dir;
    auto ogg = MakeOgg(2, 44100, 1000);
    testenv::WriteFile(dir.Path() / "theme.ogg", std::string(ogg.begin(), ogg.end()));
    auto music = SonvekLoader::Load(dir.Str() + "Theme.OGG");
    EXPECT_NE(music, nullptr);
    EXPECT_EQ(SonvekLoader::Load(dir.Str() + "missing.ogg"), nullptr);
    // The file-dialog filter: one entry per loader, separated by ';' with none before the first.
    const std::string filter = SonvekLoader::GetExtensions(true, true);
    EXPECT_EQ(filter.rfind("All supported:", 0), 0u) << filter;
    EXPECT_EQ(size_t(std::count(filter.begin(), filter.end(), ';')), SonvekLoader::Loaders().size() + 1);
    EXPECT_EQ(filter.substr(filter.size() - 12), ";All Files:*");
}

TEST_F(MusicStreamTest, StreamFillsItsBuffersAndRefillsWhatWasPlayed) {
    std::shared_ptr<TMusic> music = TWavStream::FromBytes(Wav(2, 16, 1 << 20));
    auto stream = TAudioStream::Create(music, 1, false);
    ASSERT_NE(stream, nullptr);
    FakeChannel* out = Output();
    UpdateAudioStreams();
    EXPECT_EQ(out->queued, 16);  // nothing played yet, nothing to refill
    out->processed = 3;
    UpdateAudioStreams();
    EXPECT_EQ(out->queued, 19);
    stream->Stop();
    out->processed = 5;
    UpdateAudioStreams();
    EXPECT_EQ(out->queued, 19);  // a stopped stream is not refilled
}

TEST_F(MusicStreamTest, StreamWithoutLoopEndsAfterItsLastBuffer) {
    auto stream =
        TAudioStream::Create(std::shared_ptr<TMusic>(TWavStream::FromBytes(Wav(1, 16, 10000))), 0, true);
    FakeChannel* out = Output();
    EXPECT_EQ(out->queued, 2);  // 8192 + 1808 bytes
    EXPECT_EQ(out->queuedSizes.back(), 1808u);
    out->processed = 0;
    EXPECT_TRUE(stream->Playing()) << "its last buffers are still to be heard";
    out->processed = 16;
    EXPECT_FALSE(stream->Playing());
}

TEST_F(MusicStreamTest, UnreadableSourcesGiveNoStream) {
    EXPECT_EQ(TAudioStream::Create("/nonexistent/music.ogg", 1, false), nullptr);
    EXPECT_EQ(TAudioStream::Create(std::shared_ptr<TMusic>(), 1, false), nullptr);
    std::weak_ptr<TAudioStream> gone;
    {
        auto s =
            TAudioStream::Create(std::shared_ptr<TMusic>(TWavStream::FromBytes(Wav(1, 16, 100))), 1, false);
        gone = s;
    }
    EXPECT_TRUE(gone.expired());
    UpdateAudioStreams();  // dropped streams are forgotten, not touched
}
