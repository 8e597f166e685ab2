// Renders a sound or a piece of music from a small text recipe into a WAV or Ogg Vorbis file.
//
//   SoundSynth <recipe.txt> <out.wav|out.ogg>
//
// The game's sounds are made here rather than recorded so that every one of them can be rebuilt
// and changed from the repository. A recipe is a list of lines:
//
//   rate 44100 | channels 1|2 | tempo <beats per minute; times are in beats, 60 = seconds>
//   length <beats>             total length; default: the last note's end plus the reverb tail
//   loop 1                     the file loops: every tail past the end wraps round to the start
//                              and the reverb runs circularly, so the last sample leads into the
//                              first without a click
//   gain <0..1>                peak level after normalising
//   seed <n>                   random seed for noise and claps
//   reverb mix=<0..1> room=<0..1> damp=<0..1>
//   voice <name> wave=sine|triangle|saw|square|noise|fm  attack= decay= sustain= release= (seconds)
//         detune=<cents, three spread oscillators> lowpass=<Hz> highpass=<Hz> vibrato=<cents>
//         glide=<pitch ratio over the note> ratio=<fm ratio> index=<fm depth> pan=<-1..1> gate=<0..1>
//   note  <voice> <start> <duration> <pitch> <velocity>
//   chord <voice> <start> <duration> <velocity> <pitch>...
//   arp   <voice> <start> <total> <step> <velocity> <pitch>...     (the pitches cycle)
//   claps <start> <duration> <count> <velocity>                    (a crowd clapping, swelling and fading)
//
// Pitches are note names (A4 = 440 Hz, "C#5", "Bb3") or plain frequencies in Hz.
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Voice {
    std::string wave = "sine";
    double attack = 0.005, decay = 0.1, sustain = 0.7, release = 0.1;
    double detune = 0, lowpass = 0, highpass = 0, vibrato = 0, glide = 1;
    double ratio = 2, index = 0, pan = 0, gate = 1;
};

struct Reverb {
    double mix = 0, room = 0.8, damp = 0.3;
};

struct Song {
    int rate = 44100;
    int channels = 1;
    double tempo = 60;
    double length = -1;  // beats
    bool loop = false;
    double gain = 0.8;
    unsigned seed = 1;
    Reverb reverb;
    std::map<std::string, Voice> voices;
};

// Stereo mix buffer; mono files use the left side.
struct Mix {
    std::vector<double> l, r;
    bool loop = false;
    void Add(long i, double a, double pan) {
        const long n = long(l.size());
        if (loop) i = ((i % n) + n) % n;
        if (i < 0 || i >= n) return;
        const double angle = (pan + 1) * kPi / 4;  // constant-power pan
        l[size_t(i)] += a * std::cos(angle);
        r[size_t(i)] += a * std::sin(angle);
    }
};

double ParsePitch(const std::string& text) {
    static const std::map<char, int> steps{{'C', -9}, {'D', -7}, {'E', -5}, {'F', -4},
                                           {'G', -2}, {'A', 0},  {'B', 2}};
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0]))) return std::stod(text);
    if (text.empty() || !steps.count(char(std::toupper(static_cast<unsigned char>(text[0])))))
        throw std::runtime_error("bad pitch '" + text + "'");
    int semis = steps.at(char(std::toupper(static_cast<unsigned char>(text[0]))));
    size_t i = 1;
    for (; i < text.size() && (text[i] == '#' || text[i] == 'b'); ++i) semis += text[i] == '#' ? 1 : -1;
    const int octave = std::stoi(text.substr(i));
    return 440.0 * std::pow(2.0, (semis + (octave - 4) * 12) / 12.0);
}

std::map<std::string, std::string> ParseParams(std::istream& in) {
    std::map<std::string, std::string> params;
    std::string token;
    while (in >> token) {
        const auto eq = token.find('=');
        if (eq == std::string::npos) throw std::runtime_error("expected key=value, got '" + token + "'");
        params[token.substr(0, eq)] = token.substr(eq + 1);
    }
    return params;
}

double Envelope(const Voice& v, double t, double held) {
    if (t < 0) return 0;
    double level;
    if (t < v.attack) {
        level = t / v.attack;
    } else if (t < v.attack + v.decay) {
        level = 1 - (1 - v.sustain) * (t - v.attack) / v.decay;
    } else {
        level = v.sustain;
    }
    if (t > held) {
        const double rel = (t - held) / std::max(v.release, 1e-4);
        if (rel >= 1) return 0;
        // Level at the moment of release, fading out along a smooth curve.
        level = Envelope(v, held, held + 1) * (1 - rel) * (1 - rel);
    }
    return level;
}

// One-pole filter coefficient for a cutoff in Hz.
double OnePole(double cutoff, int rate) {
    return 1 - std::exp(-2 * kPi * cutoff / rate);
}

void RenderNote(Mix& mix, const Song& song, const Voice& v, double startBeats, double durBeats, double freq,
                double velocity, std::mt19937& rng) {
    const double spb = 60.0 / song.tempo;
    const double held = durBeats * spb * v.gate;
    const double total = held + v.release;
    const long first = long(std::lround(startBeats * spb * song.rate));
    const long count = long(total * song.rate);
    const int oscillators = v.detune > 0 ? 3 : 1;
    double phase[3] = {0, 0.33, 0.67};
    double modPhase = 0;
    double lp1 = 0, lp2 = 0, hp = 0;
    const double lpA = v.lowpass > 0 ? OnePole(v.lowpass, song.rate) : 1;
    const double hpA = v.highpass > 0 ? OnePole(v.highpass, song.rate) : 0;
    std::uniform_real_distribution<double> noise(-1, 1);
    for (long i = 0; i < count; ++i) {
        const double t = double(i) / song.rate;
        const double env = Envelope(v, t, held);
        const double bend = std::pow(v.glide, std::min(t / std::max(held, 1e-4), 1.0));
        const double vib = v.vibrato > 0 ? std::pow(2.0, v.vibrato * std::sin(2 * kPi * 5.0 * t) / 1200) : 1;
        double s = 0;
        for (int o = 0; o < oscillators; ++o) {
            const double cents = oscillators == 1 ? 0 : (o - 1) * v.detune;
            const double f = freq * bend * vib * std::pow(2.0, cents / 1200);
            double& p = phase[o];
            double w;
            if (v.wave == "sine") {
                w = std::sin(2 * kPi * p);
            } else if (v.wave == "triangle") {
                w = 4 * std::abs(p - std::floor(p + 0.5)) - 1;
            } else if (v.wave == "saw") {
                w = 2 * (p - std::floor(p + 0.5));
            } else if (v.wave == "square") {
                w = p - std::floor(p) < 0.5 ? 1 : -1;
            } else if (v.wave == "noise") {
                w = noise(rng);
            } else if (v.wave == "fm") {
                // A bell: the modulation depth falls with the envelope, so the tone mellows as it rings.
                w = std::sin(2 * kPi * p + v.index * env * std::sin(2 * kPi * modPhase));
                if (o == 0) modPhase += f * v.ratio / song.rate;
            } else {
                throw std::runtime_error("unknown wave '" + v.wave + "'");
            }
            s += w;
            p += f / song.rate;
            if (p > 1e6) p -= std::floor(p);
        }
        s /= oscillators;
        lp1 += lpA * (s - lp1);
        lp2 += lpA * (lp1 - lp2);
        double out = v.lowpass > 0 ? lp2 : s;
        if (v.highpass > 0) {
            hp += hpA * (out - hp);
            out -= hp;
        }
        mix.Add(first + i, out * env * velocity, v.pan);
    }
}

// Crowd applause: many short noise bursts shaped like hand claps, denser in the middle.
void RenderClaps(Mix& mix, const Song& song, double startBeats, double durBeats, int count, double velocity,
                 std::mt19937& rng) {
    const double spb = 60.0 / song.tempo;
    const double dur = durBeats * spb;
    std::uniform_real_distribution<double> uni(0, 1);
    std::uniform_real_distribution<double> noise(-1, 1);
    for (int c = 0; c < count; ++c) {
        // Onsets follow a swell: quick rise, long plateau, gentle fade.
        double u;
        do {
            u = uni(rng);
        } while (uni(rng) > std::min(1.0, std::min(u / 0.12, (1 - u) / 0.45)));
        const long first = long((startBeats * spb + u * dur) * song.rate);
        const double centre = 900 + uni(rng) * 1400;  // each pair of hands has its own pitch
        const double decay = 0.012 + uni(rng) * 0.02;
        const double amp = velocity * (0.3 + 0.7 * uni(rng));
        const double pan = uni(rng) * 1.6 - 0.8;
        const double lpA = OnePole(centre * 1.6, song.rate), hpA = OnePole(centre * 0.6, song.rate);
        double lp = 0, hp = 0;
        const long n = long(decay * 7 * song.rate);
        for (long i = 0; i < n; ++i) {
            const double t = double(i) / song.rate;
            const double env = std::min(1.0, t / 0.0015) * std::exp(-t / decay);
            lp += lpA * (noise(rng) - lp);
            hp += hpA * (lp - hp);
            mix.Add(first + i, (lp - hp) * env * amp * 2.5, pan);
        }
    }
}

// A small Schroeder reverb (parallel combs into series all-passes), one per side with spread delays.
void ApplyReverb(Mix& mix, const Song& song) {
    if (song.reverb.mix <= 0) return;
    const double scale = song.rate / 44100.0;
    const int combs[4] = {1116, 1188, 1277, 1356};
    const int allpasses[2] = {556, 441};
    const double feedback = 0.7 + 0.28 * song.reverb.room;
    const double damp = song.reverb.damp;
    for (int side = 0; side < 2; ++side) {
        std::vector<double>& buf = side == 0 ? mix.l : mix.r;
        const int spread = side * 23;
        std::vector<std::vector<double>> combBuf, apBuf;
        for (int d : combs) combBuf.emplace_back(size_t((d + spread) * scale), 0.0);
        for (int d : allpasses) apBuf.emplace_back(size_t((d + spread) * scale), 0.0);
        std::vector<size_t> combPos(4, 0), apPos(2, 0);
        std::vector<double> combLp(4, 0.0);
        std::vector<double> wet(buf.size(), 0.0);
        // A loop runs twice: the first pass fills the delay lines so the wrap point has its tail.
        const int passes = mix.loop ? 2 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            for (size_t i = 0; i < buf.size(); ++i) {
                const double in = buf[i] * 0.2;
                double out = 0;
                for (size_t c = 0; c < 4; ++c) {
                    double& cell = combBuf[c][combPos[c]];
                    const double y = cell;
                    combLp[c] = y * (1 - damp) + combLp[c] * damp;
                    cell = in + combLp[c] * feedback;
                    combPos[c] = (combPos[c] + 1) % combBuf[c].size();
                    out += y;
                }
                for (size_t a = 0; a < 2; ++a) {
                    double& cell = apBuf[a][apPos[a]];
                    const double y = cell - out;
                    cell = out + cell * 0.5;
                    apPos[a] = (apPos[a] + 1) % apBuf[a].size();
                    out = y;
                }
                wet[i] = out;
            }
        }
        for (size_t i = 0; i < buf.size(); ++i)
            buf[i] = buf[i] * (1 - song.reverb.mix) + wet[i] * song.reverb.mix * 3;
    }
}

void PutLE(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

std::vector<int16_t> ToPcm(const Mix& mix, int channels) {
    std::vector<int16_t> pcm;
    pcm.reserve(mix.l.size() * size_t(channels));
    for (size_t i = 0; i < mix.l.size(); ++i) {
        for (int c = 0; c < channels; ++c) {
            const double v = channels == 1 ? (mix.l[i] + mix.r[i]) * 0.5 : (c == 0 ? mix.l[i] : mix.r[i]);
            pcm.push_back(int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 32767)));
        }
    }
    return pcm;
}

bool WriteWav(const std::string& path, const Mix& mix, const Song& song) {
    const std::vector<int16_t> pcm = ToPcm(mix, song.channels);
    std::vector<uint8_t> out;
    const uint32_t dataBytes = uint32_t(pcm.size() * 2);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    PutLE(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLE(out, 16, 4);
    PutLE(out, 1, 2);  // PCM
    PutLE(out, uint32_t(song.channels), 2);
    PutLE(out, uint32_t(song.rate), 4);
    PutLE(out, uint32_t(song.rate * song.channels * 2), 4);
    PutLE(out, uint32_t(song.channels * 2), 2);
    PutLE(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    PutLE(out, dataBytes, 4);
    for (int16_t s : pcm) PutLE(out, uint16_t(s), 2);
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    return f.good();
}

bool WriteOgg(const std::string& path, const Mix& mix, const Song& song) {
    std::ofstream f(path, std::ios::binary);
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, song.channels, song.rate, 0.4f) != 0) return false;
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "ENCODER", "SoundSynth");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 0x4e4d5241);
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    auto writePage = [&]() {
        f.write(reinterpret_cast<const char*>(page.header), page.header_len);
        f.write(reinterpret_cast<const char*>(page.body), page.body_len);
    };
    while (ogg_stream_flush(&os, &page) != 0) writePage();

    const size_t frames = mix.l.size();
    const size_t chunk = 4096;
    bool eos = false;
    for (size_t pos = 0; !eos;) {
        const size_t n = std::min(chunk, frames - pos);
        if (n == 0) {
            vorbis_analysis_wrote(&vd, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&vd, int(n));
            for (size_t i = 0; i < n; ++i) {
                if (song.channels == 1) {
                    buffer[0][i] = float((mix.l[pos + i] + mix.r[pos + i]) * 0.5);
                } else {
                    buffer[0][i] = float(mix.l[pos + i]);
                    buffer[1][i] = float(mix.r[pos + i]);
                }
            }
            vorbis_analysis_wrote(&vd, int(n));
            pos += n;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet)) {
                ogg_stream_packetin(&os, &packet);
                while (ogg_stream_pageout(&os, &page) != 0) {
                    writePage();
                    if (ogg_page_eos(&page)) eos = true;
                }
            }
        }
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return f.good();
}

struct Event {
    std::string kind;  // "note" or "claps"
    std::string voice;
    double start = 0, duration = 0, velocity = 0, pitch = 0;
    int count = 0;
};

void ReadRecipe(const std::string& path, Song& song, std::vector<Event>& events) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const auto hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream s(line);
        std::string cmd;
        if (!(s >> cmd)) continue;
        try {
            if (cmd == "rate") {
                s >> song.rate;
            } else if (cmd == "channels") {
                s >> song.channels;
            } else if (cmd == "tempo") {
                s >> song.tempo;
            } else if (cmd == "length") {
                s >> song.length;
            } else if (cmd == "loop") {
                int v = 0;
                s >> v;
                song.loop = v != 0;
            } else if (cmd == "gain") {
                s >> song.gain;
            } else if (cmd == "seed") {
                s >> song.seed;
            } else if (cmd == "reverb") {
                for (const auto& [k, v] : ParseParams(s)) {
                    const double d = std::stod(v);
                    if (k == "mix")
                        song.reverb.mix = d;
                    else if (k == "room")
                        song.reverb.room = d;
                    else if (k == "damp")
                        song.reverb.damp = d;
                    else
                        throw std::runtime_error("unknown reverb setting " + k);
                }
            } else if (cmd == "voice") {
                std::string name;
                s >> name;
                Voice v;
                for (const auto& [k, val] : ParseParams(s)) {
                    if (k == "wave") {
                        v.wave = val;
                        continue;
                    }
                    const double d = std::stod(val);
                    if (k == "attack")
                        v.attack = d;
                    else if (k == "decay")
                        v.decay = d;
                    else if (k == "sustain")
                        v.sustain = d;
                    else if (k == "release")
                        v.release = d;
                    else if (k == "detune")
                        v.detune = d;
                    else if (k == "lowpass")
                        v.lowpass = d;
                    else if (k == "highpass")
                        v.highpass = d;
                    else if (k == "vibrato")
                        v.vibrato = d;
                    else if (k == "glide")
                        v.glide = d;
                    else if (k == "ratio")
                        v.ratio = d;
                    else if (k == "index")
                        v.index = d;
                    else if (k == "pan")
                        v.pan = d;
                    else if (k == "gate")
                        v.gate = d;
                    else
                        throw std::runtime_error("unknown voice setting " + k);
                }
                song.voices[name] = v;
            } else if (cmd == "note") {
                Event e;
                e.kind = "note";
                std::string pitch;
                if (!(s >> e.voice >> e.start >> e.duration >> pitch >> e.velocity))
                    throw std::runtime_error("short note");
                e.pitch = ParsePitch(pitch);
                events.push_back(e);
            } else if (cmd == "chord" || cmd == "arp") {
                Event e;
                e.kind = "note";
                double total = 0, step = 0;
                s >> e.voice >> e.start;
                if (cmd == "arp")
                    s >> total >> step;
                else
                    s >> e.duration;
                s >> e.velocity;
                std::vector<double> pitches;
                std::string p;
                while (s >> p) pitches.push_back(ParsePitch(p));
                if (pitches.empty() || !s.eof()) throw std::runtime_error("bad " + cmd);
                if (cmd == "chord") {
                    for (double f : pitches)
                        events.push_back({"note", e.voice, e.start, e.duration, e.velocity, f, 0});
                } else {
                    const int steps = int(std::lround(total / step));
                    for (int k = 0; k < steps; ++k)
                        events.push_back({"note", e.voice, e.start + k * step, step, e.velocity,
                                          pitches[size_t(k) % pitches.size()], 0});
                }
            } else if (cmd == "claps") {
                Event e;
                e.kind = "claps";
                if (!(s >> e.start >> e.duration >> e.count >> e.velocity))
                    throw std::runtime_error("short claps");
                events.push_back(e);
            } else {
                throw std::runtime_error("unknown command " + cmd);
            }
        } catch (const std::exception& ex) {
            throw std::runtime_error(path + ":" + std::to_string(lineNo) + ": " + ex.what());
        }
    }
    for (const Event& e : events)
        if (e.kind == "note" && !song.voices.count(e.voice))
            throw std::runtime_error("no voice named " + e.voice);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: SoundSynth <recipe.txt> <out.wav|out.ogg>\n";
        return 2;
    }
    try {
        Song song;
        std::vector<Event> events;
        ReadRecipe(argv[1], song, events);
        const double spb = 60.0 / song.tempo;
        double seconds = song.length * spb;
        if (song.length < 0) {
            seconds = 0;
            for (const Event& e : events) {
                const double release = e.kind == "note" ? song.voices[e.voice].release : 0.2;
                seconds = std::max(seconds, (e.start + e.duration) * spb + release);
            }
            seconds += song.reverb.mix > 0 ? 1.2 : 0.01;
        }
        Mix mix;
        mix.loop = song.loop;
        mix.l.assign(size_t(seconds * song.rate), 0.0);
        mix.r.assign(mix.l.size(), 0.0);
        std::mt19937 rng(song.seed);
        for (const Event& e : events) {
            if (e.kind == "claps")
                RenderClaps(mix, song, e.start, e.duration, e.count, e.velocity, rng);
            else
                RenderNote(mix, song, song.voices[e.voice], e.start, e.duration, e.pitch, e.velocity, rng);
        }
        ApplyReverb(mix, song);
        double peak = 1e-9;
        for (size_t i = 0; i < mix.l.size(); ++i)
            peak = std::max({peak, std::abs(mix.l[i]), std::abs(mix.r[i])});
        for (size_t i = 0; i < mix.l.size(); ++i) {
            mix.l[i] *= song.gain / peak;
            mix.r[i] *= song.gain / peak;
        }
        if (!song.loop) {
            // A short fade at both ends keeps one-shot sounds free of edge clicks.
            const size_t fade = std::min(mix.l.size() / 4, size_t(song.rate / 500));
            for (size_t i = 0; i < fade; ++i) {
                const double g = double(i) / double(fade);
                mix.l[i] *= g;
                mix.r[i] *= g;
                mix.l[mix.l.size() - 1 - i] *= g;
                mix.r[mix.r.size() - 1 - i] *= g;
            }
        }
        const std::string out = argv[2];
        const bool ogg = out.size() > 4 && out.substr(out.size() - 4) == ".ogg";
        if (!(ogg ? WriteOgg(out, mix, song) : WriteWav(out, mix, song))) {
            std::cerr << "SoundSynth: cannot write " << out << "\n";
            return 1;
        }
    } catch (const std::exception& ex) {
        std::cerr << "SoundSynth: " << ex.what() << "\n";
        return 1;
    }
    return 0;
}
