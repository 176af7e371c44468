#include "platform/xfile/x_data.h"

#include <cmath>

namespace xfile {

bool XMesh::AddFace(const std::vector<uint32_t>& indices) {
    if (indices.empty()) return false;
    faceData.push_back(uint32_t(indices.size()));
    faceData.insert(faceData.end(), indices.begin(), indices.end());
    ++faceCount;
    return true;
}

XMatrix Multiply(const XMatrix& a, const XMatrix& b) {
    XMatrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float s = 0;
            for (int k = 0; k < 4; ++k) s += a.m[i * 4 + k] * b.m[k * 4 + j];
            r.m[i * 4 + j] = s;
        }
    return r;
}

XVector TransformPoint(const XVector& p, const XMatrix& m) {
    const float* a = m.m;
    float x = p.x * a[0] + p.y * a[4] + p.z * a[8] + a[12];
    float y = p.x * a[1] + p.y * a[5] + p.z * a[9] + a[13];
    float z = p.x * a[2] + p.y * a[6] + p.z * a[10] + a[14];
    const float w = p.x * a[3] + p.y * a[7] + p.z * a[11] + a[15];
    if (w != 0 && w != 1) x /= w, y /= w, z /= w;
    return {x, y, z};
}

XVector TransformDirection(const XVector& d, const XMatrix& m) {
    const float* a = m.m;
    XVector r{d.x * a[0] + d.y * a[4] + d.z * a[8], d.x * a[1] + d.y * a[5] + d.z * a[9],
              d.x * a[2] + d.y * a[6] + d.z * a[10]};
    const float len = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z);
    if (len > 0) r.x /= len, r.y /= len, r.z /= len;
    return r;
}

}  // namespace xfile
