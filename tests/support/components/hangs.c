/* A component whose registration never returns. */
#include <unistd.h>

#include "component.h"

HResult KVU_ENTRY DllRegisterServer(void) {
    for (;;)
        sleep(1);
    return KVU_S_OK;
}
