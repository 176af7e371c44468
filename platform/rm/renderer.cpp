#include "platform/rm/renderer.h"

#include <algorithm>
#include <cmath>

#include "platform/rm/error.h"
#include "platform/rm/mesh_builder.h"

namespace rm::detail {
namespace {

// Geometry beyond the rectangle by more than this is clipped; inside it the rasterizer's
// fixed-point edges stay exact.
constexpr float kGuard = 1024.0f;

enum : uint8_t { kNear = 1, kFar = 2, kLeft = 4, kRight = 8, kTop = 16, kBottom = 32 };

struct LightCam {
    LightType type;
    ColorF color;
    Vector3 pos, dir;  // camera space; dir is where the light shines
    float range, c0, c1, c2, cosInner, cosOuter;
};

// Clip planes as linear functions of the camera-space position: inside when >= 0.
struct Planes {
    float a[6][4];  // x, y, z, w coefficients
    // In double: huge coordinates neither overflow here nor lose the crossing point.
    double Eval(int i, Vector3 p) const {
        return double(a[i][0]) * p.x + double(a[i][1]) * p.y + double(a[i][2]) * p.z + a[i][3];
    }
};

Planes MakePlanes(const CameraSetup& c) {
    const float gl = static_cast<float>(c.x0) - kGuard, gr = static_cast<float>(c.x1) + kGuard;
    const float gt = static_cast<float>(c.y0) - kGuard, gb = static_cast<float>(c.y1) + kGuard;
    return {{{0, 0, 1, -c.front},
             {0, 0, -1, c.back},
             {c.focal, 0, c.cx - gl, 0},
             {-c.focal, 0, gr - c.cx, 0},
             {0, -c.focal, c.cy - gt, 0},
             {0, c.focal, gb - c.cy, 0}}};
}

// Attributes carried through clipping, in the order of RasterVertex after the position.
struct ClipVertex {
    Vector3 p;
    float r, g, b, a, u, v, fog;
};

// The crossing of a clip plane, always taken from the end inside it: from a far vertex a
// parameter near 1 would lose the near end entirely.
ClipVertex Lerp(const ClipVertex& a, const ClipVertex& b, double t) {
    auto l = [t](float x, float y) { return float(x + (double(y) - x) * t); };
    return {{l(a.p.x, b.p.x), l(a.p.y, b.p.y), l(a.p.z, b.p.z)},
            l(a.r, b.r),
            l(a.g, b.g),
            l(a.b, b.b),
            l(a.a, b.a),
            l(a.u, b.u),
            l(a.v, b.v),
            l(a.fog, b.fog)};
}

class Renderer {
public:
    Renderer(Device& device, RenderScratch& scratch, const CameraSetup& cam, const Frame& scene)
        : device_(device), s_(scratch), cam_(cam), planes_(MakePlanes(cam)) {
        target_.color = device.ColorData();
        target_.depth = device.DepthData();
        target_.stride = device.Width();
        target_.x0 = cam.x0;
        target_.y0 = cam.y0;
        target_.x1 = cam.x1;
        target_.y1 = cam.y1;
        const int q = device.Quality();
        deviceFill_ = q & kFillMask;
        deviceShade_ = q & kShadeMask;
        deviceLight_ = (q & kLightMask) != 0;
        const uint32_t mode = device.RenderMode();
        blended_ = mode & kRenderModeBlendedTransparency;
        sorted_ = mode & kRenderModeSortedTransparency;
        viewSpecular_ = mode & kRenderModeViewDependentSpecular;
        sortedZWrite_ = !(mode & kRenderModeDisableSortedAlphaZWrite);
        fog_ = scene.SceneFog();
        CollectLights(scene, scene.LocalTransform());
    }

    void Draw(const Frame& frame) {
        s_.deferred.clear();
        Visit(frame, frame.WorldTransform(), false);
        FlushDeferred();
    }

private:
    void CollectLights(const Frame& f, const Matrix4& world) {
        Matrix4 toCam = world * cam_.view;
        for (const LightPtr& l : f.Lights()) {
            if (l->Type() == LightType::kAmbient) {
                ambient_.r += l->Color().r;
                ambient_.g += l->Color().g;
                ambient_.b += l->Color().b;
                continue;
            }
            // Umbra and penumbra are full cone angles.
            float inner = std::clamp(l->Umbra() * 0.5f, 0.0f, 3.1415f);
            float outer = std::clamp(std::max(l->Penumbra(), l->Umbra()) * 0.5f, 0.0f, 3.1416f);
            lights_.push_back({l->Type(), l->Color(), toCam.TransformPoint({}),
                               Normalize(toCam.TransformDirection({0, 0, 1})), l->Range(),
                               l->ConstantAttenuation(), l->LinearAttenuation(),
                               l->QuadraticAttenuation(), std::cos(inner), std::cos(outer)});
        }
        for (const FramePtr& c : f.Children()) CollectLights(*c, c->LocalTransform() * world);
    }

    void Visit(const Frame& f, const Matrix4& world, bool) {
        if (!(f.TraversalOptions() & kRenderEnable)) return;
        const Matrix4 toCam = world * cam_.view;
        for (const VisualPtr& v : f.Visuals())
            if (auto* mesh = dynamic_cast<const MeshBuilder*>(v.get())) DrawMesh(*mesh, toCam);
        for (const FramePtr& c : f.Children()) Visit(*c, c->LocalTransform() * world, false);
    }

    uint8_t Outcode(Vector3 p) const {
        uint8_t code = 0;
        for (int i = 0; i < 6; ++i)
            if (planes_.Eval(i, p) < 0.0f) code |= static_cast<uint8_t>(1u << i);
        return code;
    }

    float FogFactor(float z) const {
        if (!fog_.enabled) return 1.0f;
        switch (fog_.mode) {
            case FogMode::kLinear:
                if (fog_.end == fog_.start) return z < fog_.end ? 1.0f : 0.0f;
                return std::clamp((fog_.end - z) / (fog_.end - fog_.start), 0.0f, 1.0f);
            case FogMode::kExponential:
                return std::clamp(std::exp(-fog_.density * z), 0.0f, 1.0f);
            case FogMode::kExponentialSquared: {
                float d = fog_.density * z;
                return std::clamp(std::exp(-d * d), 0.0f, 1.0f);
            }
        }
        return 1.0f;
    }

    LitColor Illuminate(Vector3 p, Vector3 n, const Material* m) const {
        LitColor out{ambient_.r, ambient_.g, ambient_.b, 0, 0, 0};
        const bool specular = m && m->Power() > 0.0f &&
                              (m->Specular().r > 0 || m->Specular().g > 0 || m->Specular().b > 0);
        const Vector3 view = viewSpecular_ ? Normalize(-p) : Vector3{0, 0, -1};
        for (const LightCam& l : lights_) {
            Vector3 dir;
            float att = 1.0f;
            if (l.type == LightType::kDirectional) {
                dir = -l.dir;
            } else {
                Vector3 d = l.pos - p;
                float dist = Length(d);
                if (dist > l.range) continue;
                dir = dist > 0 ? d * (1.0f / dist) : Vector3{0, 0, -1};
                float den = l.c0 + l.c1 * dist + l.c2 * dist * dist;
                att = den > 1e-6f ? 1.0f / den : 1.0f;
                if (l.type == LightType::kSpot) {
                    float c = -Dot(dir, l.dir);
                    if (c <= l.cosOuter) continue;
                    if (c < l.cosInner) att *= (c - l.cosOuter) / (l.cosInner - l.cosOuter);
                }
            }
            float ndl = Dot(n, dir);
            if (ndl <= 0.0f) continue;
            out.dr += l.color.r * ndl * att;
            out.dg += l.color.g * ndl * att;
            out.db += l.color.b * ndl * att;
            if (specular) {
                float ndh = Dot(n, Normalize(dir + view));
                if (ndh > 0.0f) {
                    float k = std::pow(ndh, m->Power()) * att;
                    out.sr += l.color.r * m->Specular().r * k;
                    out.sg += l.color.g * m->Specular().g * k;
                    out.sb += l.color.b * m->Specular().b * k;
                }
            }
        }
        return out;
    }

    // 0..255 colour of a face under the light, plus emission.
    static void Shade(const LitColor& l, ColorF base, const Material* m, float& r, float& g,
                      float& b) {
        ColorF e = m ? m->Emissive() : ColorF{};
        r = std::min(255.0f, (e.r + base.r * l.dr + l.sr) * 255.0f);
        g = std::min(255.0f, (e.g + base.g * l.dg + l.sg) * 255.0f);
        b = std::min(255.0f, (e.b + base.b * l.db + l.sb) * 255.0f);
    }

    void DrawMesh(const MeshBuilder& mesh, const Matrix4& toCam) {
        litMesh_ = nullptr;  // the same mesh may hang in another frame
        const int q = mesh.Quality();
        const int fill = std::min(q & kFillMask, deviceFill_);
        const detail::MeshCache& c = mesh.Cache(fill == kFillSolid);
        const auto& verts = mesh.Vertices();
        if (mesh.FaceCount() == 0 || verts.empty()) return;
        if (BoxOutside(c, toCam)) return;

        const bool gouraud = std::min(q & kShadeMask, deviceShade_) != kShadeFlat;
        const bool lit = (q & kLightMask) && deviceLight_;

        const size_t vc = verts.size();
        s_.camPos.resize(vc);
        s_.screen.resize(vc);
        s_.outcode.resize(vc);
        s_.fog.resize(vc);
        for (size_t i = 0; i < vc; ++i) {
            Vector3 p = toCam.TransformPoint(verts[i]);
            s_.camPos[i] = p;
            uint8_t code = Outcode(p);
            s_.outcode[i] = code;
            if (!(code & (kNear | kFar))) {
                float iw = 1.0f / p.z;
                s_.screen[i] = {cam_.cx + cam_.focal * p.x * iw, cam_.cy - cam_.focal * p.y * iw,
                                iw};
            }
            s_.fog[i] = FogFactor(p.z);
        }

        const Matrix4 normalToCam = toCam.NormalMatrix();
        const auto& faces = mesh.Faces();
        // Flat lighting per face, worked out as the faces come (they come in order); Gouraud
        // lighting per corner.
        if (lit && gouraud && fill == kFillSolid) {
            const size_t cc = c.cornerVertex.size();
            s_.cornerLight.resize(cc);
            for (size_t k = 0; k < cc; ++k)
                s_.cornerLight[k] =
                    Illuminate(s_.camPos[c.cornerVertex[k]],
                               Normalize(normalToCam.TransformDirection(c.cornerNormal[k])),
                               mesh.MaterialInSlot(c.cornerMaterial[k]));
        }

        RasterState st;
        st.fog = fog_.enabled;
        st.fogColor = fog_.color;
        if (fill == kFillPoints || fill == kFillWireframe) {
            DrawPointsOrLines(mesh, c, toCam, normalToCam, fill == kFillWireframe, lit, st);
            return;
        }

        const auto& uv = mesh.TexCoords();
        const bool perspective = mesh.Perspective();
        for (const detail::MeshCache::Tri& t : c.tris) {
            const uint32_t vi[3] = {c.cornerVertex[t.corner[0]], c.cornerVertex[t.corner[1]],
                                    c.cornerVertex[t.corner[2]]};
            const uint8_t all = s_.outcode[vi[0]] & s_.outcode[vi[1]] & s_.outcode[vi[2]];
            if (all) continue;
            const Vector3 p0 = s_.camPos[vi[0]], p1 = s_.camPos[vi[1]], p2 = s_.camPos[vi[2]];
            if (Dot(Cross(p1 - p0, p2 - p0), p0) >= 0.0f) continue;  // back face (or edge-on)

            const MeshBuilder::Face& face = faces[t.face];
            const Texture* tex = mesh.TextureOf(face);
            const float alpha = static_cast<float>(AlphaOf(face.color));
            const ColorF base = tex ? ColorF{1, 1, 1} : ToColorF(face.color);
            const Material* mat = mesh.MaterialOf(face);
            ClipVertex cv[3];
            for (int k = 0; k < 3; ++k) {
                ClipVertex& v = cv[k];
                v.p = s_.camPos[vi[k]];
                if (!lit) {
                    v.r = base.r * 255.0f;
                    v.g = base.g * 255.0f;
                    v.b = base.b * 255.0f;
                } else if (gouraud) {
                    Shade(s_.cornerLight[t.corner[k]], base, mat, v.r, v.g, v.b);
                } else if (k == 0) {
                    Shade(FaceLight(mesh, c, t.face, toCam, normalToCam), base, mat, v.r, v.g, v.b);
                } else {
                    v.r = cv[0].r;
                    v.g = cv[0].g;
                    v.b = cv[0].b;
                }
                v.a = alpha;
                v.u = uv[vi[k]].u;
                v.v = uv[vi[k]].v;
                v.fog = s_.fog[vi[k]];
            }
            st.texture = tex;
            st.perspective = perspective && tex;
            st.gouraud = gouraud && lit;
            const bool transparent = blended_ && alpha < 255.0f;
            if (!(s_.outcode[vi[0]] | s_.outcode[vi[1]] | s_.outcode[vi[2]])) {
                RasterVertex rv[3];
                for (int k = 0; k < 3; ++k)
                    rv[k] = ToRaster(cv[k], s_.screen[vi[k]], st.perspective);
                Emit(st, rv, transparent);
            } else {
                ClipAndEmit(st, cv, transparent);
            }
        }
    }

    // The light on face f, kept while the next triangles belong to the same face.
    const LitColor& FaceLight(const MeshBuilder& mesh, const detail::MeshCache& c, size_t f,
                              const Matrix4& toCam, const Matrix4& normalToCam) {
        if (&mesh != litMesh_ || f != litFace_) {
            const MeshBuilder::Face& face = mesh.Faces()[f];
            faceLight_ = Illuminate(toCam.TransformPoint(mesh.FaceCentre(face)),
                                    Normalize(normalToCam.TransformDirection(c.faceNormal[f])),
                                    mesh.MaterialOf(face));
            litMesh_ = &mesh;
            litFace_ = f;
        }
        return faceLight_;
    }

    static RasterVertex ToRaster(const ClipVertex& c, const ScreenVertex& s, bool perspective) {
        float k = perspective ? s.iw : 1.0f;
        return {s.x, s.y, s.iw, c.r, c.g, c.b, c.a, c.u * k, c.v * k, c.fog};
    }

    ScreenVertex Project(Vector3 p) const {
        float iw = 1.0f / p.z;
        return {cam_.cx + cam_.focal * p.x * iw, cam_.cy - cam_.focal * p.y * iw, iw};
    }

    void ClipAndEmit(const RasterState& st, const ClipVertex* in, bool transparent) {
        ClipVertex buf[2][12];
        int n = 3;
        std::copy(in, in + 3, buf[0]);
        int cur = 0;
        for (int plane = 0; plane < 6 && n >= 3; ++plane) {
            const ClipVertex* src = buf[cur];
            ClipVertex* dst = buf[cur ^ 1];
            int m = 0;
            for (int i = 0; i < n; ++i) {
                const ClipVertex& a = src[i];
                const ClipVertex& b = src[(i + 1) % n];
                const double da = planes_.Eval(plane, a.p), db = planes_.Eval(plane, b.p);
                if (da >= 0) dst[m++] = a;
                if ((da >= 0) != (db >= 0) && m < 12)
                    dst[m++] = da >= 0 ? Lerp(a, b, da / (da - db)) : Lerp(b, a, db / (db - da));
            }
            n = m;
            cur ^= 1;
        }
        if (n < 3) return;
        RasterVertex rv[12];
        for (int i = 0; i < n; ++i)
            rv[i] = ToRaster(buf[cur][i], Project(buf[cur][i].p), st.perspective);
        for (int i = 1; i + 1 < n; ++i) {
            RasterVertex tri[3] = {rv[0], rv[i], rv[i + 1]};
            Emit(st, tri, transparent);
        }
    }

    void Emit(const RasterState& st, const RasterVertex* v, bool transparent) {
        if (!transparent) {
            DrawTriangle(target_, st, v[0], v[1], v[2]);
            return;
        }
        float depth = (1.0f / v[0].iw + 1.0f / v[1].iw + 1.0f / v[2].iw) / 3.0f;
        s_.deferred.push_back({{v[0], v[1], v[2]}, st.texture, st.gouraud, st.perspective, depth});
    }

    void FlushDeferred() {
        if (s_.deferred.empty()) return;
        if (sorted_)
            std::stable_sort(s_.deferred.begin(), s_.deferred.end(),
                             [](const DeferredTriangle& a, const DeferredTriangle& b) {
                                 return a.depth > b.depth;
                             });
        RasterState st;
        st.blend = true;
        st.zWrite = sortedZWrite_;
        st.fog = fog_.enabled;
        st.fogColor = fog_.color;
        for (const DeferredTriangle& d : s_.deferred) {
            st.texture = d.texture;
            st.gouraud = d.gouraud;
            st.perspective = d.perspective;
            DrawTriangle(target_, st, d.v[0], d.v[1], d.v[2]);
        }
        s_.deferred.clear();
    }

    void DrawPointsOrLines(const MeshBuilder& mesh, const detail::MeshCache& c,
                           const Matrix4& toCam, const Matrix4& normalToCam, bool lines, bool lit,
                           RasterState st) {
        const auto& faces = mesh.Faces();
        const auto& corners = mesh.Corners();
        st.blend = blended_;
        for (size_t f = 0; f < faces.size(); ++f) {
            const MeshBuilder::Face& face = faces[f];
            ColorF base = ToColorF(face.color);
            ClipVertex cv{};
            if (lit) {
                Shade(FaceLight(mesh, c, f, toCam, normalToCam), base, mesh.MaterialOf(face), cv.r,
                      cv.g, cv.b);
            } else {
                cv.r = base.r * 255.0f;
                cv.g = base.g * 255.0f;
                cv.b = base.b * 255.0f;
            }
            cv.a = static_cast<float>(AlphaOf(face.color));
            st.blend = blended_ && cv.a < 255.0f;
            if (!lines) {
                for (uint32_t j = 0; j < face.count; ++j) {
                    uint32_t v = corners[face.first + j].vertex;
                    if (s_.outcode[v]) continue;
                    // A face naming one vertex several times (a point marker) draws it once.
                    if (j > 0 && corners[face.first + j - 1].vertex == v) continue;
                    RasterVertex rv = ToRaster(cv, s_.screen[v], false);
                    rv.fog = s_.fog[v];
                    DrawPointSquare(st, rv, static_cast<int>(face.pointSize));
                }
                continue;
            }
            // Wireframe keeps back-face culling: a face seen from behind draws no outline.
            Vector3 n = normalToCam.TransformDirection(c.faceNormal[f]);
            if (Dot(n, s_.camPos[corners[face.first].vertex]) > 0.0f) continue;
            for (uint32_t j = 0; j < face.count; ++j) {
                uint32_t a = corners[face.first + j].vertex;
                uint32_t b = corners[face.first + (j + 1) % face.count].vertex;
                DrawEdge(st, cv, a, b);
            }
        }
    }

    // A square of `size` pixels a side around the point's pixel (the extra pixel of an even
    // size goes right and down). The square stands a little in front of its point, so a
    // marker on a corner of the model is not cut by the faces that meet there.
    void DrawPointSquare(const RasterState& st, RasterVertex rv, int size) {
        if (size <= 1) {
            DrawPoint(target_, st, rv);
            return;
        }
        if (!(rv.x >= target_.x0 && rv.x < target_.x1 && rv.y >= target_.y0 && rv.y < target_.y1))
            return;
        const int cx = static_cast<int>(rv.x), cy = static_cast<int>(rv.y);
        rv.iw *= 1.0f + 1.0f / 64.0f;
        const int lo = -(size - 1) / 2, hi = size / 2;
        for (int dy = lo; dy <= hi; ++dy)
            for (int dx = lo; dx <= hi; ++dx) {
                rv.x = static_cast<float>(cx + dx) + 0.5f;
                rv.y = static_cast<float>(cy + dy) + 0.5f;
                DrawPoint(target_, st, rv);
            }
    }

    void DrawEdge(const RasterState& st, ClipVertex cv, uint32_t a, uint32_t b) {
        if (s_.outcode[a] & s_.outcode[b]) return;
        ClipVertex ca = cv, cb = cv;
        ca.p = s_.camPos[a];
        cb.p = s_.camPos[b];
        ca.fog = s_.fog[a];
        cb.fog = s_.fog[b];
        // Clipped to the guard band like faces, so that a far end cannot project to infinity;
        // the rasterizer cuts what remains to the rectangle. Only planes an end lies outside.
        const uint8_t outside = s_.outcode[a] | s_.outcode[b];
        for (int plane = 0; plane < 6; ++plane) {
            if (!(outside & (1u << plane))) continue;
            const double da = planes_.Eval(plane, ca.p), db = planes_.Eval(plane, cb.p);
            if (da < 0 && db < 0) return;
            if (da < 0)
                ca = Lerp(cb, ca, db / (db - da));
            else if (db < 0)
                cb = Lerp(ca, cb, da / (da - db));
        }
        DrawLine(target_, st, ToRaster(ca, Project(ca.p), false),
                 ToRaster(cb, Project(cb.p), false));
    }

    bool BoxOutside(const detail::MeshCache& c, const Matrix4& toCam) const {
        uint8_t all = 0xFF;
        for (int i = 0; i < 8; ++i) {
            Vector3 p{(i & 1) ? c.boxMax.x : c.boxMin.x, (i & 2) ? c.boxMax.y : c.boxMin.y,
                      (i & 4) ? c.boxMax.z : c.boxMin.z};
            all &= Outcode(toCam.TransformPoint(p));
        }
        return all != 0;
    }

    Device& device_;
    RenderScratch& s_;
    const CameraSetup& cam_;
    Planes planes_;
    RasterTarget target_;
    int deviceFill_, deviceShade_;
    bool deviceLight_, blended_, sorted_, viewSpecular_, sortedZWrite_;
    FogSettings fog_;
    ColorF ambient_{};
    std::vector<LightCam> lights_;
    const MeshBuilder* litMesh_ = nullptr;  // FaceLight's last face, for this placement only
    size_t litFace_ = 0;
    LitColor faceLight_{};
};

}  // namespace

bool RenderTree(Device& device, RenderScratch& scratch, const CameraSetup& cam,
                const Frame& frame) {
    try {
        Renderer r(device, scratch, cam, frame.Root());
        r.Draw(frame);
        return true;
    } catch (...) {
        return Fail("out of memory while rendering");
    }
}

void ClearRect(Device& device, const CameraSetup& cam, const Frame& scene, uint32_t flags) {
    const int stride = device.Width();
    const int w = cam.x1 - cam.x0, h = cam.y1 - cam.y0;
    if (w <= 0 || h <= 0) return;
    if (flags & kClearZBuffer)
        for (int y = cam.y0; y < cam.y1; ++y)
            std::fill_n(device.DepthData() + static_cast<size_t>(y) * stride + cam.x0, w, 0.0f);
    if (!(flags & kClearTarget)) return;
    const Texture* image = scene.SceneBackgroundImage().get();
    const uint32_t color = scene.SceneBackground() | 0xFF000000u;
    for (int y = cam.y0; y < cam.y1; ++y) {
        uint32_t* row = device.ColorData() + static_cast<size_t>(y) * stride + cam.x0;
        if (!image) {
            std::fill_n(row, w, color);
            continue;
        }
        // The image is stretched over the rectangle, nearest texel.
        const int iw = image->Width(), ih = image->Height();
        const uint32_t* src = image->Pixels().data() +
                              static_cast<size_t>((static_cast<int64_t>(y - cam.y0) * ih) / h) * iw;
        for (int x = 0; x < w; ++x) row[x] = src[(static_cast<int64_t>(x) * iw) / w] | 0xFF000000u;
    }
}

std::vector<PickHit> PickTree(const Frame& frame, const CameraSetup& cam, float px, float py) {
    std::vector<PickHit> hits;
    try {
        const Vector3 dir{(px - cam.cx) / cam.focal, (cam.cy - py) / cam.focal, 1.0f};
        const Matrix4 camToRoot = cam.view.InverseAffine();
        auto visit = [&](auto&& self, const Frame& f, const Matrix4& world) -> void {
            if (!(f.TraversalOptions() & kPickEnable)) return;
            const Matrix4 toCam = world * cam.view;
            for (const VisualPtr& v : f.Visuals()) {
                auto* mesh = dynamic_cast<const MeshBuilder*>(v.get());
                if (!mesh || mesh->FaceCount() == 0) continue;
                bool ok = false;
                const Matrix4 inv = toCam.InverseAffine(&ok);
                if (!ok) continue;
                // The ray in the mesh's space: o + t d, where t is also the camera-space depth.
                const Vector3 o = inv.TransformPoint({}), d = inv.TransformDirection(dir);
                const detail::MeshCache& c = mesh->Cache();
                // Slab test against the bounding box first.
                float t0 = cam.front, t1 = cam.back;
                const float oc[3] = {o.x, o.y, o.z}, dc[3] = {d.x, d.y, d.z};
                const float bmin[3] = {c.boxMin.x, c.boxMin.y, c.boxMin.z};
                const float bmax[3] = {c.boxMax.x, c.boxMax.y, c.boxMax.z};
                bool miss = false;
                for (int a = 0; a < 3 && !miss; ++a) {
                    if (std::fabs(dc[a]) < 1e-30f) {
                        miss = oc[a] < bmin[a] || oc[a] > bmax[a];
                        continue;
                    }
                    float ta = (bmin[a] - oc[a]) / dc[a], tb = (bmax[a] - oc[a]) / dc[a];
                    if (ta > tb) std::swap(ta, tb);
                    t0 = std::max(t0, ta - 1e-6f * std::fabs(ta));
                    t1 = std::min(t1, tb + 1e-6f * std::fabs(tb));
                    miss = t0 > t1;
                }
                if (miss) continue;
                float best = cam.back;
                int bestFace = -1;
                const auto& verts = mesh->Vertices();
                for (const detail::MeshCache::Tri& t : c.tris) {
                    // Moller-Trumbore, both sides.
                    const Vector3 a = verts[c.cornerVertex[t.corner[0]]];
                    const Vector3 e1 = verts[c.cornerVertex[t.corner[1]]] - a;
                    const Vector3 e2 = verts[c.cornerVertex[t.corner[2]]] - a;
                    const Vector3 pv = Cross(d, e2);
                    const float det = Dot(e1, pv);
                    if (std::fabs(det) < 1e-20f) continue;
                    const float inv_det = 1.0f / det;
                    const Vector3 tv = o - a;
                    const float u = Dot(tv, pv) * inv_det;
                    if (u < 0.0f || u > 1.0f) continue;
                    const Vector3 qv = Cross(tv, e1);
                    const float w = Dot(d, qv) * inv_det;
                    if (w < 0.0f || u + w > 1.0f) continue;
                    const float tt = Dot(e2, qv) * inv_det;
                    if (tt >= cam.front && tt < best) {
                        best = tt;
                        bestFace = static_cast<int>(t.face);
                    }
                }
                if (bestFace < 0) continue;
                PickHit hit;
                hit.visual = v;
                hit.frame = std::const_pointer_cast<Frame>(f.shared_from_this());
                hit.face = bestFace;
                hit.position = camToRoot.TransformPoint(dir * best);
                hit.depth = best;
                hits.push_back(std::move(hit));
            }
            for (const FramePtr& ch : f.Children()) self(self, *ch, ch->LocalTransform() * world);
        };
        visit(visit, frame, frame.WorldTransform());
        std::stable_sort(hits.begin(), hits.end(),
                         [](const PickHit& a, const PickHit& b) { return a.depth < b.depth; });
    } catch (...) {
        Fail("out of memory while picking");
        hits.clear();
    }
    return hits;
}

}  // namespace rm::detail
