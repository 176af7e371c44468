#include "modeller/settings_ops/group_settings.h"

#include "model/vector_text.h"
#include "modeller/settings_ops/colour_values.h"
#include "platform/field_exchange.h"
#include "platform/text/cp932.h"

namespace modeller::settings {

namespace {

std::string Trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::array<float, 3> Arr(const Rgb& c) {
    return {c[0], c[1], c[2]};
}

}  // namespace

std::vector<std::string> GroupNames(const model::GroupTable& groups) {
    std::vector<std::string> out;
    for (size_t i = 1; i < groups.size(); ++i) out.push_back(groups[i].name);
    return out;
}

bool CanDeleteGroup(const model::GroupTable& groups, int32_t group) {
    return groups.size() > 2 && group >= 1 && static_cast<size_t>(group) < groups.size();
}

std::string DeleteGroupQuestion(const model::GroupTable& groups, int32_t group) {
    const std::string name =
        group >= 0 && static_cast<size_t>(group) < groups.size() ? groups[group].name : "";
    std::string question = text::Cp932ToUtf8(name);
    question.append("を削除します。\nよろしいですか？");
    return question;
}

bool DeleteGroup(model::MeshModel& model, viewport::ModelRenderObjects& objects, int32_t group,
                 GroupChoice& choice) {
    if (!CanDeleteGroup(model.groups, group)) return false;
    const auto g = static_cast<size_t>(group);
    model.groups.entries.erase(model.groups.entries.begin() + static_cast<ptrdiff_t>(g));
    if (g < objects.groupMaterials.size())
        objects.groupMaterials.erase(objects.groupMaterials.begin() + static_cast<ptrdiff_t>(g));
    auto renumber = [group](int32_t n) { return n == group ? 1 : n > group ? n - 1 : n; };
    for (uint16_t& f : model.faces.FaceGroup) f = static_cast<uint16_t>(renumber(f));
    choice.current = renumber(choice.current);
    choice.newFaces = renumber(choice.newFaces);
    return true;
}

GroupPropertyFields GroupPropertyFieldsOf(const model::GroupTable& groups, int32_t number) {
    GroupPropertyFields f;
    f.number = number;
    if (number < 0 || static_cast<size_t>(number) >= groups.size()) return f;
    const model::GroupEntry& e = groups[static_cast<size_t>(number)];
    f.name = e.name;
    f.colour = static_cast<uint32_t>(e.color);
    f.hasMaterial = e.hasMaterial != 0;
    if (e.material) {
        const model::GroupMaterial& m = *e.material;
        f.power = model::FormatNumber(m.power);
        f.specular = RgbText({m.specular[0], m.specular[1], m.specular[2]});
        f.emissive = RgbText({m.emissive[0], m.emissive[1], m.emissive[2]});
        f.ambient = RgbText({m.ambient[0], m.ambient[1], m.ambient[2]});
    }
    return f;
}

std::string ValidateGroupProperties(const GroupPropertyFields& f, const model::GroupTable& groups) {
    if (!shell::ExchangeFloat(f.power)) return shell::kNeedNumberText;
    const std::string name = Trimmed(f.name);
    if (name.empty()) return kEmptyNameText;
    for (size_t i = 1; i < groups.size(); ++i)
        if (static_cast<int32_t>(i) != f.number && groups[i].name == name) return kNameInUseText;
    return {};
}

int32_t ApplyGroupProperties(const GroupPropertyFields& f, model::GroupTable& groups,
                             viewport::ModelRenderObjects& objects) {
    const bool isNew = f.number < 0 || static_cast<size_t>(f.number) >= groups.size();
    const size_t index = isNew ? groups.size() : static_cast<size_t>(f.number);
    if (isNew) groups.entries.emplace_back();
    model::GroupEntry& e = groups[index];
    e.name = Trimmed(f.name);
    e.color = static_cast<int32_t>(f.colour);
    e.hasMaterial = f.hasMaterial ? 1 : 0;
    if (f.hasMaterial) {
        const model::GroupMaterial old = e.material.value_or(model::GroupMaterial{});
        model::GroupMaterial m;
        m.power = shell::ExchangeFloat(f.power).value_or(old.power);
        m.specular = Arr(RgbOrOld(f.specular, {old.specular[0], old.specular[1], old.specular[2]}));
        m.emissive = Arr(RgbOrOld(f.emissive, {old.emissive[0], old.emissive[1], old.emissive[2]}));
        m.ambient = Arr(RgbOrOld(f.ambient, {old.ambient[0], old.ambient[1], old.ambient[2]}));
        e.material = m;
    } else {
        e.material.reset();
    }
    // The old engine material goes; the next rebuild makes a new one from the values.
    if (index < objects.groupMaterials.size()) objects.groupMaterials[index].reset();
    return static_cast<int32_t>(index);
}

}  // namespace modeller::settings
