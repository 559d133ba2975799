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

TEST(NoticePageAddress, NamesTheModuleByItsFullPathEscaped) {
    struct Case {
        const char* name;
        std::u16string path, address;
    };
    const Case cases[] = {
        {"drive colon stays, backslashes escaped", u"C:\\wendrill.exe",
         u"res://C:%5Cwendrill.exe/notice.html"},
        {"a renamed copy: space and brackets", u"D:\\下载\\wendrill (1).exe",
         u"res://D:%5C下载%5Cwendrill%20%281%29.exe/notice.html"},
        {"characters that would end or escape the path", u"C:\\a%b#c?d/e.exe",
         u"res://C:%5Ca%25b%23c%3Fd%2Fe.exe/notice.html"},
        {"a long-path prefix", u"\\\\?\\C:\\w.exe", u"res://%5C%5C%3F%5CC:%5Cw.exe/notice.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(noticePageAddress(c.path), c.address);
    }
}

}  // namespace
}  // namespace wendrill
