// Global atoms and the global hot key.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace zentick {

inline constexpr unsigned kModAlt = 0x1;
inline constexpr unsigned kModControl = 0x2;
inline constexpr unsigned kModShift = 0x4;

class HotKeys {
 public:
  virtual ~HotKeys() = default;
  virtual std::uint16_t AddAtom(const std::string& name) = 0;
  virtual void DeleteAtom(std::uint16_t atom) = 0;
  virtual bool Register(WindowId window, std::uint32_t id, unsigned modifiers, unsigned key) = 0;
  virtual void Unregister(WindowId window, std::uint32_t id) = 0;
};

}  // namespace zentick
