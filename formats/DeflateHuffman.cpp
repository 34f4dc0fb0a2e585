// The tree is built by the two-queue method over the symbols sorted by
// frequency. When it is deeper than allowed, the frequencies are halved
// (kept above zero) and the tree built again: flatter frequencies give a
// shallower tree, and the cost in size is small for the rare block that
// needs it.
#include "DeflateHuffman.h"

#include <algorithm>
#include <vector>

namespace {
// Depths of a Huffman tree over freq (all non-zero, sorted ascending).
int TreeDepths(const std::vector<uint32_t>& freq, std::vector<int>& depth)
{
    const int n = int(freq.size());
    // Nodes 0..n-1 are leaves, n.. internal; parent links give depths.
    std::vector<uint64_t> weight(freq.begin(), freq.end());
    std::vector<int> parent(2 * n - 1, -1);
    weight.resize(2 * n - 1);
    int leaf = 0, internal = n, made = n;
    auto takeSmallest = [&]() {
        if (leaf < n && (internal == made || weight[leaf] <= weight[internal])) return leaf++;
        return internal++;
    };
    while (made < 2 * n - 1) {
        const int a = takeSmallest();
        const int b = takeSmallest();
        weight[made] = weight[a] + weight[b];
        parent[a] = parent[b] = made;
        ++made;
    }
    std::vector<int> nodeDepth(2 * n - 1, 0);
    int maxDepth = 0;
    for (int i = 2 * n - 3; i >= 0; --i) nodeDepth[i] = nodeDepth[parent[i]] + 1;
    depth.assign(nodeDepth.begin(), nodeDepth.begin() + n);
    for (int d : depth) maxDepth = std::max(maxDepth, d);
    return maxDepth;
}
}

void BuildCodeLengths(const uint32_t* frequencies, int count, int maxLength, uint8_t* lengths)
{
    std::fill(lengths, lengths + count, uint8_t(0));
    std::vector<int> used;
    for (int i = 0; i < count; ++i)
        if (frequencies[i]) used.push_back(i);
    if (used.size() < 2) {
        const int first = used.empty() ? 0 : used[0];
        lengths[first] = 1;
        lengths[first == 0 ? 1 : 0] = 1;
        return;
    }
    std::vector<uint32_t> freq(frequencies, frequencies + count);
    std::vector<int> depth;
    for (;;) {
        std::stable_sort(used.begin(), used.end(), [&](int a, int b) { return freq[a] < freq[b]; });
        std::vector<uint32_t> sorted;
        for (int symbol : used) sorted.push_back(freq[symbol]);
        if (TreeDepths(sorted, depth) <= maxLength) break;
        for (int symbol : used) freq[symbol] = (freq[symbol] >> 1) | 1;
    }
    for (size_t i = 0; i < used.size(); ++i) lengths[used[i]] = uint8_t(depth[i]);
}

void BuildReversedCodes(const uint8_t* lengths, int count, uint16_t* codes)
{
    int lengthCount[16] = {};
    for (int i = 0; i < count; ++i) ++lengthCount[lengths[i]];
    lengthCount[0] = 0;
    uint32_t next[16] = {};
    uint32_t code = 0;
    for (int length = 1; length < 16; ++length) {
        code = (code + uint32_t(lengthCount[length - 1])) << 1;
        next[length] = code;
    }
    for (int i = 0; i < count; ++i) {
        const int length = lengths[i];
        uint32_t c = length ? next[length]++ : 0, r = 0;
        for (int b = 0; b < length; ++b) r |= ((c >> b) & 1) << (length - 1 - b);
        codes[i] = uint16_t(r);
    }
}
