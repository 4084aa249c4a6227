/* A component whose registration reports a failure at once (E_FAIL). */
#include "component.h"

HResult KVU_ENTRY DllRegisterServer(void) {
    return (HResult)0x80004005u;
}
