#include "adapter/ScanList.h"

#include <algorithm>
#include <cstring>

namespace corvane {

std::span<const uint8_t> BssEntry::Field(size_t offset, size_t size) const {
    if (offset >= bytes_.size()) return {};
    return bytes_.subspan(offset, std::min(size, bytes_.size() - offset));
}

std::string BssEntry::Ssid() const {
    auto raw = Field(bss::kSsid, kSsidMaxLength);
    auto end = std::find(raw.begin(), raw.end(), uint8_t{0});
    return std::string(raw.begin(), end);
}

std::span<const uint8_t> BssEntry::TaggedElements() const {
    if (Length() < bss::kMinLengthForElements || IELength() < bss::kMinIELengthForElements)
        return {};
    size_t ieEnd = std::min<size_t>(bytes_.size(), bss::kIEs + size_t(IELength()));
    if (ieEnd <= bss::kTaggedElements) return {};
    return bytes_.subspan(bss::kTaggedElements, ieEnd - bss::kTaggedElements);
}

BssEntryRange::Iterator::Iterator(std::span<const uint8_t> bytes, size_t offset, uint32_t remaining)
    : bytes_(bytes), offset_(offset), remaining_(remaining) {
    Settle();
}

// Checks the entry at the current position; a malformed one ends the walk.
void BssEntryRange::Iterator::Settle() {
    if (remaining_ == 0) return;
    if (offset_ > bytes_.size() || bytes_.size() - offset_ < 4) {
        remaining_ = 0;
        return;
    }
    length_ = ReadLe32(bytes_.data() + offset_);
    if (length_ < 4 || length_ > bytes_.size() - offset_) remaining_ = 0;
}

BssEntryRange::Iterator& BssEntryRange::Iterator::operator++() {
    offset_ += length_;
    --remaining_;
    Settle();
    return *this;
}

}  // namespace corvane
