// Writes the peer comparison's inputs as JSON for peers outside C++ (earcut
// under Node): {"16": [[x0, y0, x1, y1, ...]], ..., "0": [...]}, each polygon
// as a flat list of coordinates, the form earcut takes.

#include <charconv>
#include <cstdio>
#include <string>

#include "bench/PeerInputs.h"

int main() {
    std::string json = "{";
    bool firstSize = true;
    for (const int n : {16, 64, 256, 1024, 1999, 0}) {
        json += (firstSize ? "\n\"" : ",\n\"") + std::to_string(n) + "\": [";
        firstSize = false;
        bool firstPolygon = true;
        for (const auto& polygon : rollpath::PeerInputs(n)) {
            json += firstPolygon ? "[" : ",[";
            firstPolygon = false;
            bool firstNumber = true;
            for (const rollpath::DPoint& p : polygon) {
                for (const double v : {p.x, p.y}) {
                    char buffer[32];
                    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
                    json += firstNumber ? "" : ",";
                    json.append(buffer, end);
                    firstNumber = false;
                }
            }
            json += "]";
        }
        json += "]";
    }
    json += "\n}\n";
    std::fwrite(json.data(), 1, json.size(), stdout);
    return 0;
}
