// The one shape of the function that a product's removal library exports:
// it takes the address of a text buffer and removes its own argument from
// the stack (stdcall). Every pointer to such an export, kelrun's and the
// sample libraries', has this type.
//
// On 32-bit x86 the calling convention is part of the pointer's type. A
// pointer declared without __stdcall would call the export as cdecl: the
// caller would pop the argument the export already popped, and the stack
// would be off by four bytes after every call. The checks below make such a
// slip a compile error in the 32-bit build; on x86-64 there is only one
// convention and they hold trivially.
#pragma once

#include <type_traits>

using LibraryExport = void(__stdcall*)(char* buffer);

static_assert(std::is_same_v<LibraryExport, void(__stdcall*)(char*)>,
              "a library export is called with stdcall and one char* argument");

// Calls an export through a pointer that must be exactly a LibraryExport.
template <typename Function>
void CallLibraryExport(Function function, char* buffer)
{
    static_assert(std::is_same_v<Function, void(__stdcall*)(char*)>,
                  "call a library export only through a LibraryExport");
    function(buffer);
}
