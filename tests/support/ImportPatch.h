// Replaces one imported function of the test program for the life of the
// object, so that a test can see calls that leave no trace of their own (a
// beep) or make a platform call fail the way a full disk or registry would.
#pragma once

#include <windows.h>
#include <string.h>

class CImportPatch {
 public:
  CImportPatch(const char* dll, const char* func, ULONG_PTR replacement)
  {
    m_slot = FindImportSlot(dll, func);
    if (m_slot == nullptr) return;
    m_original = *m_slot;
    Write(replacement);
  }
  ~CImportPatch()
  {
    if (m_slot != nullptr) Write(m_original);
  }
  CImportPatch(const CImportPatch&) = delete;
  CImportPatch& operator=(const CImportPatch&) = delete;

  bool Installed() const { return m_slot != nullptr; }
  template <class F> F Original() const { return reinterpret_cast<F>(m_original); }

 private:
  void Write(ULONG_PTR value)
  {
    DWORD old;
    VirtualProtect(m_slot, sizeof(ULONG_PTR), PAGE_READWRITE, &old);
    *m_slot = value;
    VirtualProtect(m_slot, sizeof(ULONG_PTR), old, &old);
  }
  static ULONG_PTR* FindImportSlot(const char* dll, const char* func)
  {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
      if (_stricmp(reinterpret_cast<char*>(base + imp->Name), dll) != 0) continue;
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(
          base + (imp->OriginalFirstThunk ? imp->OriginalFirstThunk : imp->FirstThunk));
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
      for (; names->u1.AddressOfData; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
        if (strcmp(reinterpret_cast<char*>(byName->Name), func) == 0)
          return reinterpret_cast<ULONG_PTR*>(&slots->u1.Function);
      }
    }
    return nullptr;
  }

  ULONG_PTR* m_slot = nullptr;
  ULONG_PTR m_original = 0;
};
