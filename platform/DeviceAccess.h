// Device access: a master port, matching by driver
// class name, service iteration, opening a user client, one
// structure-in/structure-out call, close and release.
//
// Two transports stand behind the same calls:
//  - in-process: a test registers a UserClientProvider under a driver class
//    name (RegisterInProcessService); IOServiceOpen asks it for a client;
//  - a Unix-domain socket to a driver process, which publishes one socket per
//    adapter in a service registry folder (see Registry.h), named
//    "<DriverClassName>@<instance>".
// In-process services are listed first, then those of the registry folders
// in their search order (the user's, then the system's); folders that are
// not trusted are skipped.
//
// Handles are small non-zero integers; 0 means none. Every call is bounded:
// a peer that dies, stalls or answers with more than was asked for gives a
// failed call within a bounded time, never a hang or a crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

using kern_return_t = int;
using mach_port_t = uint32_t;
using io_object_t = uint32_t;
using io_iterator_t = io_object_t;
using io_service_t = io_object_t;
using io_connect_t = io_object_t;

inline constexpr kern_return_t KERN_SUCCESS = 0;
inline constexpr kern_return_t KERN_FAILURE = 5;
inline constexpr kern_return_t kIOReturnError = int(0xE00002BC);
inline constexpr kern_return_t kIOReturnNoDevice = int(0xE00002C0);
inline constexpr kern_return_t kIOReturnBadArgument = int(0xE00002C2);
inline constexpr kern_return_t kIOReturnNotOpen = int(0xE00002CD);
inline constexpr kern_return_t kIOReturnTimeout = int(0xE00002D6);
inline constexpr kern_return_t kIOReturnUnsupported = int(0xE00002C7);
inline constexpr mach_port_t MACH_PORT_NULL = 0;
inline constexpr mach_port_t kIOMasterPortDefault = 0;

// Largest input or output structure one call may carry.
inline constexpr size_t kMaxStructSize = 64 * 1024;

// The driver side of one open user-client connection.
class UserClient {
public:
    virtual ~UserClient() = default;
    // `output` has room for `*outputSize` bytes on entry; on return
    // `*outputSize` holds the bytes written (never more than the room).
    // Returns KERN_SUCCESS (0) on success.
    virtual kern_return_t CallStructMethod(uint32_t selector, const uint8_t* input,
                                           size_t inputSize, uint8_t* output,
                                           size_t* outputSize) = 0;
};

// The driver side of one service: opens user clients on it.
class UserClientProvider {
public:
    virtual ~UserClientProvider() = default;
    // Returns null when the client cannot be opened (connection type unknown,
    // device gone).
    virtual std::unique_ptr<UserClient> OpenUserClient(uint32_t connectionType) = 0;
};

// In-process registration. Returns a registration id for Unregister. The
// provider must outlive its registration.
uint32_t RegisterInProcessService(const std::string& className, UserClientProvider* provider);
void UnregisterInProcessService(uint32_t registrationId);

// Opaque matching dictionary, under the type name the adapter code uses.
struct MatchingDictionary;
using CFMutableDictionaryRef = MatchingDictionary*;

kern_return_t IOMasterPort(mach_port_t bootstrapPort, mach_port_t* masterPort);
// Null when `className` is null or empty.
CFMutableDictionaryRef IOServiceMatching(const char* className);
// Consumes `matching` whatever the result.
kern_return_t IOServiceGetMatchingServices(mach_port_t masterPort, CFMutableDictionaryRef matching,
                                           io_iterator_t* existing);
// Each returned object carries one reference the caller releases.
io_object_t IOIteratorNext(io_iterator_t iterator);
kern_return_t IOServiceOpen(io_service_t service, mach_port_t owningTask, uint32_t type,
                            io_connect_t* connect);
// IOServiceOpen with the bound on each phase of the connection's socket
// requests (connect and open, send, receive), in milliseconds, for a caller
// that must hear of a stalled driver sooner than IOServiceOpen's bound,
// wire::kCallTimeoutMs (WireFormat.h); 0 or less is that bound. In-process
// clients are called directly and have no bound.
kern_return_t IOServiceOpenWithTimeout(io_service_t service, mach_port_t owningTask, uint32_t type,
                                       int timeoutMs, io_connect_t* connect);
kern_return_t IOServiceClose(io_connect_t connect);
kern_return_t IOObjectRelease(io_object_t object);
kern_return_t IOConnectCallStructMethod(io_connect_t connection, uint32_t selector,
                                        const void* inputStruct, size_t inputStructCnt,
                                        void* outputStruct, size_t* outputStructCnt);
mach_port_t mach_task_self();
kern_return_t mach_port_deallocate(mach_port_t task, mach_port_t name);
// Releases a matching dictionary that was not consumed (CFRelease).
void CFRelease(CFMutableDictionaryRef dictionary);

// Number of live handles (objects, connections, dictionaries, ports): tests
// use it to prove that nothing is held between requests.
size_t LiveHandleCount();

// Takes one more reference on a service or an iterator; IOObjectRelease
// gives it back.
kern_return_t IOObjectRetain(io_object_t object);

}  // namespace platform
