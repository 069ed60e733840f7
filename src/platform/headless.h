// The headless backend: no display, no audio device. A virtual clock that
// the caller advances, scripted window events, presented frames kept for
// inspection, message boxes recorded, audio pulled on demand.
#pragma once
#include "platform/platform.h"
#include <string>
#include <vector>

const int64_t HEADLESS_FREQUENCY = 1000000; // counter ticks per second

const PlatformBackend* headlessBackend();

// Back to a fresh machine: clock 0, focus, no events, frames or boxes.
void headlessReset();
void headlessAdvance(int64_t ticks);
void headlessAdvanceMs(int ms);
int64_t headlessNow();
void headlessSetFocus(bool focus);
void headlessSetWindowFails(bool fails);
void headlessSetSeed(uint32_t seed);

void headlessPushEvent(const PlatformEvent& event);
void headlessKey(int key, int ch, bool down);
void headlessMouse(int type, int x, int y);
// A left click: button down then up at (x, y).
void headlessClick(int x, int y);

// A scripted game controller: plugged in or out, a button, the left stick.
void headlessPadConnect(bool connected);
void headlessPadButton(int button, bool down);
void headlessPadStick(int x, int y);

int headlessFramesPresented();
const std::vector<uint16_t>& headlessLastFrame();
bool headlessSaveFramePng(const char* path);

const std::vector<std::string>& headlessMessageBoxes();
int headlessSleeps();

bool headlessAudioOpen();
// Runs the audio callback as the device would, for `count` samples.
void headlessPullAudio(int16_t* out, int count);
