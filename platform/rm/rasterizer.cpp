#include "platform/rm/rasterizer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "platform/rm/texture.h"

namespace rm::detail {
namespace {

constexpr int kSubBits = 8;
constexpr int64_t kSub = int64_t{1} << kSubBits;
constexpr int64_t kHalf = kSub / 2;

// The edge arithmetic below is exact in 64 bits while every vertex lies within this many
// pixels of the origin: coordinate differences take 2 + 20 + 8 bits, and an edge value, a
// product of two of them, stays far below 2^63. Geometry further out is clipped to this square
// first (a guard band: clipped edges lie far off the target, so what is drawn is unchanged);
// only non-finite positions, which have no place on screen, are refused.
constexpr float kLimit = 1 << 20;

inline bool WithinLimit(const RasterVertex& v) {
    return std::fabs(v.x) <= kLimit && std::fabs(v.y) <= kLimit;  // false for NaN
}
inline bool Finite(const RasterVertex& v) {
    return std::isfinite(v.x) && std::isfinite(v.y);
}

// A vertex as doubles for clipping: every attribute is linear in screen space, which is how
// the rasterizer interpolates it, so a clipped vertex lies on the same attribute planes.
struct ClipPoint {
    double a[10];
};
ClipPoint ToClip(const RasterVertex& v) {
    return {{v.x, v.y, v.iw, v.r, v.g, v.b, v.a, v.u, v.v, v.fog}};
}
RasterVertex FromClip(const ClipPoint& c) {
    float f[10];
    for (int i = 0; i < 10; ++i) f[i] = static_cast<float>(c.a[i]);
    // Rounding must not carry a clipped position past the square.
    const float x = std::clamp(f[0], -kLimit, kLimit), y = std::clamp(f[1], -kLimit, kLimit);
    return {x, y, f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9]};
}
// The point where the segment from `in` (inside) to `out` crosses coordinate `axis` = `at`.
// Always computed from the inside end, so triangles sharing an edge get the same point.
ClipPoint Cross(const ClipPoint& in, const ClipPoint& out, int axis, double at) {
    const double t = (at - in.a[axis]) / (out.a[axis] - in.a[axis]);
    ClipPoint r;
    for (int i = 0; i < 10; ++i) r.a[i] = in.a[i] + (out.a[i] - in.a[i]) * t;
    r.a[axis] = at;
    return r;
}

// Sutherland-Hodgman against the square of side 2 kLimit; returns the vertex count (0 to 7).
int ClipToLimit(ClipPoint* poly, int n) {
    ClipPoint tmp[8];
    for (int plane = 0; plane < 4 && n > 0; ++plane) {
        const int axis = plane / 2;
        const double at = (plane & 1) ? kLimit : -kLimit;
        auto inside = [&](const ClipPoint& p) {
            return (plane & 1) ? p.a[axis] <= at : p.a[axis] >= at;
        };
        int m = 0;
        for (int i = 0; i < n; ++i) {
            const ClipPoint& a = poly[i];
            const ClipPoint& b = poly[(i + 1) % n];
            const bool ia = inside(a), ib = inside(b);
            if (ia) tmp[m++] = a;
            if (ia && !ib) tmp[m++] = Cross(a, b, axis, at);
            if (!ia && ib) tmp[m++] = Cross(b, a, axis, at);
        }
        std::copy(tmp, tmp + m, poly);
        n = m;
    }
    return n;
}

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
    int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}
int64_t CeilDiv(int64_t a, int64_t b) {
    return -FloorDiv(-a, b);
}

// Clamped before the conversion: NaN (from lighting degenerate geometry) reads as 0.
inline uint32_t Channel(float c) {
    return static_cast<uint32_t>(std::min(255.0f, std::max(0.0f, c)));
}

inline uint32_t Pack(float r, float g, float b) {
    return 0xFF000000u | Channel(r) << 16 | Channel(g) << 8 | Channel(b);
}

enum : unsigned { kGouraud = 1, kTex = 2, kPersp = 4, kFog = 8, kBlend = 16 };

// Attribute slots interpolated across a triangle.
enum { kIw, kR, kG, kB, kA, kU, kV, kF, kAttrs };

struct Edge {
    int64_t c;     // edge value at the first row's centre, x = 0
    int64_t step;  // change per row
    int64_t k;     // |change per pixel in x|
    int64_t threshold;
    int dir;  // -1 lower bound, +1 upper bound, 0 horizontal
};

struct Setup {
    Edge e[3];
    int yStart, yEnd, xMin, xMax;
    float base[kAttrs], dx[kAttrs], dy[kAttrs];
    float ox, oy;  // origin of the attribute planes
};

// Bilinear sample without a colour key, in 8-bit fixed point: two channels per multiply.
[[gnu::always_inline]] inline uint32_t SampleOpaque(const uint32_t* px, int w, int h, float u,
                                                    float v) {
    auto floorInt = [](float x) {
        int i = static_cast<int>(x);
        return i - (static_cast<float>(i) > x ? 1 : 0);
    };
    if (!(std::fabs(u) < 1.0e7f)) u = 0.0f;
    if (!(std::fabs(v) < 1.0e7f)) v = 0.0f;
    u -= static_cast<float>(floorInt(u));
    v -= static_cast<float>(floorInt(v));
    // Shifted by one texture size so that the fixed-point values are never negative.
    const int tu =
        static_cast<int>((u * static_cast<float>(w) + static_cast<float>(w) - 0.5f) * 256.0f);
    const int tv =
        static_cast<int>((v * static_cast<float>(h) + static_cast<float>(h) - 0.5f) * 256.0f);
    int x0 = tu >> 8, y0 = tv >> 8;
    const uint32_t wx = static_cast<uint32_t>(tu & 255), wy = static_cast<uint32_t>(tv & 255);
    x0 = x0 >= w ? x0 - w : x0;
    y0 = y0 >= h ? y0 - h : y0;
    x0 = x0 >= w ? w - 1 : x0;
    y0 = y0 >= h ? h - 1 : y0;
    const int x1 = x0 + 1 == w ? 0 : x0 + 1, y1 = y0 + 1 == h ? 0 : y0 + 1;
    const uint32_t* r0 = px + static_cast<ptrdiff_t>(y0) * w;
    const uint32_t* r1 = px + static_cast<ptrdiff_t>(y1) * w;
    auto lerp = [](uint32_t a, uint32_t b, uint32_t t) {
        uint32_t rb = ((a & 0xFF00FF) * (256 - t) + (b & 0xFF00FF) * t) >> 8;
        uint32_t g = ((a & 0x00FF00) * (256 - t) + (b & 0x00FF00) * t) >> 8;
        return (rb & 0xFF00FF) | (g & 0x00FF00);
    };
    return 0xFF000000u | lerp(lerp(r0[x0], r0[x1], wx), lerp(r1[x0], r1[x1], wx), wy);
}

[[gnu::always_inline]] inline bool Sample(const Texture& tex, float u, float v, uint32_t& argb) {
    const int w = tex.Width(), h = tex.Height();
    const uint32_t* px = tex.Pixels().data();
    if (!(std::fabs(u) < 1.0e7f)) u = 0.0f;
    if (!(std::fabs(v) < 1.0e7f)) v = 0.0f;
    // Truncation towards zero, corrected for negatives, is floor without the library call.
    auto floorInt = [](float x) {
        int i = static_cast<int>(x);
        return i - (static_cast<float>(i) > x ? 1 : 0);
    };
    u -= static_cast<float>(floorInt(u));
    v -= static_cast<float>(floorInt(v));
    float tx = u * static_cast<float>(w) - 0.5f, ty = v * static_cast<float>(h) - 0.5f;
    int ix = floorInt(tx), iy = floorInt(ty);
    float fx = tx - static_cast<float>(ix), fy = ty - static_cast<float>(iy);
    int x0 = ix < 0 ? w - 1 : (ix >= w ? w - 1 : ix), x1 = ix + 1 >= w ? 0 : ix + 1;
    int y0 = iy < 0 ? h - 1 : (iy >= h ? h - 1 : iy), y1 = iy + 1 >= h ? 0 : iy + 1;
    uint32_t c[4] = {px[y0 * w + x0], px[y0 * w + x1], px[y1 * w + x0], px[y1 * w + x1]};
    float wt[4] = {(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
    if (tex.DecalTransparency()) {
        // The nearest texel decides; keyed neighbours are left out of the blend so that the key
        // colour never bleeds into the edge.
        const uint32_t key = tex.DecalTransparentColor();
        int nearest = (fx >= 0.5f ? 1 : 0) + (fy >= 0.5f ? 2 : 0);
        if ((c[nearest] & 0x00FFFFFF) == key) return false;
        float sum = 0.0f;
        for (int i = 0; i < 4; ++i) {
            if ((c[i] & 0x00FFFFFF) == key) wt[i] = 0.0f;
            sum += wt[i];
        }
        for (float& x : wt) x /= sum;
    }
    float r = 0, g = 0, b = 0;
    for (int i = 0; i < 4; ++i) {
        r += static_cast<float>((c[i] >> 16) & 0xFF) * wt[i];
        g += static_cast<float>((c[i] >> 8) & 0xFF) * wt[i];
        b += static_cast<float>(c[i] & 0xFF) * wt[i];
    }
    argb = 0xFF000000u | Channel(r + 0.5f) << 16 | Channel(g + 0.5f) << 8 | Channel(b + 0.5f);
    return true;
}

inline float FogBlend(float c, float f, float fogC) {
    return c * f + fogC * (1.0f - f);
}

template <unsigned F>
void Fill(const RasterTarget& t, const RasterState& s, Setup& st, const RasterVertex& v0) {
    const float fogR = static_cast<float>((s.fogColor >> 16) & 0xFF);
    const float fogG = static_cast<float>((s.fogColor >> 8) & 0xFF);
    const float fogB = static_cast<float>(s.fogColor & 0xFF);
    const float flatR = v0.r + 0.5f, flatG = v0.g + 0.5f, flatB = v0.b + 0.5f, flatA = v0.a;
    const uint32_t flatPacked = Pack(flatR, flatG, flatB);
    const bool zWrite = s.zWrite;
    const Texture* tex = s.texture;
    const bool keyed = tex && tex->DecalTransparency();
    const uint32_t* texPixels = tex ? tex->Pixels().data() : nullptr;
    const int texW = tex ? tex->Width() : 0, texH = tex ? tex->Height() : 0;
    for (int y = st.yStart; y <= st.yEnd; ++y) {
        int64_t xl = st.xMin, xr = st.xMax;
        for (Edge& e : st.e) {
            if (e.dir < 0) {
                xl = std::max(xl, CeilDiv(e.threshold - e.c, e.k));
            } else if (e.dir > 0) {
                xr = std::min(xr, FloorDiv(e.c - e.threshold, e.k));
            } else if (e.c < e.threshold) {
                xr = xl - 1;
            }
            e.c += e.step;
        }
        if (xl > xr) continue;
        const float px = static_cast<float>(xl) + 0.5f - st.ox;
        const float py = static_cast<float>(y) + 0.5f - st.oy;
        float a[kAttrs];
        for (int i = 0; i < kAttrs; ++i) a[i] = st.base[i] + st.dx[i] * px + st.dy[i] * py;
        float iw = a[kIw], r = a[kR] + 0.5f, g = a[kG] + 0.5f, b = a[kB] + 0.5f, al = a[kA];
        float u = a[kU], v = a[kV], f = a[kF];
        const float diw = st.dx[kIw], dr = st.dx[kR], dg = st.dx[kG], db = st.dx[kB];
        const float da = st.dx[kA], du = st.dx[kU], dv = st.dx[kV], df = st.dx[kF];
        uint32_t* cp = t.color + static_cast<ptrdiff_t>(y) * t.stride;
        float* zp = t.depth + static_cast<ptrdiff_t>(y) * t.stride;
        for (int64_t x = xl; x <= xr; ++x) {
            if (iw > zp[x]) {
                uint32_t out;
                bool keep = true;
                if constexpr (F == 0) {
                    out = flatPacked;
                } else {
                    float cr = (F & kGouraud) ? r : flatR;
                    float cg = (F & kGouraud) ? g : flatG;
                    float cb = (F & kGouraud) ? b : flatB;
                    float ca = (F & kGouraud) ? al : flatA;
                    if constexpr ((F & kTex) != 0) {
                        float tu = u, tv = v;
                        if constexpr ((F & kPersp) != 0) {
                            float w = 1.0f / iw;
                            tu *= w;
                            tv *= w;
                        }
                        uint32_t texel = 0;
                        if (keyed)
                            keep = Sample(*tex, tu, tv, texel);
                        else
                            texel = SampleOpaque(texPixels, texW, texH, tu, tv);
                        const float k = 1.0f / 255.0f;
                        cr = static_cast<float>((texel >> 16) & 0xFF) * (cr - 0.5f) * k + 0.5f;
                        cg = static_cast<float>((texel >> 8) & 0xFF) * (cg - 0.5f) * k + 0.5f;
                        cb = static_cast<float>(texel & 0xFF) * (cb - 0.5f) * k + 0.5f;
                    }
                    if constexpr ((F & kFog) != 0) {
                        float ff = std::clamp(f, 0.0f, 1.0f);
                        cr = FogBlend(cr, ff, fogR);
                        cg = FogBlend(cg, ff, fogG);
                        cb = FogBlend(cb, ff, fogB);
                    }
                    if constexpr ((F & kBlend) != 0) {
                        float sa = std::clamp(ca, 0.0f, 255.0f) * (1.0f / 255.0f);
                        uint32_t d = cp[x];
                        cr = cr * sa + static_cast<float>((d >> 16) & 0xFF) * (1.0f - sa);
                        cg = cg * sa + static_cast<float>((d >> 8) & 0xFF) * (1.0f - sa);
                        cb = cb * sa + static_cast<float>(d & 0xFF) * (1.0f - sa);
                    }
                    out = Pack(cr, cg, cb);
                }
                if (keep) {
                    cp[x] = out;
                    if (zWrite) zp[x] = iw;
                }
            }
            iw += diw;
            if constexpr ((F & kGouraud) != 0) {
                r += dr;
                g += dg;
                b += db;
                al += da;
            }
            if constexpr ((F & kTex) != 0) {
                u += du;
                v += dv;
            }
            if constexpr ((F & kFog) != 0) f += df;
        }
    }
}

using FillFn = void (*)(const RasterTarget&, const RasterState&, Setup&, const RasterVertex&);

template <unsigned... Fs>
constexpr auto MakeTable(std::integer_sequence<unsigned, Fs...>) {
    return std::array<FillFn, sizeof...(Fs)>{&Fill<Fs>...};
}

const auto kFillTable = MakeTable(std::make_integer_sequence<unsigned, 32>{});

// A triangle whose vertices are all within kLimit.
void DrawWithinLimit(const RasterTarget& t, const RasterState& s, const RasterVertex& v0,
                     const RasterVertex& v1, const RasterVertex& v2) {
    const RasterVertex* v[3] = {&v0, &v1, &v2};
    int64_t X[3], Y[3];
    for (int i = 0; i < 3; ++i) {
        X[i] = static_cast<int64_t>(std::lrint(v[i]->x * static_cast<float>(kSub)));
        Y[i] = static_cast<int64_t>(std::lrint(v[i]->y * static_cast<float>(kSub)));
    }
    const int64_t area = (X[1] - X[0]) * (Y[2] - Y[0]) - (X[2] - X[0]) * (Y[1] - Y[0]);
    if (area <= 0) return;

    Setup st;
    const int64_t minX = std::min({X[0], X[1], X[2]}), maxX = std::max({X[0], X[1], X[2]});
    const int64_t minY = std::min({Y[0], Y[1], Y[2]}), maxY = std::max({Y[0], Y[1], Y[2]});
    int64_t ys = std::max<int64_t>(CeilDiv(minY - kHalf, kSub), t.y0);
    int64_t ye = std::min<int64_t>(FloorDiv(maxY - kHalf, kSub), t.y1 - 1);
    int64_t xs = std::max<int64_t>(CeilDiv(minX - kHalf, kSub), t.x0);
    int64_t xe = std::min<int64_t>(FloorDiv(maxX - kHalf, kSub), t.x1 - 1);
    if (ys > ye || xs > xe) return;
    st.yStart = static_cast<int>(ys);
    st.yEnd = static_cast<int>(ye);
    st.xMin = static_cast<int>(xs);
    st.xMax = static_cast<int>(xe);

    const int64_t py0 = ys * kSub + kHalf;
    for (int i = 0; i < 3; ++i) {
        int a = i, b = (i + 1) % 3;
        int64_t dx = X[b] - X[a], dy = Y[b] - Y[a];
        Edge& e = st.e[i];
        // E(px, py) = dx (py - Ya) - dy (px - Xa) > 0 inside; at px = 256 x + 128 it is
        // c - dy 256 x. Top and left edges also own the pixels exactly on them.
        e.c = dx * (py0 - Y[a]) - dy * (kHalf - X[a]);
        e.step = dx * kSub;
        e.k = (dy < 0 ? -dy : dy) * kSub;
        e.threshold = (dy < 0 || (dy == 0 && dx > 0)) ? 0 : 1;
        e.dir = dy < 0 ? -1 : (dy > 0 ? 1 : 0);
    }

    // Attribute planes from the snapped positions, relative to vertex 0.
    const float fx0 = static_cast<float>(X[0]) / kSub, fy0 = static_cast<float>(Y[0]) / kSub;
    const float ex1 = static_cast<float>(X[1] - X[0]) / kSub,
                ey1 = static_cast<float>(Y[1] - Y[0]) / kSub;
    const float ex2 = static_cast<float>(X[2] - X[0]) / kSub,
                ey2 = static_cast<float>(Y[2] - Y[0]) / kSub;
    const float invArea = 1.0f / (ex1 * ey2 - ex2 * ey1);
    auto attrs = [](const RasterVertex& r, float* out) {
        out[kIw] = r.iw;
        out[kR] = r.r;
        out[kG] = r.g;
        out[kB] = r.b;
        out[kA] = r.a;
        out[kU] = r.u;
        out[kV] = r.v;
        out[kF] = r.fog;
    };
    float a0[kAttrs], a1[kAttrs], a2[kAttrs];
    attrs(v0, a0);
    attrs(v1, a1);
    attrs(v2, a2);
    for (int i = 0; i < kAttrs; ++i) {
        float d1 = a1[i] - a0[i], d2 = a2[i] - a0[i];
        st.base[i] = a0[i];
        st.dx[i] = (d1 * ey2 - d2 * ey1) * invArea;
        st.dy[i] = (d2 * ex1 - d1 * ex2) * invArea;
    }
    st.ox = fx0;
    st.oy = fy0;

    unsigned flags = 0;
    if (s.gouraud) flags |= kGouraud;
    if (s.texture) flags |= kTex | (s.perspective ? unsigned{kPersp} : 0u);
    if (s.fog) flags |= kFog;
    if (s.blend) flags |= kBlend;
    kFillTable[flags](t, s, st, v0);
}

bool ClipSegmentToLimit(ClipPoint& a, ClipPoint& b) {
    for (int plane = 0; plane < 4; ++plane) {
        const int axis = plane / 2;
        const double at = (plane & 1) ? kLimit : -kLimit;
        auto inside = [&](const ClipPoint& p) {
            return (plane & 1) ? p.a[axis] <= at : p.a[axis] >= at;
        };
        const bool ia = inside(a), ib = inside(b);
        if (!ia && !ib) return false;
        if (!ia) a = Cross(b, a, axis, at);
        if (!ib) b = Cross(a, b, axis, at);
    }
    return true;
}

void DrawLineWithinLimit(const RasterTarget& t, const RasterState& s, const RasterVertex& v0,
                         const RasterVertex& v1) {
    // Samples at the middles of n equal steps, n the length along the major axis: consecutive
    // edges of a polygon meet without a doubled or missing pixel. The step range is first cut
    // to the target rectangle (Liang-Barsky) so that long clipped lines cost nothing.
    const float dx = v1.x - v0.x, dy = v1.y - v0.y;
    float t0 = 0.0f, t1 = 1.0f;
    auto clip = [&](float p, float q) {
        if (p == 0.0f) return q >= 0.0f;
        float r = q / p;
        if (p < 0.0f) {
            if (r > t1) return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0) return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    if (!clip(-dx, v0.x - static_cast<float>(t.x0)) || !clip(dx, static_cast<float>(t.x1) - v0.x) ||
        !clip(-dy, v0.y - static_cast<float>(t.y0)) || !clip(dy, static_cast<float>(t.y1) - v0.y))
        return;
    const float len = std::max(std::fabs(dx), std::fabs(dy));
    const int n = std::max(1, static_cast<int>(std::lround(len)));
    const int first = std::max(0, static_cast<int>(std::floor(t0 * static_cast<float>(n) - 0.5f)));
    const int last =
        std::min(n - 1, static_cast<int>(std::ceil(t1 * static_cast<float>(n) - 0.5f)));
    RasterVertex p = v0;
    for (int i = first; i <= last; ++i) {
        const float k = (static_cast<float>(i) + 0.5f) / static_cast<float>(n);
        p.x = v0.x + dx * k;
        p.y = v0.y + dy * k;
        p.iw = v0.iw + (v1.iw - v0.iw) * k;
        p.fog = v0.fog + (v1.fog - v0.fog) * k;
        if (s.gouraud) {
            p.r = v0.r + (v1.r - v0.r) * k;
            p.g = v0.g + (v1.g - v0.g) * k;
            p.b = v0.b + (v1.b - v0.b) * k;
        }
        DrawPoint(t, s, p);
    }
}

}  // namespace

void DrawTriangle(const RasterTarget& t, const RasterState& s, const RasterVertex& v0,
                  const RasterVertex& v1, const RasterVertex& v2) {
    if (WithinLimit(v0) && WithinLimit(v1) && WithinLimit(v2)) {
        DrawWithinLimit(t, s, v0, v1, v2);
        return;
    }
    if (!Finite(v0) || !Finite(v1) || !Finite(v2)) return;
    ClipPoint poly[8] = {ToClip(v0), ToClip(v1), ToClip(v2)};
    const int n = ClipToLimit(poly, 3);
    if (n < 3) return;
    // Vertex 0 gives a flat-shaded triangle its colour; the clipped fan keeps the original's
    // colour by carrying it over.
    RasterVertex r[8];
    for (int i = 0; i < n; ++i) {
        r[i] = FromClip(poly[i]);
        if (!s.gouraud) {
            r[i].r = v0.r;
            r[i].g = v0.g;
            r[i].b = v0.b;
            r[i].a = v0.a;
        }
    }
    for (int i = 1; i + 1 < n; ++i) DrawWithinLimit(t, s, r[0], r[i], r[i + 1]);
}

void DrawPoint(const RasterTarget& t, const RasterState& s, const RasterVertex& v) {
    if (!(v.x >= t.x0 && v.x < t.x1 && v.y >= t.y0 && v.y < t.y1)) return;
    int x = static_cast<int>(v.x), y = static_cast<int>(v.y);
    size_t i = static_cast<size_t>(y) * t.stride + x;
    if (!(v.iw > t.depth[i])) return;
    float r = v.r, g = v.g, b = v.b;
    if (s.fog) {
        float f = std::clamp(v.fog, 0.0f, 1.0f);
        r = FogBlend(r, f, static_cast<float>((s.fogColor >> 16) & 0xFF));
        g = FogBlend(g, f, static_cast<float>((s.fogColor >> 8) & 0xFF));
        b = FogBlend(b, f, static_cast<float>(s.fogColor & 0xFF));
    }
    if (s.blend) {
        float sa = std::clamp(v.a, 0.0f, 255.0f) / 255.0f;
        uint32_t d = t.color[i];
        r = r * sa + static_cast<float>((d >> 16) & 0xFF) * (1 - sa);
        g = g * sa + static_cast<float>((d >> 8) & 0xFF) * (1 - sa);
        b = b * sa + static_cast<float>(d & 0xFF) * (1 - sa);
    }
    t.color[i] = Pack(r + 0.5f, g + 0.5f, b + 0.5f);
    if (s.zWrite) t.depth[i] = v.iw;
}

void DrawLine(const RasterTarget& t, const RasterState& s, const RasterVertex& v0,
              const RasterVertex& v1) {
    if (WithinLimit(v0) && WithinLimit(v1)) {
        DrawLineWithinLimit(t, s, v0, v1);
        return;
    }
    // Cut to the square first so that the step count stays small and exact.
    if (!Finite(v0) || !Finite(v1)) return;
    ClipPoint a = ToClip(v0), b = ToClip(v1);
    if (ClipSegmentToLimit(a, b)) DrawLineWithinLimit(t, s, FromClip(a), FromClip(b));
}

bool SampleTexture(const Texture& tex, float u, float v, uint32_t& argb) {
    return Sample(tex, u, v, argb);
}

}  // namespace rm::detail
