/* A library that exists only beside the Windows test program (and in the folders the
   tests copy it to), never in the system folder. */
__declspec(dllexport) int EmbraProbe(void) {
    return 42;
}
