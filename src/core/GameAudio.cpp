// The application object's audio control: music with fades, sound effects, speech, the escape
// sound, the effect pool and the driver choice. Volumes are kept 0-100 and reach the channels as
// fractions; every fade counts logic ticks and advances by Delta.
#include <algorithm>

#include "core/ChannelArray.h"
#include "core/ErrorReport.h"
#include "core/FixedRateLogic.h"
#include "core/FrontEnd.h"
#include "core/Game.h"
#include "core/SoundBank.h"
#include "platform/Audio.h"

namespace {

int ClampVolume(int v) {
    return std::clamp(v, 0, 100);
}

// The share of a fade done: (length - counter) / length, all of it when the length is zero.
float FadeShare(float length, float counter) {
    if (length <= 0.0f) return 1.0f;
    return (length - counter) / length;
}

void CountDown(float& counter) {
    counter = std::max(0.0f, counter - Delta);
}

}  // namespace

int TGame::MusicLoad(const std::string& name, int flags) {
    if (Music) {
        MusicStop();
        MusicSample = LoadSoundOrDie(MusicPath + name, flags);
    }
    MusicLooped = flags;
    MusicRestart = 1;
    MusicFileName = name;
    return 0;
}

int TGame::MusicSet(const std::shared_ptr<TSound>& sound, const std::string& name, int flags) {
    if (Music) {
        MusicStop();
        MusicSample = sound;
    }
    MusicLooped = flags;
    MusicRestart = 1;
    MusicFileName = name;
    return 0;
}

int TGame::MusicStop() {
    if (Music && ChannelPlaying(MusicChannel.get())) {
        MusicChannel->Stop();
        MusicChannel = AllocChannel();
    }
    MusicRestart = 1;
    return 0;
}

int TGame::MusicPlay(int fadeIn, int customVolume, int startMuted) {
    CustomMusicVolume = customVolume;
    if (Music && MusicChannel && MusicSample) {
        MusicFadeInCounter = fadeIn ? CalcAnimLength(int(MusicFadeIn - 1.0f)) : 0.0f;
        MusicChannel->Cue(MusicSample);
        MusicFadeInApply();
        if (startMuted) MusicChannel->SetVolume(0.0f);
        MusicChannel->Resume();
        MusicRestart = 0;
        MusicStopped = 0;
    } else if (!Music) {
        MusicRestart = 1;
    }
    MusicName = MusicFileName;
    return 0;
}

int TGame::MusicNone() {
    MusicFileName = "none";
    MusicName = "none";
    MusicRestart = 1;
    return 0;
}

int TGame::GetMusicVolume() const {
    return CustomMusicVolume ? int(float(MusicVolume) * float(CustomMusicVolume) / 100.0f) : MusicVolume;
}

float TGame::MusicFadeInCalc() const {
    return FadeShare(CalcAnimLength(int(MusicFadeIn)), MusicFadeInCounter);
}

float TGame::MusicFadeOutCalc() const {
    return FadeShare(CalcAnimLength(int(MusicFadeOut)), MusicFadeOutCounter);
}

int TGame::MusicFadeInApply() {
    float share = MusicFadeIn > 0.0f ? MusicFadeInCalc() : 1.0f;
    SetChannelVolume(MusicChannel.get(), float(GetMusicVolume()) / 100.0f * share);
    return 0;
}

int TGame::MusicFadeOutApply() {
    float left = MusicFadeOut > 0.0f ? 1.0f - MusicFadeOutCalc() : 0.0f;
    SetChannelVolume(MusicChannel.get(), left * float(GetMusicVolume()) / 100.0f);
    return 0;
}

int TGame::MusicFadeInManage() {
    if (MusicFadeInDelay > 0.0f) {
        MusicFadeInDelay -= Delta;
        return 0;
    }
    if (MusicFadeInCounter > 0.0f) {
        CountDown(MusicFadeInCounter);
        MusicFadeInApply();
    }
    return 0;
}

int TGame::MusicFadeOutManage() {
    if (MusicFadeOutCounter > 0.0f) {
        CountDown(MusicFadeOutCounter);
        MusicFadeOutApply();
    }
    return 0;
}

int TGame::MusicFadeOutSet(int ms) {
    MusicFadeOut = float(ms);
    MusicFadeOutCounter = CalcAnimLength(ms);
    return 0;
}

int TGame::MusicSetVolume(int volume, int save) {
    MusicVolume = ClampVolume(volume);
    if (MusicChannel) MusicChannel->SetVolume(float(GetMusicVolume()) / 100.0f);
    if (save == 1) {
        IniUpdate(1);
        FixedRateLogic->Init();
    }
    return 0;
}

int TGame::MusicChangeVolume(int step) {
    return MusicSetVolume(MusicVolume + step, 1);
}

int TGame::ToggleMusic() {
    if (Paused) return 0;
    if (Music)
        MusicOff();
    else
        MusicOn();
    IniUpdate(1);
    FixedRateLogic->Init();
    return 0;
}

int TGame::MusicOff() {
    PauseChannel(SpecialChannel.get());
    if (MusicRestart != 0) return 0;
    Music = 0;
    PauseChannel(MusicChannel.get());
    return 1;
}

int TGame::MusicOn() {
    ResumeChannel(SpecialChannel.get());
    if (Music == 1) return 0;
    Music = 1;
    if (MusicRestart == 1 || !MusicChannel) {
        // "none" names no file: there is nothing to load or play.
        if (MusicFileName != "none") {
            MusicLoad(MusicFileName, MusicLooped);
            if (MusicName != "none") MusicPlay(1, CustomMusicVolume, 0);
        }
    } else if (MusicLooped || MusicStopped == 0) {
        MusicChannel->Resume();
    }
    return 1;
}

float TGame::PauseFadeCalc() const {
    return FadeShare(CalcAnimLength(int(PauseFadeLength)), PauseFadeCounter);
}

int TGame::PauseFadeApply() {
    float share = PauseFadeCalc();
    if (PauseFadeDirection == 0) share = 1.0f - share;
    SetChannelVolume(MusicChannel.get(), float(GetMusicVolume()) / 100.0f * share);
    return 0;
}

int TGame::PauseFadeManage() {
    CountDown(PauseFadeCounter);
    return 0;
}

int TGame::ChannelsCreate(int count) {
    Channels = TChannelArray::Create(count);
    Channels->MaxVol = float(count);
    return 0;
}

int TGame::ChannelsKill() {
    if (Channels) Channels->Kill();
    Channels.reset();
    return 0;
}

int TGame::ChangeSoundDriver(const std::string& name, int save) {
    if (name.rfind("OpenAL", 0) == 0) EnableOpenALAudio();
    SoundDriver = SetAudioDriver(name) ? name : "None";
    IniUpdate(save);
    FixedRateLogic->Init();
    return 0;
}

int TGame::SoundPlay(const std::shared_ptr<TSound>& sound) {
    if (!Sound || !sound) return 0;
    std::shared_ptr<TChannel> channel = CueSound(sound);
    channel->SetVolume(float(SoundVolume) / 100.0f);
    channel->Resume();
    return 0;
}

int TGame::SoundPlaySameChannel(std::shared_ptr<TChannel>& channel, const std::shared_ptr<TSound>& sound) {
    if (!Sound || !sound) return 0;
    if (ChannelPlaying(channel.get())) channel->SetVolume(0.1f);
    channel = CueSound(sound, channel);
    channel->SetVolume(float(SoundVolume) / 100.0f);
    channel->Resume();
    return 0;
}

int TGame::SoundPlayReturnChannel(std::shared_ptr<TChannel>& channel, const std::shared_ptr<TSound>& sound,
                                  float rate) {
    if (!Sound || !sound) return 0;
    if (ChannelPlaying(channel.get())) channel->SetVolume(0.1f);
    channel = CueSound(sound);
    channel->SetVolume(float(SoundVolume) / 100.0f);
    channel->SetRate(rate);
    channel->Resume();
    return 0;
}

int TGame::GameSoundPlay(std::shared_ptr<TChannel>& channel, TGameSound& sound, float pan, float volume) {
    if (!Sound || !sound.sound) return 0;
    if (ChannelPlaying(channel.get())) channel->SetVolume(0.1f);
    channel = CueSound(sound.sound, channel);
    float v = float(SoundVolume) / 100.0f * (volume < 0.0f ? sound.volume : volume);
    if (GameFade && FrontEnd().FadeActive(*this)) v *= FrontEnd().FadeRatio(*this);
    channel->SetVolume(v);
    channel->SetPan(pan);
    channel->SetRate(sound.pitch);
    channel->Resume();
    return 0;
}

int TGame::SoundSetVolume(int volume, int save) {
    SoundVolume = ClampVolume(volume);
    if (save == 1) {
        IniUpdate(1);
        FixedRateLogic->Init();
    }
    return 0;
}

int TGame::SoundChangeVolume(int step) {
    return SoundSetVolume(SoundVolume + step, 1);
}

int TGame::ToggleSound() {
    if (Sound == 0)
        SoundOn();
    else
        SoundOff();
    IniUpdate(1);
    FixedRateLogic->Init();
    return 0;
}

int TGame::SoundOff() {
    Sound = 0;
    return 0;
}

int TGame::SoundOn() {
    Sound = 1;
    return 0;
}

int TGame::SpeechStop() {
    if (Speech && ChannelPlaying(SpeechChannel.get())) {
        SpeechChannel->Stop();
        SpeechChannel = AllocChannel();
    }
    return 0;
}

int TGame::SpeechPlay(TGameSound& sound, int interrupt) {
    if (!Speech || !SpeechChannel || !sound.sound) return 0;
    if (ChannelPlaying(SpeechChannel.get()) && !interrupt) return 0;
    SpeechChannel->Cue(sound.sound);
    SpeechChannel->SetVolume(float(SpeechVolume) / 100.0f);
    SpeechChannel->Resume();
    SpeechStopped = 0;
    return 0;
}

int TGame::SpeechSetVolume(int volume, int save) {
    SpeechVolume = ClampVolume(volume);
    if (SpeechChannel) SpeechChannel->SetVolume(float(SpeechVolume) / 100.0f);
    if (save == 1) {
        IniUpdate(1);
        FixedRateLogic->Init();
    }
    return 0;
}

int TGame::SpeechChangeVolume(int step) {
    return SpeechSetVolume(SpeechVolume + step, 1);
}

int TGame::SpeechOff() {
    Speech = 0;
    PauseChannel(SpeechChannel.get());
    return 1;
}

int TGame::SpeechOn() {
    if (Speech == 1) return 0;
    Speech = 1;
    if (SpeechStopped == 0) ResumeChannel(SpeechChannel.get());
    return 1;
}

int TGame::StopChannels() {
    StopChannel(MusicChannel.get());
    StopChannel(SpeechChannel.get());
    MusicChannel = AllocChannel();
    SpeechChannel = AllocChannel();
    return 0;
}

int TGame::SetEscapeSound(const std::string& name) {
    EscapeSound = TGameSound::Create(SoundPath + name + ".wav", 0);
    return 0;
}

int TGame::EscapeSoundPlay() {
    if (EscapeSound && EscapeChannel) EscapeSound->PlayInChannel(EscapeChannel, 0.0f);
    return 0;
}

int TGame::Kill() {
    StopChannel(MusicChannel.get());
    StopChannel(SpeechChannel.get());
    StopChannel(EscapeChannel.get());
    MusicChannel.reset();
    SpeechChannel.reset();
    EscapeChannel.reset();
    ChannelsKill();
    return 0;
}
