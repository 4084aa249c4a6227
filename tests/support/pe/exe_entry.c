/* The whole code of a test program: it is only ever read, never run. */
int mainCRTStartup(void) {
    return 0;
}
