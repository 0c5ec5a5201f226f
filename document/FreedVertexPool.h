#pragma once

// The vertex pools of the last documents closed, kept for the next ones:
// taking the room of kMaxVertices slots costs more than reading most
// airports, and batch builds and scripted sessions make one document after
// another.

#include <vector>

#include "document/Records.h"

namespace rollpath {

// An empty pool with room for kMaxVertices slots, the kept one when there is.
std::vector<NetworkVertex> TakeFreedVertexPool();

// Keeps the pool's room (emptied) when there is room to keep it; the pool is left
// empty either way.
void KeepFreedVertexPool(std::vector<NetworkVertex>& pool);

}  // namespace rollpath
