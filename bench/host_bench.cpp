// Throughput of the text operations on made-up novels of 1, 10 and 100 MiB, beside memcpy, a
// copy into a new string and memchr as what the memory allows.

#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <string>

#include "bench/corpus.h"
#include "commands/line_cleanup.h"
#include "text/character_count.h"
#include "text/code_page.h"
#include "text/doc_text.h"

namespace wendrill {
namespace {

// Generating 100 MiB takes a while, so each size is made once.
const std::string& corpus(const benchmark::State& state) {
    static std::map<int64_t, std::string> made;
    const int64_t mebibytes = state.range(0);
    std::string& text = made[mebibytes];
    if (text.empty()) text = makeNovelCorpus(static_cast<size_t>(mebibytes) << 20, 936);
    return text;
}

void corpusSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("MiB")->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
}

void countBytes(benchmark::State& state, const std::string& text) {
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void memcpyBaseline(benchmark::State& state) {
    const std::string& text = corpus(state);
    std::string copy(text.size(), '\0');
    for (auto _ : state) {
        std::memcpy(copy.data(), text.data(), text.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    countBytes(state, text);
}

// What any operation that returns a new text pays at least: a fresh buffer, which for the largest
// sizes means fresh pages from the system on every run.
void freshCopyBaseline(benchmark::State& state) {
    const std::string& text = corpus(state);
    for (auto _ : state) {
        std::string copy = text;
        benchmark::DoNotOptimize(copy);
    }
    countBytes(state, text);
}

void memchrBaseline(benchmark::State& state) {
    const std::string& text = corpus(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::memchr(text.data(), '\0', text.size()));
    }
    countBytes(state, text);
}

template <class Operation>
void wholeText(benchmark::State& state, Operation operation) {
    const std::string& text = corpus(state);
    for (auto _ : state) {
        auto result = operation(text);
        benchmark::DoNotOptimize(result);
    }
    countBytes(state, text);
}

// 麒麟 never occurs in the corpus, so the whole text is scanned.
int32_t findAbsentWord(std::string_view text) { return findText(text, "\xF7\xE8\xF7\xEB"); }
DocText indentLines(std::string_view text) { return replaceAll(text, "\r\n", "\r\n    "); }
DocText doubleLineBreaks(std::string_view text) { return replaceAll(text, "\r\n", "\r\n\r\n"); }
TextList splitLines(std::string_view text) { return splitText(text, "\r\n"); }

void trimEveryLine(benchmark::State& state) {
    const std::string& text = corpus(state);
    const TextList lines = splitText(text, "\r\n");
    for (auto _ : state) {
        for (std::string_view line : lines) {
            DocText trimmed = trimBothEnds(line);
            benchmark::DoNotOptimize(trimmed);
        }
    }
    countBytes(state, text);
}

// The document code page on GBK text, both ways; MB/s are of the GBK bytes.
void utf16FromGbk(benchmark::State& state) { wholeText(state, utf16FromDoc); }

void gbkFromUtf16Text(benchmark::State& state) {
    const std::string& text = corpus(state);
    const std::u16string utf16 = utf16FromDoc(text);
    for (auto _ : state) {
        DocText bytes = docFromUtf16(utf16);
        benchmark::DoNotOptimize(bytes);
    }
    countBytes(state, text);
}

BENCHMARK(memcpyBaseline)->Apply(corpusSizes);
BENCHMARK(freshCopyBaseline)->Apply(corpusSizes);
BENCHMARK(memchrBaseline)->Apply(corpusSizes);
BENCHMARK_CAPTURE(wholeText, findText_absent, findAbsentWord)->Apply(corpusSizes);
BENCHMARK_CAPTURE(wholeText, replaceAll_indent, indentLines)->Apply(corpusSizes);
BENCHMARK_CAPTURE(wholeText, replaceAll_double, doubleLineBreaks)->Apply(corpusSizes);
BENCHMARK_CAPTURE(wholeText, splitText_lines, splitLines)->Apply(corpusSizes);
BENCHMARK(trimEveryLine)->Apply(corpusSizes);
BENCHMARK_CAPTURE(wholeText, withoutBlankLines, withoutBlankLines)->Apply(corpusSizes);
BENCHMARK_CAPTURE(wholeText, withTrimmedLines, withTrimmedLines)->Apply(corpusSizes);
BENCHMARK(utf16FromGbk)->Apply(corpusSizes);
BENCHMARK(gbkFromUtf16Text)->Apply(corpusSizes);
BENCHMARK_CAPTURE(wholeText, nonSpaceCharacterCount, nonSpaceCharacterCount)->Apply(corpusSizes);

}  // namespace
}  // namespace wendrill

BENCHMARK_MAIN();
