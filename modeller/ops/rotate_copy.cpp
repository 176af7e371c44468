#include "modeller/ops/rotate_copy.h"

#include <numbers>

#include "model/vector_text.h"
#include "modeller/ops/join_points.h"
#include "modeller/ops/sheet_steps.h"
#include "platform/text/cp932.h"

namespace modeller::ops {

RotateCopySettings OpenRotateCopy(const RotateCopySettings& remembered) {
    RotateCopySettings s;
    s.axis = remembered.axis;
    s.counterClockwise = remembered.counterClockwise;
    s.backFaces = remembered.backFaces;
    s.noJoin = remembered.noJoin;
    return s;
}

std::string ValidateRotateCopy(const model::MeshModel& m, const RotateCopySettings& s) {
    if (s.newGroup) {
        const std::string name = text::Sjis(s.groupName);
        for (size_t i = 1; i < m.groups.size(); ++i)
            if (m.groups[i].name == name) return kGroupAlreadyExistsText;
    }
    if (s.faceList.empty()) return kNoFaceListText;
    if (s.angle == 0) return kZeroAngleText;
    if (model::ParseNumberList(s.axis, 6).size() < 6) return kNeedAxisText;
    return {};
}

OpsResult ApplyRotateCopy(model::MeshModel& m, OpsHost& host, const RotateCopySettings& s) {
    if (std::string message = ValidateRotateCopy(m, s); !message.empty()) return {false, message};
    const std::vector<float> n = model::ParseNumberList(s.axis, 6);
    const rm::Vector3 a{n[0], n[1], n[2]}, c{n[3], n[4], n[5]};
    const rm::Vector3 unit = rm::Normalize(a);
    const bool fullTurn = s.angle == 360 || s.angle == -360;
    float step = s.angle / static_cast<float>(s.divisions) / 360.0f *
                 static_cast<float>(2 * std::numbers::pi);
    if (s.counterClockwise) step = -step;

    FaceCopies copies;
    copies.copies = int64_t{s.divisions} - (fullTurn ? 1 : 0);  // the last would lie on the source
    if (copies.copies <= 0) return {};
    copies.backFaces = s.backFaces;
    if (s.newGroup) {
        std::string name = text::Sjis(s.groupName);
        // A line break in a group name would break the model file's line.
        std::erase_if(name, [](char ch) { return ch == '\r' || ch == '\n'; });
        copies.newGroup = std::move(name);
    }
    copies.place = [&](const model::Vertex& p, int64_t k) {
        const rm::Vector3 q =
            c + rm::Rotate(rm::Vector3{p.x, p.y, p.z} - c, unit, static_cast<float>(k) * step);
        return model::Vertex{q.x, q.y, q.z};
    };
    const OpsResult result = CopyFaces(m, model::ParseFaceIndexList(s.faceList), copies);
    if (!result.ok) return result;
    FinishWithJoin(m, host, s.noJoin);
    return {};
}

}  // namespace modeller::ops
