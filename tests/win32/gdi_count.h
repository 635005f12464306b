// Counts this process's GDI objects from the handle table the system publishes
// in the PEB; GetGuiResources cannot be used, since Wine only stubs it.
#pragma once

#include <cstddef>

namespace zentick::win32::testing {

// The in-use entries of the GDI handle table that belong to this process.
std::size_t GdiObjectCount();

}  // namespace zentick::win32::testing
