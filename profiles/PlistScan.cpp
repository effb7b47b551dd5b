#include "profiles/PlistScan.h"

#include <algorithm>
#include <cstring>

#include "platform/Translate.h"

namespace corvane {
namespace {

std::string NotAPropertyList() { return Tr("PlistScan", "it is not a property list"); }

std::string TooDeep() {
    return FormatText(Tr("PlistScan", "it is nested more than %1 levels deep"),
                      {std::to_string(kMaxPlistDepth)});
}
std::string TooMany() {
    return FormatText(Tr("PlistScan", "it holds more than %1 values"),
                      {std::to_string(kMaxPlistNodes)});
}

// --- XML ---------------------------------------------------------------------

bool IsNameEnd(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '/' || c == '>';
}

// The '>' that ends the markup starting at `from`, skipping quoted text and,
// in a document type declaration, its bracketed internal subset.
size_t MarkupEnd(std::string_view s, size_t from) {
    char quote = 0;
    int brackets = 0;
    for (size_t i = from; i < s.size(); ++i) {
        const char c = s[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            ++brackets;
        } else if (c == ']') {
            brackets = std::max(0, brackets - 1);
        } else if (c == '>' && brackets == 0) {
            return i;
        }
    }
    return std::string_view::npos;
}

// Every element counts, known or not: libplist descends into nested <plist>
// elements as well as into arrays and dictionaries. End tags must match, as
// in any well-formed document, so that stray ones cannot hide a level.
std::string ScanXml(std::string_view s) {
    if (s.find('\0') != std::string_view::npos) return NotAPropertyList();  // XML has no NUL
    std::vector<std::string_view> open;
    size_t i = 0;
    while ((i = s.find('<', i)) != std::string_view::npos) {
        const std::string_view rest = s.substr(i);
        size_t end = std::string_view::npos;
        if (rest.starts_with("<!--")) {
            end = s.find("-->", i + 4);
            if (end != std::string_view::npos) end += 2;
        } else if (rest.starts_with("<![CDATA[")) {
            end = s.find("]]>", i + 9);
            if (end != std::string_view::npos) end += 2;
        } else if (rest.starts_with("<?")) {
            end = s.find("?>", i + 2);
            if (end != std::string_view::npos) end += 1;
        } else if (rest.starts_with("<!")) {
            end = MarkupEnd(s, i + 2);
        } else if (rest.starts_with("</")) {
            end = s.find('>', i + 2);
            if (end == std::string_view::npos) return NotAPropertyList();
            std::string_view name = s.substr(i + 2, end - i - 2);
            while (!name.empty() && IsNameEnd(name.back())) name.remove_suffix(1);
            if (open.empty() || open.back() != name) return NotAPropertyList();
            open.pop_back();
        } else {
            size_t nameEnd = i + 1;
            while (nameEnd < s.size() && !IsNameEnd(s[nameEnd])) ++nameEnd;
            if (nameEnd == i + 1) return NotAPropertyList();
            end = MarkupEnd(s, nameEnd);
            if (end == std::string_view::npos) return NotAPropertyList();
            if (s[end - 1] != '/') {
                open.push_back(s.substr(i + 1, nameEnd - i - 1));
                if (open.size() > kMaxPlistDepth) return TooDeep();
            }
        }
        if (end == std::string_view::npos) return NotAPropertyList();
        i = end + 1;
    }
    return {};
}

// --- binary ------------------------------------------------------------------

constexpr std::string_view kBinaryMagic = "bplist00";
constexpr size_t kTrailerSize = 32;

enum ObjectType : uint8_t {
    kData = 0x4,
    kAsciiString = 0x5,
    kUtf16String = 0x6,
    kArray = 0xA,
    kSet = 0xC,
    kDict = 0xD,
};

uint64_t ReadBe(const uint8_t* p, size_t n) {
    uint64_t v = 0;
    for (size_t i = 0; i < n; ++i) v = v << 8 | p[i];
    return v;
}

struct Object {
    uint8_t type = 0;
    uint64_t count = 0;  // bytes, UTF-16 units, or references per half
    size_t payload = 0;  // offset of the first byte after the header
};

class BinaryList {
public:
    explicit BinaryList(std::string_view bytes)
        : data_(reinterpret_cast<const uint8_t*>(bytes.data())), size_(bytes.size()) {}

    bool ReadTrailer() {
        if (size_ < kBinaryMagic.size() + 1 + kTrailerSize) return false;
        const uint8_t* t = data_ + size_ - kTrailerSize;
        offsetSize_ = t[6];
        refSize_ = t[7];
        objects_ = ReadBe(t + 8, 8);
        top_ = ReadBe(t + 16, 8);
        tableAt_ = ReadBe(t + 24, 8);
        const uint64_t end = size_ - kTrailerSize;
        return offsetSize_ >= 1 && offsetSize_ <= 8 && refSize_ >= 1 && refSize_ <= 8 &&
               objects_ >= 1 && top_ < objects_ && tableAt_ >= kBinaryMagic.size() &&
               tableAt_ < end && objects_ <= (end - tableAt_) / offsetSize_;
    }

    uint64_t Objects() const { return objects_; }
    uint64_t Top() const { return top_; }

    // Decodes the header of object `index`; false when it does not fit.
    bool Decode(uint64_t index, Object& o) const {
        const uint64_t at = ReadBe(data_ + tableAt_ + index * offsetSize_, offsetSize_);
        if (at < kBinaryMagic.size() || at >= tableAt_) return false;
        const uint64_t end = size_ - kTrailerSize;
        const uint8_t marker = data_[at];
        o.type = marker >> 4;
        o.count = marker & 0xF;
        size_t p = size_t(at) + 1;
        size_t unit = 0;
        switch (o.type) {
            case kData:
            case kAsciiString:
                unit = 1;
                break;
            case kUtf16String:
                unit = 2;
                break;
            case kArray:
            case kSet:
                unit = refSize_;
                break;
            case kDict:
                unit = 2 * refSize_;
                break;
            default:
                o.payload = p;
                return true;  // a leaf libplist checks itself
        }
        if (o.count == 0xF) {  // the count follows as an integer object
            if (p >= end || data_[p] >> 4 != 0x1 || (data_[p] & 0xF) > 3) return false;
            const size_t n = size_t(1) << (data_[p] & 0xF);
            if (n > end - p - 1) return false;
            o.count = ReadBe(data_ + p + 1, n);
            p += 1 + n;
        }
        if (o.count > (end - p) / unit) return false;
        o.payload = p;
        return true;
    }

    static bool IsContainer(const Object& o) {
        return o.type == kArray || o.type == kSet || o.type == kDict;
    }
    // References a container holds: a dictionary's keys, then its values.
    static uint64_t RefCount(const Object& o) { return o.type == kDict ? 2 * o.count : o.count; }
    uint64_t Ref(const Object& o, uint64_t i) const {
        return ReadBe(data_ + o.payload + i * refSize_, refSize_);
    }

    bool HoldsNul(const Object& o) const {
        const uint8_t* p = data_ + o.payload;
        if (o.type == kAsciiString) return std::memchr(p, 0, size_t(o.count)) != nullptr;
        if (o.type == kUtf16String)
            for (uint64_t i = 0; i < o.count; ++i)
                if (p[2 * i] == 0 && p[2 * i + 1] == 0) return true;
        return false;
    }

    // A string's bytes; a UTF-16 one in UTF-8 (an unpaired surrogate is
    // encoded on its own, as nothing else can stand for it).
    std::string Text(const Object& o) const {
        const uint8_t* p = data_ + o.payload;
        if (o.type == kAsciiString)
            return std::string(reinterpret_cast<const char*>(p), size_t(o.count));
        std::string out;
        for (uint64_t i = 0; i < o.count; ++i) {
            uint32_t cp = uint32_t(p[2 * i]) << 8 | p[2 * i + 1];
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < o.count) {
                const uint32_t low = uint32_t(p[2 * i + 2]) << 8 | p[2 * i + 3];
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
            if (cp < 0x80) {
                out += char(cp);
            } else if (cp < 0x800) {
                out += char(0xC0 | cp >> 6);
                out += char(0x80 | (cp & 0x3F));
            } else if (cp < 0x10000) {
                out += char(0xE0 | cp >> 12);
                out += char(0x80 | (cp >> 6 & 0x3F));
                out += char(0x80 | (cp & 0x3F));
            } else {
                out += char(0xF0 | cp >> 18);
                out += char(0x80 | (cp >> 12 & 0x3F));
                out += char(0x80 | (cp >> 6 & 0x3F));
                out += char(0x80 | (cp & 0x3F));
            }
        }
        return out;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t offsetSize_ = 0;
    size_t refSize_ = 0;
    uint64_t objects_ = 0;
    uint64_t top_ = 0;
    uint64_t tableAt_ = 0;
};

// Depth and copied-out size of the top object, each object worked out once
// (a depth-first walk over an explicit stack, so a shared object costs one
// visit however often it is referenced). A reference back to an object still
// being walked is a cycle.
std::string ScanGraph(const BinaryList& list) {
    constexpr uint8_t kUnseen = 0, kOnPath = 0xFF;
    std::vector<uint8_t> depth(size_t(list.Objects()), kUnseen);
    std::vector<uint32_t> nodes(size_t(list.Objects()), 0);
    struct Frame {
        uint64_t index;
        Object object;
        uint64_t next = 0;
        uint8_t depth = 1;
        uint64_t nodes = 1;
    };
    std::vector<Frame> path;

    // Settles a finished or leaf object into its parent's figures.
    auto fold = [&](uint64_t index) -> std::string {
        if (path.empty()) return {};
        Frame& parent = path.back();
        parent.depth = std::max<uint8_t>(parent.depth, uint8_t(depth[index] + 1));
        parent.nodes += nodes[index];
        return parent.nodes > kMaxPlistNodes ? TooMany() : std::string();
    };
    // libplist copies a shared object out at every reference, so its levels
    // count again below each one.
    auto enter = [&](uint64_t index) -> std::string {
        if (path.size() + 1 > kMaxPlistDepth) return TooDeep();
        Object o;
        if (!list.Decode(index, o)) return NotAPropertyList();
        if (!BinaryList::IsContainer(o)) {
            depth[index] = 1;
            nodes[index] = 1;
            return fold(index);
        }
        depth[index] = kOnPath;
        path.push_back({index, o});
        return {};
    };

    if (std::string problem = enter(list.Top()); !problem.empty()) return problem;
    while (!path.empty()) {
        Frame& f = path.back();
        if (f.next == BinaryList::RefCount(f.object)) {
            const uint64_t index = f.index;
            depth[index] = f.depth;
            nodes[index] = uint32_t(f.nodes);
            path.pop_back();
            if (std::string problem = fold(index); !problem.empty()) return problem;
            continue;
        }
        const uint64_t child = list.Ref(f.object, f.next++);
        std::string problem;
        if (child >= list.Objects() || depth[child] == kOnPath) {
            problem = NotAPropertyList();
        } else if (depth[child] != kUnseen) {
            if (path.size() + depth[child] > kMaxPlistDepth)
                problem = TooDeep();
            else
                problem = fold(child);
        } else {
            problem = enter(child);
        }
        if (!problem.empty()) return problem;
    }
    return {};
}

// The NUL keys and values of the dictionaries in a top-level array. The
// graph walk has checked every reference already.
std::vector<NulEntries> FindNulEntries(const BinaryList& list) {
    std::vector<NulEntries> out;
    Object top;
    if (!list.Decode(list.Top(), top) || top.type != kArray) return out;
    for (uint64_t i = 0; i < top.count; ++i) {
        Object dict;
        if (!list.Decode(list.Ref(top, i), dict) || dict.type != kDict) continue;
        NulEntries found{uint32_t(i), uint32_t(dict.count), {}, {}};
        for (uint64_t k = 0; k < dict.count; ++k) {
            Object key, value;
            if (list.Decode(list.Ref(dict, k), key) && list.HoldsNul(key))
                found.keys.push_back(uint32_t(k));
            else if (list.Decode(list.Ref(dict, dict.count + k), value) && list.HoldsNul(value))
                found.values.emplace_back(uint32_t(k), list.Text(value));
        }
        if (!found.keys.empty() || !found.values.empty()) out.push_back(std::move(found));
    }
    return out;
}

}  // namespace

PlistScan ScanPropertyList(std::string_view bytes) {
    PlistScan scan;
    if (!bytes.starts_with(kBinaryMagic)) {
        scan.problem = ScanXml(bytes);
        return scan;
    }
    BinaryList list(bytes);
    if (!list.ReadTrailer()) {
        scan.problem = NotAPropertyList();
        return scan;
    }
    scan.problem = ScanGraph(list);
    if (scan.problem.empty()) scan.nulEntries = FindNulEntries(list);
    return scan;
}

}  // namespace corvane
