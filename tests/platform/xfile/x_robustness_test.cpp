// Hostile and damaged input: every read must end with a clean result, in bounded memory.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/xfile/x_mszip.h"
#include "platform/xfile/x_reader.h"
#include "platform/xfile/x_writer.h"
#include "tests/platform/xfile/x_test_util.h"

namespace {

using xfile::ReadXData;
namespace tok = xfile::token;

xfile::XMesh SampleMesh() {
    xfile::XMesh m;
    m.name = "Sample";
    m.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0.5f}};
    m.AddFace({0, 1, 2});
    m.AddFace({0, 2, 3});
    m.textureCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    m.materials.resize(2);
    m.materials[1].r = 0.5f;
    m.materials[1].textureFile = "t.bmp";
    m.faceMaterials = {0, 1};
    m.vertexColors.resize(4);
    return m;
}

std::string Encoded(xfile::XFormat format) {
    std::string out;
    EXPECT_TRUE(xfile::EncodeXMesh(SampleMesh(), format, xfile::kSaveAll, out));
    return out;
}

TEST(XRobustness, EveryTruncationAndCorruptionEndsCleanly) {
    const xfile::XFormat formats[] = {xfile::XFormat::kText, xfile::XFormat::kBinary,
                                      xfile::XFormat::kTextZip, xfile::XFormat::kBinaryZip};
    for (xfile::XFormat format : formats) {
        const std::string good = Encoded(format);
        ASSERT_TRUE(ReadXData(good)) << int(format);
        size_t failures = 0;
        for (size_t n = 0; n < good.size(); ++n)
            failures += !ReadXData(std::string_view(good).substr(0, n));
        // Text can end early at a closing brace and still be whole; binary cannot.
        EXPECT_GE(failures, good.size() - 4) << int(format);

        const unsigned char values[] = {0x00, 0xFF, '{', '}', ';', '9', 0x06, 0x07, 0x80};
        for (size_t i = 16; i < good.size(); ++i)
            for (unsigned char v : values) {
                std::string bad = good;
                bad[i] = char(v);
                auto r = ReadXData(bad);  // must return, whatever it says
                if (!r) {
                    EXPECT_FALSE(r.error.empty());
                }
            }
    }
}

TEST(XRobustness, HugeCountsFailWithoutAllocating) {
    const std::string text[] = {
        "Mesh { 2147483648; 0;0;0;; }",
        "Mesh { 1; 0;0;0;; 2147483648; 3;0,0,0;; }",
        "Mesh { 1; 0;0;0;; 1; 2147483648; 0,0,0;; }",
        "Mesh { 1; 0;0;0;; 1; 1;0;; MeshMaterialList { 1; 2147483648; 0;; } }",
        "Mesh { 1; 0;0;0;; 1; 1;0;; MeshVertexColors { 2147483648; 0;1;1;1;1;;; } }",
        "Mesh { 1; 0;0;0;; 1; 1;0;; MeshNormals { 2147483648; 0;0;1;; } }",
        "Mesh { 1; 0;0;0;; 1; 1;0;; MeshFaceWraps { 4294967295; 0;0;; } }",
    };
    for (const std::string& body : text) {
        xtest::HeapTally::Reset();
        EXPECT_FALSE(ReadXData("xof 0302txt 0032\n" + body)) << body;
        EXPECT_LT(xtest::HeapTally::Peak(), 64u * 1024) << body;
    }
    xtest::BinaryBuilder b;
    b.Name("Mesh").Open().Ints({0x80000000u, 1, 2, 3}).Floats({0, 0, 0}).Close();
    xtest::HeapTally::Reset();
    EXPECT_FALSE(ReadXData(b.Bytes()));
    EXPECT_LT(xtest::HeapTally::Peak(), 64u * 1024);
}

TEST(XRobustness, DeepNestingIsCappedOrSkippedWithoutRecursion) {
    std::string frames = "xof 0302txt 0032\n";
    for (int i = 0; i < 20000; ++i) frames += "Frame{";
    for (int i = 0; i < 20000; ++i) frames += "}";
    auto r = ReadXData(frames);
    EXPECT_FALSE(r);
    EXPECT_NE(r.error.find("deep"), std::string::npos) << r.error;

    // Frames at the cap are fine.
    std::string capped = "xof 0302txt 0032\n";
    for (int i = 0; i < xfile::kMaxFrameDepth; ++i) capped += "Frame{";
    capped += "Mesh{1;0;0;0;;1;1;0;;}";
    for (int i = 0; i < xfile::kMaxFrameDepth; ++i) capped += "}";
    EXPECT_TRUE(ReadXData(capped));

    // Unknown objects are skipped by counting braces, at any depth, text and binary.
    std::string unknown = "xof 0302txt 0032\nOdd{";
    for (int i = 0; i < 200000; ++i) unknown += "Deeper{";
    unknown += std::string(200001, '}') + "Mesh{1;0;0;0;;1;1;0;;}";
    EXPECT_TRUE(ReadXData(unknown));
    xtest::BinaryBuilder b;
    b.Name("Odd").Open();
    for (int i = 0; i < 200000; ++i) b.Name("D").Open();
    for (int i = 0; i <= 200000; ++i) b.Close();
    EXPECT_TRUE(ReadXData(b.Bytes()));
}

// A compressed file whose one block claims `claimed` bytes but holds `actual` of them.
std::string Bomb(uint32_t total, uint16_t claimed, size_t actual) {
    std::string plain(actual, ' ');
    std::string packed;
    EXPECT_TRUE(xfile::DeflateMsZip(plain, packed));
    // Rewrite the declared sizes of what DeflateMsZip made.
    for (int i = 0; i < 4; ++i) packed[i] = char((total >> (8 * i)) & 0xFF);
    packed[4] = char(claimed & 0xFF);
    packed[5] = char(claimed >> 8);
    return "xof 0302tzip0032" + packed;
}

TEST(XRobustness, CompressedBlocksCannotInflateBeyondWhatTheyDeclare) {
    EXPECT_FALSE(ReadXData(Bomb(100000, 100, 30000)));  // block larger than it says
    EXPECT_FALSE(ReadXData(Bomb(1000, 30000, 30000)));  // blocks larger than the total
    EXPECT_FALSE(ReadXData(Bomb(8, 100, 100)));         // total below the header's size
    // A huge declared total is a limit, not a size to reserve; falling short of it is a cut.
    xtest::HeapTally::Reset();
    EXPECT_FALSE(ReadXData(Bomb(0xFFFFFFFFu, 30000, 30000)));
    EXPECT_LT(xtest::HeapTally::Peak(), 1u << 20);

    std::string good = Bomb(16 + 30000, 30000, 30000);
    ASSERT_TRUE(ReadXData(good));
    std::string twoBlocks = Bomb(16 + 40000, 32768, 40000);
    ASSERT_TRUE(ReadXData(twoBlocks));
    const size_t firstBlock = 16 + 4 + 4 + (uint8_t(twoBlocks[22]) | uint8_t(twoBlocks[23]) << 8);
    EXPECT_FALSE(ReadXData(twoBlocks.substr(0, firstBlock)));
    std::string noSignature = good;
    noSignature[16 + 8] = 'X';
    EXPECT_FALSE(ReadXData(noSignature));
    std::string pastEnd = good;
    pastEnd[16 + 6] = char(0xFF), pastEnd[16 + 7] = char(0xFF);
    EXPECT_FALSE(ReadXData(pastEnd));
    std::string garbage = good;
    for (size_t i = 16 + 10; i < garbage.size(); ++i) garbage[i] = char(i * 37);
    EXPECT_FALSE(ReadXData(garbage));
}

// `blocks` copies of one block of 32768 spaces behind a total that declares `declared`
// inflated bytes: the shape of a decompression bomb.
std::string RepeatedBlocks(const char* kind, uint32_t blocks, uint64_t declared) {
    std::string packed;
    EXPECT_TRUE(xfile::DeflateMsZip(std::string(32768, ' '), packed));
    const std::string block = packed.substr(4);
    std::string file = std::string("xof 0302") + kind + "0032";
    const uint32_t total = uint32_t(std::min<uint64_t>(declared + 16, 0xFFFFFFFFu));
    for (int i = 0; i < 4; ++i) file.push_back(char((total >> (8 * i)) & 0xFF));
    file.reserve(file.size() + block.size() * blocks);
    for (uint32_t i = 0; i < blocks; ++i) file += block;
    return file;
}

TEST(XRobustness, ACompressionBombFailsBeforeInflating) {
    struct Case {
        const char* what;
        uint32_t blocks;
        uint64_t declared;
    };
    const Case bombs[] = {
        {"2 MB declaring 1.5 GB", uint32_t((2u << 20) / 64), 1500000000},
        {"just over the 256 MiB ceiling", 40000, (uint64_t{256} << 20) + 1},
        {"more than deflate can make of 100 blocks", 100, 200000000},
    };
    for (const Case& c : bombs) {
        for (const char* kind : {"tzip", "bzip"}) {
            const std::string file = RepeatedBlocks(kind, c.blocks, c.declared);
            xtest::HeapTally::Reset();
            const xfile::XReadResult r = ReadXData(file);
            EXPECT_FALSE(r) << c.what << " " << kind;
            EXPECT_NE(r.error.find("declares more than"), std::string::npos) << r.error;
            EXPECT_LT(xtest::HeapTally::Peak(), 1u << 20) << c.what << " " << kind;
        }
    }
    // The most compressible text still reads: the caps are beyond what real files reach.
    const uint32_t blocks = 256;
    ASSERT_TRUE(ReadXData(RepeatedBlocks("tzip", blocks, uint64_t{32768} * blocks)));
}

TEST(XRobustness, ReferencesCannotMultiplyMemory) {
    std::string text = "xof 0302txt 0032\nMesh Big { 3000;";
    for (int i = 0; i < 3000; ++i) text += "0;0;0;,";
    text += "1;3;0,1,2;; }\nFrame F {";
    for (int i = 0; i < 100000; ++i) text += "{Big}";
    text += "}";
    xtest::HeapTally::Reset();
    EXPECT_FALSE(ReadXData(text));
    EXPECT_LT(xtest::HeapTally::Peak(), 8 * text.size() + (4u << 20));

    // The same for materials: each reference of three bytes would copy a whole material.
    std::string materials =
        "xof 0302txt 0032\nMaterial a {1;1;1;1;;0;0;0;0;;0;0;0;;}\n"
        "Mesh { 1; 0;0;0;; 1; 1;0;; MeshMaterialList { 1000000; 1; 0;;";
    for (int i = 0; i < 1000000; ++i) materials += "{a}";
    materials += "} }";
    xtest::HeapTally::Reset();
    EXPECT_FALSE(ReadXData(materials));
    EXPECT_LT(xtest::HeapTally::Peak(), 8 * materials.size() + (4u << 20));
}

}  // namespace
