#include "skin/data/Winconvert_matcher.h"

#include <bit>
#include <cstring>

namespace relayon::skin::lzh {
namespace {

// Length of the common prefix of two F-byte strings known to share byte 0:
// the first index 1..F-1 where they differ, or F.
inline int CommonLength(const uint8_t* key, const uint8_t* other) {
    if constexpr (std::endian::native == std::endian::little) {
        for (int i = 1; i < F; i += 8) {
            uint64_t a;
            uint64_t b;
            std::memcpy(&a, key + i, 8);
            std::memcpy(&b, other + i, 8);
            if (const uint64_t diff = a ^ b) {
                const int at = i + std::countr_zero(diff) / 8;
                return at < F ? at : F;
            }
        }
        return F;
    } else {
        int i = 1;
        while (i < F && key[i] == other[i]) ++i;
        return i;
    }
}

}  // namespace

MatchTrees::MatchTrees() {
    std::memset(text_buf, 0, sizeof text_buf);
    for (int i = N + 1; i <= N + 256; ++i) rson[i] = NIL;
    for (int i = 0; i < N + 257; ++i) dad[i] = NIL;
    // Children of nodes that were never inserted are never read, but keep
    // the tables defined.
    for (int i = 0; i < N + 257; ++i) lson[i] = NIL;
    for (int i = 0; i <= N; ++i) rson[i] = NIL;
}

void MatchTrees::InsertNode(int r) {
    const uint8_t* key = &text_buf[r];
    int cmp = 1;
    int p = N + 1 + key[0];
    rson[r] = lson[r] = NIL;
    match_length = 0;
    for (;;) {
        if (cmp >= 0) {
            if (rson[p] != NIL) {
                p = rson[p];
            } else {
                rson[p] = static_cast<uint16_t>(r);
                dad[r] = static_cast<uint16_t>(p);
                return;
            }
        } else {
            if (lson[p] != NIL) {
                p = lson[p];
            } else {
                lson[p] = static_cast<uint16_t>(r);
                dad[r] = static_cast<uint16_t>(p);
                return;
            }
        }
        const int i = CommonLength(key, &text_buf[p]);
        cmp = i < F ? static_cast<int>(key[i]) - static_cast<int>(text_buf[p + i]) : 0;
        if (i > THRESHOLD) {
            const int position = ((r - p) & (N - 1)) - 1;
            if (i > match_length) {
                match_position = position;
                match_length = i;
                if (match_length >= F) break;
            } else if (i == match_length && position < match_position) {
                match_position = position;  // equal length: the nearer one wins
            }
        }
    }
    // Full-length match: r takes p's place in the tree.
    dad[r] = dad[p];
    lson[r] = lson[p];
    rson[r] = rson[p];
    dad[lson[p]] = static_cast<uint16_t>(r);
    dad[rson[p]] = static_cast<uint16_t>(r);
    if (rson[dad[p]] == p) {
        rson[dad[p]] = static_cast<uint16_t>(r);
    } else {
        lson[dad[p]] = static_cast<uint16_t>(r);
    }
    dad[p] = NIL;
}

void MatchTrees::DeleteNode(int p) {
    if (dad[p] == NIL) return;
    int q;
    if (rson[p] == NIL) {
        q = lson[p];
    } else if (lson[p] == NIL) {
        q = rson[p];
    } else {
        // Both children: the rightmost node of the left subtree takes p's place.
        q = lson[p];
        if (rson[q] != NIL) {
            do {
                q = rson[q];
            } while (rson[q] != NIL);
            rson[dad[q]] = lson[q];
            dad[lson[q]] = dad[q];
            lson[q] = lson[p];
            dad[lson[p]] = static_cast<uint16_t>(q);
        }
        rson[q] = rson[p];
        dad[rson[p]] = static_cast<uint16_t>(q);
    }
    dad[q] = dad[p];
    if (rson[dad[p]] == p) {
        rson[dad[p]] = static_cast<uint16_t>(q);
    } else {
        lson[dad[p]] = static_cast<uint16_t>(q);
    }
    dad[p] = NIL;
}

}  // namespace relayon::skin::lzh
