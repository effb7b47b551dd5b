// The one walk over a run of 802.11 elements: what it yields, and how it
// ends, on whole, empty and damaged runs. Each run sits in a heap block of
// exactly its size, so that under AddressSanitizer a read past it is caught.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapter/Elements.h"
#include "tests/support/ScanEntries.h"

namespace corvane::test {
namespace {

ByteVec Hex(std::string text) {
    std::erase(text, ' ');
    return HexBytes(text);
}

// The run's bytes in a block of their own.
struct HeapRun {
    explicit HeapRun(const ByteVec& bytes) : size(bytes.size()), block(new uint8_t[bytes.size()]) {
        std::copy(bytes.begin(), bytes.end(), block.get());
    }
    std::span<const uint8_t> Span() const { return {block.get(), size}; }
    size_t size;
    std::unique_ptr<uint8_t[]> block;
};

TEST(ElementIterator, YieldsWholeElementsAndTellsACleanEndFromATruncatedTail) {
    struct Row {
        const char* name;
        std::string run;
        std::vector<std::string> walked;  // "offset:id:length" of each element
        size_t tail;                      // bytes left over; 0 is a clean end
    } const rows[] = {
        {"empty run", "", {}, 0},
        {"one element", "0003 616263", {"0:0:3"}, 0},
        {"elements of length zero", "0000 dd00", {"0:0:0", "2:221:0"}, 0},
        {"a body of 255 bytes", "30ff" + std::string(510, 'a'), {"0:48:255"}, 0},
        {"a lone byte", "dd", {}, 1},
        {"a lone byte after an element", "0001 61 30", {"0:0:1"}, 1},
        {"a header without its body", "0001 61 3005", {"0:0:1"}, 2},
        {"a body one byte short", "0003 6162", {}, 4},
        {"nothing after a truncated element is read", "0001 61 3006 0100 00dd 00", {"0:0:1"}, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const HeapRun run(Hex(row.run));
        std::vector<std::string> walked;
        ElementIterator it(run.Span());
        while (it.Next()) {
            const corvane::Element& e = it.Current();
            walked.push_back(std::to_string(it.Offset()) + ":" + std::to_string(e.id) + ":" +
                             std::to_string(e.body.size()));
            EXPECT_EQ(e.bytes.size(), e.body.size() + 2);
            EXPECT_EQ(e.bytes.data(), run.Span().data() + it.Offset());
            EXPECT_EQ(e.body.data(), e.bytes.data() + 2);
        }
        EXPECT_EQ(walked, row.walked);
        EXPECT_EQ(it.Rest().size(), row.tail);
        EXPECT_FALSE(it.Next()) << "the end stays the end";
    }
}

TEST(ElementIterator, FindElementTakesTheFirstWholeOne) {
    struct Row {
        const char* name;
        std::string run;
        std::optional<std::string> ssid;
    } const rows[] = {
        {"first of two", "0100 0002 6162 0001 63", "ab"},
        {"empty name", "0000", ""},
        {"none", "0100", std::nullopt},
        {"only a truncated one", "0003 6162", std::nullopt},
    };
    for (const Row& row : rows) {
        const HeapRun run(Hex(row.run));
        const auto body = FindElement(run.Span(), kElementSsid);
        ASSERT_EQ(body.has_value(), row.ssid.has_value()) << row.name;
        if (body) {
            EXPECT_EQ(std::string(body->begin(), body->end()), *row.ssid) << row.name;
        }
    }
}

}  // namespace
}  // namespace corvane::test
