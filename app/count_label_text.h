#pragma once
// What the 字数 label says: "字数：12345", and while text is selected "字数：12345　选中：67".

#include <cstdint>
#include <optional>
#include <string>

namespace wendrill {

std::u16string countLabelText(int64_t total, std::optional<int64_t> selected);

}  // namespace wendrill
