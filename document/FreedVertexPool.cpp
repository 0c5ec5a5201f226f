#include "document/FreedVertexPool.h"

#include <array>
#include <mutex>
#include <utility>

namespace rollpath {

namespace {

// Constant-initialised, so that documents of static lifetime are closed
// while they still exist. Two: a document holds a spare pool beside its own
// once it has loaded a second airport.
constinit std::mutex g_Mutex;
constinit std::array<std::vector<NetworkVertex>, 2> g_Freed;

}  // namespace

std::vector<NetworkVertex> TakeFreedVertexPool() {
    std::vector<NetworkVertex> pool;
    {
        const std::lock_guard lock(g_Mutex);
        for (std::vector<NetworkVertex>& freed : g_Freed) {
            if (freed.capacity() != 0) {
                pool.swap(freed);
                break;
            }
        }
    }
    if (pool.capacity() < static_cast<std::size_t>(kMaxVertices)) {
        pool.reserve(kMaxVertices);
    }
    return pool;
}

void KeepFreedVertexPool(std::vector<NetworkVertex>& pool) {
    std::vector<NetworkVertex> leaving;
    leaving.swap(pool);
    if (leaving.capacity() < static_cast<std::size_t>(kMaxVertices)) {
        return;
    }
    leaving.clear();
    const std::lock_guard lock(g_Mutex);
    for (std::vector<NetworkVertex>& freed : g_Freed) {
        if (freed.capacity() == 0) {
            freed.swap(leaving);
            break;
        }
    }
}

}  // namespace rollpath
