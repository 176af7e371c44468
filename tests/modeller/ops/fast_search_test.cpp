// The fast free-run index and point join against their literal definitions on random
// small sheets.
#include <gtest/gtest.h>

#include <random>

#include "model/free_run.h"
#include "model/vector_text.h"
#include "modeller/ops/sheet_steps.h"
#include "viewport/model_parse.h"

namespace {

TEST(FastSearch, FreeRunIndexAnswersAsTheLiteralScan) {
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        model::FaceSheet sheet;
        std::vector<std::string> lines(1 + rng() % 30);
        for (std::string& l : lines) l = rng() % 2 ? "1, 2, 3" : (rng() % 4 ? "" : " ");
        sheet.ReplaceLines(lines);
        model::FreeRunIndex index(sheet);
        for (int step = 0; step < 20; ++step) {
            if (rng() % 4 == 0) {  // a line with text goes blank (a revolution's source)
                const auto line =
                    static_cast<int32_t>(rng() % static_cast<uint32_t>(sheet.LineCount()));
                std::string& text = sheet.lines[static_cast<size_t>(line)];
                if (!text.empty() && text.front() != ' ') {
                    text.clear();
                    index.Freed(line);
                }
            }
            const auto n = static_cast<int32_t>(rng() % 6) - 1;
            const int32_t start = index.Find(n);
            ASSERT_EQ(start, model::FindFreeRun(sheet, n)) << round << " " << step;
            const int32_t count = n < 1 ? 1 : n;
            sheet.GrowTo(start + count - 1);
            for (int32_t i = start; i < start + count; ++i) sheet.SetLine(i, "7");
            index.Filled(start, count);
        }
    }
}

TEST(FastSearch, EmptyLineCursorAnswersAsTheLiteralScan) {
    std::mt19937 rng(3);
    for (int round = 0; round < 100; ++round) {
        model::FaceSheet sheet;
        std::vector<std::string> lines(1 + rng() % 20);
        const char* kinds[] = {"1", "", " "};
        for (std::string& l : lines) l = kinds[rng() % 3];
        sheet.ReplaceLines(lines);
        model::EmptyLineCursor cursor(sheet);
        for (int step = 0; step < 30; ++step) {
            const int32_t at = cursor.Next();
            ASSERT_EQ(at, model::FindFirstEmptyLine(sheet)) << round << " " << step;
            sheet.GrowTo(at);
            sheet.SetLine(at, "2");
        }
    }
}

TEST(FastSearch, CoincidentPointsAsTheLiteralPairwiseSearch) {
    std::mt19937 rng(5);
    const char* values[] = {"0", "-0", "1", "1.0000001", "0.5", "-2"};
    for (int round = 0; round < 300; ++round) {
        model::PointSheet points;
        std::vector<std::string> lines(1 + rng() % 40);
        for (std::string& l : lines) {
            if (rng() % 8 == 0) continue;  // a blank line
            l = std::string(values[rng() % 6]) + ", " + values[rng() % 3] + ", " +
                values[rng() % 6];
        }
        points.ReplaceLines(lines);
        viewport::ParsePointLines(points, true);
        const modeller::ops::PointMapping fast = modeller::ops::CoincidentPoints(points);
        for (size_t i = 0; i < lines.size(); ++i) {
            int32_t want = static_cast<int32_t>(i);
            if (points.lineFlags[i] & 1)
                for (size_t j = 0; j < i; ++j)
                    if ((points.lineFlags[j] & 1) &&
                        points.parsedVertices[j] == points.parsedVertices[i]) {
                        want = static_cast<int32_t>(j);
                        break;
                    }
            ASSERT_EQ(fast[i], want) << round << " " << i;
        }
    }
}

}  // namespace
