#include "engine/AllocationTracker.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

namespace {

/// The records must not themselves go through operator new and delete: delete looks into
/// them, and would find the tracker's own lock held while a record list grows.
template <typename T>
struct sMallocAllocator
{
    using value_type = T;
    sMallocAllocator() = default;
    template <typename U>
    sMallocAllocator(const sMallocAllocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t n)
    {
        if (void* p = std::malloc(n * sizeof(T)))
            return static_cast<T*>(p);
        throw std::bad_alloc();
    }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }
    bool operator==(const sMallocAllocator&) const noexcept { return true; }
    bool operator!=(const sMallocAllocator&) const noexcept { return false; }
};

template <typename T>
using tMallocVector = std::vector<T, sMallocAllocator<T>>;

struct sAllocationRecord
{
    const char* file;
    int line;
    void* pointer;
};

struct sTracker
{
    std::mutex lock;
    std::atomic<std::size_t> count{0};
    tMallocVector<sAllocationRecord> records;
};

sTracker& Tracker()
{
    // Never destroyed: deletes keep arriving while static objects are torn down at exit.
    static sTracker* tracker = new (std::malloc(sizeof(sTracker))) sTracker;
    return *tracker;
}

void Forget(void* p)
{
    sTracker& t = Tracker();
    // Every plain delete passes here; most programs never track anything, so skip the lock then.
    if (t.count.load(std::memory_order_acquire) == 0)
        return;
    std::lock_guard<std::mutex> guard(t.lock);
    for (auto it = t.records.begin(); it != t.records.end(); ++it) {
        if (it->pointer == p) {
            t.records.erase(it);
            t.count.store(t.records.size(), std::memory_order_release);
            return;
        }
    }
}

} // namespace

void* operator new(std::size_t size, const char* file, int line)
{
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p)
        throw std::bad_alloc();
    sTracker& t = Tracker();
    std::lock_guard<std::mutex> guard(t.lock);
    try {
        t.records.push_back({file, line, p});
    } catch (const std::bad_alloc&) {
        std::free(p);
        throw;
    }
    t.count.store(t.records.size(), std::memory_order_release);
    return p;
}

void operator delete(void* p, const char*, int) noexcept
{
    ::operator delete(p);
}

void operator delete(void* p) noexcept
{
    if (!p)
        return;
    Forget(p);
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    ::operator delete(p);
}

void LeakReport()
{
    sTracker& t = Tracker();
    std::lock_guard<std::mutex> guard(t.lock);
    for (const sAllocationRecord& record : t.records) {
        printf("\n memory leak found: %s \n", record.file);
        printf(" line %i \n", record.line);
    }
    fflush(stdout);
}
