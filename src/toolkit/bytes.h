// A read-only view of bytes: picture files, fonts and icon data handed around by value.
#pragma once
#include <cstddef>
#include <cstdint>

namespace vl {

struct Bytes {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;

  bool empty() const { return data == nullptr || size == 0; }
};

}  // namespace vl
