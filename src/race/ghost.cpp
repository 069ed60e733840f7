#include "race/ghost.h"
#include "player/savefile.h"
#include "shell/log.h"

#include <algorithm>
#include <cstdio>
#include <vector>

bool ghostShown = true;

namespace {

const int WARNING_TAG = 1;

std::vector<GhostFrame> recording;
std::vector<GhostFrame> ghost;

void put16(uint8_t*& p, uint32_t v) {
    *p++ = (uint8_t)v;
    *p++ = (uint8_t)(v >> 8);
}
void put32(uint8_t*& p, uint32_t v) {
    put16(p, v);
    put16(p, v >> 16);
}
uint32_t take16(const uint8_t*& p) {
    uint32_t v = p[0] | (uint32_t)p[1] << 8;
    p += 2;
    return v;
}
uint32_t take32(const uint8_t*& p) {
    uint32_t low = take16(p);
    return low | take16(p) << 16;
}

// FNV-1a over the frames.
uint32_t checksum(const uint8_t* bytes, long size) {
    uint32_t h = 2166136261u;
    for (long i = 0; i < size; i++) h = (h ^ bytes[i]) * 16777619u;
    return h;
}

void encodeFrame(const GhostFrame& f, uint8_t*& p) {
    put16(p, f.x);
    put16(p, f.y);
    put16(p, (uint16_t)f.z);
    put16(p, (uint16_t)f.heading);
    put16(p, (uint16_t)f.spin);
    *p++ = (uint8_t)f.lean;
    *p++ = (uint8_t)f.pitch;
    *p++ = f.crashed;
}

GhostFrame decodeFrame(const uint8_t*& p) {
    GhostFrame f{};
    f.x = (uint16_t)take16(p);
    f.y = (uint16_t)take16(p);
    f.z = (int16_t)take16(p);
    f.heading = (int16_t)take16(p);
    f.spin = (int16_t)take16(p);
    f.lean = (int8_t)*p++;
    f.pitch = (int8_t)*p++;
    f.crashed = *p++;
    return f;
}

bool ghostPath(char* out, int size, int rider, int level) {
    char name[64];
    snprintf(name, sizeof name, "ghost-%d-%d.dat", rider, level);
    return dataFilePath(out, size, name);
}

int folded(int degrees) { return ((degrees % 360) + 360) % 360; }

} // namespace

void beginGhostRecording() { recording.clear(); }

void recordGhostTick(const RaceRider* r) {
    if (r && (int)recording.size() <= GHOST_MAX_TICKS) recording.push_back(ghostFrameOf(r));
}

int recordedGhostTicks() { return (int)recording.size(); }

const GhostFrame* recordedGhostFrame(int tick) {
    return tick >= 0 && tick < (int)recording.size() ? &recording[tick] : nullptr;
}

GhostFrame ghostFrameOf(const RaceRider* r) {
    GhostFrame f{};
    f.x = (uint16_t)std::clamp(r->x >> 5, 0, 0xFFFF);
    f.y = (uint16_t)std::clamp(r->y >> 5, 0, 0xFFFF);
    f.z = (int16_t)std::clamp(r->z >> 7, -0x8000, 0x7FFF);
    f.heading = (int16_t)folded(r->heading >> 10);
    f.spin = (int16_t)folded(r->spin >> 10);
    f.lean = (int8_t)std::clamp(r->lean, -127, 127);
    f.pitch = (int8_t)std::clamp(r->pitch, -127, 127);
    f.crashed = (uint8_t)std::clamp(r->crashed, 0, 255);
    return f;
}

int ghostFileSize(int ticks) { return GHOST_HEADER_BYTES + ticks * GHOST_FRAME_BYTES; }

void encodeGhost(int level, uint8_t* out) {
    uint8_t* p = out + GHOST_HEADER_BYTES;
    for (const GhostFrame& f : recording) encodeFrame(f, p);
    uint8_t* h = out;
    put32(h, GHOST_MAGIC);
    put32(h, GHOST_VERSION);
    put32(h, (uint32_t)level);
    put32(h, (uint32_t)recording.size());
    put32(h, checksum(out + GHOST_HEADER_BYTES, p - out - GHOST_HEADER_BYTES));
}

bool decodeGhost(const uint8_t* bytes, long size, int level, const char** why) {
    ghost.clear();
    const uint8_t* p = bytes;
    if (size < GHOST_HEADER_BYTES) return *why = "too short", false;
    uint32_t magic = take32(p), version = take32(p), fileLevel = take32(p), ticks = take32(p), sum = take32(p);
    if (magic != GHOST_MAGIC) return *why = "not a ghost file", false;
    if (version != GHOST_VERSION) return *why = "unknown version", false;
    if (fileLevel != (uint32_t)level) return *why = "of another level", false;
    if (ticks == 0 || ticks > (uint32_t)GHOST_MAX_TICKS || size != ghostFileSize((int)ticks))
        return *why = "wrong length", false;
    if (checksum(p, size - GHOST_HEADER_BYTES) != sum) return *why = "checksum mismatch", false;
    ghost.reserve(ticks);
    for (uint32_t i = 0; i < ticks; i++) ghost.push_back(decodeFrame(p));
    return true;
}

bool saveGhost(int rider, int level) {
    char path[512];
    if (recording.empty() || (int)recording.size() > GHOST_MAX_TICKS || !ghostPath(path, sizeof path, rider, level))
        return false;
    std::vector<uint8_t> bytes(ghostFileSize((int)recording.size()));
    encodeGhost(level, bytes.data());
    if (writeSaveFile(path, bytes.data(), (long)bytes.size())) return true;
    log("[WARNING] Ghost not saved.\n", WARNING_TAG);
    return false;
}

bool loadGhost(int rider, int level) {
    ghost.clear();
    char path[512];
    if (!ghostPath(path, sizeof path, rider, level)) return false;
    std::vector<uint8_t> bytes(ghostFileSize(GHOST_MAX_TICKS) + 1);
    long size = readSaveFile(path, bytes.data(), (long)bytes.size());
    if (size == SAVE_FILE_MISSING) return false;
    const char* why = "unreadable";
    if (size >= 0 && decodeGhost(bytes.data(), size, level, &why)) return true;
    char line[600];
    snprintf(line, sizeof line, "[WARNING] Ghost file %s ignored: %s.\n", path, why);
    log(line, WARNING_TAG);
    ghost.clear();
    return false;
}

void dropGhost() { ghost.clear(); }

const GhostFrame* ghostFrameAt(int tick) {
    return tick >= 0 && tick < (int)ghost.size() ? &ghost[tick] : nullptr;
}

int ghostTicks() { return (int)ghost.size(); }
