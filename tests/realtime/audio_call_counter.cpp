// Wrappers for the calls an audio thread must not make. Each counts itself
// when its thread is inside an audio region, then calls the real function,
// found with dlsym(RTLD_NEXT) (dlvsym where the C library keeps an older
// version under the same name).
//
// dlsym itself may allocate while the real allocator is still being looked
// up; such early allocations come from a small static arena.
#include "tests/realtime/audio_call_counter.h"

#include <dlfcn.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

enum Kind {
    kMalloc,
    kCalloc,
    kRealloc,
    kFree,
    kPosixMemalign,
    kAlignedAlloc,
    kMemalign,
    kNew,
    kNewArray,
    kNewNothrow,
    kNewArrayNothrow,
    kNewAligned,
    kNewArrayAligned,
    kNewAlignedNothrow,
    kNewArrayAlignedNothrow,
    kDelete,
    kDeleteArray,
    kDeleteSized,
    kDeleteArraySized,
    kDeleteAligned,
    kDeleteArrayAligned,
    kDeleteSizedAligned,
    kDeleteArraySizedAligned,
    kDeleteNothrow,
    kDeleteArrayNothrow,
    kDeleteAlignedNothrow,
    kDeleteArrayAlignedNothrow,
    kMutexLock,
    kMutexTrylock,
    kMutexTimedlock,
    kMutexClocklock,
    kMutexUnlock,
    kRwlockRdlock,
    kRwlockWrlock,
    kRwlockTryrdlock,
    kRwlockTrywrlock,
    kRwlockTimedrdlock,
    kRwlockTimedwrlock,
    kRwlockClockrdlock,
    kRwlockClockwrlock,
    kRwlockUnlock,
    kCondWait,
    kCondTimedwait,
    kCondClockwait,
    kNanosleep,
    kClockNanosleep,
    kUsleep,
    kSleep,
    kWrite,
    kKindCount
};

// The function each kind counts, and the symbol its real version has.
struct Counted {
    const char* name;
    const char* symbol;
    const char* version;  // null: the default version
};

const Counted kCounted[kKindCount] = {
    {"malloc", "malloc", nullptr},
    {"calloc", "calloc", nullptr},
    {"realloc", "realloc", nullptr},
    {"free", "free", nullptr},
    {"posix_memalign", "posix_memalign", nullptr},
    {"aligned_alloc", "aligned_alloc", nullptr},
    {"memalign", "memalign", nullptr},
    {"operator new", "_Znwm", nullptr},
    {"operator new[]", "_Znam", nullptr},
    {"operator new(nothrow)", "_ZnwmRKSt9nothrow_t", nullptr},
    {"operator new[](nothrow)", "_ZnamRKSt9nothrow_t", nullptr},
    {"operator new(align)", "_ZnwmSt11align_val_t", nullptr},
    {"operator new[](align)", "_ZnamSt11align_val_t", nullptr},
    {"operator new(align, nothrow)", "_ZnwmSt11align_val_tRKSt9nothrow_t", nullptr},
    {"operator new[](align, nothrow)", "_ZnamSt11align_val_tRKSt9nothrow_t", nullptr},
    {"operator delete", "_ZdlPv", nullptr},
    {"operator delete[]", "_ZdaPv", nullptr},
    {"operator delete(size)", "_ZdlPvm", nullptr},
    {"operator delete[](size)", "_ZdaPvm", nullptr},
    {"operator delete(align)", "_ZdlPvSt11align_val_t", nullptr},
    {"operator delete[](align)", "_ZdaPvSt11align_val_t", nullptr},
    {"operator delete(size, align)", "_ZdlPvmSt11align_val_t", nullptr},
    {"operator delete[](size, align)", "_ZdaPvmSt11align_val_t", nullptr},
    {"operator delete(nothrow)", "_ZdlPvRKSt9nothrow_t", nullptr},
    {"operator delete[](nothrow)", "_ZdaPvRKSt9nothrow_t", nullptr},
    {"operator delete(align, nothrow)", "_ZdlPvSt11align_val_tRKSt9nothrow_t", nullptr},
    {"operator delete[](align, nothrow)", "_ZdaPvSt11align_val_tRKSt9nothrow_t", nullptr},
    {"pthread_mutex_lock", "pthread_mutex_lock", nullptr},
    {"pthread_mutex_trylock", "pthread_mutex_trylock", nullptr},
    {"pthread_mutex_timedlock", "pthread_mutex_timedlock", nullptr},
    {"pthread_mutex_clocklock", "pthread_mutex_clocklock", nullptr},
    {"pthread_mutex_unlock", "pthread_mutex_unlock", nullptr},
    {"pthread_rwlock_rdlock", "pthread_rwlock_rdlock", nullptr},
    {"pthread_rwlock_wrlock", "pthread_rwlock_wrlock", nullptr},
    {"pthread_rwlock_tryrdlock", "pthread_rwlock_tryrdlock", nullptr},
    {"pthread_rwlock_trywrlock", "pthread_rwlock_trywrlock", nullptr},
    {"pthread_rwlock_timedrdlock", "pthread_rwlock_timedrdlock", nullptr},
    {"pthread_rwlock_timedwrlock", "pthread_rwlock_timedwrlock", nullptr},
    {"pthread_rwlock_clockrdlock", "pthread_rwlock_clockrdlock", nullptr},
    {"pthread_rwlock_clockwrlock", "pthread_rwlock_clockwrlock", nullptr},
    {"pthread_rwlock_unlock", "pthread_rwlock_unlock", nullptr},
    // The C library also keeps the condition variables of 2002 under these names.
    {"pthread_cond_wait", "pthread_cond_wait", "GLIBC_2.3.2"},
    {"pthread_cond_timedwait", "pthread_cond_timedwait", "GLIBC_2.3.2"},
    {"pthread_cond_clockwait", "pthread_cond_clockwait", nullptr},
    {"nanosleep", "nanosleep", nullptr},
    {"clock_nanosleep", "clock_nanosleep", nullptr},
    {"usleep", "usleep", nullptr},
    {"sleep", "sleep", nullptr},
    {"write", "write", nullptr},
};

// Initial-exec: reaching these never calls into the dynamic loader, which
// could allocate.
__attribute__((tls_model("initial-exec"))) thread_local bool insideAudio = false;
__attribute__((tls_model("initial-exec"))) thread_local unsigned long counts[kKindCount];
__attribute__((tls_model("initial-exec"))) thread_local bool resolving = false;

std::atomic<void*> realFunctions[kKindCount];

alignas(std::max_align_t) unsigned char arena[16384];
std::atomic<std::size_t> arenaUsed{0};

void* arenaAllocate(std::size_t size) {
    const std::size_t rounded = (size + alignof(std::max_align_t) - 1) & ~(alignof(std::max_align_t) - 1);
    const std::size_t start = arenaUsed.fetch_add(rounded);
    if (start + rounded > sizeof arena) return nullptr;
    return arena + start;
}

bool fromArena(const void* pointer) {
    const auto* byte = static_cast<const unsigned char*>(pointer);
    return byte >= arena && byte < arena + sizeof arena;
}

void note(Kind kind) {
    if (insideAudio) ++counts[kind];
}

// The real function of kind, looked up on first use; null while a lookup is
// under way on this thread (the allocator then serves from the arena).
template <class Function>
Function real(Kind kind) {
    void* found = realFunctions[kind].load(std::memory_order_acquire);
    if (found == nullptr) {
        if (resolving) return nullptr;
        resolving = true;
        const Counted& counted = kCounted[kind];
        found = counted.version != nullptr ? dlvsym(RTLD_NEXT, counted.symbol, counted.version)
                                           : dlsym(RTLD_NEXT, counted.symbol);
        resolving = false;
        if (found == nullptr) std::abort();  // the test cannot mean anything without it
        realFunctions[kind].store(found, std::memory_order_release);
    }
    return reinterpret_cast<Function>(found);
}

template <class Function, class... Arguments>
auto countAndCall(Kind kind, Arguments... arguments) {
    note(kind);
    return real<Function>(kind)(arguments...);
}

// Every real function looked up as the library loads, before any audio
// region: a lookup can allocate, which must not count against the plug-in.
__attribute__((constructor)) void lookUpEveryRealFunction() {
    for (int kind = 0; kind < kKindCount; ++kind) real<void*>(static_cast<Kind>(kind));
}

using NewFunction = void* (*)(std::size_t);
using NewNothrowFunction = void* (*)(std::size_t, const std::nothrow_t&);
using NewAlignedFunction = void* (*)(std::size_t, std::align_val_t);
using NewAlignedNothrowFunction = void* (*)(std::size_t, std::align_val_t, const std::nothrow_t&);
using DeleteFunction = void (*)(void*);
using DeleteSizedFunction = void (*)(void*, std::size_t);
using DeleteAlignedFunction = void (*)(void*, std::align_val_t);
using DeleteSizedAlignedFunction = void (*)(void*, std::size_t, std::align_val_t);
using DeleteNothrowFunction = void (*)(void*, const std::nothrow_t&);
using DeleteAlignedNothrowFunction = void (*)(void*, std::align_val_t, const std::nothrow_t&);

}  // namespace

extern "C" {

void oscindaAudioRegionEnter() {
    for (unsigned long& count : counts) count = 0;
    insideAudio = true;
}

void oscindaAudioRegionLeave() { insideAudio = false; }

int oscindaAudioCallKinds() { return kKindCount; }

const char* oscindaAudioCallName(int kind) { return kind >= 0 && kind < kKindCount ? kCounted[kind].name : ""; }

unsigned long oscindaAudioCallCount(int kind) { return kind >= 0 && kind < kKindCount ? counts[kind] : 0; }

void* malloc(std::size_t size) {
    note(kMalloc);
    auto function = real<void* (*)(std::size_t)>(kMalloc);
    return function != nullptr ? function(size) : arenaAllocate(size);
}

void* calloc(std::size_t count, std::size_t size) {
    note(kCalloc);
    auto function = real<void* (*)(std::size_t, std::size_t)>(kCalloc);
    if (function != nullptr) return function(count, size);
    if (size != 0 && count > static_cast<std::size_t>(-1) / size) return nullptr;
    return arenaAllocate(count * size);  // static memory: already zero
}

void* realloc(void* pointer, std::size_t size) {
    note(kRealloc);
    if (fromArena(pointer)) {
        // An early block moves to the real allocator; its old size is not
        // known, but it cannot extend past the arena.
        void* moved = malloc(size);
        const auto available = static_cast<std::size_t>(arena + sizeof arena - static_cast<unsigned char*>(pointer));
        if (moved != nullptr) std::memcpy(moved, pointer, size < available ? size : available);
        return moved;
    }
    auto function = real<void* (*)(void*, std::size_t)>(kRealloc);
    return function != nullptr ? function(pointer, size) : nullptr;
}

void free(void* pointer) {
    note(kFree);
    if (pointer == nullptr || fromArena(pointer)) return;
    if (auto function = real<void (*)(void*)>(kFree)) function(pointer);
}

int posix_memalign(void** result, std::size_t alignment, std::size_t size) {
    return countAndCall<int (*)(void**, std::size_t, std::size_t)>(kPosixMemalign, result, alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) {
    return countAndCall<void* (*)(std::size_t, std::size_t)>(kAlignedAlloc, alignment, size);
}

void* memalign(std::size_t alignment, std::size_t size) {
    return countAndCall<void* (*)(std::size_t, std::size_t)>(kMemalign, alignment, size);
}

int pthread_mutex_lock(pthread_mutex_t* mutex) { return countAndCall<int (*)(pthread_mutex_t*)>(kMutexLock, mutex); }
int pthread_mutex_trylock(pthread_mutex_t* mutex) {
    return countAndCall<int (*)(pthread_mutex_t*)>(kMutexTrylock, mutex);
}
int pthread_mutex_timedlock(pthread_mutex_t* mutex, const timespec* until) {
    return countAndCall<int (*)(pthread_mutex_t*, const timespec*)>(kMutexTimedlock, mutex, until);
}
int pthread_mutex_clocklock(pthread_mutex_t* mutex, clockid_t clock, const timespec* until) {
    return countAndCall<int (*)(pthread_mutex_t*, clockid_t, const timespec*)>(kMutexClocklock, mutex, clock, until);
}
int pthread_mutex_unlock(pthread_mutex_t* mutex) {
    return countAndCall<int (*)(pthread_mutex_t*)>(kMutexUnlock, mutex);
}

int pthread_rwlock_rdlock(pthread_rwlock_t* lock) {
    return countAndCall<int (*)(pthread_rwlock_t*)>(kRwlockRdlock, lock);
}
int pthread_rwlock_wrlock(pthread_rwlock_t* lock) {
    return countAndCall<int (*)(pthread_rwlock_t*)>(kRwlockWrlock, lock);
}
int pthread_rwlock_tryrdlock(pthread_rwlock_t* lock) {
    return countAndCall<int (*)(pthread_rwlock_t*)>(kRwlockTryrdlock, lock);
}
int pthread_rwlock_trywrlock(pthread_rwlock_t* lock) {
    return countAndCall<int (*)(pthread_rwlock_t*)>(kRwlockTrywrlock, lock);
}
int pthread_rwlock_timedrdlock(pthread_rwlock_t* lock, const timespec* until) {
    return countAndCall<int (*)(pthread_rwlock_t*, const timespec*)>(kRwlockTimedrdlock, lock, until);
}
int pthread_rwlock_timedwrlock(pthread_rwlock_t* lock, const timespec* until) {
    return countAndCall<int (*)(pthread_rwlock_t*, const timespec*)>(kRwlockTimedwrlock, lock, until);
}
int pthread_rwlock_clockrdlock(pthread_rwlock_t* lock, clockid_t clock, const timespec* until) {
    return countAndCall<int (*)(pthread_rwlock_t*, clockid_t, const timespec*)>(kRwlockClockrdlock, lock, clock, until);
}
int pthread_rwlock_clockwrlock(pthread_rwlock_t* lock, clockid_t clock, const timespec* until) {
    return countAndCall<int (*)(pthread_rwlock_t*, clockid_t, const timespec*)>(kRwlockClockwrlock, lock, clock, until);
}
int pthread_rwlock_unlock(pthread_rwlock_t* lock) {
    return countAndCall<int (*)(pthread_rwlock_t*)>(kRwlockUnlock, lock);
}

int pthread_cond_wait(pthread_cond_t* condition, pthread_mutex_t* mutex) {
    return countAndCall<int (*)(pthread_cond_t*, pthread_mutex_t*)>(kCondWait, condition, mutex);
}
int pthread_cond_timedwait(pthread_cond_t* condition, pthread_mutex_t* mutex, const timespec* until) {
    return countAndCall<int (*)(pthread_cond_t*, pthread_mutex_t*, const timespec*)>(kCondTimedwait, condition, mutex,
                                                                                     until);
}
int pthread_cond_clockwait(pthread_cond_t* condition, pthread_mutex_t* mutex, clockid_t clock, const timespec* until) {
    return countAndCall<int (*)(pthread_cond_t*, pthread_mutex_t*, clockid_t, const timespec*)>(
        kCondClockwait, condition, mutex, clock, until);
}

int nanosleep(const timespec* duration, timespec* left) {
    return countAndCall<int (*)(const timespec*, timespec*)>(kNanosleep, duration, left);
}
int clock_nanosleep(clockid_t clock, int flags, const timespec* duration, timespec* left) {
    return countAndCall<int (*)(clockid_t, int, const timespec*, timespec*)>(kClockNanosleep, clock, flags, duration,
                                                                             left);
}
int usleep(useconds_t microseconds) { return countAndCall<int (*)(useconds_t)>(kUsleep, microseconds); }
unsigned int sleep(unsigned int seconds) { return countAndCall<unsigned int (*)(unsigned int)>(kSleep, seconds); }

ssize_t write(int descriptor, const void* bytes, std::size_t count) {
    return countAndCall<ssize_t (*)(int, const void*, std::size_t)>(kWrite, descriptor, bytes, count);
}

}  // extern "C"

// Every replaceable form of operator new and delete.
void* operator new(std::size_t size) { return countAndCall<NewFunction>(kNew, size); }
void* operator new[](std::size_t size) { return countAndCall<NewFunction>(kNewArray, size); }
void* operator new(std::size_t size, const std::nothrow_t& tag) noexcept {
    return countAndCall<NewNothrowFunction>(kNewNothrow, size, tag);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return countAndCall<NewNothrowFunction>(kNewArrayNothrow, size, tag);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return countAndCall<NewAlignedFunction>(kNewAligned, size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return countAndCall<NewAlignedFunction>(kNewArrayAligned, size, alignment);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t& tag) noexcept {
    return countAndCall<NewAlignedNothrowFunction>(kNewAlignedNothrow, size, alignment, tag);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t& tag) noexcept {
    return countAndCall<NewAlignedNothrowFunction>(kNewArrayAlignedNothrow, size, alignment, tag);
}

void operator delete(void* pointer) noexcept { countAndCall<DeleteFunction>(kDelete, pointer); }
void operator delete[](void* pointer) noexcept { countAndCall<DeleteFunction>(kDeleteArray, pointer); }
void operator delete(void* pointer, std::size_t size) noexcept {
    countAndCall<DeleteSizedFunction>(kDeleteSized, pointer, size);
}
void operator delete[](void* pointer, std::size_t size) noexcept {
    countAndCall<DeleteSizedFunction>(kDeleteArraySized, pointer, size);
}
void operator delete(void* pointer, std::align_val_t alignment) noexcept {
    countAndCall<DeleteAlignedFunction>(kDeleteAligned, pointer, alignment);
}
void operator delete[](void* pointer, std::align_val_t alignment) noexcept {
    countAndCall<DeleteAlignedFunction>(kDeleteArrayAligned, pointer, alignment);
}
void operator delete(void* pointer, std::size_t size, std::align_val_t alignment) noexcept {
    countAndCall<DeleteSizedAlignedFunction>(kDeleteSizedAligned, pointer, size, alignment);
}
void operator delete[](void* pointer, std::size_t size, std::align_val_t alignment) noexcept {
    countAndCall<DeleteSizedAlignedFunction>(kDeleteArraySizedAligned, pointer, size, alignment);
}
void operator delete(void* pointer, const std::nothrow_t& tag) noexcept {
    countAndCall<DeleteNothrowFunction>(kDeleteNothrow, pointer, tag);
}
void operator delete[](void* pointer, const std::nothrow_t& tag) noexcept {
    countAndCall<DeleteNothrowFunction>(kDeleteArrayNothrow, pointer, tag);
}
void operator delete(void* pointer, std::align_val_t alignment, const std::nothrow_t& tag) noexcept {
    countAndCall<DeleteAlignedNothrowFunction>(kDeleteAlignedNothrow, pointer, alignment, tag);
}
void operator delete[](void* pointer, std::align_val_t alignment, const std::nothrow_t& tag) noexcept {
    countAndCall<DeleteAlignedNothrowFunction>(kDeleteArrayAlignedNothrow, pointer, alignment, tag);
}
