#pragma once

#include <utility>
#include <variant>

namespace tessvane::decode {

// Why a decoder refused its input. decodePicture collapses every reason to "none";
// tests look at the reason so that a file refused by the wrong rule is caught.
enum class DecodeFailure {
    truncated,    // the data ends before something the format requires
    badHeader,    // a header field breaks the format's rules
    unsupported,  // a valid variant this program does not read
    tooLarge,     // the picture would exceed a resource limit (limits.h)
    corruptData,  // the pixel data itself cannot be decoded
};

// A decoder step's outcome: a value or the reason there is none.
template <typename T>
class [[nodiscard]] DecodeResult {
public:
    DecodeResult(T value) : m_state(std::move(value)) {}  // NOLINT: implicit by design
    DecodeResult(DecodeFailure failure) : m_state(failure) {}  // NOLINT: implicit by design

    [[nodiscard]] bool ok() const noexcept { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const noexcept { return ok(); }

    [[nodiscard]] T& value() & { return std::get<T>(m_state); }
    [[nodiscard]] const T& value() const& { return std::get<T>(m_state); }
    [[nodiscard]] T&& value() && { return std::get<T>(std::move(m_state)); }
    [[nodiscard]] T* operator->() { return &value(); }
    [[nodiscard]] const T* operator->() const { return &value(); }

    [[nodiscard]] DecodeFailure failure() const { return std::get<DecodeFailure>(m_state); }

private:
    std::variant<T, DecodeFailure> m_state;
};

}  // namespace tessvane::decode
