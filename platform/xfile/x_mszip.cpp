#include "platform/xfile/x_mszip.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace xfile {
namespace {

constexpr size_t kHeaderSize = 16;
constexpr size_t kBlockSize = 32768;  // inflated bytes per block the writer uses
constexpr size_t kWindow = 32768;     // deflate's history reach

// Deflate cannot produce more than 258 bytes (one longest match) per two bits of input, so no
// valid file inflates to more than this many times its own size; a larger declared total is a
// lie, refused before anything is inflated.
constexpr uint64_t kMaxRatio = 1032;
// A ceiling whatever the ratio: a 256 MiB text mesh holds millions of faces, far beyond what the
// modeller edits, while a few hundred kilobytes of crafted blocks could otherwise claim it.
constexpr uint64_t kMaxInflated = uint64_t{256} << 20;

uint32_t Le16(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8;
}
uint32_t Le32(const unsigned char* p) {
    return Le16(p) | Le16(p + 2) << 16;
}

void Put16(std::string& out, uint32_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char((v >> 8) & 0xFF));
}

struct InflateStream {
    z_stream z{};
    bool ok = false;
    InflateStream() { ok = inflateInit2(&z, -15) == Z_OK; }
    ~InflateStream() {
        if (ok) inflateEnd(&z);
    }
};

struct DeflateStream {
    z_stream z{};
    bool ok = false;
    DeflateStream() {
        ok =
            deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~DeflateStream() {
        if (ok) deflateEnd(&z);
    }
};

}  // namespace

bool InflateMsZip(std::string_view data, std::string& out, std::string& error) {
    out.clear();
    auto bytes = reinterpret_cast<const unsigned char*>(data.data());
    if (data.size() < 4) {
        error = "compressed file ends before its size";
        return false;
    }
    const uint32_t total = Le32(bytes);
    if (total < kHeaderSize) {
        error = "compressed file declares a size smaller than its header";
        return false;
    }
    const size_t limit = total - kHeaderSize;
    if (limit > kMaxInflated) {
        error = "compressed file declares more than 256 MiB";
        return false;
    }
    if (limit > kMaxRatio * data.size()) {
        error = "compressed file declares more than its blocks can hold";
        return false;
    }
    // Reserve only what the input could plausibly produce; the rest grows as blocks come.
    out.reserve(std::min<size_t>(limit, data.size() * 8));

    InflateStream s;
    if (!s.ok) {
        error = "zlib failed to start";
        return false;
    }
    size_t pos = 4;
    while (pos < data.size()) {
        if (data.size() - pos < 4) {
            error = "compressed block header is cut short";
            return false;
        }
        const uint32_t inflated = Le16(bytes + pos);
        const uint32_t stored = Le16(bytes + pos + 2);
        pos += 4;
        if (stored < 2 || stored > data.size() - pos) {
            error = "compressed block runs past the end of the file";
            return false;
        }
        if (bytes[pos] != 'C' || bytes[pos + 1] != 'K') {
            error = "compressed block lacks its CK signature";
            return false;
        }
        if (inflated > limit - out.size()) {
            error = "compressed blocks inflate past the declared size";
            return false;
        }
        if (inflateReset(&s.z) != Z_OK) {
            error = "zlib failed to reset";
            return false;
        }
        if (!out.empty()) {
            const size_t dict = std::min(out.size(), kWindow);
            if (inflateSetDictionary(&s.z,
                                     reinterpret_cast<const Bytef*>(out.data() + out.size() - dict),
                                     uInt(dict)) != Z_OK) {
                error = "zlib refused the previous block as dictionary";
                return false;
            }
        }
        const size_t start = out.size();
        // Grow by doubling, but never past the declared size.
        if (start + inflated > out.capacity())
            out.reserve(std::min(limit, std::max(out.capacity() * 2, start + inflated)));
        out.resize(start + inflated);
        s.z.next_in = const_cast<Bytef*>(bytes + pos + 2);
        s.z.avail_in = stored - 2;
        s.z.next_out = reinterpret_cast<Bytef*>(out.data() + start);
        s.z.avail_out = inflated;
        int rc = inflate(&s.z, Z_FINISH);
        if (rc != Z_STREAM_END) {
            // Z_BUF_ERROR with no room left means the block holds more than it declares.
            error = (rc == Z_BUF_ERROR && s.z.avail_out == 0)
                        ? "compressed block inflates past its declared size"
                        : "compressed block is not valid deflate data";
            out.clear();
            return false;
        }
        out.resize(start + (inflated - s.z.avail_out));
        pos += stored;
    }
    // Fewer bytes than declared: the file was cut at a block boundary.
    if (out.size() != limit) {
        error = "compressed data ends before its declared size";
        out.clear();
        return false;
    }
    return true;
}

bool DeflateMsZip(std::string_view body, std::string& out) {
    out.clear();
    // Nothing the reader would refuse.
    if (body.size() > kMaxInflated) return false;
    const uint64_t total = uint64_t(body.size()) + kHeaderSize;
    out.reserve(body.size() / 2 + 64);
    out.push_back(char(total & 0xFF));
    out.push_back(char((total >> 8) & 0xFF));
    out.push_back(char((total >> 16) & 0xFF));
    out.push_back(char((total >> 24) & 0xFF));

    DeflateStream s;
    if (!s.ok) return false;
    const uLong bound = deflateBound(&s.z, kBlockSize);
    auto buffer = std::make_unique<Bytef[]>(bound);
    for (size_t pos = 0; pos < body.size(); pos += kBlockSize) {
        const size_t n = std::min(kBlockSize, body.size() - pos);
        if (deflateReset(&s.z) != Z_OK) return false;
        if (pos > 0) {
            const size_t dict = std::min(pos, kWindow);
            if (deflateSetDictionary(&s.z, reinterpret_cast<const Bytef*>(body.data() + pos - dict),
                                     uInt(dict)) != Z_OK)
                return false;
        }
        s.z.next_in = const_cast<Bytef*>(reinterpret_cast<const Bytef*>(body.data() + pos));
        s.z.avail_in = uInt(n);
        s.z.next_out = buffer.get();
        s.z.avail_out = uInt(bound);
        if (deflate(&s.z, Z_FINISH) != Z_STREAM_END) return false;
        const size_t packed = bound - s.z.avail_out;
        if (packed + 2 > 0xFFFF) return false;
        Put16(out, uint32_t(n));
        Put16(out, uint32_t(packed + 2));
        out += "CK";
        out.append(reinterpret_cast<const char*>(buffer.get()), packed);
    }
    return true;
}

}  // namespace xfile
