#include <gtest/gtest.h>

#include "fakes/Fakes.h"
#include "procman/core/PriorityClasses.h"

namespace velmora::test {
namespace {

// A nice value shows as the nearest class; of two as near, the one nearer Normal.
TEST(PriorityClasses, NiceValuesReadAsTheNearestClass) {
    const std::pair<int, std::string> cases[] = {
        {-20, "Realtime"},   {-16, "Realtime"}, {-15, "High"}, {-8, "High"},
        {-7, "AboveNormal"}, {-2, "Normal"},    {5, "Normal"}, {6, "BelowNormal"},
        {14, "BelowNormal"}, {15, "Low"},       {19, "Low"}};
    for (const auto& [nice, caption] : cases) {
        EXPECT_EQ(PriorityClassOfNice(nice).caption, caption) << nice;
    }
}

// The tree is the root and its descendants through their parents, the deepest
// ended first; nothing is ended for a root whose pid another process holds.
TEST(ProcessTree, EndsDescendantsDeepestFirst) {
    FakeProcessTable table;
    table.entries.push_back({10, 1, "root", 1, "", 7});
    table.entries.push_back({20, 1, "other", 1, "", 0});
    table.entries.push_back({11, 10, "child", 1, "", 0});
    table.entries.push_back({13, 20, "elsewhere", 1, "", 0});
    table.entries.push_back({12, 11, "grandchild", 1, "", 0});
    EXPECT_FALSE(table.TerminateTree({10, 1, "root", 1, "", 6}));
    EXPECT_TRUE(table.ended.empty());
    EXPECT_TRUE(table.TerminateTree({10, 1, "root", 1, "", 7}));
    EXPECT_EQ(table.ended, (std::vector<int>{12, 11, 10}));
}

}  // namespace
}  // namespace velmora::test
