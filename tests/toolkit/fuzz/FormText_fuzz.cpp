// Feeds arbitrary bytes to the form text reader: it must either build a tree
// or throw FormTextError, never crash or read outside the input.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "toolkit/core/FormText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        FormObject root = ParseFormText(std::string_view(reinterpret_cast<const char*>(data), size));
        (void)root;
    } catch (const FormTextError&) {
    }
    return 0;
}
