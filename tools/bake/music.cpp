// The title tune: 24 bars of driving rock in E minor at 147 beats a minute
// (a sixteenth is exactly 1125 samples), with a verse, a chorus and a lead
// break. The game loops the whole sound, so every note that rings past the
// end is folded back onto the start and the loop has no seam.
#include "bake/instruments.h"
#include "bake/sound_set.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

static const int SIXTEENTH = 1125;
static const int BAR = 16 * SIXTEENTH;
static const int BARS = 24;
static const int SONG = BARS * BAR; // 432000 samples, 39.2 seconds
static const float SONG_PEAK = 118;

// The melody, one bar to a line: note/length in sixteenths, "-" a rest.
static const char* const MELODY[BARS] = {
    // verse
    "B4/2 E5/2 G5/2 E5/2 B5/4 A5/2 G5/2", "F#5/4 E5/2 D5/2 E5/8",
    "C5/2 E5/2 G5/2 C6/2 B5/4 G5/4", "A5/6 F#5/2 D5/4 F#5/4",
    "B4/2 E5/2 G5/2 E5/2 B5/4 D6/2 B5/2", "A5/2 G5/2 F#5/2 G5/2 E5/8",
    "E5/2 G5/2 C6/4 D6/2 C6/2 A5/4", "B5/8 A5/2 G5/2 F#5/4",
    // chorus
    "G5/4 G5/2 A5/2 G5/4 E5/4", "F#5/4 F#5/2 G5/2 A5/8",
    "B5/4 B5/2 D6/2 B5/2 A5/2 G5/4", "E5/8 G5/2 A5/2 B5/4",
    "C6/4 B5/2 A5/2 G5/4 E5/4", "D6/4 C6/2 B5/2 A5/4 F#5/4",
    "D#5/4 F#5/4 B5/4 A5/4", "B5/8 -/2 B4/2 D#5/2 F#5/2",
    // lead break
    "A5/2 C6/2 E6/2 C6/2 A5/2 C6/2 E6/2 C6/2", "B5/2 C6/2 B5/2 A5/2 G5/4 A5/4",
    "G5/2 B5/2 E6/2 B5/2 G5/2 B5/2 E6/2 B5/2", "F#5/2 G5/2 F#5/2 E5/2 D5/4 E5/4",
    "E5/2 G5/2 C6/2 G5/2 E6/4 D6/4", "F#5/2 A5/2 D6/2 A5/2 F#6/4 E6/4",
    "D#6/4 B5/4 F#5/4 A5/4", "B5/4 A5/2 G5/2 F#5/4 D#5/4",
};

// Chord roots, two to a bar.
static const char CHORDS[] = "EEEECCDDEEEECDBB"
                             "CCDDEEEECCDDBBBB"
                             "AAAAEEEECCDDBBBB";

// Drum lines per section, sixteen steps to a bar: x a hit, and on the
// hi-hat line h closed, o open.
struct Groove {
    const char* kick;
    const char* snare;
    const char* hat;
};
static const Groove VERSE = {"x.....x.x.....x.", "....x.......x...", "x.x.x.x.x.x.x.x."};
static const Groove CHORUS = {"x...x...x...x...", "....x.......x...", "h.o.h.o.h.o.h.o."};
static const Groove BREAK = {"x..x..x.x..x..x.", "....x.......x...", "hhhhhhhhhhhhhhhh"};

struct Note {
    int start; // samples
    int length;
    int midi;
};

static int pitchClass(char name) {
    static const int classes[7] = {9, 11, 0, 2, 4, 5, 7}; // A..G
    return classes[name - 'A'];
}

// "F#5/4" → a note; "-/2" → a rest (midi −1).
static Note parseNote(const std::string& token, int start) {
    size_t slash = token.find('/');
    int length = std::atoi(token.c_str() + slash + 1) * SIXTEENTH;
    if (token[0] == '-') return {start, length, -1};
    bool sharp = token[1] == '#';
    int octave = token[sharp ? 2 : 1] - '0';
    return {start, length, 12 * (octave + 1) + pitchClass(token[0]) + (sharp ? 1 : 0)};
}

static std::vector<Note> melodyNotes() {
    std::vector<Note> notes;
    for (int bar = 0; bar < BARS; bar++) {
        int at = bar * BAR;
        std::string line = MELODY[bar];
        size_t from = 0;
        while (from < line.size()) {
            size_t space = line.find(' ', from);
            if (space == std::string::npos) space = line.size();
            Note n = parseNote(line.substr(from, space - from), at);
            at += n.length;
            if (n.midi >= 0) notes.push_back(n);
            from = space + 1;
        }
    }
    return notes;
}

// The bass plays roots in the second octave: E2 .. D3.
static int bassRoot(int half) {
    int pc = pitchClass(CHORDS[half]);
    return 36 + pc + (pc < 4 ? 12 : 0);
}

static int sectionOf(int bar) { return bar / 8; } // 0 verse, 1 chorus, 2 lead break

static Wave leadTrack() {
    Wave track(SONG, 0.0f);
    for (const Note& n : melodyNotes()) {
        double held = (n.length - SIXTEENTH / 5) / (double)SOUND_RATE;
        addWrapped(track, n.start, leadNote(n.midi, held), 1.0f);
    }
    // A dotted-eighth echo, folded round the loop like everything else.
    Wave echo = track;
    const int delay = 3 * SIXTEENTH;
    for (int k = 1; k <= 6; k++) {
        Wave shifted(SONG);
        for (int i = 0; i < SONG; i++) shifted[(i + delay) % SONG] = echo[i] * 0.3f;
        echo = shifted;
        for (int i = 0; i < SONG; i++) track[i] += echo[i];
    }
    return track;
}

// Eighth notes on the root, jumping to the octave and the fifth.
static Wave bassTrack() {
    static const int shape[8] = {0, 0, 12, 0, 0, 0, 12, 7};
    Wave track(SONG, 0.0f);
    for (int eighth = 0; eighth < BARS * 8; eighth++) {
        int half = eighth / 4;
        int midi = bassRoot(half) + shape[eighth % 8];
        double held = (2 * SIXTEENTH * 0.85) / SOUND_RATE;
        addWrapped(track, eighth * 2 * SIXTEENTH, bassNote(midi, held), 1.0f);
    }
    return track;
}

// Muted eighths in the verse and the break, ringing chords in the chorus.
static Wave guitarTrack() {
    Wave track(SONG, 0.0f);
    for (int half = 0; half < BARS * 2; half++) {
        int root = bassRoot(half) + 12;
        int at = half * 8 * SIXTEENTH;
        if (sectionOf(half / 2) == 1) {
            addWrapped(track, at, powerChord(root, 7.5 * SIXTEENTH / SOUND_RATE, false), 1.0f);
        } else {
            for (int k = 0; k < 4; k++)
                addWrapped(track, at + k * 2 * SIXTEENTH, powerChord(root, 1.6 * SIXTEENTH / SOUND_RATE, true),
                           k == 0 ? 1.0f : 0.75f);
        }
    }
    filterWaveCircular(highPassFilter(90, 0.7), track);
    return track;
}

static void addLine(Wave& track, int bar, const char* steps, char mark, const Wave& hit, float gain) {
    for (int s = 0; s < 16; s++)
        if (steps[s] == mark) addWrapped(track, bar * BAR + s * SIXTEENTH, hit, gain);
}

static Wave drumTrack() {
    BakeRandom random(3);
    Wave kick = kickDrum(), snare = snareDrum(random), closed = hiHat(false, random), open = hiHat(true, random);
    Wave crash = crashCymbal(random);
    Wave toms[3] = {tomDrum(210), tomDrum(160), tomDrum(120)};
    Wave track(SONG, 0.0f);
    for (int bar = 0; bar < BARS; bar++) {
        const Groove& g = sectionOf(bar) == 0 ? VERSE : sectionOf(bar) == 1 ? CHORUS : BREAK;
        bool fill = bar % 8 == 7;
        addLine(track, bar, g.kick, 'x', kick, 1.0f);
        const char* snareLine = !fill ? g.snare : bar == 7 ? "....x.......xxxx" : "....x...xxxxxxxx";
        if (bar == BARS - 1) snareLine = "....x...........";
        addLine(track, bar, snareLine, 'x', snare, 0.75f);
        if (bar == BARS - 1) { // the tom run back into the top
            addLine(track, bar, "........HH......", 'H', toms[0], 0.9f);
            addLine(track, bar, "..........MM....", 'M', toms[1], 0.9f);
            addLine(track, bar, "............LLLL", 'L', toms[2], 0.9f);
        }
        for (int s = 0; s < 16; s++) {
            char h = g.hat[s];
            float accent = s % 4 == 0 ? 1.0f : 0.65f;
            if (h == 'x' || h == 'h') addWrapped(track, bar * BAR + s * SIXTEENTH, closed, 0.3f * accent);
            if (h == 'o') addWrapped(track, bar * BAR + s * SIXTEENTH, open, 0.3f);
        }
        if (bar % 8 == 0) addWrapped(track, bar * BAR, crash, 0.45f);
    }
    return track;
}

std::vector<int8_t> themeTune() {
    Wave drums = drumTrack(), bass = bassTrack(), guitar = guitarTrack(), lead = leadTrack();
    Wave mix(SONG);
    for (int i = 0; i < SONG; i++) mix[i] = drums[i] * 0.9f + bass[i] * 0.5f + guitar[i] * 0.28f + lead[i] * 0.42f;
    // Level the mix on its loud passages, then round off the few peaks above.
    std::vector<float> loudness(mix.size());
    for (size_t i = 0; i < mix.size(); i++) loudness[i] = std::fabs(mix[i]);
    size_t rank = loudness.size() * 998 / 1000;
    std::nth_element(loudness.begin(), loudness.begin() + rank, loudness.end());
    float scale = loudness[rank] > 0 ? 0.8f / loudness[rank] : 1.0f;
    for (float& s : mix) s = softLimit(s * scale, 0.8f);
    mix.push_back(mix[0]); // the whole sound loops, its last sample is never played
    return toPcm8(mix, SONG_PEAK);
}
