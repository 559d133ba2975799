#include "panel/search_address.h"

#include <gtest/gtest.h>

#include <string>

namespace wendrill {
namespace {

TEST(SearchAddress, QueryIsPercentEncodedAfterTheFixedAddress) {
    struct Case {
        const char* name;
        std::string query, encoded;
    };
    const Case cases[] = {
        {"empty query ends in wd=", "", ""},
        {"unreserved characters stay", "AZaz09-._~", "AZaz09-._~"},
        {"ampersand and space", "a&b c", "a%26b%20c"},
        {"fragment mark", "#", "%23"},
        {"percent sign itself", "%", "%25"},
        {"plus is not a space", "+", "%2B"},
        {"further delimiters", "=?/", "%3D%3F%2F"},
        {"chinese as utf-8 bytes, uppercase hex", "\xE4\xB8\xAD\xE6\x96\x87",
         "%E4%B8%AD%E6%96%87"},  // 中文
        {"control and top bytes", std::string("\x00\x01\x7F\xFF", 4), "%00%01%7F%FF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(searchAddress(c.query), "https://www.baidu.com/s?wd=" + c.encoded);
    }
}

}  // namespace
}  // namespace wendrill
