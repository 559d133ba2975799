// Running out of memory in the middle of a command: the document stays, the program says so, and
// the process lives on. Large allocations are made to fail on demand by this test program's own
// operator new.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <utility>

#include "tests/win/app_fixture.h"
#include "tests/win/gbk.h"

namespace {

std::atomic<size_t> failFrom{0};  // allocations of at least this many bytes fail; 0: none

void* allocate(size_t size) {
    const size_t limit = failFrom.load(std::memory_order_relaxed);
    if (limit != 0 && size >= limit) throw std::bad_alloc();
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(size_t size) { return allocate(size); }
void* operator new[](size_t size) { return allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, size_t) noexcept { std::free(memory); }

namespace wendrill {
namespace {

class LargeAllocationsFail {
  public:
    explicit LargeAllocationsFail(size_t from) { failFrom = from; }
    ~LargeAllocationsFail() { failFrom = 0; }
    LargeAllocationsFail(const LargeAllocationsFail&) = delete;
    LargeAllocationsFail& operator=(const LargeAllocationsFail&) = delete;
};

class OutOfMemoryTest : public test::AppFixture {
  protected:
    void SetUp() override { startApp(); }
};

TEST_F(OutOfMemoryTest, ACommandThatCannotGetTheMemoryLeavesTheDocumentAndSaysSo) {
    // Far more than any allocation of the menus, the window or the test's own bookkeeping.
    constexpr size_t kLarge = size_t{64} << 10;
    const DocText text = test::longChineseText(20000, "　　第一章　开头，正文甲乙。");
    ASSERT_GT(text.size(), 4 * kLarge);
    const std::pair<const char*, const char16_t*> commands[] = {
        {"a clean-up", u"删除所有行首空格"},
        {"another clean-up", u"删除全部空行"},
        {"a repaste", u"首行缩进"},
        {"save, before its dialog", u"保存"},
    };
    for (const auto& [pin, item] : commands) {
        SCOPED_TRACE(pin);
        editor().setText(text);
        questions.asked.clear();
        {
            LargeAllocationsFail failing(kLarge);
            choose(item);
        }
        EXPECT_EQ(editor().getText(), text);
        ASSERT_EQ(questions.asked.size(), 1u);
        EXPECT_EQ(questions.asked[0].text, u"内存不足，操作没有完成。");
    }
}

}  // namespace
}  // namespace wendrill
