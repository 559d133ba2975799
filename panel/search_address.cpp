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

}  // namespace

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
