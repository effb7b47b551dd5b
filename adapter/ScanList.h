// Bounded walk over an assembled scan list: NumberOfItems, then entries
// back to back, each stepping by its own Length. A walk never reads past the
// bytes given: an entry whose Length is 0 or runs past the end ends it, and
// fields beyond a short entry read as zero.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "adapter/Records.h"

namespace corvane {

class BssEntry {
public:
    explicit BssEntry(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    std::span<const uint8_t> Bytes() const { return bytes_; }
    uint32_t Length() const { return ReadLe32At(bytes_, bss::kLength); }
    std::span<const uint8_t> MacAddress() const { return Field(bss::kMacAddress, kMacLength); }
    // The SSID bytes read as a NUL-terminated string within their 32 bytes.
    std::string Ssid() const;
    uint32_t Privacy() const { return ReadLe32At(bytes_, bss::kPrivacy); }
    int32_t Rssi() const { return int32_t(ReadLe32At(bytes_, bss::kRssi)); }
    uint32_t DSConfig() const { return ReadLe32At(bytes_, bss::kDSConfig); }
    uint32_t InfrastructureMode() const { return ReadLe32At(bytes_, bss::kInfrastructureMode); }
    uint32_t IELength() const { return ReadLe32At(bytes_, bss::kIELength); }
    // The tagged elements after the 12 fixed beacon fields, bounded by both
    // IELength and the entry; empty when the entry is too short to carry any.
    std::span<const uint8_t> TaggedElements() const;

private:
    std::span<const uint8_t> Field(size_t offset, size_t size) const;
    std::span<const uint8_t> bytes_;
};

// Whole entries back to back from the start of `bytes`, at most `limit` of
// them (a further chunk of the list carries no count of its own).
class BssEntryRange {
public:
    BssEntryRange(std::span<const uint8_t> bytes, uint32_t limit) : bytes_(bytes), limit_(limit) {}

    class Iterator {
    public:
        Iterator(std::span<const uint8_t> bytes, size_t offset, uint32_t remaining);
        BssEntry operator*() const { return BssEntry(bytes_.subspan(offset_, length_)); }
        Iterator& operator++();
        bool operator==(const Iterator& other) const { return remaining_ == other.remaining_; }
        // Where the next entry would start: after the last whole entry walked.
        size_t Offset() const { return offset_; }

    private:
        void Settle();
        std::span<const uint8_t> bytes_;
        size_t offset_;
        uint32_t remaining_;
        uint32_t length_ = 0;
    };

    Iterator begin() const { return Iterator(bytes_, 0, limit_); }
    Iterator end() const { return Iterator(bytes_, bytes_.size(), 0); }

private:
    std::span<const uint8_t> bytes_;
    uint32_t limit_;
};

// An assembled scan list: NumberOfItems, then the entries.
class BssidList {
public:
    explicit BssidList(std::span<const uint8_t> list) : list_(list) {}

    uint32_t NumberOfItems() const { return ReadLe32At(list_, 0); }
    BssEntryRange Entries() const {
        return BssEntryRange(list_.size() >= 4 ? list_.subspan(4) : list_.subspan(0, 0),
                             NumberOfItems());
    }
    BssEntryRange::Iterator begin() const { return Entries().begin(); }
    BssEntryRange::Iterator end() const { return Entries().end(); }

private:
    std::span<const uint8_t> list_;
};

}  // namespace corvane
