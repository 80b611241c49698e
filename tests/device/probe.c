/* A program for the device check to refuse, built the wrong way by its
 * target's options; what it calls decides what else it needs. */
#include <time.h>
#include <unistd.h>

int main(void)
{
#if defined(PROBE_NEWER_C_LIBRARY)
    char bytes[4];
    return getentropy(bytes, sizeof bytes); /* GLIBC_2.25 */
#elif defined(PROBE_EXTRA_LIBRARY)
    struct timespec now;
    return clock_gettime(CLOCK_MONOTONIC, &now); /* in librt before GLIBC_2.17 */
#else
    return 0;
#endif
}
