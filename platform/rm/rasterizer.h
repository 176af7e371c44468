// The software rasterizer: triangles, lines and points into a colour and depth target.
// Screen coordinates are pixels with y down; pixel (x, y) covers [x, x+1) x [y, y+1) and is
// sampled at its centre. Depth is 1/z (larger is nearer); the target is cleared to 0.
#pragma once

#include <cstdint>

namespace rm {
class Texture;
}

namespace rm::detail {

struct RasterTarget {
    uint32_t* color = nullptr;
    float* depth = nullptr;
    int stride = 0;                      // in pixels, for both buffers
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // clip rectangle, x1 and y1 exclusive
};

struct RasterVertex {
    float x, y;        // screen position
    float iw;          // 1 / camera z
    float r, g, b, a;  // 0..255
    float u, v;        // texture coordinates, multiplied by iw when perspective-correct
    float fog;         // 1 = no fog, 0 = fog colour
};

struct RasterState {
    const Texture* texture = nullptr;
    bool gouraud = false;      // interpolate colour, else take vertex 0's
    bool perspective = false;  // u, v come multiplied by iw
    bool blend = false;        // alpha blend with the target
    bool zWrite = true;
    bool fog = false;
    uint32_t fogColor = 0;
};

// Draws a triangle that runs clockwise on screen; others (and degenerate ones) draw nothing.
// Edges are snapped to 1/256 pixel and filled with the top-left rule, so triangles sharing an
// edge cover each pixel along it exactly once. Any finite positions are accepted (far ones are
// clipped to a guard band here); a vertex with a NaN or infinite position draws nothing.
void DrawTriangle(const RasterTarget& t, const RasterState& s, const RasterVertex& v0,
                  const RasterVertex& v1, const RasterVertex& v2);
// A line without its last pixel; colour, depth and fog from the two ends.
void DrawLine(const RasterTarget& t, const RasterState& s, const RasterVertex& v0,
              const RasterVertex& v1);
void DrawPoint(const RasterTarget& t, const RasterState& s, const RasterVertex& v);

// Samples a texture bilinearly with wrap addressing; false for a colour-keyed texel.
bool SampleTexture(const Texture& tex, float u, float v, uint32_t& argb);

}  // namespace rm::detail
