// The benchmark scene: a unit UV sphere of 2 x stacks x slices triangles at distance 1.6 in
// front of a camera with a 90-degree vertical field, on a 640x480 device, lit by an ambient
// and a directional light.
#pragma once

#include "platform/rm/rm.h"

namespace rm::bench {

struct SphereScene {
    DevicePtr device;
    FramePtr root, camera, model;
    MeshBuilderPtr mesh;
    ViewportPtr viewport;
    size_t triangles = 0;

    SphereScene(int stacks, int slices, int quality);
    void Frame();
    void Dump(const char* path) const;  // binary PPM
};

// A 256x256 checker with a gradient, for the textured frame.
TexturePtr CheckerTexture();

}  // namespace rm::bench
