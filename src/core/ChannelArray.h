// The pool of sound-effect channels: a fixed set of channels allocated once, handed out in turn,
// with the loudness shared out when many play at once; and a small random ambient-sound player
// built on the pool.
//
// The pool never allocates while the game runs: a channel taken out by StopGameChannel is replaced
// at once, so the pool keeps its size.
//
// Used by the application object's audio control, the game's sound stop and the sounding widgets
// (buttons, dialogs, text input, the screen fade).
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

class TChannel;
class TGameSound;

class TGameChannel {
  public:
    std::shared_ptr<TChannel> Channel;
    std::string name;
    int Reserved = 0;          // never handed out when set
    int PlayWhenFinished = 1;  // handed out again only once silent
    float OriginalVolume = 1.0f;

    static std::shared_ptr<TGameChannel> Create();
    void Kill();
};

class TChannelArray {
  public:
    std::vector<std::shared_ptr<TGameChannel>> Items;
    float MaxVol = 1.5f;
    TGameChannel* Current = nullptr;

    static std::unique_ptr<TChannelArray> Create(int count);

    // The next free channel after Current, the channel where the search started coming last;
    // null when none is free.
    TGameChannel* GetChannel();
    // Plays sound on channel (a free one of the pool when null) at volume x the record's own
    // volume, balanced against the others; the channel used, or null when none was free.
    TGameChannel* PlayGameSound(TGameSound& sound, TGameChannel* channel, float volume, float pan);
    // Stops the channel; a channel of the pool is replaced by a fresh one at the end, which
    // becomes Current.
    void StopGameChannel(TGameChannel* channel);
    int CountPlaying() const;
    float BalanceVolumes(int extra);
    void SetVolume(float factor);
    void Manage();
    // 1-based position; outside 1 ... size gives null.
    TGameChannel* ChannelByIndex(int index) const;
    void Kill();
    int Count() const { return int(Items.size()); }
};

class TAmbientSounds {
  public:
    static constexpr int MAX_SOUNDS = 20;

    int Chance = 0;
    float SoundCounter = 0.0f;
    int SoundCounterMax = 0;
    std::array<std::shared_ptr<TGameSound>, MAX_SOUNDS> Sounds;
    int TotalSounds = 0;

    // False (and nothing stored) when all slots are taken.
    bool AddSound(std::shared_ptr<TGameSound> sound);
    // Adds prefix + i + ext for i = 0 ... count - 1 while slots are free.
    void Fill(const std::string& prefix, int count, const std::string& ext);
    void Init(int milliseconds, int chance);
    // Once per logic tick: when the counter runs out, a Chance-percent draw plays one of the
    // sounds through the application object's pool. Does nothing without sounds.
    void Manage();
    // Drops every sound; the player is then empty and Manage does nothing.
    void Kill();
};
