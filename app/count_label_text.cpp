#include "app/count_label_text.h"

namespace wendrill {
namespace {

std::u16string digits(int64_t number) {
    const std::string text = std::to_string(number);
    return std::u16string(text.begin(), text.end());
}

}  // namespace

std::u16string countLabelText(int64_t total, std::optional<int64_t> selected) {
    std::u16string text = u"字数：" + digits(total);
    if (selected) text += u"\u3000选中：" + digits(*selected);
    return text;
}

}  // namespace wendrill
