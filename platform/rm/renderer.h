// Scene traversal for drawing and picking: transforms, lighting, clipping, then the rasterizer.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rm/device.h"
#include "platform/rm/frame.h"
#include "platform/rm/matrix.h"
#include "platform/rm/rasterizer.h"
#include "platform/rm/viewport.h"

namespace rm::detail {

struct CameraSetup {
    Matrix4 view;                     // scene root space -> camera space
    float focal = 1, cx = 0, cy = 0;  // screen = (cx + focal x / z, cy - focal y / z)
    float front = 1, back = 100;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // clip rectangle on the device, x1 and y1 exclusive
};

struct ScreenVertex {
    float x, y, iw;
};

struct LitColor {
    float dr, dg, db;  // ambient + diffuse light reaching the point
    float sr, sg, sb;  // specular
};

struct DeferredTriangle {
    RasterVertex v[3];
    const Texture* texture;
    bool gouraud, perspective;
    float depth;
};

// Buffers reused from frame to frame so that drawing allocates nothing once warm.
struct RenderScratch {
    std::vector<Vector3> camPos;
    std::vector<ScreenVertex> screen;
    std::vector<uint8_t> outcode;
    std::vector<float> fog;
    std::vector<LitColor> cornerLight;
    std::vector<DeferredTriangle> deferred;
};

bool RenderTree(Device& device, RenderScratch& scratch, const CameraSetup& cam, const Frame& frame);
void ClearRect(Device& device, const CameraSetup& cam, const Frame& scene, uint32_t flags);
std::vector<PickHit> PickTree(const Frame& frame, const CameraSetup& cam, float px, float py);

}  // namespace rm::detail
