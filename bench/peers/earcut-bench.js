// earcut (the npm package) on the peer inputs that rollpath_peer_inputs
// writes: for every size, the median over five runs of the CPU time one pass
// over all its polygons takes (the process's user and system time, as the
// C++ benchmarks count theirs), each run repeated for at least 0.2 s.
//   node earcut-bench.js INPUTS.json > earcut.json   (earcut from NODE_PATH)
'use strict';
const fs = require('fs');
const earcut = require('earcut').default || require('earcut');

const inputs = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
const result = {};
for (const [size, polygons] of Object.entries(inputs)) {
    let triangles = 0;
    const pass = () => {
        triangles = 0;
        for (const p of polygons) {
            triangles += earcut(p).length / 3;
        }
    };
    for (let i = 0; i < 20; ++i) pass();  // let the JIT compile it
    const runs = [];
    for (let r = 0; r < 5; ++r) {
        let passes = 0;
        const start = process.cpuUsage();
        let used = 0;
        do {
            pass();
            ++passes;
            const now = process.cpuUsage(start);
            used = now.user + now.system;
        } while (used < 200000);
        runs.push(used / passes);
    }
    runs.sort((a, b) => a - b);
    result[size] = {us: runs[2], polygons: polygons.length, triangles};
}
process.stdout.write(JSON.stringify(result, null, 1) + '\n');
