/* A library that is no self-registering component. */
int NotAComponent(void) {
    return 0;
}
