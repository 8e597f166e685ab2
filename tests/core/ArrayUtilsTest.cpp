// Array helpers given ranges and indices outside the array.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ArrayUtils.h"

TEST(ArrayUtilsTest, RangesOutsideTheArrayAreSafe) {
    std::vector<std::string> a = {"a", "b", "c", "d"};
    int index = 3;
    EXPECT_EQ(NextArrayString(a, index), "d");
    EXPECT_EQ(NextArrayString(a, index), "");
    index = -1;
    EXPECT_EQ(NextArrayString(a, index), "");
    std::vector<std::string> target;
    CopyStringArrayRange(a, target, 2, -1);
    EXPECT_EQ(target, (std::vector<std::string>{"", "", "c", "d"}));
    CopyStringArrayRange(a, target, 0, 5);
    EXPECT_EQ(target, (std::vector<std::string>{"a", "b", "c", "d", "", ""}));
    EXPECT_EQ(RemoveArrayRange(a, 3, 10), (std::vector<std::string>{"a", "b", "c"}));
    // ListIndexOf skips nulls and compares identity.
    auto one = std::make_shared<int>(1), two = std::make_shared<int>(1);
    std::vector<std::shared_ptr<int>> list = {one, nullptr, two};
    EXPECT_EQ(ListIndexOf(list, two.get()), 1);
}
