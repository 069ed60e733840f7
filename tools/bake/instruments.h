// The band of the title tune: each call makes one hit or note as a wave
// that starts at its onset and rings out to silence.
#pragma once
#include "bake/synth.h"

double midiHz(int midi);

Wave kickDrum();
Wave snareDrum(BakeRandom& random);
Wave hiHat(bool open, BakeRandom& random);
Wave crashCymbal(BakeRandom& random);
Wave tomDrum(double hz);
// A plucked, slightly gritty bass note held for `seconds`.
Wave bassNote(int midi, double seconds);
// A distorted power chord (root, fifth, octave); muted ones are cut short.
Wave powerChord(int rootMidi, double seconds, bool muted);
// The lead: a nasal pulse voice with vibrato once the note has settled.
Wave leadNote(int midi, double seconds);
