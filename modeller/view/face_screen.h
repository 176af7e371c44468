// The face edit screen: one row per face line, a status icon per valid face and a marker
// beside the face last edited in the face dialog.
#pragma once

#include <cstdint>
#include <optional>

#include "model/mesh_model.h"
#include "modeller/view/edit_screen.h"

namespace modeller {

class FaceScreen : public EditScreen {
public:
    // The icon strip: four 16 x 16 icons, then the 8 x 16 marker.
    static constexpr int32_t kIconSize = 16;
    static constexpr Rect kMarkerSource{64, 0, 72, 16};

    FaceScreen(model::MeshModel& model, EditState& state, ScreenHost& host,
               const TextMeasurer& measurer);

    int32_t textLeft = 36;

    int32_t TopRow() const override { return 0; }
    void SetPane(int32_t paneX, int32_t paneY, int32_t paneWidth, int32_t paneHeight);

    // A left press outside pick mode: caret and anchor go to the press; a drag starts.
    void Click(int32_t clientX, int32_t clientY);
    // The face dialog for face f, and what the screen does after OK.
    void OpenFaceDialog(int32_t face);

    // The face last edited in the face dialog, or -1.
    int32_t MarkedFace() const { return model_.faces.markers[0]; }
    // True when a marker was there to clear.
    bool ClearMarkedFace();

    // Status icon 0..3 of face t (own colour +1, textured +2); nothing for an invalid face
    // or a row beyond the sheet.
    std::optional<int32_t> StatusIcon(int32_t face) const;
    static Rect IconSource(int32_t icon) {
        return {icon * kIconSize, 0, (icon + 1) * kIconSize, kIconSize};
    }
    Point2 IconPosition(int32_t gridRow) const;
    Point2 MarkerPosition(int32_t gridRow) const;
    Rect TextCell(int32_t gridRow) const;

protected:
    int32_t TextLeft() const override { return textLeft; }
    int32_t ContentOffset() const override { return textLeft; }
    int32_t VerticalPage() const override { return visibleRows; }
    int32_t HorizontalPage() const override { return width; }
    void Commit() override;
    void SheetGrew() override { model_.faces.ResizeFaceArrays(); }

private:
    model::MeshModel& model_;
};

}  // namespace modeller
