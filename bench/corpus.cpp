#include "bench/corpus.h"

#include <string_view>

namespace wendrill {

namespace {

// Common hanzi, most frequent first, as GBK byte pairs.
constexpr std::string_view kHanzi =
    // 的一是不了人我在
    "\xB5\xC4\xD2\xBB\xCA\xC7\xB2\xBB\xC1\xCB\xC8\xCB\xCE\xD2\xD4\xDA"
    // 有他这中大来上国
    "\xD3\xD0\xCB\xFB\xD5\xE2\xD6\xD0\xB4\xF3\xC0\xB4\xC9\xCF\xB9\xFA"
    // 个到说们为子和你
    "\xB8\xF6\xB5\xBD\xCB\xB5\xC3\xC7\xCE\xAA\xD7\xD3\xBA\xCD\xC4\xE3"
    // 地出道也时年得就
    "\xB5\xD8\xB3\xF6\xB5\xC0\xD2\xB2\xCA\xB1\xC4\xEA\xB5\xC3\xBE\xCD"
    // 那要下以生会自着
    "\xC4\xC7\xD2\xAA\xCF\xC2\xD2\xD4\xC9\xFA\xBB\xE1\xD7\xD4\xD7\xC5"
    // 去之过家学对可她
    "\xC8\xA5\xD6\xAE\xB9\xFD\xBC\xD2\xD1\xA7\xB6\xD4\xBF\xC9\xCB\xFD"
    // 里后小么心多天而
    "\xC0\xEF\xBA\xF3\xD0\xA1\xC3\xB4\xD0\xC4\xB6\xE0\xCC\xEC\xB6\xF8"
    // 能好都然没日于起
    "\xC4\xDC\xBA\xC3\xB6\xBC\xC8\xBB\xC3\xBB\xC8\xD5\xD3\xDA\xC6\xF0"
    // 还发成事只作当想
    "\xBB\xB9\xB7\xA2\xB3\xC9\xCA\xC2\xD6\xBB\xD7\xF7\xB5\xB1\xCF\xEB"
    // 看文无开手十用主
    "\xBF\xB4\xCE\xC4\xCE\xDE\xBF\xAA\xCA\xD6\xCA\xAE\xD3\xC3\xD6\xF7"
    // 行方又如前所本见
    "\xD0\xD0\xB7\xBD\xD3\xD6\xC8\xE7\xC7\xB0\xCB\xF9\xB1\xBE\xBC\xFB"
    // 经头面公同三已老
    "\xBE\xAD\xCD\xB7\xC3\xE6\xB9\xAB\xCD\xAC\xC8\xFD\xD2\xD1\xC0\xCF"
    // 从动两长知民样现
    "\xB4\xD3\xB6\xAF\xC1\xBD\xB3\xA4\xD6\xAA\xC3\xF1\xD1\xF9\xCF\xD6"
    // 分将外但身些与高
    "\xB7\xD6\xBD\xAB\xCD\xE2\xB5\xAB\xC9\xED\xD0\xA9\xD3\xEB\xB8\xDF"
    // 意进把法此实回二
    "\xD2\xE2\xBD\xF8\xB0\xD1\xB7\xA8\xB4\xCB\xCA\xB5\xBB\xD8\xB6\xFE"
    // 理美点月明其种声
    "\xC0\xED\xC3\xC0\xB5\xE3\xD4\xC2\xC3\xF7\xC6\xE4\xD6\xD6\xC9\xF9"
    // 全工己话儿者向情
    "\xC8\xAB\xB9\xA4\xBC\xBA\xBB\xB0\xB6\xF9\xD5\xDF\xCF\xF2\xC7\xE9"
    // 部正名定女问力机
    "\xB2\xBF\xD5\xFD\xC3\xFB\xB6\xA8\xC5\xAE\xCE\xCA\xC1\xA6\xBB\xFA"
    // 给等几很业最间新
    "\xB8\xF8\xB5\xC8\xBC\xB8\xBA\xDC\xD2\xB5\xD7\xEE\xBC\xE4\xD0\xC2"
    // 什打便位因重被走
    "\xCA\xB2\xB4\xF2\xB1\xE3\xCE\xBB\xD2\xF2\xD6\xD8\xB1\xBB\xD7\xDF"
    // 电四第门相次东政
    "\xB5\xE7\xCB\xC4\xB5\xDA\xC3\xC5\xCF\xE0\xB4\xCE\xB6\xAB\xD5\xFE"
    // 海口使教西再平真
    "\xBA\xA3\xBF\xDA\xCA\xB9\xBD\xCC\xCE\xF7\xD4\xD9\xC6\xBD\xD5\xE6"
    // 听世气信北少关并
    "\xCC\xFD\xCA\xC0\xC6\xF8\xD0\xC5\xB1\xB1\xC9\xD9\xB9\xD8\xB2\xA2"
    // 内加化由却代军产
    "\xC4\xDA\xBC\xD3\xBB\xAF\xD3\xC9\xC8\xB4\xB4\xFA\xBE\xFC\xB2\xFA"
    // 入先山五太水万市
    "\xC8\xEB\xCF\xC8\xC9\xBD\xCE\xE5\xCC\xAB\xCB\xAE\xCD\xF2\xCA\xD0"
    // 眼体别处总才场师
    "\xD1\xDB\xCC\xE5\xB1\xF0\xB4\xA6\xD7\xDC\xB2\xC5\xB3\xA1\xCA\xA6"
    // 书比住员九笑性通
    "\xCA\xE9\xB1\xC8\xD7\xA1\xD4\xB1\xBE\xC5\xD0\xA6\xD0\xD4\xCD\xA8"
    // 目华报立马命张活
    "\xC4\xBF\xBB\xAA\xB1\xA8\xC1\xA2\xC2\xED\xC3\xFC\xD5\xC5\xBB\xEE"
    // 难神数件安表原车
    "\xC4\xD1\xC9\xF1\xCA\xFD\xBC\xFE\xB0\xB2\xB1\xED\xD4\xAD\xB3\xB5"
    // 白应路期叫死常提
    "\xB0\xD7\xD3\xA6\xC2\xB7\xC6\xDA\xBD\xD0\xCB\xC0\xB3\xA3\xCC\xE1"
    // 感金何更反合放做
    "\xB8\xD0\xBD\xF0\xBA\xCE\xB8\xFC\xB7\xB4\xBA\xCF\xB7\xC5\xD7\xF6"
    // 系计或司利受光王
    "\xCF\xB5\xBC\xC6\xBB\xF2\xCB\xBE\xC0\xFB\xCA\xDC\xB9\xE2\xCD\xF5"
    // 果亲界及今京务制
    "\xB9\xFB\xC7\xD7\xBD\xE7\xBC\xB0\xBD\xF1\xBE\xA9\xCE\xF1\xD6\xC6"
    // 解各任至清物台象
    "\xBD\xE2\xB8\xF7\xC8\xCE\xD6\xC1\xC7\xE5\xCE\xEF\xCC\xA8\xCF\xF3"
    // 记边共风战干接它
    "\xBC\xC7\xB1\xDF\xB9\xB2\xB7\xE7\xD5\xBD\xB8\xC9\xBD\xD3\xCB\xFC"
    // 许八特觉望直服毛
    "\xD0\xED\xB0\xCB\xCC\xD8\xBE\xF5\xCD\xFB\xD6\xB1\xB7\xFE\xC3\xAB"
    // 林题建南度统色字
    "\xC1\xD6\xCC\xE2\xBD\xA8\xC4\xCF\xB6\xC8\xCD\xB3\xC9\xAB\xD7\xD6"
    // 请交爱让认算论百
    "\xC7\xEB\xBD\xBB\xB0\xAE\xC8\xC3\xC8\xCF\xCB\xE3\xC2\xDB\xB0\xD9"
    // 吃义科怎元社术结
    "\xB3\xD4\xD2\xE5\xBF\xC6\xD4\xF5\xD4\xAA\xC9\xE7\xCA\xF5\xBD\xE1"
    // 六功指思非流每青
    "\xC1\xF9\xB9\xA6\xD6\xB8\xCB\xBC\xB7\xC7\xC1\xF7\xC3\xBF\xC7\xE0"
    // 管夫连远资队跟带
    "\xB9\xDC\xB7\xF2\xC1\xAC\xD4\xB6\xD7\xCA\xB6\xD3\xB8\xFA\xB4\xF8"
    // 花快条院变联言权
    "\xBB\xA8\xBF\xEC\xCC\xF5\xD4\xBA\xB1\xE4\xC1\xAA\xD1\xD4\xC8\xA8"
    // 往展该领传近留红
    "\xCD\xF9\xD5\xB9\xB8\xC3\xC1\xEC\xB4\xAB\xBD\xFC\xC1\xF4\xBA\xEC"
    // 治决周保达办运武
    "\xD6\xCE\xBE\xF6\xD6\xDC\xB1\xA3\xB4\xEF\xB0\xEC\xD4\xCB\xCE\xE4"
    // 半候七必城父强步
    "\xB0\xEB\xBA\xF2\xC6\xDF\xB1\xD8\xB3\xC7\xB8\xB8\xC7\xBF\xB2\xBD"
    // 完革深区即求品士
    "\xCD\xEA\xB8\xEF\xC9\xEE\xC7\xF8\xBC\xB4\xC7\xF3\xC6\xB7\xCA\xBF"
    // 转量空甚众技轻程
    "\xD7\xAA\xC1\xBF\xBF\xD5\xC9\xF5\xD6\xDA\xBC\xBC\xC7\xE1\xB3\xCC"
    // 告江语英基派满式
    "\xB8\xE6\xBD\xAD\xD3\xEF\xD3\xA2\xBB\xF9\xC5\xC9\xC2\xFA\xCA\xBD"
    // 李息写呢识极令黄
    "\xC0\xEE\xCF\xA2\xD0\xB4\xC4\xD8\xCA\xB6\xBC\xAB\xC1\xEE\xBB\xC6"
    // 德收脸钱党倒未持
    "\xB5\xC2\xCA\xD5\xC1\xB3\xC7\xAE\xB5\xB3\xB5\xB9\xCE\xB4\xB3\xD6"
    // 取设始版双历越史
    "\xC8\xA1\xC9\xE8\xCA\xBC\xB0\xE6\xCB\xAB\xC0\xFA\xD4\xBD\xCA\xB7"
    // 商千片容研像找友
    "\xC9\xCC\xC7\xA7\xC6\xAC\xC8\xDD\xD1\xD0\xCF\xF1\xD5\xD2\xD3\xD1"
    // 孩站广改议形委早
    "\xBA\xA2\xD5\xBE\xB9\xE3\xB8\xC4\xD2\xE9\xD0\xCE\xCE\xAF\xD4\xE7"
    // 房音火际则首单据
    "\xB7\xBF\xD2\xF4\xBB\xF0\xBC\xCA\xD4\xF2\xCA\xD7\xB5\xA5\xBE\xDD"
    // 导影失拿网香似斯
    "\xB5\xBC\xD3\xB0\xCA\xA7\xC4\xC3\xCD\xF8\xCF\xE3\xCB\xC6\xCB\xB9"
    // 专石若兵弟谁校读
    "\xD7\xA8\xCA\xAF\xC8\xF4\xB1\xF8\xB5\xDC\xCB\xAD\xD0\xA3\xB6\xC1"
    // 志飞观争究包组造
    "\xD6\xBE\xB7\xC9\xB9\xDB\xD5\xF9\xBE\xBF\xB0\xFC\xD7\xE9\xD4\xEC";

// Full-width punctuation in GBK: ，。、！？：；“”…
constexpr std::string_view kPauses[] = {"\xA3\xAC", "\xA3\xAC", "\xA3\xAC",        "\xA1\xA2",
                                        "\xA3\xBA", "\xA3\xBB", "\xA1\xAD\xA1\xAD"};
constexpr std::string_view kEnds[] = {"\xA1\xA3", "\xA1\xA3", "\xA1\xA3", "\xA3\xA1", "\xA3\xBF"};
constexpr std::string_view kOpenQuote = "\xA1\xB0";
constexpr std::string_view kCloseQuote = "\xA1\xB1";
constexpr std::string_view kChapter = "\xB5\xDA";     // 第
constexpr std::string_view kChapterEnd = "\xD5\xC2";  // 章
constexpr std::string_view kWideSpace = "\xA1\xA1";
constexpr std::string_view kAsciiWords[] = {"GPS",   "CPU",  "2024", "100",    "OK",
                                            "Wi-Fi", "3.14", "NBA",  "iPhone", "DNA"};
constexpr std::string_view kLineBreak = "\r\n";

// splitmix64: tiny, and unlike the standard distributions it gives the same numbers on every
// compiler.
class Random {
  public:
    explicit Random(uint32_t seed) : state_(seed) {}

    uint32_t below(uint32_t bound) { return static_cast<uint32_t>(next() % bound); }
    bool chance(uint32_t percent) { return below(100) < percent; }

    template <size_t N>
    std::string_view pick(const std::string_view (&items)[N]) {
        return items[below(N)];
    }

  private:
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }

    uint64_t state_;
};

// The product of two uniform picks leans towards the front of the table, as word use does.
std::string_view hanzi(Random& random) {
    const uint32_t count = static_cast<uint32_t>(kHanzi.size() / 2);
    const uint32_t first = random.below(count);
    const uint32_t second = random.below(count);
    const uint32_t index = first * second / count;
    return kHanzi.substr(2 * index, 2);
}

void appendIndent(Random& random, std::string& line) {
    const uint32_t kind = random.below(10);
    if (kind < 7) {
        line += kWideSpace;
        line += kWideSpace;
    } else if (kind < 9) {
        line += "    ";
    }
}

void appendTrailingSpaces(Random& random, std::string& line) {
    if (!random.chance(10)) return;
    if (random.chance(50)) {
        line.append(1 + random.below(3), ' ');
    } else {
        line += kWideSpace;
    }
}

void appendParagraph(Random& random, std::string& line) {
    appendIndent(random, line);
    const uint32_t length = 50 + random.below(251);
    bool quoting = false;
    for (uint32_t i = 0; i < length; ++i) {
        const uint32_t roll = random.below(100);
        if (roll < 8) {
            line += random.pick(kPauses);
        } else if (roll < 10) {
            line += random.pick(kAsciiWords);
        } else if (roll < 11) {
            line += quoting ? kCloseQuote : kOpenQuote;
            quoting = !quoting;
        } else {
            line += hanzi(random);
        }
    }
    line += random.pick(kEnds);
    if (quoting) line += kCloseQuote;
    appendTrailingSpaces(random, line);
}

void appendHeading(Random& random, std::string& line) {
    line += kChapter;
    line += std::to_string(1 + random.below(300));
    line += kChapterEnd;
    line += kWideSpace;
    for (uint32_t i = 2 + random.below(6); i > 0; --i) line += hanzi(random);
}

void appendSpacesOnly(Random& random, std::string& line) {
    for (uint32_t i = 1 + random.below(4); i > 0; --i) {
        line += random.chance(50) ? std::string_view("  ") : kWideSpace;
    }
}

// One line with its CR LF: mostly paragraphs, now and then a heading, a blank line or a line
// of nothing but spaces.
void appendLine(Random& random, std::string& line) {
    const uint32_t kind = random.below(100);
    if (kind < 82) {
        appendParagraph(random, line);
    } else if (kind < 85) {
        appendHeading(random, line);
    } else if (kind < 95) {
        // a blank line
    } else {
        appendSpacesOnly(random, line);
    }
    line += kLineBreak;
}

// The bytes left after the last whole line become an unterminated line of hanzi, with an
// ASCII full stop when an odd byte is left over.
void pad(Random& random, std::string& text, size_t bytes) {
    while (bytes - text.size() >= 2) text += hanzi(random);
    if (text.size() < bytes) text += '.';
}

}  // namespace

std::string makeNovelCorpus(size_t bytes, uint32_t seed) {
    Random random(seed);
    std::string text;
    text.reserve(bytes);
    std::string line;
    for (;;) {
        line.clear();
        appendLine(random, line);
        if (line.size() > bytes - text.size()) break;
        text += line;
    }
    pad(random, text, bytes);
    return text;
}

}  // namespace wendrill
