#include "bake/art_motifs.h"

#include "bake/noise.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

const double PI = 3.14159265358979323846;

// Drawing in model units through a pose.
struct Painter {
    Mask& mask;
    const Pose& pose;
    Vertex at(Vertex v) const { return place(pose, v); }
    double size(double v) const { return v * pose.scale; }
    void polygon(const Contour& model) const {
        Contour out;
        for (Vertex v : model) out.push_back(at(v));
        fillPolygon(mask, out);
    }
    void capsule(Vertex a, Vertex b, double r) const { fillCapsule(mask, at(a), at(b), size(r)); }
    void circle(Vertex c, double r) const { fillCircle(mask, at(c), size(r)); }
    void ring(Vertex c, double inner, double outer) const { fillRing(mask, at(c), size(inner), size(outer)); }
    void stroke(const Contour& line, double r0, double r1) const {
        Contour out;
        for (Vertex v : line) out.push_back(at(v));
        fillStroke(mask, out, size(r0), size(r1));
    }
};

void wheel(const Painter& p, Vertex c, double spin) {
    const double tyre = 31, tyreInner = 23, rim = 21, rimInner = 18.5;
    p.ring(c, tyreInner, tyre);
    p.ring(c, rimInner, rim);
    p.circle(c, 5.5);
    for (int k = 0; k < 24; k++) { // knobs on the tread
        double a = spin + 2 * PI * k / 24, ca = std::cos(a), sa = std::sin(a);
        double tx = -sa, ty = ca;
        Vertex m{c.x + ca * (tyre + 1.2), c.y + sa * (tyre + 1.2)};
        p.polygon({{m.x + tx * 2.2 - ca * 2.5, m.y + ty * 2.2 - sa * 2.5},
                   {m.x + tx * 2.2 + ca * 1.8, m.y + ty * 2.2 + sa * 1.8},
                   {m.x - tx * 2.2 + ca * 1.8, m.y - ty * 2.2 + sa * 1.8},
                   {m.x - tx * 2.2 - ca * 2.5, m.y - ty * 2.2 - sa * 2.5}});
    }
    for (int k = 0; k < 12; k++) { // spokes, crossed
        double a = spin + 2 * PI * k / 12;
        double b = a + (k % 2 ? 0.35 : -0.35);
        p.capsule({c.x + std::cos(a) * 4, c.y + std::sin(a) * 4}, {c.x + std::cos(b) * 19.5, c.y + std::sin(b) * 19.5},
                  0.55);
    }
}

void bike(const Painter& p) {
    wheel(p, {0, 0}, 0.1);
    wheel(p, {142, 0}, 0.4);
    p.capsule({0, 0}, {50, -24}, 4.5);                       // swingarm
    p.capsule({26, -12}, {56, -52}, 4);                      // shock
    p.polygon({{44, -22}, {58, -8}, {86, -10}, {97, -26}, {93, -48}, {62, -52}}); // engine
    p.capsule({60, -54}, {119, -76}, 4);                     // backbone
    p.capsule({119, -76}, {92, -22}, 4);                     // down tube
    p.capsule({142, 0}, {121, -78}, 4);                      // fork tube
    p.capsule({142, 0}, {133, -34}, 5.5);                    // fork leg
    p.capsule({121, -80}, {106, -94}, 2.6);                  // handlebar
    p.polygon({{119, -90}, {134, -80}, {131, -56}, {120, -62}});              // number plate
    p.polygon({{118, -46}, {150, -54}, {178, -50}, {164, -43}, {126, -38}});  // front fender
    p.polygon({{64, -56}, {98, -74}, {122, -70}, {112, -50}, {84, -44}});     // tank and shrouds
    p.polygon({{12, -58}, {72, -64}, {96, -73}, {99, -66}, {72, -55}, {18, -51}}); // seat
    p.polygon({{-38, -70}, {16, -60}, {22, -51}, {-32, -63}});                // rear fender
    p.polygon({{16, -53}, {62, -58}, {58, -36}, {30, -30}});                  // side panel
    p.stroke({{88, -22}, {70, -34}, {42, -44}, {8, -56}}, 3, 3);              // header pipe
    p.capsule({8, -57}, {-22, -66}, 5.2);                                     // silencer
}

void rider(const Painter& p) {
    // Standing on the pegs, leaning over the bars: the attack position
    // (88 units to the metre).
    Vertex ankle{60, -32}, knee{88, -70}, hip{52, -94}, shoulder{90, -128};
    Vertex elbow{114, -120}, hand{108, -94}, head{106, -146};
    p.polygon({{46, -17}, {72, -17}, {74, -25}, {66, -44}, {52, -42}});   // boot
    p.capsule(ankle, knee, 7.5);                                          // shin
    p.capsule(knee, hip, 10);                                             // thigh
    p.capsule(hip, shoulder, 12.5);                                       // torso
    p.polygon({{hip.x - 10, hip.y + 2}, {shoulder.x - 12, shoulder.y - 8}, {shoulder.x + 4, shoulder.y + 12},
               {hip.x + 12, hip.y + 10}});
    p.capsule(shoulder, elbow, 6.5);                                      // upper arm
    p.capsule(elbow, hand, 5.5);                                          // forearm
    p.circle(hand, 5.5);                                                  // glove
    p.capsule({head.x - 4, head.y + 6}, shoulder, 7);                     // neck
    p.circle(head, 14.5);                                                 // helmet
    p.polygon({{96, -160}, {132, -157}, {129, -150}, {106, -152}});      // peak
    p.polygon({{110, -141}, {127, -137}, {121, -128}, {106, -132}});     // chin guard
}

} // namespace

Vertex place(const Pose& pose, Vertex m) {
    double x = pose.mirror ? -m.x : m.x, y = m.y;
    double c = std::cos(pose.angle), s = std::sin(pose.angle);
    return {pose.at.x + pose.scale * (x * c - y * s), pose.at.y + pose.scale * (x * s + y * c)};
}

void drawRiderOnBike(Mask& mask, const Pose& pose) {
    Painter p{mask, pose};
    bike(p);
    rider(p);
}

void drawTyreTrack(Mask& mask, const Contour& path, double width, double pitch) {
    if (path.size() < 2) return;
    double carried = 0; // distance along the path to the next block
    for (size_t i = 0; i + 1 < path.size(); i++) {
        Vertex a = path[i], b = path[i + 1];
        double len = std::hypot(b.x - a.x, b.y - a.y);
        if (len < 1e-9) continue;
        double tx = (b.x - a.x) / len, ty = (b.y - a.y) / len, nx = -ty, ny = tx;
        for (double s = carried; s < len; s += pitch) {
            Vertex c{a.x + tx * s, a.y + ty * s};
            for (int side = -1; side <= 1; side += 2) {
                // A block leaning back from the centre line: the chevron of a knobbly tyre.
                double inner = 0.06 * width, outer = 0.48 * width, lean = 0.22 * width, thick = 0.32 * pitch;
                Vertex p0{c.x + nx * side * inner, c.y + ny * side * inner};
                Vertex p1{c.x + nx * side * outer - tx * lean, c.y + ny * side * outer - ty * lean};
                fillPolygon(mask, {{p0.x, p0.y},
                                   {p1.x, p1.y},
                                   {p1.x + tx * thick, p1.y + ty * thick},
                                   {p0.x + tx * thick, p0.y + ty * thick}});
            }
        }
        carried = std::fmod(carried - len, pitch);
        if (carried < 0) carried += pitch;
    }
}

void drawSpeedLines(Mask& mask, double x0, double y0, double x1, double y1, int count, double thickness,
                    uint64_t seed) {
    BakeRandom random(seed);
    for (int i = 0; i < count; i++) {
        double y = y0 + (y1 - y0) * random.unit();
        double length = (x1 - x0) * (0.35 + 0.65 * random.unit());
        double end = x1 - (x1 - x0 - length) * random.unit();
        double r = thickness * (0.5 + random.unit());
        fillStroke(mask, {{end - length, y}, {end, y}}, 0.15, r);
    }
}

void drawDustCloud(Mask& mask, Vertex centre, double rx, double ry, uint32_t seed) {
    int x0 = std::max(0, (int)(centre.x - rx)), x1 = std::min(mask.width - 1, (int)(centre.x + rx));
    int y0 = std::max(0, (int)(centre.y - ry)), y1 = std::min(mask.height - 1, (int)(centre.y + ry));
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            double dx = (x - centre.x) / rx, dy = (y - centre.y) / ry;
            double d = std::sqrt(dx * dx + dy * dy);
            if (d >= 1) continue;
            double n = tilingFractalNoise(x / 22.0, y / 22.0, 4, seed);
            double v = std::clamp((n - 0.35 - 0.55 * d * d) * 3.0, 0.0, 1.0) * (1 - d);
            float& out = mask.a[(size_t)y * mask.width + x];
            out = std::max(out, (float)std::min(1.0, v * 1.6));
        }
}

Rgb earthAt(double x, double y, uint32_t seed, int period) {
    auto noise = [&](double cell, int octaves, uint32_t s) {
        return tilingFractalNoise(x / cell, y / cell, octaves, s, period > 0 ? (int)(period / cell) : 0);
    };
    double broad = noise(64, 3, seed);
    double grain = noise(4, 2, seed + 7);
    double pebbles = noise(2, 1, seed + 13);
    Rgb c = mix(EARTH_DARK, EARTH, std::clamp(broad * 1.4 - 0.2, 0.0, 1.0));
    c = mix(c, DUST, std::clamp((grain - 0.55) * 1.2, 0.0, 0.35));
    if (pebbles > 0.72) c = mix(c, SAND, (pebbles - 0.72) * 1.5);
    if (pebbles < 0.22) c = mix(c, {20, 14, 10}, (0.22 - pebbles) * 1.6);
    return c;
}

} // namespace art
