// Binding a sibling library's export by name: the one place where the
// untyped address GetProcAddress returns becomes the function type that the
// export's contract header (common/contracts/) declares.
#pragma once

#include <windows.h>

#include <type_traits>

// The export `name` of `module` as `Fn`; null when the module is null or
// does not export the name.  `name` may also be an ordinal made with
// MAKEINTRESOURCEA.
template <typename Fn>
Fn BindExport(HMODULE module, const char* name) {
  static_assert(std::is_pointer_v<Fn> && std::is_function_v<std::remove_pointer_t<Fn>>,
                "BindExport binds to a function pointer type");
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
