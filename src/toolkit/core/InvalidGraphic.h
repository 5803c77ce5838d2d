#pragma once
// The image error: bytes that claim to be a picture but are not a usable one.
// It leaves the image being loaded untouched and carries a readable reason.
#include <stdexcept>
#include <string>

class EInvalidGraphic : public std::runtime_error {
public:
    explicit EInvalidGraphic(const std::string& reason) : std::runtime_error("Invalid graphic: " + reason) {}
};
