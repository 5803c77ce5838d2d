#include "skin/data/Winconvert_matcher.h"

#include <bit>
#include <cstring>

namespace relayon::skin::lzh {
namespace {

uint64_t LoadWord(const uint8_t* p) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

// Common prefix of two F-byte strings known to agree on bytes 0..from-1:
// the first index where they differ, or F.
inline int CommonLengthFrom(const uint8_t* key, const uint8_t* other, int from) {
    if constexpr (std::endian::native == std::endian::little) {
        for (int i = from; i < F; i += 8) {
            if (const uint64_t diff = LoadWord(key + i) ^ LoadWord(other + i)) {
                const int at = i + std::countr_zero(diff) / 8;
                return at < F ? at : F;
            }
        }
        return F;
    } else {
        int i = from;
        while (i < F && key[i] == other[i]) ++i;
        return i;
    }
}

}  // namespace

MatchTrees::MatchTrees() {
    std::memset(text_buf, 0, sizeof text_buf);
    for (int i = 0; i < N + 257; ++i) {
        son_[i][0] = son_[i][1] = NIL;
        dad[i] = NIL;
    }
}

void MatchTrees::InsertNode(int r) {
    const uint8_t* key = &text_buf[r];
    int p = N + 1 + key[0];
    lson(r) = rson(r) = NIL;
    match_length = 0;
    if (rson(p) == NIL) {  // the first step from a root always goes right
        rson(p) = static_cast<uint16_t>(r);
        dad[r] = static_cast<uint16_t>(p);
        return;
    }
    p = rson(p);
    // Bytes 1..8 decide most comparisons. The key's stay in a register; the
    // next node's are loaded for both children before the comparison at the
    // current node has chosen one, which keeps the search off the critical
    // path of a mispredicted branch. (NIL's bytes are read but never used.)
    const uint64_t keyHead = LoadWord(key + 1);
    uint64_t head = LoadWord(&text_buf[p + 1]);
    int bestLength = 0;
    int bestPosition = match_position;
    for (;;) {
        const int left = lson(p);
        const int right = rson(p);
        const uint64_t leftHead = LoadWord(&text_buf[left + 1]);
        const uint64_t rightHead = LoadWord(&text_buf[right + 1]);

        int i;
        int cmp;
        if (std::endian::native == std::endian::little && keyHead != head) {
            const int shift = std::countr_zero(keyHead ^ head) & ~7;
            i = 1 + shift / 8;
            cmp = static_cast<int>((keyHead >> shift) & 0xFF) - static_cast<int>((head >> shift) & 0xFF);
        } else {
            const uint8_t* other = &text_buf[p];
            i = CommonLengthFrom(key, other, 1);
            cmp = i < F ? static_cast<int>(key[i]) - static_cast<int>(other[i]) : 0;
        }
        // Longer match, or as long and nearer (only among the nodes on this path).
        const int position = ((r - p) & (N - 1)) - 1;
        const bool better = i > THRESHOLD && (i > bestLength || (i == bestLength && position < bestPosition));
        bestPosition = better ? position : bestPosition;
        bestLength = better ? i : bestLength;
        if (bestLength >= F) break;

        const bool goRight = cmp >= 0;
        const int next = goRight ? right : left;
        if (next == NIL) {
            son_[p][goRight] = static_cast<uint16_t>(r);
            dad[r] = static_cast<uint16_t>(p);
            match_position = bestPosition;
            match_length = bestLength;
            return;
        }
        head = goRight ? rightHead : leftHead;
        p = next;
    }
    match_position = bestPosition;
    match_length = bestLength;
    // Full-length match: r takes p's place in the tree.
    dad[r] = dad[p];
    lson(r) = lson(p);
    rson(r) = rson(p);
    dad[lson(p)] = static_cast<uint16_t>(r);
    dad[rson(p)] = static_cast<uint16_t>(r);
    if (rson(dad[p]) == p) {
        rson(dad[p]) = static_cast<uint16_t>(r);
    } else {
        lson(dad[p]) = static_cast<uint16_t>(r);
    }
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
    if (rson(dad[p]) == p) {
        rson(dad[p]) = static_cast<uint16_t>(q);
    } else {
        lson(dad[p]) = static_cast<uint16_t>(q);
    }
    dad[p] = NIL;
}

}  // namespace relayon::skin::lzh
