// Helpers shared by the simulated driver's tests: a driver on a manual
// clock, request shorthands, and record builders as the system sends them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "adapter/ByteOrder.h"
#include "adapter/Oids.h"
#include "adapter/Records.h"
#include "driver/SimDriver.h"
#include "platform/Clock.h"

namespace corvane::sim::test {

struct Reply {
    platform::kern_return_t result = -1;
    std::vector<uint8_t> bytes;
};

inline std::vector<uint8_t> U32Bytes(uint32_t v) {
    std::vector<uint8_t> b(4);
    WriteLe32(b.data(), v);
    return b;
}

inline std::vector<uint8_t> SsidRecord(const std::string& ssid) {
    const Ssid36 r = EncodeSsid(MakeSsid(ssid));
    return {r.begin(), r.end()};
}

// An NDIS_802_11_KEY record of `length` bytes (at least 32 + key size).
inline std::vector<uint8_t> KeyRecord(uint32_t keyIndex, const std::vector<uint8_t>& key,
                                      uint32_t length = 0) {
    if (length == 0) length = uint32_t(key.size() + 39);
    std::vector<uint8_t> r(length, 0);
    WriteLe32(&r[0], length);
    WriteLe32(&r[4], keyIndex);
    WriteLe32(&r[8], uint32_t(key.size()));
    for (int i = 0; i < 6; ++i) r[12 + i] = 0xFF;
    std::copy(key.begin(), key.end(), r.begin() + 32);
    return r;
}

inline std::vector<uint8_t> RemoveKeyRecord(uint32_t slot) {
    const auto r = EncodeRemoveKey(slot);
    return {r.begin(), r.end()};
}

inline std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

class SimDriverTest : public ::testing::Test {
protected:
    SimDriverTest() : guard_(clock_) {}

    // The sample, parsed once: its passphrases cost a key derivation each.
    static const Environment& Sample() {
        static const Environment sample = [] {
            std::string error;
            auto env = ParseEnvironment(BundledSampleEnvironment(), &error);
            EXPECT_TRUE(env) << error;
            return env.value_or(Environment{});
        }();
        return sample;
    }

    void SetUp() override { driver_ = std::make_unique<SimDriver>(Sample()); }

    Reply Call(uint32_t selector, std::vector<uint8_t> input, size_t capacity) {
        Reply r;
        r.bytes.assign(capacity, 0);
        size_t size = capacity;
        r.result = driver_->Call(selector, input.data(), input.size(), r.bytes.data(), &size);
        EXPECT_LE(size, capacity);
        r.bytes.resize(size);
        return r;
    }
    // As the system sends them: a query answers in place of its buffer, a
    // set carries the set flag and a 64-byte scratch output.
    Reply Query(uint32_t oid, size_t capacity, std::vector<uint8_t> input = {}) {
        if (input.empty()) input.assign(capacity, 0);
        return Call(oid, input, capacity);
    }
    platform::kern_return_t Set(uint32_t oid, std::vector<uint8_t> payload) {
        return Call(oid | OID_SET_FLAG, payload, 64).result;
    }
    uint32_t QueryU32(uint32_t oid) {
        Reply r = Query(oid, 4);
        EXPECT_EQ(r.result, 0);
        EXPECT_EQ(r.bytes.size(), 4u);
        return r.bytes.size() == 4 ? ReadLe32(r.bytes.data()) : 0xFFFFFFFF;
    }
    void Advance(uint64_t ms) { clock_.Advance(ms * 1000); }

    // The connect steps the system sends, short of the keys.
    void Configure(uint32_t mode, uint32_t auth, uint32_t encryption) {
        ASSERT_EQ(Set(OID_VX_CLIENT_64BIT, {1}), 0);
        ASSERT_EQ(Set(OID_802_11_DISASSOCIATE, U32Bytes(0)), 0);
        ASSERT_EQ(Set(OID_802_11_INFRASTRUCTURE_MODE, U32Bytes(mode)), 0);
        ASSERT_EQ(Set(OID_802_11_AUTHENTICATION_MODE, U32Bytes(auth)), 0);
        ASSERT_EQ(Set(OID_802_11_ENCRYPTION_STATUS, U32Bytes(encryption)), 0);
    }
    bool Connected() { return QueryU32(OID_GEN_MEDIA_CONNECT_STATUS) == kMediaConnected; }

    platform::ManualClock clock_;
    platform::ScopedClock guard_;
    std::unique_ptr<SimDriver> driver_;
};

}  // namespace corvane::sim::test
