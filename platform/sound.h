// Plays a sound resource of the program's own module, asynchronously.
#pragma once

#include <string>

namespace zentick {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Starting a sound stops the one still playing; a name without a resource
  // plays the system's default sound. The result is not looked at by callers.
  virtual bool PlayResource(const std::string& name) = 0;
};

}  // namespace zentick
