/* A component whose registration works: each call appends a line to the file
   named by KVU_COMPONENT_TRACE, so that a test sees what ran. */
#include <stdio.h>
#include <stdlib.h>

#include "component.h"

static void Trace(const char* what) {
    const char* path = getenv("KVU_COMPONENT_TRACE");
    FILE* file = path ? fopen(path, "ab") : NULL;
    if (file) {
        fputs(what, file);
        fclose(file);
    }
}

HResult KVU_ENTRY DllRegisterServer(void) {
    Trace("register\n");
    return KVU_S_OK;
}

HResult KVU_ENTRY DllUnregisterServer(void) {
    Trace("unregister\n");
    return KVU_S_FALSE;
}
