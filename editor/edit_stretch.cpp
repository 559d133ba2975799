#include "editor/edit_stretch.h"

#include <algorithm>

#include "text/surrogates.h"

namespace wendrill {

std::optional<Stretch> stretchBefore(const EditState& before,
                                     const std::optional<Composition>& composition) {
    int64_t low = before.selectionStart;
    int64_t high = before.selectedEnd();
    if (composition) {
        // The composition replaced the selection it began at and has grown or shrunk by as much
        // as the text has since.
        const EditState& start = composition->atStart;
        const int64_t composed =
            int64_t{before.length} - start.length + start.selectedEnd() - start.selectionStart;
        low = std::min<int64_t>(low, start.selectionStart);
        high = std::max<int64_t>(high, start.selectionStart + std::max<int64_t>(composed, 0));
    }
    const int64_t from = std::clamp<int64_t>(low - kEditMargin, 0, before.length);
    const int64_t to = std::clamp<int64_t>(high + kEditMargin, from, before.length);
    if (to - from > kLongestStretch) return std::nullopt;
    return Stretch{static_cast<int32_t>(from), static_cast<int32_t>(to)};
}

std::optional<Stretch> stretchAfter(const Stretch& before, const EditState& was,
                                    const EditState& now) {
    const int64_t to = int64_t{before.to} + now.length - was.length;
    if (to < before.from || to > now.length) return std::nullopt;
    if (now.selectionStart < before.from || now.selectedEnd() > to) return std::nullopt;
    return Stretch{before.from, static_cast<int32_t>(to)};
}

Stretch readAround(const Stretch& stretch, int32_t length) {
    return Stretch{std::max(stretch.from - 1, 0), std::min(stretch.to + 1, length)};
}

bool splitsPair(int32_t position, int32_t readFrom, std::u16string_view read) {
    const int64_t at = int64_t{position} - readFrom;
    if (at <= 0 || at >= static_cast<int64_t>(read.size())) return false;
    return isHighSurrogate(read[static_cast<size_t>(at - 1)]) &&
           isLowSurrogate(read[static_cast<size_t>(at)]);
}

Stretch wholeCharacters(Stretch stretch, int32_t readFrom, std::u16string_view read) {
    if (splitsPair(stretch.from, readFrom, read)) --stretch.from;
    if (splitsPair(stretch.to, readFrom, read)) ++stretch.to;
    return stretch;
}

std::u16string_view textOf(const Stretch& stretch, int32_t readFrom, std::u16string_view read) {
    const size_t from =
        std::min(static_cast<size_t>(std::max(stretch.from - readFrom, 0)), read.size());
    const size_t to =
        std::min(static_cast<size_t>(std::max(stretch.to - readFrom, 0)), read.size());
    return read.substr(from, std::max(to, from) - from);
}

}  // namespace wendrill
