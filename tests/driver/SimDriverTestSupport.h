// Shared by the simulated driver's tests: a driver over the bundled sample on
// a manual clock, and requests shaped the way the system sends them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "adapter/ByteOrder.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "driver/sim/SimAir.h"
#include "platform/Clock.h"
#include "tests/support/ManualClock.h"

namespace corvane::sim::test {

using ByteVec = std::vector<uint8_t>;

template <class Range>
ByteVec Vec(const Range& r) {
    return {std::begin(r), std::end(r)};
}
inline ByteVec Bytes(const std::string& s) { return Vec(s); }
inline ByteVec U32Bytes(uint32_t v) {
    ByteVec b(4);
    WriteLe32(b.data(), v);
    return b;
}
inline ByteVec SsidRecord(const std::string& s) { return Vec(EncodeSsid(MakeSsid(s))); }
inline ByteVec RemoveKeyRecord(uint32_t slot) { return Vec(EncodeRemoveKey(slot)); }
// An NDIS_802_11_KEY record of `length` bytes (default: header + key + 7).
inline ByteVec KeyRecord(uint32_t keyIndex, const ByteVec& key, uint32_t length = 0) {
    if (length == 0) length = uint32_t(key.size() + 39);
    ByteVec r(length, 0);
    WriteLe32(&r[0], length);
    WriteLe32(&r[4], keyIndex);
    WriteLe32(&r[8], uint32_t(key.size()));
    std::fill(r.begin() + 12, r.begin() + 18, 0xFF);
    std::copy(key.begin(), key.end(), r.begin() + 32);
    return r;
}

struct Reply {
    platform::kern_return_t result = -1;
    ByteVec bytes;
};

class SimDriverTest : public ::testing::Test {
protected:
    // Parsed once (each passphrase costs a key derivation); .value() throws
    // should the bundled sample ever fail to parse.
    static const Environment& Sample() {
        static const Environment sample =
            ParseEnvironment(BundledSampleEnvironment(), nullptr).value();
        return sample;
    }

    // A query answers in place of its input (zeros when none is given); a
    // set carries the set flag and a 64-byte scratch output.
    Reply Query(uint32_t selector, size_t capacity, ByteVec input = {}) {
        if (input.empty()) input.assign(capacity, 0);
        Reply r{-1, ByteVec(capacity, 0)};
        size_t size = capacity;
        r.result = driver_->Call(selector, input.data(), input.size(), r.bytes.data(), &size);
        EXPECT_LE(size, capacity);
        r.bytes.resize(std::min(size, capacity));
        return r;
    }
    platform::kern_return_t Set(uint32_t oid, ByteVec payload) {
        return Query(oid | OID_SET_FLAG, 64, payload).result;
    }
    void Advance(uint64_t ms) { clock_.Advance(ms * 1000); }

    // The connect steps the system sends, short of keys and network.
    void Configure(uint32_t mode, uint32_t auth, uint32_t encryption) {
        ASSERT_EQ(Set(OID_VX_CLIENT_64BIT, {1}), 0);
        for (auto [oid, value] : {std::pair{OID_802_11_DISASSOCIATE, 0u},
                                  {OID_802_11_INFRASTRUCTURE_MODE, mode},
                                  {OID_802_11_AUTHENTICATION_MODE, auth},
                                  {OID_802_11_ENCRYPTION_STATUS, encryption}})
            ASSERT_EQ(Set(oid, U32Bytes(value)), 0) << std::hex << oid;
    }
    bool Connected() {
        const Reply r = Query(OID_GEN_MEDIA_CONNECT_STATUS, 4);
        return r.bytes.size() == 4 && ReadLe32(r.bytes.data()) == kMediaConnected;
    }

    corvane::test::ManualClock clock_;
    platform::ScopedClock guard_{clock_};
    std::unique_ptr<SimDriver> driver_ = std::make_unique<SimDriver>(Sample());
};

}  // namespace corvane::sim::test
