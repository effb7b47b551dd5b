#include "adapter/Elements.h"

namespace corvane {

bool ElementIterator::Next() {
    const size_t left = run_.size() - next_;
    if (left < 2) return false;
    const size_t length = run_[next_ + 1];
    if (left - 2 < length) return false;
    offset_ = next_;
    current_ = {run_[next_], run_.subspan(next_ + 2, length), run_.subspan(next_, length + 2)};
    next_ += length + 2;
    return true;
}

std::optional<std::span<const uint8_t>> FindElement(std::span<const uint8_t> run, uint8_t id) {
    for (ElementIterator it(run); it.Next();)
        if (it.Current().id == id) return it.Current().body;
    return std::nullopt;
}

}  // namespace corvane
