#include "skin/data/Winconvert_huffman.h"

#include <algorithm>
#include <bit>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace relayon::skin::lzh {
namespace {

// Last index l >= from with counts[l] < k, given counts[from] < k, the
// counts non-decreasing and a count >= k (the sentinel) ahead. The runs of
// equal counts that an update skips are often several nodes long, so eight
// counts are checked per step; a node-by-node loop would mispredict its
// exit on nearly every exchange.
inline int LastBelow(const uint16_t* counts, int from, unsigned k) {
#if defined(__SSE2__)
    const __m128i key = _mm_set1_epi16(static_cast<short>(k));
    for (int i = from + 1;; i += 8) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(counts + i));
        // Lanes with counts >= k saturate k - count to zero.
        const __m128i atLeast = _mm_cmpeq_epi16(_mm_subs_epu16(key, block), _mm_setzero_si128());
        if (const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(atLeast)))
            return i + std::countr_zero(mask) / 2 - 1;
    }
#else
    int l = from;
    while (k > counts[l + 1]) ++l;
    return l;
#endif
}

}  // namespace

void AdaptiveHuffman::StartHuff() {
    for (int i = 0; i < N_CHAR; ++i) {
        freq[i] = 1;
        son[i] = static_cast<int16_t>(i + T);
        prnt[i + T] = static_cast<int16_t>(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
        freq[j] = static_cast<uint16_t>(freq[i] + freq[i + 1]);
        son[j] = static_cast<int16_t>(i);
        prnt[i] = prnt[i + 1] = static_cast<int16_t>(j);
    }
    for (int i = T; i <= T + kScanPadding; ++i) freq[i] = 0xFFFF;
    prnt[R] = 0;
    rebuilds_ = 0;
}

void AdaptiveHuffman::reconst() {
    ++rebuilds_;
    // Leaves to the front, in their current order, counts halved rounding up.
    int j = 0;
    for (int i = 0; i < T; ++i) {
        if (son[i] >= T) {
            freq[j] = static_cast<uint16_t>((freq[i] + 1) / 2);
            son[j] = son[i];
            ++j;
        }
    }
    // Pair nodes from the front; each new inner node is inserted where its
    // frequency keeps the table sorted (after any equal ones).
    for (int i = 0, node = N_CHAR; node < T; i += 2, ++node) {
        const unsigned f = static_cast<unsigned>(freq[i]) + freq[i + 1];
        freq[node] = static_cast<uint16_t>(f);
        int k = node - 1;
        while (f < freq[k]) --k;
        ++k;
        std::copy_backward(freq + k, freq + node, freq + node + 1);
        std::copy_backward(son + k, son + node, son + node + 1);
        freq[k] = static_cast<uint16_t>(f);
        son[k] = static_cast<int16_t>(i);
    }
    for (int i = 0; i < T; ++i) {
        const int k = son[i];
        if (k >= T) {
            prnt[k] = static_cast<int16_t>(i);
        } else {
            prnt[k] = prnt[k + 1] = static_cast<int16_t>(i);
        }
    }
}

int AdaptiveHuffman::exchange(int c, unsigned k) {
    // The table is sorted, so the nodes past c that are now smaller than k
    // form one run; c trades places with the run's last node.
    const int l = LastBelow(freq, c + 1, k);
    freq[c] = freq[l];
    freq[l] = static_cast<uint16_t>(k);

    // An inner node's right child is son + 1; a leaf has none, and its
    // second parent write goes to the scratch entry instead (no branch on
    // leaf or not: that is about as often one as the other).
    const int i = son[c];
    prnt[i] = static_cast<int16_t>(l);
    prnt[i < T ? i + 1 : kScratchParent] = static_cast<int16_t>(l);

    const int j = son[l];
    son[l] = static_cast<int16_t>(i);

    prnt[j] = static_cast<int16_t>(c);
    prnt[j < T ? j + 1 : kScratchParent] = static_cast<int16_t>(c);
    son[c] = static_cast<int16_t>(j);
    return l;
}

void AdaptiveHuffman::climb(int c) {
    do {
        const unsigned k = ++freq[c];
        if (k > freq[c + 1]) c = exchange(c, k);
        c = prnt[c];
    } while (c != 0);  // the root's parent entry is 0, and no other node has parent 0
}

void AdaptiveHuffman::update(int c) {
    if (freq[R] == MAX_FREQ) reconst();
    climb(prnt[c + T]);
}

void AdaptiveHuffman::updateAlong(int c, const int16_t* path, int count) {
    if (freq[R] == MAX_FREQ) {  // the rebuild reshapes the tree: the path is stale
        update(c);
        return;
    }
    for (int level = count - 1; level >= 0; --level) {
        const int node = path[level];
        const unsigned k = ++freq[node];
        if (k > freq[node + 1]) [[unlikely]] {
            // The counted node moves; above it the path no longer applies.
            const int parent = prnt[exchange(node, k)];
            if (parent != 0) climb(parent);
            return;
        }
    }
}

int AdaptiveHuffman::DecodeDeepChar(BitReader& in, int node, int used) {
    in.Skip(used);
    for (int child; (child = son[node]) < T;) node = child + static_cast<int>(in.GetBit());
    const int c = son[node] - T;
    update(c);
    return c;
}

int AdaptiveHuffman::CodeLength(int c) const {
    int length = 0;
    int k = prnt[c + T];
    do {
        ++length;
        k = prnt[k];
    } while (k != R);
    return length;
}

bool AdaptiveHuffman::IsConsistent() const {
    if (freq[T] != 0xFFFF || prnt[R] != 0) return false;
    for (int i = 0; i + 1 < T; ++i)
        if (freq[i] > freq[i + 1]) return false;
    std::vector<int> seen(N_CHAR, 0);
    for (int i = 0; i < T; ++i) {
        const int s = son[i];
        if (s >= T) {
            if (s - T >= N_CHAR || prnt[s] != i) return false;
            ++seen[s - T];
        } else {
            if (s < 0 || s + 1 >= i) return false;  // children sit below their parent
            if (prnt[s] != i || prnt[s + 1] != i) return false;
            if (freq[i] != freq[s] + freq[s + 1]) return false;
        }
    }
    return std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; });
}

}  // namespace relayon::skin::lzh
