// The effect-channel pool and the ambient-sound player.
#include "core/ChannelArray.h"

#include <algorithm>

#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "core/SoundBank.h"
#include "platform/Audio.h"
#include "platform/Random.h"

std::shared_ptr<TGameChannel> TGameChannel::Create() {
    auto channel = std::make_shared<TGameChannel>();
    channel->Channel = AllocChannel();
    return channel;
}

void TGameChannel::Kill() {
    if (Channel) Channel->Stop();
    Channel.reset();
}

std::unique_ptr<TChannelArray> TChannelArray::Create(int count) {
    auto pool = std::make_unique<TChannelArray>();
    for (int i = 0; i < count; ++i) pool->Items.push_back(TGameChannel::Create());
    pool->Current = pool->Items.empty() ? nullptr : pool->Items.front().get();
    return pool;
}

TGameChannel* TChannelArray::GetChannel() {
    if (Items.empty()) return nullptr;
    auto at = std::find_if(Items.begin(), Items.end(), [this](const auto& c) { return c.get() == Current; });
    size_t start = at == Items.end() ? Items.size() - 1 : size_t(at - Items.begin());
    // Steps through every channel once, ending with the one the search started on.
    for (size_t step = 1; step <= Items.size(); ++step) {
        TGameChannel* candidate = Items[(start + step) % Items.size()].get();
        bool free = candidate->Reserved == 0 &&
                    (candidate->PlayWhenFinished == 0 || !ChannelPlaying(candidate->Channel.get()));
        if (free) {
            Current = candidate;
            return candidate;
        }
    }
    return nullptr;
}

TGameChannel* TChannelArray::PlayGameSound(TGameSound& sound, TGameChannel* channel, float volume,
                                           float pan) {
    if (!channel) channel = GetChannel();
    if (!channel) return nullptr;
    channel->OriginalVolume = volume * sound.volume;
    float played = BalanceVolumes(1) * channel->OriginalVolume;
    if (Game) Game->GameSoundPlay(channel->Channel, sound, pan, played);
    return channel;
}

void TChannelArray::StopGameChannel(TGameChannel* channel) {
    if (!channel) return;
    auto at =
        std::find_if(Items.begin(), Items.end(), [channel](const auto& c) { return c.get() == channel; });
    if (at == Items.end()) {
        // Not one of ours: stop it, but never grow the pool with a replacement.
        if (channel->Channel) channel->Channel->Stop();
        return;
    }
    std::shared_ptr<TGameChannel> taken = *at;
    Items.erase(at);
    if (taken->Channel) taken->Channel->Stop();
    Items.push_back(TGameChannel::Create());
    Current = Items.back().get();
}

int TChannelArray::CountPlaying() const {
    return int(std::count_if(Items.begin(), Items.end(),
                             [](const auto& c) { return ChannelPlaying(c->Channel.get()); }));
}

float TChannelArray::BalanceVolumes(int extra) {
    int n = CountPlaying() + extra;
    float factor = n == 0 ? 1.0f : std::min(1.0f, MaxVol / float(n));
    SetVolume(factor);
    return factor;
}

void TChannelArray::SetVolume(float factor) {
    float sound = Game ? float(Game->SoundVolume) / 100.0f : 1.0f;
    for (const auto& c : Items) SetChannelVolume(c->Channel.get(), c->OriginalVolume * factor * sound);
}

void TChannelArray::Manage() {
    BalanceVolumes(0);
}

TGameChannel* TChannelArray::ChannelByIndex(int index) const {
    if (index < 1 || index > int(Items.size())) return nullptr;
    return Items[size_t(index - 1)].get();
}

void TChannelArray::Kill() {
    for (const auto& c : Items) c->Kill();
    Items.clear();
    Current = nullptr;
}

bool TAmbientSounds::AddSound(std::shared_ptr<TGameSound> sound) {
    if (TotalSounds >= MAX_SOUNDS || !sound) return false;
    Sounds[size_t(TotalSounds++)] = std::move(sound);
    return true;
}

void TAmbientSounds::Fill(const std::string& prefix, int count, const std::string& ext) {
    for (int i = 0; i < count && TotalSounds < MAX_SOUNDS; ++i)
        AddSound(TGameSound::Create(prefix + std::to_string(i) + ext, 0));
}

void TAmbientSounds::Init(int milliseconds, int chance) {
    SoundCounterMax = Game ? int(Game->CalcAnimLength(milliseconds)) : milliseconds / 5;
    SoundCounter = float(SoundCounterMax);
    Chance = chance;
}

void TAmbientSounds::Manage() {
    if (TotalSounds == 0) return;
    SoundCounter -= Delta;
    if (SoundCounter > 0.0f) return;
    // At least one tick per period keeps the counter bounded when the period is zero.
    SoundCounter += float(std::max(SoundCounterMax, 1));
    if (Rand(1, 100) > Chance) return;
    std::shared_ptr<TGameSound>& sound = Sounds[size_t(Rand(0, TotalSounds - 1))];
    if (sound && Game && Game->Channels) Game->Channels->PlayGameSound(*sound, nullptr, 1.0f, 0.0f);
}

void TAmbientSounds::Kill() {
    for (auto& s : Sounds) s.reset();
    TotalSounds = 0;
}
