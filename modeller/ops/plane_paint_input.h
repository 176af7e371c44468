// Plane-paint input on the 3D pane: the first left click takes the first corner where the
// mouse ray meets the plane (mode 8 -> 9, pointer kept in the pane), the next one the second
// corner, and the figure is written (mode 9 -> 8, ready for the next figure).
#pragma once

#include <optional>

#include "modeller/ops/plane_figure.h"
#include "viewport/camera_navigation.h"
#include "viewport/model_pane.h"
#include "viewport/navigation_host.h"

namespace modeller::ops {

class PlanePaintInput {
public:
    PlanePaintInput(PlanePaintState& state, model::MeshModel& model, OpsHost& host,
                    viewport::CameraNavigator& navigator, viewport::ModelPane& pane,
                    viewport::NavigationHost& view)
        : state_(state),
          model_(model),
          host_(host),
          navigator_(navigator),
          pane_(pane),
          view_(view) {}

    bool Active() const { return state_.modeOn; }
    // The plane is set and the pane goes to mode 8.
    void TurnOn(const PlaneEquation& plane);
    // The pane goes back to the camera (mode 0); a point move in progress keeps its mode.
    void TurnOff();

    // Mouse events the navigator routes here in modes 8 and 9; a double-click is a click.
    void OnMouse(viewport::PaneMouse event, int x, int y);

    // Where the mouse ray meets the plane in front of the camera, if it does.
    std::optional<rm::Vector3> CornerAt(int x, int y) const;

    struct Band {
        int x0, y0, x1, y1;
    };
    // From the first corner's pixel to the mouse, while the first corner is held.
    std::optional<Band> RubberBand() const;

private:
    rm::Vector3 CameraPosition() const;
    void Present();

    PlanePaintState& state_;
    model::MeshModel& model_;
    OpsHost& host_;
    viewport::CameraNavigator& navigator_;
    viewport::ModelPane& pane_;
    viewport::NavigationHost& view_;
    rm::Vector3 first_;
    Band band_{0, 0, 0, 0};
};

}  // namespace modeller::ops
