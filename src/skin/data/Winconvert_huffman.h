#pragma once
// Adaptive Huffman model of the LZH coder: 314 symbols (bytes 0..255, match
// lengths 3..60 as 256..313) in a 627-node tree kept in the sibling order
// (frequencies non-decreasing with the node index, the root last). Every
// coded symbol adds one to its leaf and ancestors; nodes that fall out of
// order are exchanged; when the root reaches MAX_FREQ all counts are halved
// and the tree is rebuilt. Encoder and decoder run the same updates, so they
// stay in step without any side information.

#include <cstdint>

#include "skin/data/Winconvert_bits.h"
#include "skin/data/Winconvert_tables.h"

namespace relayon::skin::lzh {

class AdaptiveHuffman {
public:
    AdaptiveHuffman() { StartHuff(); }

    // Fresh tree: every symbol has frequency 1.
    void StartHuff();

    // Emits the code of symbol c (root bit first) and counts it.
    void EncodeChar(BitWriter& out, int c) {
        // The climb from the leaf gives the code and the path the count
        // update takes; the path is stored root first at the end of `path`.
        int16_t path[kPathCapacity];
        int first = kPathCapacity;
        uint64_t code = 0;
        int length = 0;
        int k = prnt[c + T];
        do {
            if (first > 1) path[--first] = static_cast<int16_t>(k);
            code |= static_cast<uint64_t>(k & 1) << length;
            ++length;
            k = prnt[k];
        } while (k != R);
        // Codes can exceed 16 bits on skewed input; they go out whole.
        if (length > 32) {
            out.Put(length - 32, static_cast<uint32_t>(code >> 32));
            length = 32;
        }
        out.Put(length, static_cast<uint32_t>(code & (length == 32 ? 0xFFFFFFFFu : ((1u << length) - 1))));
        if (length + 1 >= kPathCapacity) {  // deeper than the path buffer: climb by the links
            update(c);
            return;
        }
        path[--first] = static_cast<int16_t>(R);
        updateAlong(c, path + first, kPathCapacity - first);
    }

    // Reads one symbol, walking from the root one bit at a time, and counts it.
    int DecodeChar(BitReader& in) {
        // The window holds at least 57 bits, more than any path kept here,
        // so the walk needs no refill check; the nodes passed are kept for
        // the count update. A deeper walk continues in DecodeDeepChar.
        static_assert(kPathCapacity <= 57);
        int16_t path[kPathCapacity];
        path[0] = static_cast<int16_t>(R);
        uint64_t bits = in.Window();
        int node = R;
        int depth = 0;
        for (int child; (child = son[node]) < T;) {
            if (depth == kPathCapacity - 1) [[unlikely]]
                return DecodeDeepChar(in, node, depth);
            node = child + static_cast<int>(bits >> 63);
            bits <<= 1;
            path[++depth] = static_cast<int16_t>(node);
        }
        in.Skip(depth);
        const int c = son[node] - T;
        updateAlong(c, path, depth + 1);
        return c;
    }

    // Adds one to symbol c's leaf and its ancestors, restoring the order.
    void update(int c);
    // The same, given the nodes from the root (path[0] == R) down to c's
    // leaf (path[count - 1]). Until a node has to move, the ancestors come
    // from this list instead of a chain of dependent parent-link loads.
    void updateAlong(int c, const int16_t* path, int count);

    // --- inspection (tests, fuzzing) ---
    unsigned RootFrequency() const { return freq[R]; }
    int Rebuilds() const { return rebuilds_; }
    // Number of bits in the current code of symbol c.
    int CodeLength(int c) const;
    // Checks the tree invariants: sibling order, parent links, each inner
    // node's frequency the sum of its children's, every symbol reachable.
    bool IsConsistent() const;
    // Same counts, same tree, same number of rebuilds.
    bool operator==(const AdaptiveHuffman&) const = default;

private:
    // DecodeChar past kPathCapacity - 1 levels: `node` was reached with the
    // first `used` bits of the window; walks on with refills and counts the
    // symbol by the parent links.
    int DecodeDeepChar(BitReader& in, int node, int used);

    // Longest path kept for updateAlong, root and leaf included. Codes of
    // 16 bits and more are rare (the tree is a Huffman tree of its counts);
    // the encoder counts those symbols by the parent links, and so does the
    // decoder from 17 bits on.
    static constexpr int kPathCapacity = 17;

    void reconst();
    // The update's climb from node c (not 0) to the root.
    void climb(int c);
    // Moves counted node c (count k now above its right neighbour's) past
    // the run of smaller nodes; returns its new index.
    int exchange(int c, unsigned k);

    // freq[T] is a 0xFFFF sentinel that ends the exchange scan; the entries
    // after it (also 0xFFFF) let that scan read eight counts at a time.
    static constexpr int kScanPadding = 7;
    uint16_t freq[T + 1 + kScanPadding];
    // Parent of each node; prnt[T + s] = leaf node of symbol s; the last
    // entry absorbs writes that have no node to go to.
    static constexpr int kScratchParent = T + N_CHAR;
    int16_t prnt[T + N_CHAR + 1] = {};
    int16_t son[T];             // left child of an inner node (right = son + 1), or T + symbol
    int rebuilds_ = 0;
};

}  // namespace relayon::skin::lzh
