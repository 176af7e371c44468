// The studio's document: the item list in tree order with depths, the joints and the
// environment, and the frames, meshes and lights made from them under one scene root.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "studio/scene/scene_types.h"

namespace studio {

// An item read from a file, before its render objects exist.
struct PendingItem {
    SceneItem item;
    Placement placement;
};

// A joint read from a file: owner and partner as positions among the items read with it.
struct PendingJoint {
    int32_t type = 0, target = 0;
    int32_t owner = -1, partner = -1;
    Placement placement;
};

// What making the items of a file produced; messages are the model readers' texts.
// The traversal of a joint's marker frame: drawn or not, never picked.
inline uint32_t JointMarkerTraversal(bool shown) {
    return shown ? rm::kRenderEnable : 0u;
}

struct AppendReport {
    size_t added = 0;
    size_t missingModels = 0;
    std::vector<std::string> messages;
};

class CSceneDoc {
public:
    CSceneDoc();

    // The scene root (background and fog live on it), the camera and the look-at target.
    const rm::FramePtr& Root() const { return root_; }
    const rm::FramePtr& Camera() const { return camera_; }
    const rm::FramePtr& LookAtFrame() const { return lookAt_; }

    std::vector<SceneItem>& Items() { return items_; }
    const std::vector<SceneItem>& Items() const { return items_; }
    std::vector<SceneJoint>& Joints() { return joints_; }
    const std::vector<SceneJoint>& Joints() const { return joints_; }
    SceneEnvironment environment;

    // The folder of the last scene file read or written (native), and the folder a scene file
    // said it was saved from (CP932, as read); object paths are resolved against both.
    std::string SceneDirectory;
    std::string SavedSceneDirectory;

    // --- the tree
    // One past the last descendant of item `index` (the items after it with a greater depth).
    size_t SubtreeEnd(size_t index) const;
    // The nearest preceding item with a smaller depth, or -1 at the top.
    int ParentOf(size_t index) const;
    // Position of the item with this id, or -1.
    int IndexOf(int64_t id) const;
    // The item whose frame is `frame` (a pick names a frame; meshes may be shared), or -1.
    int IndexOfFrame(const rm::Frame* frame) const;

    // --- adding
    // Appends the items after the existing ones and makes their frames, lights and meshes:
    // object paths are tried against `directory` (native) first, then against
    // `savedDirectory` (CP932); an object found in neither keeps its path and gets an empty
    // frame and kind 7. Joint positions are re-based to where the items land.
    AppendReport AppendItems(std::vector<PendingItem> items,
                             const std::vector<PendingJoint>& joints, const std::string& directory,
                             const std::string& savedDirectory);
    // Opening a model or X file: one object item named after the file (kind 5, depth 0). False
    // (nothing added) when its model cannot be loaded.
    bool AppendObject(const std::string& nativePath, std::vector<std::string>* messages = nullptr);
    // A folder (kind 4) at the end of the list and the top of the tree.
    void AppendFolder(const std::string& cp932Name);
    // A light of `kind` with its values, placed; its frame and light object are made at once.
    void AppendLight(uint8_t kind, const std::string& cp932Name, const LightValues& values,
                     const Placement& placement, int32_t depth = 0);
    // The light dialog's OK on an existing light: kind, name, values and place change; the
    // item keeps its frame (joints hang on it), its id and its place in the tree.
    void ReplaceLight(size_t index, uint8_t kind, const std::string& cp932Name,
                      const LightValues& values, const Placement& placement);

    // --- removing
    // Item `index` and its descendants, their render objects, and the joints they own;
    // joints whose partner goes lose their partner.
    void DeleteSubtree(size_t index);
    void DeleteAll();

    // --- render state
    // Background colour and fog on the scene root, from the environment.
    void ApplyEnvironment();
    // The item's placement relative to the scene (folders have none: the default).
    Placement PlacementOf(const SceneItem& item) const;
    Placement PlacementOf(const SceneJoint& joint) const;
    Placement CameraPlacement() const;
    void SetCameraPlacement(const Placement& placement);
    // The item's display mode on its mesh and frame. A mesh shared with other objects is
    // copied first, so the others keep theirs.
    void ApplyObjectDisplay(size_t index);
    // Gives the item a mesh of its own when other objects share it.
    void UnshareMesh(size_t index);

    // --- view toggles
    // Frame mode draws every object as wireframe; off, each in its own display mode.
    bool FrameMode() const { return frameMode_; }
    void SetFrameMode(bool on);
    // Point and spot light frames rendered and picked (their markers shown), or neither.
    // Lights light the scene either way.
    bool ShowLights() const { return showLights_; }
    void SetShowLights(bool on);
    // The joint markers' points are drawn only while the view is in a joint mode; they are
    // never picked. Off at the start.
    bool JointMarkersShown() const { return jointMarkersShown_; }
    void SetJointMarkersShown(bool on);
    // The object being dragged or turned by the mouse is drawn the other way round: wireframe
    // without frame mode, its own display mode with it. kNoItem for none.
    int64_t DraggedItem() const { return dragged_; }
    void SetDraggedItem(int64_t id);

private:
    int64_t NewId() { return nextId_++; }
    void MakeLight(SceneItem& item, const Placement& placement);
    void PlaceFrame(rm::Frame& frame, const Placement& placement);
    void ReleaseItem(SceneItem& item);
    // The display mode drawn: wireframe for objects in frame mode.
    int32_t ShownDisplay(const SceneItem& item) const;

    rm::FramePtr root_, camera_, lookAt_;
    std::vector<SceneItem> items_;
    std::vector<SceneJoint> joints_;
    int64_t nextId_ = 1;
    bool frameMode_ = false;
    bool showLights_ = true;
    bool jointMarkersShown_ = false;
    int64_t dragged_ = kNoItem;
};

}  // namespace studio
