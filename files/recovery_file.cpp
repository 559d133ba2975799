#include "files/recovery_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

#include "text/utf8.h"

namespace wendrill {
namespace {

// A few header lines, then the text's bytes exactly as the Editor held them. The length makes a
// file that was cut off recognisable.
constexpr std::string_view kFirstLine = "Wendrill recovery 1";
constexpr std::string_view kEncodingKey = "encoding: ";
constexpr std::string_view kPathKey = "path: ";
constexpr std::string_view kLengthKey = "length: ";
constexpr std::string_view kLineBreak = "\r\n";

constexpr std::string_view kNamePrefix = "wendrill-";
constexpr std::string_view kNameSuffix = ".recovery";
constexpr size_t kCreationTimeDigits = 16;

struct EncodingName {
    FileEncoding encoding;
    std::string_view name;
};
constexpr std::array kEncodingNames{
    EncodingName{FileEncoding::documentCodePage, "document"},
    EncodingName{FileEncoding::utf8, "utf-8"},
    EncodingName{FileEncoding::utf8WithMark, "utf-8 with mark"},
    EncodingName{FileEncoding::utf16LittleEndian, "utf-16le"},
    EncodingName{FileEncoding::utf16BigEndian, "utf-16be"},
};

std::string_view nameOf(FileEncoding encoding) {
    for (const EncodingName& row : kEncodingNames) {
        if (row.encoding == encoding) return row.name;
    }
    return kEncodingNames.front().name;
}

std::optional<FileEncoding> encodingNamed(std::string_view name) {
    for (const EncodingName& row : kEncodingNames) {
        if (row.name == name) return row.encoding;
    }
    return std::nullopt;
}

// Takes "key value CR LF" off the front of bytes and gives the value.
std::optional<std::string_view> takeLine(std::string_view& bytes, std::string_view key) {
    const size_t end = bytes.find(kLineBreak);
    if (end == std::string_view::npos || bytes.substr(0, key.size()) != key) return std::nullopt;
    const std::string_view value = bytes.substr(key.size(), end - key.size());
    bytes.remove_prefix(end + kLineBreak.size());
    return value;
}

// Only the digits formatRecoveryFile writes: no sign, no leading zero.
template <typename Number>
std::optional<Number> numberFrom(std::string_view digits, int base) {
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0')) return std::nullopt;
    Number value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

bool isPathText(std::string_view bytes) {
    return isStrictUtf8(bytes) && std::none_of(bytes.begin(), bytes.end(), [](char c) {
               return static_cast<unsigned char>(c) < 0x20;
           });
}

}  // namespace

std::string formatRecoveryFile(const RecoveryRecord& record) {
    const std::string length = std::to_string(record.text.size());
    const std::string path = utf8FromUtf16(record.path);
    std::string bytes;
    bytes.reserve(record.text.size() + path.size() + 100);
    for (const std::string_view piece :
         {kFirstLine, kLineBreak, kEncodingKey, nameOf(record.encoding), kLineBreak, kPathKey,
          std::string_view(path), kLineBreak, kLengthKey, std::string_view(length), kLineBreak,
          kLineBreak, std::string_view(record.text)}) {
        bytes += piece;
    }
    return bytes;
}

std::optional<RecoveryRecord> parseRecoveryFile(std::string_view bytes) {
    const auto first = takeLine(bytes, kFirstLine);
    const auto encodingName = takeLine(bytes, kEncodingKey);
    const auto path = takeLine(bytes, kPathKey);
    const auto lengthDigits = takeLine(bytes, kLengthKey);
    const auto blank = takeLine(bytes, {});
    if (!first || !first->empty() || !encodingName || !path || !lengthDigits || !blank ||
        !blank->empty()) {
        return std::nullopt;
    }
    const auto encoding = encodingNamed(*encodingName);
    const auto length = numberFrom<uint64_t>(*lengthDigits, 10);
    if (!encoding || !length || *length != bytes.size() || !isPathText(*path) ||
        bytes.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    return RecoveryRecord{utf16FromUtf8(*path), *encoding, DocText(bytes)};
}

std::string recoveryFileName(RecoveryOwner owner) {
    char creation[kCreationTimeDigits + 1] = {};
    std::snprintf(creation, sizeof creation, "%016llx",
                  static_cast<unsigned long long>(owner.creationTime));
    return std::string(kNamePrefix) + std::to_string(owner.processId) + "-" + creation +
           std::string(kNameSuffix);
}

std::optional<RecoveryOwner> recoveryFileOwner(std::string_view name) {
    if (name.size() < kNamePrefix.size() + kNameSuffix.size() ||
        name.substr(0, kNamePrefix.size()) != kNamePrefix ||
        name.substr(name.size() - kNameSuffix.size()) != kNameSuffix) {
        return std::nullopt;
    }
    name = name.substr(kNamePrefix.size(), name.size() - kNamePrefix.size() - kNameSuffix.size());
    const size_t dash = name.find('-');
    if (dash == std::string_view::npos || name.size() - dash - 1 != kCreationTimeDigits) {
        return std::nullopt;
    }
    const auto processId = numberFrom<uint32_t>(name.substr(0, dash), 10);
    const std::string_view creation = name.substr(dash + 1);
    // Always 16 digits, so leading zeros belong; only lower case is written.
    if (!processId || std::any_of(creation.begin(), creation.end(),
                                  [](char c) { return c >= 'A' && c <= 'F'; })) {
        return std::nullopt;
    }
    uint64_t creationTime = 0;
    const auto [end, error] =
        std::from_chars(creation.data(), creation.data() + creation.size(), creationTime, 16);
    if (error != std::errc() || end != creation.data() + creation.size()) return std::nullopt;
    return RecoveryOwner{*processId, creationTime};
}

std::vector<std::string> recoveryFilesToOffer(const std::vector<std::string>& names,
                                              const std::function<bool(RecoveryOwner)>& isRunning) {
    struct Found {
        RecoveryOwner owner;
        const std::string* name;
    };
    std::vector<Found> found;
    for (const std::string& name : names) {
        const auto owner = recoveryFileOwner(name);
        if (owner && !isRunning(*owner)) found.push_back({*owner, &name});
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.owner.creationTime > b.owner.creationTime;
    });
    std::vector<std::string> offered;
    for (const Found& f : found) offered.push_back(*f.name);
    return offered;
}

int64_t msUntilRecoveryWrite(int64_t firstChange, int64_t lastChange, int64_t now) {
    const int64_t due =
        std::min(lastChange + kRecoveryPauseMs, firstChange + kLatestRecoveryWriteMs);
    return std::max<int64_t>(0, due - now);
}

}  // namespace wendrill
