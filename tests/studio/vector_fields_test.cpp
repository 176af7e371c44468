// The dialogs' vector text: a round trip; too few numbers and numbers too large for a float
// (which read as infinite) are no vector.
#include "studio/scene/vector_fields.h"

#include <gtest/gtest.h>

namespace {

using studio::FormatVector;
using studio::ParseFiniteVector;

TEST(VectorFields, ReadsWhatItWritesAndRefusesWhatIsNotAFiniteVector) {
    const rm::Vector3 v{1.5f, -2.0f, 0.25f};
    const auto back = ParseFiniteVector(FormatVector(v));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, v);
    for (const char* text : {"", "1, 2", "1e39, 0, 0", "0, -1e39, 0", "0, 0, 1e39"})
        EXPECT_FALSE(ParseFiniteVector(text)) << text;
}

}  // namespace
