#include "document/FreedVertexPool.h"

#include <mutex>
#include <utility>

namespace rollpath {

namespace {

// Constant-initialised, so that documents of static lifetime are closed
// while it still exists.
constinit std::mutex g_Mutex;
constinit std::vector<NetworkVertex> g_Freed;

}  // namespace

std::vector<NetworkVertex> TakeFreedVertexPool() {
    std::vector<NetworkVertex> pool;
    {
        const std::lock_guard lock(g_Mutex);
        pool.swap(g_Freed);
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
    if (g_Freed.capacity() < leaving.capacity()) {
        g_Freed.swap(leaving);
    }
}

}  // namespace rollpath
