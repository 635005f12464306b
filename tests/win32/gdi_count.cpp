#include "gdi_count.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>

namespace zentick::win32::testing {
namespace {

// One entry of the table, laid out as on 64-bit Windows (and in Wine).
struct GdiHandleEntry {
  std::uint64_t kernel_object;
  std::uint16_t process_id;
  std::uint16_t count;
  std::uint16_t unique;
  std::uint16_t type;  // the low 7 bits are 0 in a free entry
  std::uint64_t user_pointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr std::size_t kMaxEntries = 0x10000;   // a handle's index has 16 bits
constexpr std::size_t kGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable on x64

const GdiHandleEntry* HandleTable() {
  using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION info{};
  if (!query ||
      query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) < 0 ||
      !info.PebBaseAddress) {
    return nullptr;
  }
  const auto* peb = reinterpret_cast<const std::uint8_t*>(info.PebBaseAddress);
  return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kGdiTableOffset);
}

// How many entries can be read before the table's mapping ends.
std::size_t ReadableEntries(const GdiHandleEntry* table) {
  const auto* start = reinterpret_cast<const std::uint8_t*>(table);
  const std::uint8_t* p = start;
  const std::uint8_t* const end = start + kMaxEntries * sizeof(GdiHandleEntry);
  while (p < end) {
    MEMORY_BASIC_INFORMATION mbi{};
    if (!VirtualQuery(p, &mbi, sizeof(mbi)) || mbi.State != MEM_COMMIT ||
        (mbi.Protect & (PAGE_NOACCESS | PAGE_GUARD))) {
      break;
    }
    p = static_cast<const std::uint8_t*>(mbi.BaseAddress) + mbi.RegionSize;
  }
  return static_cast<std::size_t>(std::min(p, end) - start) / sizeof(GdiHandleEntry);
}

}  // namespace

std::size_t GdiObjectCount() {
  const GdiHandleEntry* table = HandleTable();
  if (!table) return 0;
  const std::size_t n = ReadableEntries(table);
  // Windows shares one table between the processes of a session; Wine gives
  // each process its own and leaves the owner 0.
  const auto self = static_cast<std::uint16_t>(GetCurrentProcessId());
  std::size_t count = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const GdiHandleEntry& e = table[i];
    if ((e.type & 0x7F) != 0 && (e.process_id == self || e.process_id == 0)) ++count;
  }
  return count;
}

}  // namespace zentick::win32::testing
