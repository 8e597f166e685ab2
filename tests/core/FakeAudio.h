// A recording audio driver for tests: channels remember what the game asked of them, and the test
// decides when a sound has finished.
#pragma once

#include <memory>
#include <vector>

#include "platform/Audio.h"

struct FakeChannel : TStreamChannel {
    std::shared_ptr<TSound> sound;
    float volume = 1.0f, rate = 1.0f, pan = 0.0f;
    bool playing = false, paused = false;
    int cues = 0, resumes = 0;
    int processed = 0, queued = 0, count = 0;
    std::vector<size_t> queuedSizes;

    void Cue(const std::shared_ptr<TSound>& s) override {
        sound = s;
        playing = s != nullptr;
        ++cues;
    }
    void SetVolume(float v) override { volume = v; }
    void SetPan(float p) override { pan = p; }
    void SetRate(float r) override { rate = r; }
    void Pause() override { paused = true; }
    void Resume() override {
        paused = false;
        ++resumes;
    }
    void Stop() override {
        playing = false;
        sound.reset();
    }
    bool Playing() override { return playing; }
    float Volume() const override { return volume; }
    int ProcessedBuffers() override { return processed; }
    void QueueBuffer(const uint8_t*, size_t size, int, int, int) override {
        queuedSizes.push_back(size);
        ++queued;
        if (processed > 0) --processed;
    }
    int BufferCount() const override { return count; }
};

struct FakeDriver : TAudioDriver {
    std::vector<std::shared_ptr<FakeChannel>>* made;
    explicit FakeDriver(std::vector<std::shared_ptr<FakeChannel>>* list) : made(list) {}
    std::string Name() const override { return "Fake"; }
    std::shared_ptr<TChannel> AllocChannel() override {
        made->push_back(std::make_shared<FakeChannel>());
        return made->back();
    }
    std::shared_ptr<TStreamChannel> AllocStreamChannel(int buffers) override {
        auto c = std::make_shared<FakeChannel>();
        c->count = buffers;
        c->processed = buffers;
        made->push_back(c);
        return c;
    }
};

inline std::shared_ptr<TSound> FakeSound(int frames = 100) {
    auto s = std::make_shared<TAudioSample>();
    s->data.assign(size_t(frames) * 2, 0);
    return CreateSound(s, 0);
}

inline FakeChannel* AsFake(const std::shared_ptr<TChannel>& c) {
    return static_cast<FakeChannel*>(c.get());
}
