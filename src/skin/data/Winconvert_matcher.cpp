#include "skin/data/Winconvert_matcher.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace relayon::skin::lzh {
namespace {

// Eight bytes as a number whose most significant byte is p[0], on any host:
// comparing two such numbers compares the byte strings, and the first
// differing byte is found by counting leading zeros of their XOR.
inline uint64_t LoadBigEndianWord(const uint8_t* p) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    if constexpr (std::endian::native == std::endian::little) w = __builtin_bswap64(w);
    return w;
}

// Common prefix of two F-byte strings known to agree on bytes 0..from-1:
// the first index where they differ, or F.
inline int CommonLengthFrom(const uint8_t* key, const uint8_t* other, int from) {
    for (int i = from; i < F; i += 8) {
        if (const uint64_t diff = LoadBigEndianWord(key + i) ^ LoadBigEndianWord(other + i)) {
            const int at = i + std::countl_zero(diff) / 8;
            return at < F ? at : F;
        }
    }
    return F;
}

// Moves to the right child (next = right, nextHead = rightHead) when
// `goRight`, without a branch. On x86-64 the compiler turns a plain ?: here
// into a conditional jump, so the two conditional moves are written out,
// driven by the same comparison (keyHead >= head) that gave `goRight`; bytes
// past the first eight (equalHeads) only arise on the rare slow path.
inline void ChooseChild(unsigned goRight, bool equalHeads, uint64_t keyHead, uint64_t head, size_t& next,
                        uint64_t& nextHead, size_t right, uint64_t rightHead) {
#if defined(__GNUC__) && defined(__x86_64__)
    if (!equalHeads) {
        asm("cmpq %[head], %[key]\n\t"
            "cmovaeq %[right], %[next]\n\t"
            "cmovaeq %[rightHead], %[nextHead]"
            : [next] "+r"(next), [nextHead] "+r"(nextHead)
            : [key] "r"(keyHead), [head] "r"(head), [right] "r"(right), [rightHead] "r"(rightHead)
            : "cc");
        return;
    }
#endif
    const uint64_t rightMask = uint64_t{0} - goRight;
    next ^= (next ^ right) & rightMask;
    nextHead ^= (nextHead ^ rightHead) & rightMask;
}

}  // namespace

MatchTrees::MatchTrees() {
    std::memset(text_buf, 0, sizeof text_buf);
    for (int i = 0; i < N + 257; ++i) {
        son_[i][0] = son_[i][1] = NIL;
        dad[i] = NIL;
    }
}

void MatchTrees::InsertNode(int r) { Insert<true>(r); }

void MatchTrees::InsertNodeSkippingMatch(int r) { Insert<false>(r); }

template <bool kFindMatch>
void MatchTrees::Insert(int r) {
    const uint8_t* key = &text_buf[r];
    int p = N + 1 + key[0];
    lson(r) = rson(r) = NIL;
    if (kFindMatch) match_length = 0;
    if (rson(p) == NIL) {  // the first step from a root always goes right
        rson(p) = static_cast<uint16_t>(r);
        dad[r] = static_cast<uint16_t>(p);
        return;
    }
    // Node indices are 64-bit inside the walk: a node's bytes are then read
    // at text_buf + index + 1 by the load's own addressing, without a sign
    // extension or an add in front of each of the two dependent loads.
    size_t node = rson(p);
    // Bytes 1..8 decide most comparisons, read as big-endian numbers so that
    // one integer comparison orders them. The key's stay in a register; the
    // next node's are loaded for both children before the comparison at the
    // current node has chosen one, and the choice is a conditional move, not
    // a branch: the direction taken at each node is close to random, so a
    // branch there would be mispredicted about every other node. This keeps
    // the walk at one dependent load of the children plus one of their bytes
    // per node. (NIL's bytes are read but never used.)
    const uint64_t keyHead = LoadBigEndianWord(key + 1);
    const uint8_t* const bytesAfterFirst = text_buf + 1;
    uint64_t head = LoadBigEndianWord(bytesAfterFirst + node);
    // Best match so far as one number, (length << 13) | (N - distance): a
    // longer match scores higher, and among equally long ones the nearer.
    // So "longer, or as long and nearer" is a single maximum, and no branch.
    // Below kNoMatch: no match longer than THRESHOLD yet.
    constexpr int kNearnessBits = 13;
    constexpr int kNoMatch = ((THRESHOLD + 1) << kNearnessBits) - 1;
    int bestScore = kNoMatch;
    for (;;) {
        const size_t left = son_[node][0];
        const size_t right = son_[node][1];
        const uint64_t leftHead = LoadBigEndianWord(bytesAfterFirst + left);
        const uint64_t rightHead = LoadBigEndianWord(bytesAfterFirst + right);

        // 1: the key sorts after the node's string or equals it.
        unsigned goRight = keyHead >= head;
        int i = 0;  // common length; only its F case matters when no match is wanted
        if (const uint64_t diff = keyHead ^ head) [[likely]] {
            if (kFindMatch) i = 1 + std::countl_zero(diff) / 8;
        } else {
            const uint8_t* other = &text_buf[node];
            i = CommonLengthFrom(key, other, 9);
            goRight = i >= F || key[i] > other[i];
        }
        if (kFindMatch) {
            // Only the nodes on this path are candidates.
            const int nearness = N - ((r - static_cast<int>(node)) & (N - 1));
            bestScore = std::max(bestScore, (i << kNearnessBits) | nearness);
        }
        if (i >= F) break;  // a full-length match is always the best one

        size_t next = left;
        uint64_t nextHead = leftHead;
        ChooseChild(goRight, head == keyHead, keyHead, head, next, nextHead, right, rightHead);
        head = nextHead;
        if (next == NIL) {
            son_[node][goRight] = static_cast<uint16_t>(r);
            dad[r] = static_cast<uint16_t>(node);
            if (kFindMatch) {
                SetBestMatch(bestScore > kNoMatch, bestScore >> kNearnessBits, bestScore & ((1 << kNearnessBits) - 1));
            }
            return;
        }
        node = next;
    }
    p = static_cast<int>(node);
    if (kFindMatch) SetBestMatch(true, F, bestScore & ((1 << kNearnessBits) - 1));
    // Full-length match: r takes p's place in the tree.
    dad[r] = dad[p];
    lson(r) = lson(p);
    rson(r) = rson(p);
    dad[lson(p)] = static_cast<uint16_t>(r);
    dad[rson(p)] = static_cast<uint16_t>(r);
    ReplaceChild(dad[p], p, r);
    dad[p] = NIL;
}

void MatchTrees::DeleteNode(int p) {
    if (dad[p] == NIL) return;
    int q;
    if (rson(p) == NIL) {
        q = lson(p);
    } else if (lson(p) == NIL) {
        q = rson(p);
    } else {
        // Both children: the rightmost node of the left subtree takes p's place.
        q = lson(p);
        if (rson(q) != NIL) {
            do {
                q = rson(q);
            } while (rson(q) != NIL);
            rson(dad[q]) = lson(q);
            dad[lson(q)] = dad[q];
            lson(q) = lson(p);
            dad[lson(p)] = static_cast<uint16_t>(q);
        }
        rson(q) = rson(p);
        dad[rson(p)] = static_cast<uint16_t>(q);
    }
    dad[q] = dad[p];
    ReplaceChild(dad[p], p, q);
    dad[p] = NIL;
}

}  // namespace relayon::skin::lzh
