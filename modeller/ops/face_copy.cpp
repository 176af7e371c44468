#include "modeller/ops/face_copy.h"

#include "model/vector_text.h"
#include "modeller/ops/join_points.h"
#include "modeller/ops/sheet_steps.h"

namespace modeller::ops {

std::string ValidateFaceCopy(const FaceCopySettings& s) {
    if (s.divisions == 0) return kNeedDivisionsText;
    if (s.faceList.empty()) return kNoFaceListText;
    if (!model::ParseVector(s.vector)) return kBadMoveVectorText;
    return {};
}

OpsResult ApplyFaceCopy(model::MeshModel& m, OpsHost& host, const FaceCopySettings& s) {
    if (std::string message = ValidateFaceCopy(s); !message.empty()) return {false, message};
    const model::Vertex v = *model::ParseVector(s.vector);
    const auto n = static_cast<float>(s.divisions);
    const model::Vertex step{v.x / n, v.y / n, v.z / n};

    FaceCopies copies;
    copies.copies = s.divisions;
    copies.backFaces = s.backFaces;
    copies.carryNoTexture = false;
    copies.place = [&](const model::Vertex& p, int64_t k) {
        const auto kf = static_cast<float>(k);
        return model::Vertex{p.x + step.x * kf, p.y + step.y * kf, p.z + step.z * kf};
    };
    const OpsResult result = CopyFaces(m, model::ParseFaceIndexList(s.faceList), copies);
    if (!result.ok) return result;
    FinishWithJoin(m, host, s.noJoin);
    return {};
}

}  // namespace modeller::ops
