// A library without the extraction entry points, to show how loading fails.
extern "C" int NotAnExtractionLibrary() {
    return 0;
}
