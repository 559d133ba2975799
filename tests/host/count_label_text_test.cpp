#include "app/count_label_text.h"

#include <gtest/gtest.h>

namespace wendrill {
namespace {

TEST(CountLabelTextTest, TheSelectionFigureShowsWhileTextIsSelected) {
    EXPECT_EQ(countLabelText(0, std::nullopt), u"字数：0");
    EXPECT_EQ(countLabelText(12345, std::nullopt), u"字数：12345");
    EXPECT_EQ(countLabelText(12345, 67), u"字数：12345\u3000选中：67");
    EXPECT_EQ(countLabelText(5, 0), u"字数：5\u3000选中：0") << "selected white space only";
    EXPECT_EQ(countLabelText(3000000000, std::nullopt), u"字数：3000000000") << "plain digits";
}

}  // namespace
}  // namespace wendrill
