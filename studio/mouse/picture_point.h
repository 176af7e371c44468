// Window points of the studio's 3D view as points of its picture: the picture is shown 1 : 1
// under the scroll bars, fitted to the window, or (free size) scaled into it.
#pragma once

#include <optional>

#include "studio/render/studio_render.h"
#include "studio/scene/scene_doc.h"

namespace studio {

// Window pixels per picture pixel: 1 unless free size (without fit to view) scales the
// picture into the client area, keeping its aspect ratio.
float ViewScale(const SceneEnvironment& env, PictureSize picture, int clientWidth,
                int clientHeight);

struct PicturePoint {
    int x = 0, y = 0;
    friend bool operator==(const PicturePoint&, const PicturePoint&) = default;
};

// The picture point under window point (x, y): unchanged when fitted to the view, divided
// by the scale with free size, else moved by the scroll position. Nothing off the picture.
std::optional<PicturePoint> WindowToPicture(const SceneEnvironment& env, PictureSize picture,
                                            float scale, int scrollX, int scrollY, int x, int y);

}  // namespace studio
