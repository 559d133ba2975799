#include "panel/search_address.h"

namespace wendrill {

namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr size_t kEscapeBytes = 3;

// RFC 3986 unreserved characters; everything else is escaped, even where a query would allow it.
bool isUnreserved(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~';
}

constexpr std::u16string_view kNoticePageName = u"/notice.html";

// A res: address ends its module path at the first "/" and decodes it; a backslash must be
// escaped. Letters beyond ASCII stay as they are: the address is UTF-16 and is decoded to UTF-16.
bool staysInResPath(char16_t c) {
    return c > 0x7F || (c < 0x80 && isUnreserved(static_cast<unsigned char>(c))) || c == u':';
}

}  // namespace

std::u16string noticePageAddress(std::u16string_view modulePath) {
    std::u16string address = u"res://";
    address.reserve(address.size() + modulePath.size() * kEscapeBytes + kNoticePageName.size());
    for (char16_t c : modulePath) {
        if (staysInResPath(c)) {
            address += c;
            continue;
        }
        address += u'%';
        address += static_cast<char16_t>(kHexDigits[(c >> 4) & 0x0F]);
        address += static_cast<char16_t>(kHexDigits[c & 0x0F]);
    }
    address += kNoticePageName;
    return address;
}

std::string searchAddress(std::string_view queryUtf8) {
    std::string address;
    address.reserve(kSearchAddressBase.size() + queryUtf8.size() * kEscapeBytes);
    address += kSearchAddressBase;
    for (char c : queryUtf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (isUnreserved(byte)) {
            address += c;
            continue;
        }
        address += '%';
        address += kHexDigits[byte >> 4];
        address += kHexDigits[byte & 0x0F];
    }
    return address;
}

}  // namespace wendrill
