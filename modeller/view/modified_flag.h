// Which edits mark the document modified. Input-method text, paste, cut and the face dialog
// deliberately do not.
#pragma once

namespace modeller {

enum class EditKind {
    TypedCharacter,
    BackspaceOrDelete,
    InputMethodText,
    PasteOrCut,
    FaceDialog,
    WholeModelOperation,
};

constexpr bool MarksModified(EditKind kind) {
    switch (kind) {
        case EditKind::TypedCharacter:
        case EditKind::BackspaceOrDelete:
        case EditKind::WholeModelOperation:
            return true;
        case EditKind::InputMethodText:
        case EditKind::PasteOrCut:
        case EditKind::FaceDialog:
            return false;
    }
    return false;
}

}  // namespace modeller
