/* The calling convention of COM entry points (__stdcall on 32-bit Windows),
   given by the build as KVU_ENTRY. */
#pragma once

typedef int HResult;
#define KVU_S_OK 0
#define KVU_S_FALSE 1
