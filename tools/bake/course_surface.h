// The worn course as riders leave it: packed dirt or snow with ruts and
// tyre marks along the riding direction, darker where riders brake and
// turn, loose dirt pushed up on the berms, light packed lips on the ramps
// and a chequered start/finish line.
#pragma once
#include "bake/terrain_look.h"

struct TrackSample {
    double wear;      // 0 untouched .. 1 inside the worn track
    double lateral;   // world units left of the centre line
    double across;    // picture pixels per world unit across the track here
    double along;     // arc length of the centre line
    double turning;   // 0 on a straight .. 1 in and before the tightest turn
    double berm;      // 0 .. 1 on the raised outside edge of a banked turn
    double lip;       // 0 .. 1 on the lip of a ramp
    double ramp;      // height the ramps add
    double startLine; // world units along the course to the nearest start line
    double halfWidth;
};

Colour3 courseOver(Colour3 ground, const GroundSample& g, const TrackSample& t);
