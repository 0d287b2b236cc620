// Linux layer: the program's own resources, the recordings built into it.
//
// Implements FindResourceA, LoadResource, LockResource and SizeofResource
// over the table that resources/CMakeLists.txt assembles into
// the program: every *.WAV file of resources/ is a resource of type "WAVE"
// named after its file ("7.WAV", "7INGLES.WAV"). Nothing is read at run time;
// the bytes are part of the executable and stay valid for the life of the
// process, as the resources of a Windows program's own module do.
// NOTE: those recordings are the only resources: there are no others of any
// type (no version, icon or manifest resources).
// NOTE: hModule is not looked at: the program is the only module, so NULL
// and the instance handle given to WinMain name it alike.
// NOTE: names and types match by ASCII case only; Windows also folds the
// case of other letters.
// NOTE: each resource has one version; there is no choice by language.
// NOTE: a handle that FindResourceA did not give makes LoadResource and
// SizeofResource fail with ERROR_INVALID_PARAMETER.

#include <cstddef>

#include "platform/linux/internal.h"

// A resource handle is the address of the resource's entry in the table.
struct HRSRC__ {
  const char* name;
  const unsigned char* bytes;
  std::size_t size;
};

extern "C" {
// The table assembled from resources/, in the order of the file names.
extern const HRSRC__ recordings_table[];
extern const std::size_t recordings_count;
}

namespace {

constexpr char kRecordingType[] = "WAVE";

// Whether hResInfo is an entry of the table, compared one by one so that a
// stray pointer is never dereferenced.
bool IsEntry(HRSRC hResInfo) {
  for (std::size_t i = 0; i < recordings_count; ++i) {
    if (hResInfo == &recordings_table[i]) return true;
  }
  return false;
}

}  // namespace

HRSRC WINAPI FindResourceA(HMODULE, LPCSTR lpName, LPCSTR lpType) {
  // An integer identifier (MAKEINTRESOURCE) is not an address: it names no
  // resource here, since every resource has a string name and type.
  if (IS_INTRESOURCE(lpType) || !SameAsciiName(lpType, kRecordingType)) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
  }
  if (!IS_INTRESOURCE(lpName)) {
    for (std::size_t i = 0; i < recordings_count; ++i) {
      if (SameAsciiName(lpName, recordings_table[i].name)) {
        return const_cast<HRSRC>(&recordings_table[i]);
      }
    }
  }
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return nullptr;
}

// As in Windows, the loaded handle is the address of the bytes themselves.
HGLOBAL WINAPI LoadResource(HMODULE, HRSRC hResInfo) {
  if (!IsEntry(hResInfo)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return const_cast<unsigned char*>(hResInfo->bytes);
}

LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

DWORD WINAPI SizeofResource(HMODULE, HRSRC hResInfo) {
  if (!IsEntry(hResInfo)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return static_cast<DWORD>(hResInfo->size);
}
