// The handle table and the two transports behind the device-access calls.
//
// Every object lives in one table keyed by its handle. Handles count upwards
// and are not reused while the count lasts, so a handle released twice, or
// kept after its release, names nothing instead of somebody else's object.
// The table lock is never held while a provider, a user client or a socket
// is at work: those may take time, or call back into this interface.
#include "platform/DeviceAccess.h"

#include <cstring>
#include <map>
#include <mutex>
#include <variant>
#include <vector>

#include "platform/Registry.h"
#include "platform/SocketTransport.h"
#include "platform/WireFormat.h"

namespace platform {

struct MatchingDictionary;  // never defined: a dictionary is its handle in disguise

namespace {

// What a service handle stands for.
struct ServiceTarget {
    uint32_t registration = 0;  // in-process service when non-zero
    std::string socketPath;     // otherwise the driver process's socket
};

// The open user client behind a connection handle.
struct ConnectionState {
    uint32_t registration = 0;
    std::shared_ptr<UserClient> client;  // in-process; cleared when the provider goes
    std::shared_ptr<detail::SocketConnection> socket;
    int timeoutMs = wire::kCallTimeoutMs;  // each phase of a socket request
};

struct MasterPortObject {};
struct DictionaryObject {
    std::string className;
};
struct IteratorObject {
    std::vector<ServiceTarget> targets;
    size_t next = 0;
    uint32_t references = 1;
};
struct ServiceObject {
    ServiceTarget target;
    uint32_t references = 1;
};
struct ConnectionObject {
    std::shared_ptr<ConnectionState> state;
};

using Object = std::variant<MasterPortObject, DictionaryObject, IteratorObject, ServiceObject,
                            ConnectionObject>;

struct Registration {
    std::string className;
    UserClientProvider* provider = nullptr;
};

// Handles stay below this so that they remain small; the count wraps.
constexpr uint32_t kHandleLimit = 0x00FFFFFF;

struct Table {
    std::mutex mutex;
    std::map<uint32_t, Object> objects;
    uint32_t nextHandle = 1;
    std::map<uint32_t, Registration> registrations;  // ordered by registration
    uint32_t nextRegistration = 1;

    // Caller holds the mutex.
    uint32_t Add(Object object) {
        while (nextHandle == 0 || objects.count(nextHandle))
            nextHandle = nextHandle >= kHandleLimit ? 1 : nextHandle + 1;
        const uint32_t handle = nextHandle;
        nextHandle = nextHandle >= kHandleLimit ? 1 : nextHandle + 1;
        objects.emplace(handle, std::move(object));
        return handle;
    }

    template <typename T>
    T* Find(uint32_t handle) {
        auto it = objects.find(handle);
        return it == objects.end() ? nullptr : std::get_if<T>(&it->second);
    }
};

// Never destroyed: providers and connections may still be released while
// the process winds down.
Table& TheTable() {
    static Table* table = new Table;
    return *table;
}

CFMutableDictionaryRef DictionaryFromHandle(uint32_t handle) {
    return reinterpret_cast<CFMutableDictionaryRef>(uintptr_t(handle));
}

uint32_t HandleFromDictionary(CFMutableDictionaryRef dictionary) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(dictionary);
    return value <= kHandleLimit ? uint32_t(value) : 0;
}

// Drops the handle's entry and hands back its connection state, if any, so
// that the connection is closed after the table lock is released.
std::shared_ptr<ConnectionState> TakeConnection(Table& table, uint32_t handle) {
    auto it = table.objects.find(handle);
    if (it == table.objects.end()) return nullptr;
    auto* connection = std::get_if<ConnectionObject>(&it->second);
    if (!connection) return nullptr;
    std::shared_ptr<ConnectionState> state = std::move(connection->state);
    table.objects.erase(it);
    return state;
}

}  // namespace

uint32_t RegisterInProcessService(const std::string& className, UserClientProvider* provider) {
    if (className.empty() || !provider) return 0;
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    uint32_t id = table.nextRegistration++;
    if (id == 0) id = table.nextRegistration++;
    table.registrations[id] = Registration{className, provider};
    return id;
}

void UnregisterInProcessService(uint32_t registrationId) {
    Table& table = TheTable();
    // User clients of the provider are closed now, while the provider still
    // exists; their connections stay as handles that fail every call.
    std::vector<std::shared_ptr<UserClient>> orphaned;
    {
        std::lock_guard lock(table.mutex);
        if (table.registrations.erase(registrationId) == 0) return;
        for (auto& [handle, object] : table.objects) {
            auto* connection = std::get_if<ConnectionObject>(&object);
            if (connection && connection->state->registration == registrationId &&
                connection->state->client)
                orphaned.push_back(std::move(connection->state->client));
        }
    }
    orphaned.clear();
}

kern_return_t IOMasterPort(mach_port_t /*bootstrapPort*/, mach_port_t* masterPort) {
    if (!masterPort) return kIOReturnBadArgument;
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    *masterPort = table.Add(MasterPortObject{});
    return KERN_SUCCESS;
}

CFMutableDictionaryRef IOServiceMatching(const char* className) {
    if (!className || !*className) return nullptr;
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    return DictionaryFromHandle(table.Add(DictionaryObject{className}));
}

void CFRelease(CFMutableDictionaryRef dictionary) {
    const uint32_t handle = HandleFromDictionary(dictionary);
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    if (table.Find<DictionaryObject>(handle)) table.objects.erase(handle);
}

kern_return_t IOServiceGetMatchingServices(mach_port_t masterPort, CFMutableDictionaryRef matching,
                                           io_iterator_t* existing) {
    if (existing) *existing = 0;
    Table& table = TheTable();
    std::string className;
    IteratorObject iterator;
    {
        std::lock_guard lock(table.mutex);
        const uint32_t handle = HandleFromDictionary(matching);
        DictionaryObject* dictionary = table.Find<DictionaryObject>(handle);
        if (!dictionary) return kIOReturnBadArgument;
        className = std::move(dictionary->className);
        table.objects.erase(handle);  // consumed, whatever follows
        if (!existing) return kIOReturnBadArgument;
        if (masterPort != kIOMasterPortDefault && !table.Find<MasterPortObject>(masterPort))
            return kIOReturnBadArgument;
        for (const auto& [id, registration] : table.registrations)
            if (registration.className == className)
                iterator.targets.push_back(ServiceTarget{id, {}});
    }
    // The folders are read without the lock: they are the file system's business.
    for (const std::string& folder : RegistryFolders())
        if (RegistryFolderIsTrusted(folder))
            for (std::string& path : FindServiceSockets(folder, className))
                iterator.targets.push_back(ServiceTarget{0, std::move(path)});

    std::lock_guard lock(table.mutex);
    *existing = table.Add(std::move(iterator));
    return KERN_SUCCESS;
}

io_object_t IOIteratorNext(io_iterator_t iterator) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    IteratorObject* it = table.Find<IteratorObject>(iterator);
    if (!it || it->next >= it->targets.size()) return 0;
    ServiceTarget target = it->targets[it->next++];
    return table.Add(ServiceObject{std::move(target)});
}

kern_return_t IOServiceOpen(io_service_t service, mach_port_t owningTask, uint32_t type,
                            io_connect_t* connect) {
    return IOServiceOpenWithTimeout(service, owningTask, type, wire::kCallTimeoutMs, connect);
}

kern_return_t IOServiceOpenWithTimeout(io_service_t service, mach_port_t /*owningTask*/,
                                       uint32_t type, int timeoutMs, io_connect_t* connect) {
    if (!connect) return kIOReturnBadArgument;
    *connect = 0;
    Table& table = TheTable();
    ServiceTarget target;
    UserClientProvider* provider = nullptr;
    {
        std::lock_guard lock(table.mutex);
        ServiceObject* object = table.Find<ServiceObject>(service);
        if (!object) return kIOReturnBadArgument;
        target = object->target;
        if (target.registration) {
            auto reg = table.registrations.find(target.registration);
            if (reg == table.registrations.end()) return kIOReturnNoDevice;
            provider = reg->second.provider;
        }
    }

    auto state = std::make_shared<ConnectionState>();
    state->registration = target.registration;
    if (timeoutMs > 0) state->timeoutMs = timeoutMs;
    if (provider) {
        state->client = provider->OpenUserClient(type);
        if (!state->client) return kIOReturnNoDevice;
    } else {
        std::unique_ptr<detail::SocketConnection> socket;
        kern_return_t result =
            detail::SocketConnection::Open(target.socketPath, type, state->timeoutMs, &socket);
        if (result != KERN_SUCCESS) return result;
        state->socket = std::move(socket);
    }

    {
        std::lock_guard lock(table.mutex);
        // The provider may have gone while it was opening the client.
        if (!target.registration || table.registrations.count(target.registration)) {
            *connect = table.Add(ConnectionObject{std::move(state)});
            return KERN_SUCCESS;
        }
    }
    return kIOReturnNoDevice;  // the client is closed here, outside the lock
}

kern_return_t IOServiceClose(io_connect_t connect) {
    Table& table = TheTable();
    std::shared_ptr<ConnectionState> state;
    {
        std::lock_guard lock(table.mutex);
        state = TakeConnection(table, connect);
    }
    return state ? KERN_SUCCESS : kIOReturnBadArgument;
}

kern_return_t IOObjectRetain(io_object_t object) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    if (auto* service = table.Find<ServiceObject>(object)) {
        ++service->references;
        return KERN_SUCCESS;
    }
    if (auto* iterator = table.Find<IteratorObject>(object)) {
        ++iterator->references;
        return KERN_SUCCESS;
    }
    return kIOReturnBadArgument;
}

kern_return_t IOObjectRelease(io_object_t object) {
    Table& table = TheTable();
    std::shared_ptr<ConnectionState> state;
    {
        std::lock_guard lock(table.mutex);
        auto it = table.objects.find(object);
        if (it == table.objects.end()) return kIOReturnBadArgument;
        uint32_t* references = nullptr;
        if (auto* service = std::get_if<ServiceObject>(&it->second))
            references = &service->references;
        else if (auto* iterator = std::get_if<IteratorObject>(&it->second))
            references = &iterator->references;
        if (references) {
            if (--*references == 0) table.objects.erase(it);
            return KERN_SUCCESS;
        }
        // Releasing a connection closes it; ports and dictionaries have
        // releases of their own.
        state = TakeConnection(table, object);
        if (!state) return kIOReturnBadArgument;
    }
    return KERN_SUCCESS;
}

kern_return_t IOConnectCallStructMethod(io_connect_t connection, uint32_t selector,
                                        const void* inputStruct, size_t inputStructCnt,
                                        void* outputStruct, size_t* outputStructCnt) {
    if (inputStructCnt > kMaxStructSize || (inputStructCnt && !inputStruct))
        return kIOReturnBadArgument;
    size_t capacity = outputStructCnt ? *outputStructCnt : 0;
    if (capacity && !outputStruct) return kIOReturnBadArgument;
    // Nothing longer can come back in one answer.
    if (capacity > kMaxStructSize) capacity = kMaxStructSize;

    Table& table = TheTable();
    std::shared_ptr<UserClient> client;
    std::shared_ptr<detail::SocketConnection> socket;
    int timeoutMs = 0;
    {
        std::lock_guard lock(table.mutex);
        ConnectionObject* object = table.Find<ConnectionObject>(connection);
        if (!object) return kIOReturnNotOpen;
        client = object->state->client;
        socket = object->state->socket;
        timeoutMs = object->state->timeoutMs;
    }
    if (!client && !socket) return kIOReturnNoDevice;  // its provider is gone

    // For a query the input and output are one buffer: the input is copied
    // out before any answer byte is written.
    const auto* input = static_cast<const uint8_t*>(inputStruct);
    std::vector<uint8_t> request(input, input + inputStructCnt);
    std::vector<uint8_t> answer;
    kern_return_t result;
    if (client) {
        answer.resize(capacity);
        size_t written = capacity;
        result = client->CallStructMethod(selector, request.data(), request.size(), answer.data(),
                                          &written);
        if (written > capacity) {
            // The client broke its contract; its bytes cannot be trusted.
            if (outputStructCnt) *outputStructCnt = 0;
            return kIOReturnError;
        }
        answer.resize(written);
    } else {
        result =
            socket->Call(selector, request.data(), request.size(), capacity, timeoutMs, &answer);
    }
    // A failed call leaves the caller's buffer as it was, whatever bytes
    // came with the failure: callers read it as "no answer".
    if (result != KERN_SUCCESS) answer.clear();
    if (!answer.empty()) std::memcpy(outputStruct, answer.data(), answer.size());
    if (outputStructCnt) *outputStructCnt = answer.size();
    return result;
}

mach_port_t mach_task_self() {
    // Not a handle: the task is always there and is never released.
    return 0x80000103u;
}

kern_return_t mach_port_deallocate(mach_port_t /*task*/, mach_port_t name) {
    if (name == MACH_PORT_NULL) return KERN_SUCCESS;
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    if (!table.Find<MasterPortObject>(name)) return KERN_FAILURE;
    table.objects.erase(name);
    return KERN_SUCCESS;
}

size_t LiveHandleCount() {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    return table.objects.size();
}

}  // namespace platform
